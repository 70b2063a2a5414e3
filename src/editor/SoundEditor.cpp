#include "editor/SoundEditor.h"

#include "controls/Knob.h"
#include "controls/Slider.h"
#include "controls/SoundNameValidator.h"
#include "editor/EditorSteps.h"
#include "editor/ExploreWindow.h"
#include "editor/LocationDialog.h"
#include "midi/MidiSession.h"
#include "platform/KeyState.h"
#include "store/PlayerKeys.h"
#include "store/SoundName.h"
#include "store/SoundStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace sondrake::editor {

namespace {

    QString errorText(const std::exception& e) { return QString::fromLocal8Bit(e.what()); }

    // Number-pad 1..9: semitones above the octave's C, one octave up.
    constexpr int kTestNoteOffsets[9] = { 12, 14, 16, 17, 19, 21, 23, 24, 26 };

    bool isNumpadDigit(const QKeyEvent* e)
    {
        return (e->modifiers() & Qt::KeypadModifier) && e->key() >= Qt::Key_1 && e->key() <= Qt::Key_9;
    }

    QPushButton* makeButton(QWidget* parent, const char* name, const QString& text)
    {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    }

} // namespace

SoundEditor::SoundEditor(EditorHost& host, QWidget* parent)
    : QDialog(parent ? parent : host.window())
    , m_host(host)
{
    setObjectName(QStringLiteral("TfrmPatchEdit"));
    setWindowTitle(tr("Sound Edit"));
    setModal(true);
    // The application's font, a pixel smaller: the panels are dense.
    QFont f = font();
    f.setPixelSize(std::max(9, QFontInfo(f).pixelSize() - 1));
    setFont(f);

    // Everything scrolls, so a screen smaller than the editor still reaches
    // every control.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("scrPatchEdit"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    // Tab scrolls each control into view as it reaches it; the area itself
    // would only be an invisible stop.
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("pnlContent"));
    // In the window before anything is measured, so the window's font counts.
    m_scrollArea->setWidget(content);
    outer->addWidget(m_scrollArea);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildTopPanel(content));
    column->addWidget(buildPages(content), 1);
    resize(preferredSize());

    buildHistory();
    wireSchemaControls();
    listSchemas();

    m_modifiedTimer = new QTimer(this);
    m_modifiedTimer->setObjectName(QStringLiteral("Timer1"));
    m_modifiedTimer->setInterval(250);
    connect(m_modifiedTimer, &QTimer::timeout, this, &SoundEditor::onModifiedTimer);
    m_modifiedTimer->start();

    // The window's keys are read before the control that has the focus sees them.
    m_host.keyState().setWindowKeyHandler(this, [this](QKeyEvent* key) { return onWindowKey(key); });
}

SoundEditor::~SoundEditor()
{
    // It works on this window's state: gone first.
    delete m_exploreWindow.data();
    m_host.keyState().setWindowKeyHandler(this, {});
    // The controls outlive this object's members for a moment while QObject
    // deletes its children; they must not call back into a half-gone window.
    for (ControlRow& row : m_pages.rows) {
        if (row.knob)
            row.knob->setOnChange({});
        if (row.slider)
            row.slider->setOnChange({});
        if (row.check || row.list)
            row.widget->disconnect(this);
    }
    // Hiding the window ends any typing in the name field and the schema
    // box: the one ends a typing step, the other reports a pick.
    if (m_nameEdit)
        m_nameEdit->disconnect(this);
    if (m_schemaBox) {
        m_schemaBox->disconnect(this);
        if (QLineEdit* edit = m_schemaBox->lineEdit())
            edit->disconnect(this);
    }
}

QWidget* SoundEditor::buildTopPanel(QWidget* parent)
{
    auto* top = new QWidget(parent);
    top->setObjectName(QStringLiteral("pnlTop"));

    m_nameLabel = new QLabel(tr("Name"), top);
    m_nameEdit = new QLineEdit(top);
    m_nameEdit->setObjectName(QStringLiteral("edtName"));
    m_nameEdit->setMaxLength(int(kNameLength));
    m_nameEdit->setValidator(new SoundNameValidator(m_nameEdit));
    const QFontMetrics fm(font());
    m_nameEdit->setFixedWidth(std::max(140, fm.averageCharWidth() * int(kNameLength) + 16));
    m_nameLabel->setBuddy(m_nameEdit);
    m_testSoundButton = makeButton(top, "btnTestSound", tr("Test &Sound C4-C5"));
    m_testSoundButton->setToolTip(tr("Shortcut Num 1,2,3,4,5,6,7,8,9,+,-"));
    // Wide enough for every octave, so the button keeps its size.
    m_testSoundButton->setMinimumWidth(
        std::max(130, fm.horizontalAdvance(tr("Test Sound C%1-C%2").arg(9).arg(10)) + 24));
    m_initSoundButton = makeButton(top, "btnInitSound", tr("Init Sound"));
    m_sendToLocationButton = makeButton(top, "btnSavSoundto", tr("Send Sound to Q-Lindorn"));
    m_compareButton = makeButton(top, "btnCompare", tr("Compare"));
    m_compareButton->setAccessibleName(tr("Compare"));
    m_compareButton->setCheckable(true);
    // It shares the widest row of the panel: no wider than its caption needs.
    m_compareButton->setFixedWidth(fm.horizontalAdvance(m_compareButton->text()) + 20);
    m_compareButton->setToolTip(
        tr("While down, the Q-Lindorn plays the sound as it was when this window opened"));

    m_schemaLabel = new QLabel(tr("Sound Family Schema"), top);
    m_schemaBox = new QComboBox(top);
    m_schemaBox->setObjectName(QStringLiteral("cmbRandomSchema"));
    m_schemaBox->setEditable(true);
    m_schemaBox->setInsertPolicy(QComboBox::NoInsert);
    m_schemaBox->setFixedWidth(std::max(170, fm.averageCharWidth() * 22));
    m_schemaLabel->setBuddy(m_schemaBox);
    m_saveSchemaButton = makeButton(top, "btnSaveRandomSchema", tr("Save Snd Family Schema"));
    m_createSchemaButton = makeButton(top, "btnCreateSchemaFromCurrentSound",
        tr("Create Snd Family Schema from current sound"));

    m_randomizeSoundButton = makeButton(top, "btnRandomizeSound", tr("Randomize Sound (Ctrl+0)"));
    QPalette red = m_randomizeSoundButton->palette();
    red.setColor(QPalette::ButtonText, QColor(200, 0, 0));
    m_randomizeSoundButton->setPalette(red);
    m_randomizeOscillatorsButton
        = makeButton(top, "btnRandomizeOscillators", tr("Randomize Oscillators (Ctrl+1)"));
    m_randomizeFiltersButton
        = makeButton(top, "btnRandomizeFilters", tr("Randomize Filter (Ctrl+2)"));
    m_randomizeEnvelopesButton
        = makeButton(top, "btnRandomizeEnvelopes", tr("Randomize Envelopes (Ctrl+3)"));
    m_randomizeLfosButton = makeButton(top, "btnRandomizeLFOs", tr("Randomize LFOs (Ctrl+4)"));
    m_exploreButton = makeButton(top, "btnExplore", tr("Explore..."));

    auto* rows = new QVBoxLayout(top);
    rows->setContentsMargins(6, 4, 6, 2);
    rows->setSpacing(3);
    auto* row1 = new QHBoxLayout;
    row1->addWidget(m_nameLabel);
    row1->addWidget(m_nameEdit);
    // The widest row: narrow gaps keep the panel within an 800-pixel screen.
    row1->addSpacing(4);
    row1->addWidget(m_testSoundButton);
    row1->addWidget(m_initSoundButton);
    row1->addWidget(m_sendToLocationButton);
    row1->addWidget(m_compareButton);
    row1->addStretch(1);
    row1->addWidget(m_randomizeSoundButton);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(m_schemaLabel);
    row2->addWidget(m_schemaBox);
    row2->addWidget(m_saveSchemaButton);
    row2->addWidget(m_createSchemaButton);
    row2->addStretch(1);
    auto* row3 = new QHBoxLayout;
    row3->addWidget(m_randomizeOscillatorsButton);
    row3->addWidget(m_randomizeFiltersButton);
    row3->addWidget(m_randomizeEnvelopesButton);
    row3->addWidget(m_randomizeLfosButton);
    row3->addWidget(m_exploreButton);
    row3->addStretch(1);
    rows->addLayout(row1);
    rows->addLayout(row2);
    rows->addLayout(row3);

    connect(m_nameEdit, &QLineEdit::textEdited, this, &SoundEditor::onNameEdited);
    // Typing that resumes after the field lost the focus is another step.
    connect(m_nameEdit, &QLineEdit::editingFinished, this, [this] { ++m_nameTyping; });
    connect(m_testSoundButton, &QPushButton::pressed, this, &SoundEditor::onTestSoundPressed);
    connect(m_testSoundButton, &QPushButton::released, this, &SoundEditor::onTestSoundReleased);
    connect(m_initSoundButton, &QPushButton::clicked, this, &SoundEditor::onInitSound);
    connect(m_sendToLocationButton, &QPushButton::clicked, this, &SoundEditor::onSendToLocation);
    connect(m_compareButton, &QPushButton::toggled, this, &SoundEditor::onCompareToggled);
    return top;
}

void SoundEditor::buildHistory()
{
    m_history = new QUndoStack(this);
    m_undoAction = m_history->createUndoAction(this);
    m_undoAction->setObjectName(QStringLiteral("actUndo"));
    m_undoAction->setShortcuts(QKeySequence::Undo);
    m_redoAction = m_history->createRedoAction(this);
    m_redoAction->setObjectName(QStringLiteral("actRedo"));
    m_redoAction->setShortcuts(QKeySequence::Redo);
    // Window shortcuts: they act while this window is the active one.
    addAction(m_undoAction);
    addAction(m_redoAction);
}

void SoundEditor::setWorkingCopy(const SoundDump& sound)
{
    m_workingCopy = sound;
    m_openedSound = sound;
    // Steps back to another sound would not lead to this one.
    m_history->clear();
}

QWidget* SoundEditor::buildPages(QWidget* parent)
{
    auto* frame = new QWidget(parent);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(3, 0, 3, 3);
    m_tabs = new QTabWidget(frame);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_tabs);
    try {
        buildParameterPages(m_tabs, m_pages);
        wireControls();
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
    return frame;
}

QSize SoundEditor::preferredSize() const
{
    QSize size = m_scrollArea->widget()->sizeHint();
    const QScreen* s = screen();
    if (!s)
        return size;
    // Room for the window's frame and title, which the window system adds.
    const QSize room = s->availableGeometry().size() - QSize(10, 40);
    // A scroll bar in one direction takes room from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool tall = size.height() > room.height();
    const bool wide = size.width() > room.width();
    if (tall)
        size.rwidth() += bar;
    if (wide)
        size.rheight() += bar;
    return size.boundedTo(room);
}

void SoundEditor::wireControls()
{
    for (ControlRow& row : m_pages.rows) {
        if (row.knob)
            row.knob->setOnChange([this](QObject* s) { onControlChanged(s); });
        else if (row.slider)
            row.slider->setOnChange([this](QObject* s) { onControlChanged(s); });
        else if (row.list)
            connect(row.list, &QComboBox::activated, this, [this, w = row.list](int) { onControlChanged(w); });
        else if (row.check)
            connect(row.check, &QCheckBox::toggled, this, [this, w = row.check](bool) { onControlChanged(w); });
    }
}

void SoundEditor::showError(const QString& text)
{
    if (m_errorPending)
        return;
    m_errorPending = true;
    // Errors can arise while a control paints; a message box must not open
    // its event loop there, so it opens from the event loop instead.
    QTimer::singleShot(0, this, [this, text] {
        m_host.showError(this, text);
        m_errorPending = false;
    });
}

int SoundEditor::controlValue(const ParameterEntry& entry) const
{
    const ControlRow* row = m_pages.rowFor(&entry);
    if (!row)
        throw std::runtime_error("no control for " + std::string(entry.control));
    if (row->knob)
        return row->knob->value();
    if (row->slider)
        return row->slider->value();
    if (row->list)
        return row->list->currentIndex();
    return row->check->isChecked() ? 1 : 0;
}

void SoundEditor::setControlValue(const ParameterEntry& entry, int value)
{
    const ControlRow* row = m_pages.rowFor(&entry);
    if (!row)
        throw std::runtime_error("no control for " + std::string(entry.control));
    if (row->knob) {
        row->knob->setValue(value);
    } else if (row->slider) {
        row->slider->setValue(value);
    } else if (row->list) {
        row->list->setCurrentIndex(value >= 0 && value < row->list->count() ? value : -1);
    } else {
        row->check->setChecked(value != 0);
    }
}

void SoundEditor::loadControls()
{
    if (m_pages.rows.empty() && !m_nameEdit)
        return;
    m_loading = true;
    try {
        QString name = QString::fromLatin1(
            reinterpret_cast<const char*>(m_workingCopy.data() + kNameOffset), qsizetype(kNameLength));
        qsizetype begin = 0;
        qsizetype end = name.size();
        while (begin < end && name.at(begin).unicode() <= 32)
            ++begin;
        while (end > begin && name.at(end - 1).unicode() <= 32)
            --end;
        // The trimmed name goes back into the sound as well, padded again:
        // leading blanks and control bytes do not leave the editor.
        const QString trimmed = SoundNameValidator::storable(name.mid(begin, end - begin));
        m_nameEdit->setText(trimmed);
        writeName(trimmed);

        for (const ControlRow& row : m_pages.rows) {
            if (row.entry->isStored())
                setControlValue(*row.entry, readValue(m_workingCopy, *row.entry));
        }
        m_modified = true;
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
    m_loading = false;
}

std::vector<std::pair<const ParameterEntry*, int>> SoundEditor::listValues() const
{
    std::vector<std::pair<const ParameterEntry*, int>> lists;
    for (const ControlRow& row : m_pages.rows)
        if (row.list && row.entry->isStored())
            lists.emplace_back(row.entry, row.list->currentIndex());
    return lists;
}

void SoundEditor::sendChangedLists(const std::vector<std::pair<const ParameterEntry*, int>>& before)
{
    try {
        for (const auto& [entry, was] : before) {
            const int now = controlValue(*entry);
            if (now != was && now >= 0)
                sendLiveMessage(*entry, now);
        }
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::applyToWorkingCopy(const SoundDump& sound, const QString& stepText)
{
    const SoundDump before = m_workingCopy;
    const auto lists = listValues();
    m_workingCopy = sound;
    loadControls();
    sendChangedLists(lists);
    pushSoundStep(stepText, before);
}

void SoundEditor::pushSoundStep(const QString& text, const SoundDump& before)
{
    if (before == m_workingCopy)
        return;
    m_history->push(
        new SoundStep(text, before, [this](const SoundDump& sound) { return exchangeWorkingCopy(sound); }));
    releaseCompare();
}

SoundDump SoundEditor::exchangeWorkingCopy(const SoundDump& sound)
{
    const SoundDump replaced = m_workingCopy;
    const auto lists = listValues();
    m_workingCopy = sound;
    loadControls();
    sendChangedLists(lists);
    // Typing after this is a step of its own, not part of the one undone.
    ++m_nameTyping;
    releaseCompare();
    return replaced;
}

std::optional<QString> SoundEditor::exchangeAllowedValues(
    int schemaSerial, std::string_view control, const QString& text)
{
    if (schemaSerial != m_schemaSerial)
        return std::nullopt;
    QString replaced = m_schema.allowedValues(control);
    m_schema.setAllowedValues(control, text);
    return replaced;
}

void SoundEditor::sendLiveMessage(const ParameterEntry& entry, int value)
{
    // While "Compare" is down the synthesizer plays the opened sound alone;
    // a redraw of the controls must not mix the working copy into it.
    if (m_comparing)
        return;
    sendLive(m_host.midiSession(), entry, value);
}

void SoundEditor::sendWholeSound(const SoundDump& sound)
{
    if (auto* session = m_host.midiSession())
        session->sendSoundDump(sound);
}

bool SoundEditor::stopComparing()
{
    if (!m_comparing)
        return false;
    m_comparing = false;
    const QSignalBlocker quiet(m_compareButton);
    m_compareButton->setChecked(false);
    return true;
}

void SoundEditor::releaseCompare()
{
    // The synthesizer still holds the opened sound, and a load sends only
    // the controls it changed: the whole working copy goes out.
    try {
        if (stopComparing())
            sendWholeSound(m_workingCopy);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::onCompareToggled(bool pressed)
{
    try {
        m_comparing = pressed;
        sendWholeSound(pressed ? m_openedSound : m_workingCopy);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::onControlChanged(QObject* sender)
{
    try {
        const ControlRow* row = m_pages.rowFor(sender);
        if (!row)
            return;
        const int value = controlValue(*row->entry);
        if (row->list && value < 0)
            return; // nothing selected: there is no value to send
        sendLiveMessage(*row->entry, value);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::onNameEdited(const QString& text)
{
    try {
        const SoundDump before = m_workingCopy;
        writeName(text);
        m_modified = true;
        if (before == m_workingCopy)
            return;
        // The name is not heard: "Compare" stays down.
        m_history->push(new NameStep(tr("Name '%1'").arg(text), m_nameTyping, before,
            [this](const SoundDump& sound) { return exchangeWorkingCopy(sound); }));
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::writeName(const QString& text)
{
    // The name is 16 bytes of the SysEx body: printable 7-bit characters
    // only, padded with blanks. Anything else would end the message early.
    sondrake::writeName(m_workingCopy, storableName(text.toStdU32String()));
}

void SoundEditor::onModifiedTimer()
{
    if (!m_modified)
        return;
    m_modified = false;
    m_host.addMessage(tr("send"));
}

void SoundEditor::onTestSoundPressed()
{
    if (auto* session = m_host.midiSession())
        session->sendNoteOn(0, 60);
}

void SoundEditor::onTestSoundReleased()
{
    if (auto* session = m_host.midiSession())
        session->sendReset();
}

void SoundEditor::onInitSound()
{
    try {
        const SoundDump before = m_workingCopy;
        writeInitSound(m_workingCopy);
        loadControls();
        // The whole sound goes out below, "Compare" or not.
        stopComparing();
        sendWholeSound(m_workingCopy);
        pushSoundStep(tr("Init Sound"), before);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::onSendToLocation()
{
    try {
        QPointer<LocationDialog> dialog = new LocationDialog(this);
        dialog->setBankIndex(m_host.lastSaveBank());
        dialog->setProgramIndex(m_host.lastSaveProgram());
        const int result = dialog->exec();
        if (!dialog)
            return;
        const int bank = dialog->bankIndex();
        const int program = dialog->programIndex();
        delete dialog.data();
        if (result != QDialog::Accepted || bank < 0 || bank > 1 || program < 0 || program >= kProgramsPerBank)
            return;
        // Exactly as the librarian sends a slot: the synthesizer files a
        // sound by bytes 11 and 12, so the bank the working copy came from
        // must not decide where this one lands.
        SoundDump copy = m_workingCopy;
        copy[kLocationBankByte] = std::uint8_t(bank);
        copy[kLocationProgramByte] = std::uint8_t(program);
        if (auto* session = m_host.midiSession())
            session->sendSoundToSlot(copy, bank * kProgramsPerBank + program);
        m_host.setLastSaveLocation(bank, program);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::updateTestSoundCaption()
{
    const int octave = m_host.octave();
    m_testSoundButton->setText(tr("Test Sound C%1-C%2").arg(octave).arg(octave + 1));
}

void SoundEditor::onKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    // Z and X by their place on the keyboard, as the player reads its keys.
    const int letter = platform::KeyState::physicalKey(event);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool keypad = modifiers & Qt::KeypadModifier;
    // With Ctrl, Alt or Meta, Z and X belong to a shortcut (Ctrl+Z is Undo).
    const bool chord = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int octave = m_host.octave();
    if ((key == Qt::Key_Minus && keypad) || (letter == Qt::Key_Z && !chord)) {
        if (octave > MinOctave)
            m_host.setOctave(octave - 1);
    } else if ((key == Qt::Key_Plus && keypad) || (letter == Qt::Key_X && !chord)) {
        if (octave < EditorMaxOctave)
            m_host.setOctave(octave + 1);
    }
    updateTestSoundCaption();
    if (m_testNoteSounding)
        return;
    if (isNumpadDigit(event)) {
        const int note = m_host.octave() * 12 + kTestNoteOffsets[key - Qt::Key_1];
        // A note number is 7 bits: higher keys at the top octaves stay silent.
        if (note < 0 || note > 127)
            return;
        m_testNoteSounding = true;
        if (auto* session = m_host.midiSession())
            session->sendNoteOn(0, std::uint8_t(note));
    }
}

void SoundEditor::onKeyUp(QKeyEvent* event)
{
    // Holding a key repeats press/release pairs on some systems; only the
    // real release ends the note.
    if (event->isAutoRepeat())
        return;
    if (m_testNoteSounding && isNumpadDigit(event)) {
        if (auto* session = m_host.midiSession())
            session->sendReset();
        m_testNoteSounding = false;
    }
}

bool SoundEditor::isPlayerKey(const QKeyEvent* event) const
{
    if (!m_host.keyboardChecked())
        return false;
    const QString text = event->text();
    // While the keyboard player runs these letters play notes, so typing
    // them into the window would only fill the name field.
    return text.size() == 1 && isSwallowedLetter(EditorSwallowedLetters, text.at(0).unicode());
}

bool SoundEditor::isHistoryKey(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
}

bool SoundEditor::onWindowKey(QKeyEvent* event)
{
    try {
        // The name field would take Undo and Redo for its own text; the
        // window's history wins. With nothing to undo the key press still
        // arrives, and is kept from the field as well.
        if (event->type() == QEvent::ShortcutOverride)
            return isHistoryKey(event);
        if (event->type() == QEvent::KeyPress) {
            if (isHistoryKey(event))
                return true;
            onKeyDown(event);
            return isPlayerKey(event);
        }
        if (event->type() == QEvent::KeyRelease)
            onKeyUp(event);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
    return false;
}

void SoundEditor::showEvent(QShowEvent* event)
{
    // Load before the first paint, so the controls show (and send) the sound.
    if (!event->spontaneous())
        loadControls();
    QDialog::showEvent(event);
}

void SoundEditor::hideEvent(QHideEvent* event)
{
    // The working copy goes back to the library: the synthesizer plays it too.
    if (!event->spontaneous())
        releaseCompare();
    QDialog::hideEvent(event);
}

void SoundEditor::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        loadControls();
    QDialog::changeEvent(event);
}

void runSoundEditor(EditorHost& host, SoundDump& slot, QWidget* parent)
{
    auto editor = std::make_unique<SoundEditor>(host, parent);
    editor->setWorkingCopy(slot);
    editor->exec();
    slot = editor->workingCopy();
}

} // namespace sondrake::editor
