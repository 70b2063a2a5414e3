#include "editor/ExploreWindow.h"

#include "editor/SoundEditor.h"
#include "midi/MidiSession.h"
#include "platform/KeyState.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace sondrake::editor {

namespace {

    QString errorText(const std::exception& e) { return QString::fromLocal8Bit(e.what()); }

    constexpr int kDefaultMutation = 25;

    QPushButton* makeButton(QWidget* parent, const char* name, const QString& text)
    {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(text);
        // Enter must not "Use" a sound by accident.
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    }

    QSlider* makePercentSlider(QWidget* parent, const char* name, const QString& accessibleName, int value)
    {
        auto* s = new QSlider(Qt::Horizontal, parent);
        s->setObjectName(QString::fromLatin1(name));
        s->setAccessibleName(accessibleName);
        s->setRange(0, 100);
        s->setSingleStep(1);
        s->setPageStep(10);
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(10);
        s->setValue(value);
        return s;
    }

    QString percentText(int percent) { return QStringLiteral("%1 %").arg(percent); }

    // Wide enough for "100 %", so the slider beside it keeps its length.
    QLabel* makePercentLabel(QWidget* parent, int percent)
    {
        auto* l = new QLabel(percentText(percent), parent);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(percentText(100)) + 4);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    }

} // namespace

ExploreWindow::ExploreWindow(SoundEditor& editor)
    : QDialog(&editor)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("frmExplore"));
    setWindowTitle(tr("Explore Sound Family"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    const QFontMetrics fm(font());

    auto* candidates = new QGroupBox(tr("Candidates"), this);
    candidates->setObjectName(QStringLiteral("grpCandidates"));
    auto* grid = new QGridLayout(candidates);
    grid->setHorizontalSpacing(6);
    for (int i = 0; i < kCandidateCount; ++i) {
        const QString n = QString::number(i + 1);
        auto* b = new QPushButton(n, candidates);
        b->setObjectName(QStringLiteral("btnCandidate") + n);
        b->setAccessibleName(tr("Candidate %1").arg(n));
        b->setToolTip(tr("Listen to candidate %1").arg(n));
        b->setAutoDefault(false);
        // Pressed in while it is the one heard.
        b->setCheckable(true);
        b->setMinimumSize(std::max(44, fm.averageCharWidth() * 6), std::max(34, fm.height() * 2 + 6));
        auto* keep = new QCheckBox(tr("Keep"), candidates);
        keep->setObjectName(QStringLiteral("ckbKeep") + n);
        keep->setAccessibleName(tr("Keep %1").arg(n));
        keep->setToolTip(tr("Breed the next generation from candidate %1").arg(n));
        grid->addWidget(b, 0, i);
        grid->addWidget(keep, 1, i, Qt::AlignHCenter);
        m_candidateButtons[std::size_t(i)] = b;
        m_keepBoxes[std::size_t(i)] = keep;
        connect(b, &QPushButton::clicked, this, [this, i] { onCandidate(i); });
        connect(keep, &QCheckBox::toggled, this, [this, i](bool on) { onKeep(i, on); });
    }

    auto* mutationLabel = new QLabel(tr("Mutation"), this);
    m_mutationSlider = makePercentSlider(this, "sldMutation", tr("Mutation"), kDefaultMutation);
    m_mutationSlider->setToolTip(tr("The chance that each parameter is drawn again"));
    mutationLabel->setBuddy(m_mutationSlider);
    m_mutationValue = makePercentLabel(this, kDefaultMutation);
    m_mutationValue->setObjectName(QStringLiteral("lblMutation"));
    connect(m_mutationSlider, &QSlider::valueChanged, this,
        [this](int percent) { m_mutationValue->setText(percentText(percent)); });

    m_previousButton = makeButton(this, "btnPreviousGeneration", tr("Previous Generation"));
    m_generationLabel = new QLabel(this);
    m_generationLabel->setObjectName(QStringLiteral("lblGeneration"));
    m_generationLabel->setAlignment(Qt::AlignCenter);
    m_nextButton = makeButton(this, "btnNextGeneration", tr("Next Generation"));
    m_nextButton->setToolTip(
        tr("Eight new candidates from the kept ones (none kept: from the working copy)"));

    auto* morphLabel = new QLabel(tr("Morph"), this);
    auto* fromLabel = new QLabel(tr("as opened"), this);
    auto* toLabel = new QLabel(tr("working copy"), this);
    // At 100 % the morph is the working copy: nothing moves until the user does.
    m_morphSlider = makePercentSlider(this, "sldMorph", tr("Morph"), 100);
    m_morphSlider->setToolTip(
        tr("Between the sound as the editor opened it and the working copy"));
    morphLabel->setBuddy(m_morphSlider);
    m_morphValue = makePercentLabel(this, 100);
    m_morphValue->setObjectName(QStringLiteral("lblMorph"));
    m_morphSettle = new QTimer(this);
    m_morphSettle->setSingleShot(true);
    m_morphSettle->setInterval(kMorphSettleMs);
    connect(m_morphSlider, &QSlider::valueChanged, this, &ExploreWindow::onMorphMoved);
    // A drag is heard once, where it ends.
    connect(m_morphSlider, &QSlider::sliderReleased, this, &ExploreWindow::onMorphSettled);
    connect(m_morphSettle, &QTimer::timeout, this, &ExploreWindow::onMorphSettled);

    m_heardLabel = new QLabel(this);
    m_heardLabel->setObjectName(QStringLiteral("lblHeard"));
    m_useButton = makeButton(this, "btnUse", tr("Use"));
    m_useButton->setToolTip(tr("Put the sound heard last into the working copy"));

    connect(m_previousButton, &QPushButton::clicked, this, &ExploreWindow::onPreviousGeneration);
    connect(m_nextButton, &QPushButton::clicked, this, &ExploreWindow::onNextGeneration);
    connect(m_useButton, &QPushButton::clicked, this, &ExploreWindow::onUse);

    auto* column = new QVBoxLayout(this);
    column->addWidget(candidates);
    auto* mutationRow = new QHBoxLayout;
    mutationRow->addWidget(mutationLabel);
    mutationRow->addWidget(m_mutationSlider, 1);
    mutationRow->addWidget(m_mutationValue);
    column->addLayout(mutationRow);
    auto* generationRow = new QHBoxLayout;
    generationRow->addWidget(m_previousButton);
    generationRow->addWidget(m_generationLabel, 1);
    generationRow->addWidget(m_nextButton);
    column->addLayout(generationRow);
    column->addSpacing(fm.height() / 2);
    auto* morphRow = new QHBoxLayout;
    morphRow->addWidget(morphLabel);
    morphRow->addSpacing(6);
    morphRow->addWidget(fromLabel);
    morphRow->addWidget(m_morphSlider, 1);
    morphRow->addWidget(toLabel);
    morphRow->addWidget(m_morphValue);
    column->addLayout(morphRow);
    auto* useRow = new QHBoxLayout;
    useRow->addWidget(m_heardLabel, 1);
    useRow->addWidget(m_useButton);
    column->addLayout(useRow);
    column->addStretch(1);

    try {
        m_explorer.nextGeneration(
            editor.workingCopy(), editor.schema(), kDefaultMutation, editor.generator());
    } catch (const std::exception& e) {
        editor.showError(errorText(e));
    }
    showGeneration();
}

ExploreWindow::~ExploreWindow() { m_editor.host().keyState().setWindowKeyHandler(this, {}); }

void ExploreWindow::showGeneration()
{
    const bool any = !m_explorer.isEmpty();
    for (int i = 0; i < kCandidateCount; ++i) {
        QCheckBox* keep = m_keepBoxes[std::size_t(i)];
        const QSignalBlocker quiet(keep);
        keep->setChecked(m_explorer.isKept(i));
        m_candidateButtons[std::size_t(i)]->setEnabled(any);
    }
    m_generationLabel->setText(
        any ? tr("Generation %1").arg(m_explorer.current().number) : QString());
    m_previousButton->setEnabled(m_explorer.hasPrevious());
    showHeard();
}

void ExploreWindow::showHeard()
{
    for (int i = 0; i < kCandidateCount; ++i) {
        QPushButton* b = m_candidateButtons[std::size_t(i)];
        // The mark stays with the sound: a later generation of the same
        // number (after going back) holds other candidates.
        const bool heard = m_heard && m_heardIndex == i && !m_explorer.isEmpty()
            && m_explorer.current().number == m_heardGeneration
            && withSchemaParameters(*m_heard, m_explorer.current().candidates[std::size_t(i)]) == *m_heard;
        b->setChecked(heard);
        QFont f = b->font();
        f.setBold(heard);
        b->setFont(f);
        b->setAccessibleDescription(heard ? tr("heard last") : QString());
    }
    if (!m_heard)
        m_heardLabel->setText(tr("Click a candidate to listen to it."));
    else if (m_heardIndex >= 0)
        m_heardLabel->setText(tr("Heard: candidate %1 of generation %2")
                                  .arg(m_heardIndex + 1)
                                  .arg(m_heardGeneration));
    else
        m_heardLabel->setText(tr("Heard: the morph at %1").arg(percentText(m_heardMorph)));
    m_useButton->setEnabled(m_heard.has_value());
}

void ExploreWindow::audition(const SoundDump& sound)
{
    if (auto* session = m_editor.host().midiSession())
        session->sendAuditionDump(sound);
    m_heard = sound;
    showHeard();
}

void ExploreWindow::onCandidate(int index)
{
    try {
        if (m_explorer.isEmpty() || index < 0 || index >= kCandidateCount)
            return;
        const SoundExplorer::Generation& g = m_explorer.current();
        // The name and everything outside the schema as the working copy has
        // them now: what is heard is what "Use" would give.
        const SoundDump sound
            = withSchemaParameters(m_editor.workingCopy(), g.candidates[std::size_t(index)]);
        m_heardGeneration = g.number;
        m_heardIndex = index;
        audition(sound);
    } catch (const std::exception& e) {
        m_editor.showError(errorText(e));
    }
}

void ExploreWindow::onKeep(int index, bool kept) { m_explorer.setKept(index, kept); }

void ExploreWindow::onNextGeneration()
{
    try {
        m_explorer.nextGeneration(
            m_editor.workingCopy(), m_editor.schema(), m_mutationSlider->value(), m_editor.generator());
    } catch (const std::exception& e) {
        m_editor.showError(errorText(e));
    }
    showGeneration();
}

void ExploreWindow::onPreviousGeneration()
{
    m_explorer.previousGeneration();
    showGeneration();
}

void ExploreWindow::onUse()
{
    try {
        if (!m_heard)
            return;
        m_editor.applyToWorkingCopy(
            withSchemaParameters(m_editor.workingCopy(), *m_heard), tr("Explore"));
        // The working copy is the morph's far end now, and the sound heard.
        m_morphSettle->stop();
        const QSignalBlocker quiet(m_morphSlider);
        m_morphSlider->setValue(100);
        m_morphValue->setText(percentText(100));
    } catch (const std::exception& e) {
        m_editor.showError(errorText(e));
    }
}

void ExploreWindow::onMorphMoved(int percent)
{
    m_morphValue->setText(percentText(percent));
    // Keys, the wheel and clicks beside the handle move it in steps; the
    // sound goes out once they stop. A drag waits for its release.
    if (!m_morphSlider->isSliderDown())
        m_morphSettle->start();
}

void ExploreWindow::onMorphSettled()
{
    try {
        m_morphSettle->stop();
        const int percent = m_morphSlider->value();
        const SoundDump sound
            = morphSound(m_editor.openedSound(), m_editor.workingCopy(), percent, m_editor.schema());
        m_heardIndex = -1;
        m_heardMorph = percent;
        audition(sound);
    } catch (const std::exception& e) {
        m_editor.showError(errorText(e));
    }
}

} // namespace sondrake::editor
