// The computer-keyboard player: a panel at the bottom of the main window, a
// 15 ms poll of the sixteen letter keys and a once-a-second check that one of
// our playing windows is in front.
#include "librarian/KeyboardPlayer.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace sondrake {

namespace {

    // The windows the player plays in, by the names they give themselves:
    // the main window, the sound editor, and the editor's window of
    // candidates to listen to, which works on the editor's sound, and the
    // sound library, whose sounds are auditioned with the player.
    bool isPlayingWindow(const QWidget* window)
    {
        const QString name = window->objectName();
        return name == QLatin1String("TfrmMain") || name == QLatin1String("TfrmPatchEdit")
            || name == QLatin1String("frmExplore") || name == QLatin1String("frmHistory")
            || name == QLatin1String("frmSoundLibrary");
    }

    void sendPlayerNote(midi::MidiSession& session, bool on, std::uint8_t note)
    {
        if (on)
            session.sendNoteOn(PlayerChannel, note);
        else
            session.sendNoteOff(PlayerChannel, note);
    }

} // namespace

void MainWindow::buildKeyboardPanel()
{
    m_keyboardPanel = new QWidget(this);
    m_keyboardPanel->setObjectName(QStringLiteral("pnlKeyboard"));

    m_octaveDownButton = new QPushButton(tr("-1 Octave (Z)"), m_keyboardPanel);
    m_octaveDownButton->setObjectName(QStringLiteral("btnMinusOct"));
    m_octaveUpButton = new QPushButton(tr("+1 Octave (X)"), m_keyboardPanel);
    m_octaveUpButton->setObjectName(QStringLiteral("btnPlusOct"));
    // Reached by Tab, but a click must not take the focus from the list:
    // Enter there sends sounds.
    m_octaveDownButton->setFocusPolicy(Qt::TabFocus);
    m_octaveUpButton->setFocusPolicy(Qt::TabFocus);

    m_octaveLabel = new QLabel(octaveCaption(m_octave), m_keyboardPanel);
    m_octaveLabel->setObjectName(QStringLiteral("lblOctave"));
    QFont big = m_octaveLabel->font();
    // A font given in pixels has no point size.
    if (big.pointSizeF() > 0)
        big.setPointSizeF(big.pointSizeF() * 1.5);
    else
        big.setPixelSize(big.pixelSize() * 3 / 2);
    big.setBold(true);
    m_octaveLabel->setFont(big);
    m_octaveLabel->setMinimumWidth(m_octaveLabel->fontMetrics().horizontalAdvance(octaveCaption(10)) + 8);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* blackKeys = new QLabel(QStringLiteral(" W E   T Y U   O P"), m_keyboardPanel);
    blackKeys->setObjectName(QStringLiteral("lblBlackKeys"));
    auto* whiteKeys = new QLabel(QStringLiteral("A S D F G H J K L"), m_keyboardPanel);
    whiteKeys->setObjectName(QStringLiteral("lblWhiteKeys"));
    for (auto* label : { blackKeys, whiteKeys }) {
        label->setFont(fixed);
        label->setTextFormat(Qt::PlainText);
    }

    m_hideKeyboardButton = new QPushButton(tr("Hide keyboard"), m_keyboardPanel);
    m_hideKeyboardButton->setObjectName(QStringLiteral("btnHideKeyboard"));
    m_hideKeyboardButton->setFocusPolicy(Qt::TabFocus);

    auto* keys = new QVBoxLayout;
    keys->setContentsMargins(0, 0, 0, 0);
    keys->setSpacing(0);
    keys->addWidget(blackKeys);
    keys->addWidget(whiteKeys);

    auto* row = new QHBoxLayout(m_keyboardPanel);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(8);
    row->addWidget(m_octaveDownButton);
    row->addWidget(m_octaveUpButton);
    row->addWidget(m_octaveLabel);
    row->addLayout(keys);
    row->addStretch(1);
    row->addWidget(m_hideKeyboardButton);
    // 39 pixels hold the panel in the usual font; a larger one gets the room it needs.
    m_keyboardPanel->setFixedHeight(std::max(39, row->sizeHint().height()));

    bindButton(m_octaveDownButton, m_octaveDownAction);
    bindButton(m_octaveUpButton, m_octaveUpAction);
    bindButton(m_hideKeyboardButton, m_keyboardAction);

    m_playerPoll = new QTimer(this);
    m_playerPoll->setObjectName(QStringLiteral("tmrKeyboard"));
    m_playerPoll->setInterval(15);
    // A precise timer: the poll interval is the latency of every note.
    m_playerPoll->setTimerType(Qt::PreciseTimer);
    connect(m_playerPoll, &QTimer::timeout, this, &MainWindow::onPlayerPoll);

    m_foregroundCheck = new QTimer(this);
    m_foregroundCheck->setObjectName(QStringLiteral("tmrKeyboardHook"));
    m_foregroundCheck->setInterval(1000);
    connect(m_foregroundCheck, &QTimer::timeout, this, &MainWindow::onForegroundCheck);

    // The player runs from the start.
    m_keyboardOn = true;
    if (m_keyboardAction)
        m_keyboardAction->setChecked(true);
    m_playerPoll->start();
    m_foregroundCheck->start();
}

bool MainWindow::keyboardChecked() const { return m_keyboardOn; }

bool MainWindow::keyboardRunning() const { return m_playerPoll && m_playerPoll->isActive(); }

void MainWindow::setKeyboardPlayer(bool on)
{
    m_keyboardOn = on;
    // A checkable action flips its own mark before the command runs; set it
    // from our state so the menu and the player never disagree.
    if (m_keyboardAction)
        m_keyboardAction->setChecked(on);
    if (m_keyboardPanel)
        m_keyboardPanel->setVisible(on);
    // Keys tapped while the player was off are not played now; keys held
    // down still are.
    if (on && m_playerPoll && !m_playerPoll->isActive())
        m_keys.forgetPresses();
    for (auto* timer : { m_playerPoll, m_foregroundCheck }) {
        if (!timer)
            continue;
        if (on)
            timer->start();
        else
            timer->stop();
    }
}

void MainWindow::onKeyboardPlayer()
{
    guarded([this] { setKeyboardPlayer(!m_keyboardOn); });
}

void MainWindow::suspendKeyboardPlayer()
{
    // Receptions silence the player but leave the check mark as it is.
    if (m_keyboardPanel)
        m_keyboardPanel->hide();
    if (m_playerPoll)
        m_playerPoll->stop();
    if (m_foregroundCheck)
        m_foregroundCheck->stop();
}

void MainWindow::setOctave(int octave)
{
    m_octave = static_cast<std::uint8_t>(std::clamp(octave, MinOctave, MaxOctave));
    if (m_octaveLabel)
        m_octaveLabel->setText(octaveCaption(m_octave));
}

void MainWindow::onOctaveUp()
{
    guarded([this] { setOctave(octaveUp(m_octave)); });
}

void MainWindow::onOctaveDown()
{
    guarded([this] { setOctave(octaveDown(m_octave)); });
}

void MainWindow::onPlayerPoll()
{
    try {
        pollKeyboard(
            m_noteStates, m_octave, [this](int key) { return m_keys.asyncKeyState(key); },
            [this](bool on, std::uint8_t note) { sendPlayerNote(m_session, on, note); });
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
}

void MainWindow::onForegroundCheck()
{
    try {
        if (isOwnWindowInFront()) {
            // start() on a running timer would shift its phase; leave it be.
            if (m_playerPoll && !m_playerPoll->isActive()) {
                m_keys.forgetPresses();
                m_playerPoll->start();
            }
        } else {
            if (m_playerPoll)
                m_playerPoll->stop();
            m_session.panic();
        }
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
}

bool MainWindow::isOwnWindowInFront() const
{
    // No active window of ours means another program is in front.
    const QWidget* front = QApplication::activeWindow();
    return front && isPlayingWindow(front);
}

bool MainWindow::swallowsPlayerLetter(const QKeyEvent* event) const
{
    if (!m_keyboardOn)
        return false;
    const QString text = event->text();
    return text.size() == 1 && isSwallowedLetter(MainWindowSwallowedLetters, text.at(0).unicode());
}

} // namespace sondrake
