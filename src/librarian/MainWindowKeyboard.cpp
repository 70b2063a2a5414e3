// The computer-keyboard player: a panel at the bottom of the main window, a
// 15 ms poll of the sixteen letter keys and a once-a-second check that one of
// our playing windows is in front.
#include "librarian/KeyboardPlayer.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "platform/KeyState.h"

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

    // The main window and the sound editor, by the names they give themselves.
    bool isPlayingWindow(const QWidget* window)
    {
        return window->objectName() == QLatin1String("TfrmMain")
            || window->objectName() == QLatin1String("TfrmPatchEdit");
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
    // Make sure key presses are being recorded before the first poll.
    platform::KeyState::instance();

    pnlKeyboard = new QWidget(this);
    pnlKeyboard->setObjectName(QStringLiteral("pnlKeyboard"));

    btnMinusOct = new QPushButton(QStringLiteral("-1 Octave (Z)"), pnlKeyboard);
    btnMinusOct->setObjectName(QStringLiteral("btnMinusOct"));
    btnPlusOct = new QPushButton(QStringLiteral("+1 Octave (X)"), pnlKeyboard);
    btnPlusOct->setObjectName(QStringLiteral("btnPlusOct"));
    // Reached by Tab, but a click must not take the focus from the list:
    // Enter there sends sounds.
    btnMinusOct->setFocusPolicy(Qt::TabFocus);
    btnPlusOct->setFocusPolicy(Qt::TabFocus);

    lblOctave = new QLabel(octaveCaption(Octave), pnlKeyboard);
    lblOctave->setObjectName(QStringLiteral("lblOctave"));
    QFont big = lblOctave->font();
    // A font given in pixels has no point size.
    if (big.pointSizeF() > 0)
        big.setPointSizeF(big.pointSizeF() * 1.5);
    else
        big.setPixelSize(big.pixelSize() * 3 / 2);
    big.setBold(true);
    lblOctave->setFont(big);
    lblOctave->setMinimumWidth(lblOctave->fontMetrics().horizontalAdvance(octaveCaption(10)) + 8);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* blackKeys = new QLabel(QStringLiteral(" W E   T Y U   O P"), pnlKeyboard);
    blackKeys->setObjectName(QStringLiteral("lblBlackKeys"));
    auto* whiteKeys = new QLabel(QStringLiteral("A S D F G H J K L"), pnlKeyboard);
    whiteKeys->setObjectName(QStringLiteral("lblWhiteKeys"));
    for (auto* label : { blackKeys, whiteKeys }) {
        label->setFont(fixed);
        label->setTextFormat(Qt::PlainText);
    }

    btnHideKeyboard = new QPushButton(QStringLiteral("Hide keyboard"), pnlKeyboard);
    btnHideKeyboard->setObjectName(QStringLiteral("btnHideKeyboard"));
    btnHideKeyboard->setFocusPolicy(Qt::TabFocus);

    auto* keys = new QVBoxLayout;
    keys->setContentsMargins(0, 0, 0, 0);
    keys->setSpacing(0);
    keys->addWidget(blackKeys);
    keys->addWidget(whiteKeys);

    auto* row = new QHBoxLayout(pnlKeyboard);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(8);
    row->addWidget(btnMinusOct);
    row->addWidget(btnPlusOct);
    row->addWidget(lblOctave);
    row->addLayout(keys);
    row->addStretch(1);
    row->addWidget(btnHideKeyboard);
    // 39 pixels hold the panel in the usual font; a larger one gets the room it needs.
    pnlKeyboard->setFixedHeight(std::max(39, row->sizeHint().height()));

    bindButton(btnMinusOct, m_octaveDownAction);
    bindButton(btnPlusOct, m_octaveUpAction);
    bindButton(btnHideKeyboard, Keyboard1);

    tmrKeyboard = new QTimer(this);
    tmrKeyboard->setObjectName(QStringLiteral("tmrKeyboard"));
    tmrKeyboard->setInterval(15);
    // A precise timer: the poll interval is the latency of every note.
    tmrKeyboard->setTimerType(Qt::PreciseTimer);
    connect(tmrKeyboard, &QTimer::timeout, this, &MainWindow::tmrKeyboardTimer);

    tmrKeyboardHook = new QTimer(this);
    tmrKeyboardHook->setObjectName(QStringLiteral("tmrKeyboardHook"));
    tmrKeyboardHook->setInterval(1000);
    connect(tmrKeyboardHook, &QTimer::timeout, this, &MainWindow::tmrKeyboardHookTimer);

    // The player runs from the start.
    KeyboardOn = true;
    if (Keyboard1)
        Keyboard1->setChecked(true);
    tmrKeyboard->start();
    tmrKeyboardHook->start();
}

bool MainWindow::keyboardChecked() const { return KeyboardOn; }

bool MainWindow::keyboardRunning() const { return tmrKeyboard && tmrKeyboard->isActive(); }

void MainWindow::setKeyboardPlayer(bool on)
{
    KeyboardOn = on;
    // A checkable action flips its own mark before the command runs; set it
    // from our state so the menu and the player never disagree.
    if (Keyboard1)
        Keyboard1->setChecked(on);
    if (pnlKeyboard)
        pnlKeyboard->setVisible(on);
    // Keys tapped while the player was off are not played now; keys held
    // down still are.
    if (on && tmrKeyboard && !tmrKeyboard->isActive())
        platform::KeyState::instance().forgetPresses();
    for (auto* timer : { tmrKeyboard, tmrKeyboardHook }) {
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
    guarded([this] { setKeyboardPlayer(!KeyboardOn); });
}

void MainWindow::suspendKeyboardPlayer()
{
    // Receptions silence the player but leave the check mark as it is.
    if (pnlKeyboard)
        pnlKeyboard->hide();
    if (tmrKeyboard)
        tmrKeyboard->stop();
    if (tmrKeyboardHook)
        tmrKeyboardHook->stop();
}

void MainWindow::setOctave(int octave)
{
    Octave = static_cast<std::uint8_t>(std::clamp(octave, MinOctave, MaxOctave));
    if (lblOctave)
        lblOctave->setText(octaveCaption(Octave));
}

void MainWindow::onOctaveUp()
{
    guarded([this] { setOctave(octaveUp(Octave)); });
}

void MainWindow::onOctaveDown()
{
    guarded([this] { setOctave(octaveDown(Octave)); });
}

void MainWindow::tmrKeyboardTimer()
{
    try {
        auto& keys = platform::KeyState::instance();
        // A filter installed after ours (by a tool or a library) is asked
        // first and could swallow letters before we see them; stay in front.
        keys.install();
        pollKeyboard(
            KeyState, Octave, [&keys](int key) { return keys.asyncKeyState(key); },
            [this](bool on, std::uint8_t note) { sendPlayerNote(m_session, on, note); });
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    }
}

void MainWindow::tmrKeyboardHookTimer()
{
    try {
        if (IsOwnWindowForeground()) {
            // start() on a running timer would shift its phase; leave it be.
            if (tmrKeyboard && !tmrKeyboard->isActive()) {
                platform::KeyState::instance().forgetPresses();
                tmrKeyboard->start();
            }
        } else {
            if (tmrKeyboard)
                tmrKeyboard->stop();
            m_session.panic();
        }
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    }
}

bool MainWindow::IsOwnWindowForeground() const
{
    // No active window of ours means another program is in front.
    const QWidget* front = QApplication::activeWindow();
    return front && isPlayingWindow(front);
}

bool MainWindow::swallowsPlayerLetter(const QKeyEvent* event) const
{
    if (!KeyboardOn)
        return false;
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    switch (text.at(0).unicode()) {
    case 'a':
    case 'e':
    case 'd':
    case 'f':
    case 'g':
    case 'h':
        return true;
    default:
        return false;
    }
}

} // namespace sondrake
