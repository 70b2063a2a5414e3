// Receptions and the sending of selected sounds, driven through the main
// window. Without an input port a reception can only wait; what arrives over
// MIDI is covered by the reception tests and the integration tests.
#include "KeyTestSupport.h"
#include "WindowTestSupport.h"
#include "librarian/SoundListView.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "midi/PortDetection.h"
#include "support/RecordingBackend.h"
#include "midi/SoundTransfer.h"
#include "midi/SysExDialog.h"
#include "store/ByteStack.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using sondrake::testing::namedChild;

using namespace sondrake;
using midi::Bytes;

using testing::onNextModal;

namespace {

constexpr auto kWait = std::chrono::milliseconds(3000);


} // namespace

class TestTransfer : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::shared_ptr<midi::RecordingBackend> out;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;

    template <typename T> T* child(const char* name) const { return testing::namedChild<T>(w.get(), name); }
    QStringList memoLines() const { return w->messagesBox()->toPlainText().split(QLatin1Char('\n')); }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        SoundListView* list = w->soundList();
        list->scrollTo(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualRect(list->model()->index(row, SoundListView::kNameColumn)).center());
    }

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
        session.waitIdle(kWait);
        out->clear();
    }

    void cleanup()
    {
        w.reset();
        session.waitIdle(kWait);
    }

    void sendingRows5And120()
    {
        for (int s : {5, 120}) {
            SoundDump& d = w->store().slot(s);
            for (std::size_t i = 0; i < kDumpSize; ++i)
                d[i] = std::uint8_t((i * 3 + s) & 0x7F);
            d[0] = 0xF0;
            d[269] = 0xF7;
        }
        // Names that "Order by name" would exchange.
        w->store().setSoundName(5, "Zeta");
        w->store().setSoundName(120, "Alpha");
        const SoundStore before = w->store();
        clickRow(5);
        clickRow(120, Qt::ControlModifier);
        session.waitIdle(kWait);
        out->clear();
        auto* keyboard = child<QAction>("Keyboard1");
        QVERIFY(keyboard->isChecked());

        SysExDialog* dlg = w->receiver();
        QStringList labels;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            const QString t = dlg->labelText();
            if (labels.isEmpty() || labels.back() != t)
                labels << t;
        });
        watch.start(5);

        child<QAction>("SendSysExforselectedsounds1")->trigger();
        QVERIFY(dlg->isVisible());
        // a held Enter key: the repeats neither send again nor flood the Messages box
        w->onSendSelected();
        w->onSendSelected();
        QCOMPARE(memoLines().filter("Still sending the selected sounds").size(), 1);
        // a read would take the send's token and have its wait closed by the
        // send's end: it is refused while the send runs, and the send goes on
        child<QAction>("ReadCurrentSound1")->trigger();
        child<QAction>("A1")->trigger();
        QCOMPARE(memoLines().filter("read again when sending has ended").size(), 2);
        // The sounds are read from their slots one by one as they go out:
        // nothing may move, rename or replace them meanwhile (nor ask first).
        bool askedSomething = false;
        QTimer strayModals;
        connect(&strayModals, &QTimer::timeout, [&] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                askedSomething = true;
                modal->reject();
            }
        });
        strayModals.start(20);
        sondrake::testing::keyClick(w->soundList(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        child<QAction>("Orderbyname1")->trigger();
        child<QAction>("Newemptypatchlist1")->trigger();
        child<QAction>("LoadFromfilepatchlist1")->trigger();
        emit w->soundList()->listDoubleClicked();
        emit w->soundList()->rowDropped(7);
        emit w->soundList()->rightPressed(150, true);
        QCOMPARE(memoLines().filter(QRegularExpression("^Still sending the selected sounds; "
                                                       "(move down|order by name|New empty Sound Banks|load|"
                                                       "rename|drop|move) again when sending has ended$"))
                     .size(),
                 7);
        QVERIFY(!askedSomething);
        QVERIFY(w->transfer().isSending());
        QVERIFY(dlg->isVisible());
        QVERIFY(!keyboard->isChecked()); // the player was switched off through its own command
        QTRY_VERIFY_WITH_TIMEOUT(!dlg->isVisible(), 3000);
        watch.stop();

        QVERIFY(labels.contains("Sending 5"));
        QCOMPARE(labels.back(), QString("Sending 120"));
        QVERIFY(labels.indexOf("Sending 5") < labels.indexOf("Sending 120"));
        SoundStore expectedStore = before;
        expectedStore.slot(5)[11] = 0;
        expectedStore.slot(5)[12] = 5;
        expectedStore.slot(120)[11] = 1;
        expectedStore.slot(120)[12] = 20;
        for (int s = 0; s < kSlotCount; ++s)
            QVERIFY2(w->store().slot(s) == expectedStore.slot(s), qPrintable(QString::number(s)));
        QCOMPARE(w->transfer().stack().count(), 0);
        QVERIFY(!w->transfer().isSending());

        QVERIFY(session.waitIdle(kWait));
        const auto& s5 = expectedStore.slot(5);
        const auto& s120 = expectedStore.slot(120);
        const std::vector<Bytes> expected{{0xB0, 0x00, 0x00}, {0xB0, 0x20, 0x01}, {0xC0, 0x05},
                                          Bytes(s5.begin(), s5.end()),
                                          {0xB0, 0x00, 0x00}, {0xB0, 0x20, 0x02}, {0xC0, 0x14},
                                          Bytes(s120.begin(), s120.end())};
        QCOMPARE(out->messages(), expected);
    }

    void sendingWithoutSelectionSendsNothing()
    {
        w->soundList()->clearSelection();
        w->onSendSelected();
        QVERIFY(!w->receiver()->isVisible());
        QCOMPARE(w->transfer().stack().count(), 0);
        QVERIFY(!w->receptionFields().receiving);
        QVERIFY(session.waitIdle(kWait));
        QCOMPARE(out->count(), std::size_t(0));
    }

    void readCurrentSoundWaitsUntilClose()
    {
        clickRow(42);
        QVERIFY(child<QAction>("Keyboard1")->isChecked());
        auto* panel = child<QWidget>("pnlKeyboard");
        QVERIFY(panel->isVisible());
        // Each button is enabled exactly while its command is.
        for (const char* name : {"actionProgramDown", "actionProgramUp", "actionMoveDown", "actionMoveUp"})
            child<QAction>(name)->setEnabled(false);
        for (const char* name : {"btnPrgDown", "btnPrgUp", "btnDown", "btnUP"})
            QVERIFY2(!child<QToolButton>(name)->isEnabled(), name);

        int stackDuringWait = -1;
        int program = -1, bank = -1;
        bool receivingDuringWait = false;
        bool panelDuringWait = true;
        bool checkedDuringWait = false;
        onNextModal([&](QWidget* modal) {
            QCOMPARE(modal, static_cast<QWidget*>(w->receiver()));
            ByteStack pairs = w->transfer().stack();
            stackDuringWait = pairs.count();
            receivingDuringWait = w->receptionFields().receiving;
            panelDuringWait = panel->isVisible();
            checkedDuringWait = child<QAction>("Keyboard1")->isChecked();
            // no input port: the wait goes on past the dialog's next tick
            QSignalSpy ticks(w->transfer().tickTimer(), &QTimer::timeout);
            QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 5000);
            QVERIFY(modal->isVisible());
            program = pairs.pop();
            bank = pairs.pop();
            QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton);
        });
        child<QAction>("ReadCurrentSound1")->trigger();

        QCOMPARE(stackDuringWait, 2);
        QCOMPARE(bank, 0);
        QCOMPARE(program, 42);
        QVERIFY(receivingDuringWait);
        QVERIFY(!panelDuringWait);
        QVERIFY(checkedDuringWait); // the check mark stays
        QCOMPARE(w->receptionFields().receiveMode, 10);
        QVERIFY(!w->receptionFields().receiving);
        QCOMPARE(w->transfer().stack().count(), 0);
        QCOMPARE(w->receptionFields().receivedCount, 0);
        for (const char* name : {"btnPrgDown", "btnPrgUp", "btnDown", "btnUP"})
            QVERIFY2(child<QToolButton>(name)->isEnabled(), name);
        QVERIFY(memoLines().filter(QRegularExpression("^INPREPARE error\\d+$")).size() == 1);
    }

    void midiSettingsCancelKeepsEverything()
    {
        session.choice().deviceId = 9;
        const QString memoBefore = w->messagesBox()->toPlainText();
        QString caption;
        int shownId = -1;
        onNextModal([&](QWidget* modal) {
            caption = modal->windowTitle();
            auto* ids = modal->findChild<QComboBox*>("cmbDeviceID");
            shownId = ids ? ids->currentIndex() : -1;
            if (ids)
                ids->setCurrentIndex(127);
            QTest::mouseClick(modal->findChild<QPushButton*>("brnCancel"), Qt::LeftButton);
        });
        w->findChild<QAction*>("Midi1")->trigger();
        QCOMPARE(caption, QString("Settings"));
        QCOMPARE(shownId, 9);
        QCOMPARE(int(session.deviceId()), 9);
        // nothing was reopened: the output still reaches the same port
        session.sendControl(7, 100);
        QVERIFY(out->waitForCount(1, kWait));
        QCOMPARE(out->messages().back(), (Bytes{0xB0, 0x07, 0x64}));
        QCOMPARE(w->messagesBox()->toPlainText(), memoBefore);
        session.choice().deviceId = 0;
    }

    void readBankPushesHundredPairs()
    {
        int stackDuringWait = -1;
        int first = -1, second = -1;
        onNextModal([&](QWidget*) {
            ByteStack pairs = w->transfer().stack();
            stackDuringWait = pairs.count();
            first = pairs.pop();
            second = pairs.pop();
            sondrake::testing::keyClick(w->receiver(), Qt::Key_Escape);
        });
        child<QAction>("A1")->trigger();
        QCOMPARE(stackDuringWait, 200);
        QCOMPARE(first, 0);  // program 0 first
        QCOMPARE(second, 1); // then its bank
        QCOMPARE(w->transfer().stack().count(), 0);
        QVERIFY(!w->receptionFields().receiving);
    }

    // Ending the program would throw away every sound received or edited
    // since the last save: the box says what went wrong, the program goes on.
    void midiSettingsOutputThatCannotBeReopenedKeepsTheProgram()
    {
        for (const QString& name : midi::outputDeviceNames(session.midiService()))
            if (name.contains("QLindorn"))
                QSKIP("a synthesizer port is present; the reopen would succeed");
        const midi::MidiDeviceChoice before = session.choice();
        session.choice().outputIndex = 60000; // no such device
        session.choice().outputName.clear();
        QString boxText;
        onNextModal([&](QWidget* settings) {
            testing::answerNextMessageBox(&boxText);
            QTest::mouseClick(settings->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        });
        w->findChild<QAction*>("Midi1")->trigger();
        session.choice() = before;
        QCOMPARE(boxText, QString("Midi Open error"));
        QVERIFY(w->isVisible());
        QVERIFY(!session.isOutputOpen());
        QCOMPARE(memoLines().filter("The MIDI output could not be opened").size(), 1);
        session.setOutputBackend(out);
    }
};

QTEST_MAIN(TestTransfer)
#include "test_transfer.moc"
