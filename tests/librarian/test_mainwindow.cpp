// The main window driven as a user would: mouse and keys through QTest,
// with the MIDI output recorded instead of sent.
#include "KeyTestSupport.h"
#include "WindowTestSupport.h"
#include "librarian/SoundListView.h"
#include "librarian/HelpWindow.h"
#include "librarian/MainWindow.h"
#include "librarian/RenameDialog.h"
#include "midi/MidiSession.h"
#include "midi/SoundTransfer.h"
#include "support/RecordingBackend.h"
#include "midi/SysExDialog.h"
#include "store/ByteStack.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <thread>

using sondrake::testing::namedChild;

using namespace sondrake;
using midi::Bytes;

using testing::onNextModal;

namespace {

constexpr auto kWait = std::chrono::milliseconds(2000);

QString blankPadded(const char* text) { return QString::fromLatin1(text).leftJustified(16, QLatin1Char(' ')); }


} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::shared_ptr<midi::RecordingBackend> out;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;

    template <typename T> T* child(const char* name) const { return testing::namedChild<T>(w.get(), name); }
    SoundListView* list() const { return w->soundList(); }
    QPlainTextEdit* memo() const { return w->messagesBox(); }
    QAction* sendSelectedEntry() const { return child<QAction>("SendSysExforselectedsounds1"); }

    std::vector<Bytes> sent() const
    {
        session.waitIdle(kWait);
        return out->messages();
    }

    // Forgets what was sent so far, once the queue has handed it over.
    void clearSent() const
    {
        session.waitIdle(kWait);
        out->clear();
    }

    QPoint rowPoint(int row) const
    {
        list()->scrollTo(list()->model()->index(row, 0));
        return list()->visualRect(list()->model()->index(row, SoundListView::kNameColumn)).center();
    }
    void click(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, rowPoint(row));
    }

    QStringList memoLines() const { return memo()->toPlainText().split(QLatin1Char('\n')); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        options.openMidiPortsAtStart = false;
        options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
    }

    void init()
    {
        out = midi::installRecordingBackend(session);
        w = std::make_unique<MainWindow>(session, options);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        // The keyboard player would add notes, and a Panic whenever no window
        // of ours is in front; its own tests cover it.
        child<QTimer>("tmrKeyboard")->stop();
        child<QTimer>("tmrKeyboardHook")->stop();
        session.waitIdle(kWait);
        clearSent();
    }

    void cleanup()
    {
        w.reset();
        session.waitIdle(kWait);
    }

    void windowCaptionSizeMenusAndButtons()
    {
        QCOMPARE(w->windowTitle(),
                 QStringLiteral("Halvorne Q-Lindorn Sondrake - Sound Editor - Sound Restrictioned Randomizer"));
        QCOMPARE(w->size(), QSize(773, 535));
        QCOMPARE(w->objectName(), QStringLiteral("TfrmMain"));
        QCOMPARE(memo()->width(), 217);

        struct Entry {
            const char* name;
            const char* caption;
            const char* shortcut;
            bool enabled;
        };
        const Entry entries[] = {
            { "ReadCurrentSound1", "Read Current Sound (SysEx)", "Ctrl+R", true },
            { "A1", "Read Sound Bank (1 or 2) from Q-Lindorn", "", true },
            { "Newemptypatchlist1", "New empty Sound Banks", "", true },
            { "LoadFromfilepatchlist1", "Load from file Sound Banks", "Ctrl+L", true },
            // enabled by the list once it holds slots
            { "SavetofileSoundBanks1", "Save to file Sound Banks", "Ctrl+S", true },
            { "SavetoseparatefileSoundBanks1", "Save to separate file Sound Banks", "", true },
            { "SendSysExfile1", "Send SysEx from file", "", true },
            { "SendSysExforselectedsounds1", "Send SysEx for selected sounds", "Ctrl+W", false },
            { "Exit1", "E&xit", "", true },
            { "SelectAll1", "Select All Sounds", "Ctrl+A", true },
            { "Keyboard1", "Keyboard", "Ctrl+K", true },
            { "Midi1", "Midi &Settings ...", "Ctrl+D", true },
            { "Settings2", "&Zoreduzor Settings", "", true },
            { "DeviceVersion1", "Device Version", "", false },
            { "Orderbyname1", "Order by name", "Ctrl+N", true },
            { "Panic1", "Panic", "F12", true },
            { "About1", "About", "", true },
            { "Shorthelp1", "Short help", "F1", true },
        };
        for (const Entry& e : entries) {
            auto* action = child<QAction>(e.name);
            QCOMPARE(action->text(), QString::fromLatin1(e.caption));
            QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
            QVERIFY2(action->isEnabled() == e.enabled, e.name);
        }
        QVERIFY(child<QAction>("Keyboard1")->isCheckable());
        QVERIFY(child<QAction>("Keyboard1")->isChecked());

        QStringList menus;
        for (QAction* a : w->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList { "&File", "Edit", "&System", "&Tools", "Help" }));
        QCOMPARE(child<QMenu>("Help1")->actions().size(), 3);

        const std::pair<const char*, const char*> buttons[] = {
            { "ToolButton1", "Read Current Sound from Q-Lindorn" },
            { "btnSendPatch", "Send selected sound(s) to Q-Lindorn" },
            { "btnDown", "Move down" },
            { "btnUP", "Move up" },
            { "btnPrgDown", "Prg -" },
            { "btnPrgUp", "Prg +" },
            { "ToolButton6", "Edit Sound (F4)" },
            { "ToolButton8", "Panic" },
        };
        // In this order, reading left to right and top to bottom (the bar
        // wraps rather than hide a button), each one visible.
        std::pair<int, int> last { -1, -1 };
        for (const auto& [name, caption] : buttons) {
            auto* b = child<QToolButton>(name);
            QCOMPARE(b->text(), QString::fromLatin1(caption));
            QVERIFY2(b->isVisible() && w->rect().contains(b->mapTo(w.get(), b->rect().bottomRight())), name);
            const std::pair<int, int> at { b->y(), b->x() };
            QVERIFY2(at > last, name);
            last = at;
        }
    }

    void listShowsIndexAndNames()
    {
        QCOMPARE(list()->rowCount(), 200);
        QCOMPARE(list()->model()->columnCount(), 3);
        QCOMPARE(list()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Index"));
        QCOMPARE(list()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QCOMPARE(list()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Changed"));
        QCOMPARE(list()->columnWidth(1), 150);
        QCOMPARE(list()->columnWidth(2), 100);
        const std::pair<int, const char*> rows[] = { { 0, "100" }, { 99, "199" }, { 100, "200" }, { 199, "299" } };
        for (const auto& [row, text] : rows) {
            QCOMPARE(list()->model()->index(row, 0).data().toString(), QString::fromLatin1(text));
            QCOMPARE(list()->model()->index(row, 1).data().toString(), blankPadded("empty"));
            QCOMPARE(list()->model()->index(row, 2).data().toString(), QString());
        }
        QCOMPARE(list()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);

        // A name byte of 0xE9 (from a file or the synthesizer) shows as its
        // Latin-1 character; control bytes not at all.
        const char raw[] = "Caf\xE9\x01Pad";
        std::copy(raw, raw + 8, w->store().slot(5).begin() + kNameOffset);
        w->refreshRow(5);
        QCOMPARE(list()->model()->index(5, 1).data().toString(), QString::fromLatin1("Caf\xE9Pad").leftJustified(15, QLatin1Char(' ')));
    }

    void clickSelectsProgram()
    {
        click(150);
        QCOMPARE(w->currentProgram(), 150);
        QCOMPARE(w->selectedRows(), std::vector<int> { 150 });
        // bank select LSB 2, program 50, and no controller 0
        QCOMPARE(sent(), (std::vector<Bytes> { { 0xB0, 0x20, 0x02 }, { 0xC0, 0x32 } }));

        // Ctrl and Shift clicks change the selection only.
        clearSent();
        click(160, Qt::ControlModifier);
        click(170, Qt::ShiftModifier);
        QCOMPARE(w->currentProgram(), 150);
        QVERIFY(sent().empty());

        // A plain click on a row that is already selected selects it alone
        // and makes it the program, once the release applied the click.
        click(165);
        QCOMPARE(w->selectedRows(), std::vector<int> { 165 });
        QCOMPARE(w->currentProgram(), 165);
        QCOMPARE(sent(), (std::vector<Bytes> { { 0xB0, 0x20, 0x02 }, { 0xC0, 65 } }));
    }

    void programStepsStopAtTheEnds()
    {
        auto* up = child<QToolButton>("btnPrgUp");
        auto* down = child<QToolButton>("btnPrgDown");

        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(w->currentProgram(), 0);
        QCOMPARE(sent(), (std::vector<Bytes> { { 0xB0, 0x20, 0x01 }, { 0xC0, 0x00 } }));

        click(199);
        clearSent();
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(w->currentProgram(), 199);
        QCOMPARE(w->selectedRows(), std::vector<int> { 199 });
        QCOMPARE(sent(), (std::vector<Bytes> { { 0xB0, 0x20, 0x02 }, { 0xC0, 0x63 } }));

        // crossing from bank 1 to bank 2
        click(99);
        clearSent();
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(w->currentProgram(), 100);
        QCOMPARE(sent(), (std::vector<Bytes> { { 0xB0, 0x20, 0x02 }, { 0xC0, 0x00 } }));
    }

    void keypadStepsProgramUnlessCtrl()
    {
        click(10);
        list()->setFocus();
        clearSent();
        sondrake::testing::keyClick(list(), Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(w->currentProgram(), 9);
        QCOMPARE(sent(), (std::vector<Bytes> { { 0xB0, 0x20, 0x01 }, { 0xC0, 0x09 } }));

        clearSent();
        sondrake::testing::keyClick(list(), Qt::Key_Plus, Qt::KeypadModifier);
        sondrake::testing::keyClick(list(), Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(w->currentProgram(), 11);
        QCOMPARE(sent().size(), std::size_t(4));

        // Ctrl + keypad - is Move up: no program change is sent, the
        // selected sound moves instead.
        w->store().setSoundName(11, "Mover");
        w->store().setSoundName(10, "Above");
        clearSent();
        sondrake::testing::keyClick(list(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(w->currentProgram(), 11);
        QVERIFY(sent().empty());
        QCOMPARE(QString::fromStdString(w->store().getSoundName(10)), blankPadded("Mover"));

        // The minus key of the main block is no program step.
        sondrake::testing::keyClick(list(), Qt::Key_Minus);
        QVERIFY(sent().empty());
    }

    void messagesBoxKeepsThousandLines()
    {
        memo()->clear();
        for (int i = 0; i < 1000; ++i)
            w->addMessage(QStringLiteral("line %1").arg(i));
        QCOMPARE(memo()->document()->blockCount(), 1000);
        QCOMPARE(memoLines().first(), QStringLiteral("line 0"));
        w->addMessage(QStringLiteral("line 1000"));
        QCOMPARE(memo()->document()->blockCount(), 1000);
        QCOMPARE(memoLines().first(), QStringLiteral("line 1"));
        QCOMPARE(memoLines().last(), QStringLiteral("line 1000"));

        // One message is one line, whatever it holds.
        w->addMessage(QStringLiteral("two\nlines"));
        QCOMPARE(memoLines().last(), QStringLiteral("two lines"));

        // Messages of other threads land here too, in order.
        std::thread worker([this] {
            for (int i = 0; i < 3; ++i)
                w->addMessage(QStringLiteral("worker %1").arg(i));
        });
        worker.join();
        QTRY_COMPARE(memoLines().last(), QStringLiteral("worker 2"));
        QCOMPARE(memoLines().at(memoLines().size() - 3), QStringLiteral("worker 0"));

        QTest::mouseDClick(memo()->viewport(), Qt::LeftButton);
        QCOMPARE(memo()->toPlainText(), QString());
    }

    void renameStoresBlankPaddedName()
    {
        // A move leaves a remembered selection behind (rows 11..13); what the
        // user selected since is what stays selected after the rename.
        click(10);
        click(12, Qt::ShiftModifier);
        child<QToolButton>("btnDown")->click();
        QCOMPARE(list()->selectedRowList(), (std::vector<int>{11, 12, 13}));
        click(3);
        bool checked = false;
        onNextModal([&checked](QWidget* modal) {
            auto* dialog = qobject_cast<RenameDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), blankPadded("empty"));
            QCOMPARE(namedChild<QLineEdit>(dialog, "edtName")->text(), blankPadded("empty"));
            QCOMPARE(namedChild<QLineEdit>(dialog, "edtName")->maxLength(), 16);
            QCOMPARE(namedChild<QComboBox>(dialog, "cmbCategory")->count(), 13);
            QCOMPARE(namedChild<QComboBox>(dialog, "cmbCategory")->currentIndex(), -1);
            QCOMPARE(namedChild<QComboBox>(dialog, "cmbCategory")->itemText(9), QStringLiteral("Pad"));
            QVERIFY(namedChild<QPushButton>(dialog, "btnOk")->isDefault());
            QCOMPARE(namedChild<QPushButton>(dialog, "btnOk")->text(), QStringLiteral("&Ok"));
            namedChild<QLineEdit>(dialog, "edtName")->setText(QStringLiteral("Pad"));
            QTest::mouseClick(namedChild<QPushButton>(dialog, "btnOk"), Qt::LeftButton);
            checked = true;
        });
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(3));
        QVERIFY(checked);
        const std::string stored = w->store().getSoundName(3);
        QCOMPARE(QString::fromStdString(stored), blankPadded("Pad"));
        QCOMPARE(list()->model()->index(3, 1).data().toString(), blankPadded("Pad"));
        QCOMPARE(w->store().slot(3)[164 + 3], std::uint8_t(' '));
        QCOMPARE(list()->selectedRowList(), std::vector<int>{3});

        // The end of a reception refreshes the names the same way.
        click(20);
        child<QToolButton>("btnDown")->click();
        click(5);
        onNextModal([this](QWidget*) { namedChild<QPushButton>(w->receiver(), "Button1")->click(); });
        child<QAction>("ReadCurrentSound1")->trigger();
        QCOMPARE(list()->selectedRowList(), std::vector<int>{5});

        // Closed without Ok: nothing changes.
        checked = false;
        onNextModal([&checked](QWidget* modal) {
            auto* dialog = qobject_cast<RenameDialog*>(modal);
            QVERIFY(dialog);
            namedChild<QLineEdit>(dialog, "edtName")->setText(QStringLiteral("Lead"));
            dialog->reject();
            checked = true;
        });
        click(3);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(3));
        QVERIFY(checked);
        QCOMPARE(QString::fromStdString(w->store().getSoundName(3)), blankPadded("Pad"));

        // A name byte of 0x80 or more would cut the sound's SysEx when it is
        // sent: the field shows, and Ok stores, the plain letters.
        const char fromFile[] = "Cr\xE8me";
        std::copy(fromFile, fromFile + 5, w->store().slot(4).begin() + kNameOffset);
        QString shown;
        onNextModal([&](QWidget* modal) {
            auto* edit = namedChild<QLineEdit>(modal, "edtName");
            shown = edit->text();
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("Caf"));
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Eacute, QStringLiteral("\u00e9"), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("\u266a"), Qt::NoModifier);
            checked = edit->text() == QStringLiteral("Cafe?");
            QTest::mouseClick(namedChild<QPushButton>(modal, "btnOk"), Qt::LeftButton);
        });
        click(4);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(4));
        QCOMPARE(shown, blankPadded("Creme"));
        QVERIFY(checked);
        QCOMPARE(QString::fromStdString(w->store().getSoundName(4)), blankPadded("Cafe?"));
    }

    void selectionEventsDriveSendEntries()
    {
        auto* button = child<QToolButton>("btnSendPatch");
        QVERIFY(!sendSelectedEntry()->isEnabled());
        QVERIFY(!button->isEnabled());

        // A selection change also ends a pending reception (which the
        // window's activation opens).
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(w.get(), &activation);
        QVERIFY(w->receptionFields().receiving);
        w->transfer().startBankRead();
        QCOMPARE(w->transfer().stack().count(), 200);
        click(20);
        QVERIFY(!w->receptionFields().receiving);
        QCOMPARE(w->transfer().stack().count(), 0);
        QVERIFY(sendSelectedEntry()->isEnabled());
        QVERIFY(button->isEnabled());
        QVERIFY(child<QToolButton>("btnUP")->isEnabled());
        QVERIFY(child<QToolButton>("btnDown")->isEnabled());

        click(22, Qt::ControlModifier);
        QVERIFY(sendSelectedEntry()->isEnabled());
        // Deselecting one of several: the last event was a deselection.
        click(22, Qt::ControlModifier);
        QCOMPARE(w->selectedRows(), std::vector<int> { 20 });
        QVERIFY(!sendSelectedEntry()->isEnabled());
        QVERIFY(!button->isEnabled());
        QVERIFY(child<QToolButton>("btnUP")->isEnabled());
        click(25, Qt::ControlModifier);
        QVERIFY(sendSelectedEntry()->isEnabled());
        QVERIFY(button->isEnabled());

        // Ctrl+A selects every row, also from the Messages box, which would
        // otherwise take the shortcut for its own text.
        memo()->setFocus();
        sondrake::testing::keyClick(memo(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w->selectedRows().size(), std::size_t(200));
        QVERIFY(list()->hasFocus());
    }

    void playerLettersLeaveTheSelection()
    {
        // Letters the keyboard player uses, typed into the list after Ctrl
        // clicks on names, must not jump to sounds named with them.
        w->store().setSoundName(30, "Strings");
        w->store().setSoundName(40, "Tubes");
        w->store().setSoundName(50, "Wobble");
        w->refreshNames(false);
        click(20);
        click(22, Qt::ControlModifier);
        list()->setFocus();
        for (Qt::Key key : { Qt::Key_S, Qt::Key_T, Qt::Key_W })
            sondrake::testing::keyClick(list(), key);
        QCOMPARE(w->selectedRows(), (std::vector<int> { 20, 22 }));
        QVERIFY(sendSelectedEntry()->isEnabled());
    }

    void editSoundHandsSlotToLauncher()
    {
        // Without an editor, F4 still selects row 0 and changes nothing else.
        list()->clearSelection();
        sondrake::testing::keyClick(list(), Qt::Key_F4);
        QCOMPARE(w->selectedRows(), std::vector<int> { 0 });

        w->store().slot(0)[20] = 0x11;
        w->store().slot(1)[20] = 0x22;
        int calls = 0;
        w->setEditorLauncher([&calls](MainWindow&, SoundDump& copy) {
            ++calls;
            QCOMPARE(copy[20], std::uint8_t(0x11)); // slot 0's sound
            copy[20] = 0x33;
            writeName(copy, "Edited");
        });
        list()->clearSelection();
        sondrake::testing::keyClick(list(), Qt::Key_F4);
        QCOMPARE(calls, 1);
        QCOMPARE(w->selectedRows(), std::vector<int> { 0 });
        QCOMPARE(w->store().slot(0)[20], std::uint8_t(0x33));
        QCOMPARE(w->store().slot(1)[20], std::uint8_t(0x22));
        QCOMPARE(list()->model()->index(0, 1).data().toString(), blankPadded("Edited"));

        // The tool button edits the first selected row; a failing editor
        // still hands its copy back and the failure is a Messages line.
        w->setEditorLauncher([](MainWindow&, SoundDump& copy) {
            copy[20] = 0x44;
            throw std::runtime_error("editor failed");
        });
        click(1);
        QTest::mouseClick(child<QToolButton>("ToolButton6"), Qt::LeftButton);
        QCOMPARE(w->store().slot(1)[20], std::uint8_t(0x44));
        QCOMPARE(memoLines().last(), QStringLiteral("editor failed"));
    }

    void f4OpensTheEditorOnce()
    {
        // Something puts a filter on the application while the editor is
        // open (a tooltip does) and the keyboard player keeps polling: the
        // key that opened it must not open it again once it closes.
        int opened = 0;
        w->setEditorLauncher([&](MainWindow&, SoundDump&) {
            ++opened;
            QObject filter;
            qApp->installEventFilter(&filter);
            QTest::qWait(80);
            qApp->removeEventFilter(&filter);
        });
        child<QTimer>("tmrKeyboard")->start();
        list()->setFocus();
        sondrake::testing::keyClick(list(), Qt::Key_F4);
        QCOMPARE(opened, 1);
        sondrake::testing::keyClick(list(), Qt::Key_F4);
        QCOMPARE(opened, 2);
        child<QTimer>("tmrKeyboard")->stop();
    }

    void sendSysExFileFailuresAreMessages()
    {
        memo()->clear();
        w->sendSysExFile(dir.filePath(QStringLiteral("missing.syx")));
        QVERIFY(memoLines().last().contains(QStringLiteral("missing.syx")));

        QFile big(dir.filePath(QStringLiteral("big.syx")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(1024 * 1024 + 1));
        big.close();
        w->sendSysExFile(big.fileName());
        QVERIFY(memoLines().last().contains(QStringLiteral("big.syx")));
        QCOMPARE(memo()->document()->blockCount(), 2);
        QVERIFY(sent().empty());

        // A file of two records leaves whole, byte for byte.
        Bytes bytes(540, 0x11);
        bytes[0] = bytes[270] = 0xF0;
        bytes[269] = bytes[539] = 0xF7;
        QFile ok(dir.filePath(QStringLiteral("two.syx")));
        QVERIFY(ok.open(QIODevice::WriteOnly));
        ok.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        ok.close();
        w->sendSysExFile(ok.fileName());
        session.waitIdle(kWait);
        QCOMPARE(out->allBytes(), bytes);
        QCOMPARE(memo()->document()->blockCount(), 2);
    }

    void keysReachFocusedControlToo()
    {
        memo()->clear();
        memo()->setFocus();
        const int octave = w->octave();
        sondrake::testing::keyClick(memo(), Qt::Key_X, Qt::NoModifier);
        QCOMPARE(int(w->octave()), octave + 1);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("x"));
        sondrake::testing::keyClick(memo(), Qt::Key_Z, Qt::NoModifier);
        QCOMPARE(int(w->octave()), octave);

        // Enter in the Messages box starts a new line and sends the selection.
        click(7);
        memo()->setFocus();
        clearSent();
        sondrake::testing::keyClick(memo(), Qt::Key_Return);
        QCOMPARE(memo()->document()->blockCount(), 2);
        const auto messages = sent();
        QVERIFY(messages.size() >= 4);
        QCOMPARE(messages[0], (Bytes { 0xB0, 0x00, 0x00 }));
        QCOMPARE(messages[1], (Bytes { 0xB0, 0x20, 0x01 }));
        QCOMPARE(messages[2], (Bytes { 0xC0, 0x07 }));
    }

    void panicNewBanksAndHelp()
    {
        sondrake::testing::keyClick(list(), Qt::Key_F12);
        auto messages = sent();
        QCOMPARE(messages.size(), std::size_t(48));
        QCOMPARE(messages.front(), (Bytes { 0xB0, 0x7B, 0x00 }));
        QCOMPARE(messages.back(), (Bytes { 0xBF, 0x40, 0x00 }));
        clearSent();
        QTest::mouseClick(child<QToolButton>("ToolButton8"), Qt::LeftButton);
        QCOMPARE(sent().size(), std::size_t(48));

        // New empty banks: names back to "empty", other bytes kept.
        w->store().setSoundName(42, "Bass");
        w->store().slot(42)[30] = 0x55;
        child<QAction>("Newemptypatchlist1")->trigger();
        QCOMPARE(list()->model()->index(42, 1).data().toString(), blankPadded("empty"));
        QCOMPARE(w->store().slot(42)[30], std::uint8_t(0x55));

        QStringList shown;
        QString caption;
        QSize size;
        onNextModal([&](QWidget* modal) {
            auto* help = qobject_cast<HelpWindow*>(modal);
            QVERIFY(help);
            caption = help->windowTitle();
            size = help->size();
            shown = namedChild<QPlainTextEdit>(help, "Memo1")->toPlainText().split(QLatin1Char('\n'));
            QVERIFY(namedChild<QPlainTextEdit>(help, "Memo1")->isReadOnly());
            help->accept();
        });
        sondrake::testing::keyClick(list(), Qt::Key_F1);
        QCOMPARE(caption, QStringLiteral("Help"));
        QCOMPARE(size, QSize(515, 355));
        QCOMPARE(shown.size(), 41);
        QCOMPARE(shown.first(), QStringLiteral("Shortcut help "));
        QCOMPARE(shown.at(22), QStringLiteral(" Enter  or Ctrl, w"));
        QCOMPARE(shown.at(25), QStringLiteral(" W E    T Y U    O P"));
        QVERIFY(shown.last().startsWith(QStringLiteral("https://")));
    }

    void dropsFromElsewhereAreRefused()
    {
        w->store().setSoundName(4, "Four");
        w->store().setSoundName(9, "Nine");
        w->refreshNames(false);
        QMimeData mime;
        mime.setData(QStringLiteral("application/x-sondrake-rows"), QByteArray());
        const QPoint at = rowPoint(9);
        QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list()->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list()->viewport(), &drop);
        QVERIFY(!drop.isAccepted());
        QCOMPARE(QString::fromStdString(w->store().getSoundName(9)), blankPadded("Nine"));
    }

    void activationStartsAcceptingData()
    {
        click(2); // a selection event: Receiving off
        QVERIFY(!w->receptionFields().receiving);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QVERIFY(w->receptionFields().receiving);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
