// What a synthesizer (or anything on its port) may send during and after a
// reception, fed in where the MIDI back end hands messages over: nothing
// but whole, well-placed sounds is stored, every refusal is reported, the
// window goes on working and Close ends the wait.
#include "WindowTestSupport.h"
#include "librarian/SoundListView.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "midi/SoundTransfer.h"
#include "support/RecordingBackend.h"
#include "midi/SysExDialog.h"
#include "store/ByteStack.h"

#include <QAction>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <set>

using sondrake::testing::namedChild;

using namespace sondrake;
using midi::Bytes;

using testing::onNextModal;

namespace {

constexpr auto kWait = std::chrono::milliseconds(3000);


Bytes sysex(std::size_t size, std::uint8_t fill)
{
    Bytes b(size, fill);
    b.front() = 0xF0;
    b.back() = 0xF7;
    return b;
}

Bytes dump(int bankByte, int programByte, std::uint8_t fill)
{
    Bytes b = sysex(kDumpSize, fill);
    b[kLocationBankByte] = std::uint8_t(bankByte);
    b[kLocationProgramByte] = std::uint8_t(programByte);
    return b;
}


// The input port hands a message to the window as a queued call: once the
// queued calls have run, the window has done all it will do with it.
void handled() { QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall); }

SoundDump asDump(const Bytes& b)
{
    SoundDump d {};
    std::copy(b.begin(), b.end(), d.begin());
    return d;
}

} // namespace

class TestTransferBadInput : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::shared_ptr<midi::RecordingBackend> out;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;

    QStringList memoLines() const { return w->messagesBox()->toPlainText().split(QLatin1Char('\n')); }
    void deliver(const Bytes& b) { session.deliverInput(b.data(), b.size()); }
    int requestsSent() const
    {
        session.waitIdle(kWait);
        int n = 0;
        for (const auto& m : out->messages())
            n += m.size() == 14 && m[0] == 0xF0 ? 1 : 0;
        return n;
    }
    bool storeUnchangedExcept(const SoundStore& before, std::initializer_list<int> changed) const
    {
        for (int s = 0; s < kSlotCount; ++s)
            if (std::find(changed.begin(), changed.end(), s) == changed.end() && w->store().slot(s) != before.slot(s))
                return false;
        return true;
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
        session.openInputWithoutDevice();
        session.waitIdle(kWait);
        out->clear();
    }

    void cleanup()
    {
        w.reset();
        session.closeInput();
        session.waitIdle(kWait);
    }

    void badMessagesDuringABankRead()
    {
        const SoundStore before = w->store();
        QStringList lines;
        onNextModal([&](QWidget*) {
            deliver(sysex(100, 0x10));
            QTRY_VERIFY(memoLines().contains("Refused a received message of 100 bytes: a sound has 270 bytes"));
            deliver(sysex(1000, 0x11)); // longer than the armed buffer
            QTRY_VERIFY(memoLines().contains("Refused a received message of 1000 bytes: a sound has 270 bytes"));
            deliver(sysex(5000, 0x12));
            QTRY_VERIFY(memoLines().contains("Refused a received message of 5000 bytes: a sound has 270 bytes"));
            for (int i = 0; i < 5000; ++i) {
                const Bytes shortMessage{std::uint8_t(0x80 + (i % 0x70)), std::uint8_t(i & 0x7F), 0x40};
                deliver(shortMessage);
            }
            deliver(dump(3, 5, 0x13));
            QTRY_VERIFY(memoLines().contains("Refused a received sound for bank 3 program 5: no such slot"));
            deliver(dump(2, 100, 0x14));
            QTRY_VERIFY(memoLines().contains("Refused a received sound for bank 2 program 100: no such slot"));
            QVERIFY(storeUnchangedExcept(before, {}));
            QCOMPARE(requestsSent(), 0);
            QCOMPARE(w->transfer().stack().count(), 200);

            // the read goes on with the next real dump
            deliver(dump(1, 0, 0x15));
            QTRY_COMPARE(w->receptionFields().receivedCount, 1);
            QTRY_COMPARE(requestsSent(), 1);
            QVERIFY(w->store().slot(0) == asDump(dump(1, 0, 0x15)));
            lines = memoLines();
            QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton);
        });
        w->findChild<QAction*>("A1")->trigger();

        QVERIFY(storeUnchangedExcept(before, {0}));
        QCOMPARE(w->transfer().stack().count(), 0);
        QVERIFY(!w->receptionFields().receiving);
        QCOMPARE(lines.filter("ZR Bank: ").size(), 1);
        QCOMPARE(lines.filter("Refused").size(), 5);
    }

    // A synthesizer that does not answer some requests: each lost answer is
    // asked for once more; a sound whose repeat is lost too is skipped with
    // a line, and the read ends by itself with one line that says what came.
    void lostAnswersAreAskedAgainThenSkipped()
    {
        w->transfer().setAnswerTimeout(std::chrono::milliseconds(60));
        w->transfer().tickTimer()->setInterval(50);
        // Requests that get no answer: the 10th and its repeat, the 11th (the
        // eleventh sound is skipped), and the 30th (its repeat is answered).
        const std::set<int> unanswered{10, 11, 30};
        int answered = 0;
        QStringList lines;
        bool endedByItself = false;
        onNextModal([&](QWidget*) {
            deliver(dump(1, 0, 0x40)); // the user pressed Dump on the synthesizer
            answered = 1;
            int seen = 0;
            QElapsedTimer clock;
            clock.start();
            while (w->receiver()->isVisible() && clock.elapsed() < 20000) {
                QTest::qWait(2);
                for (const int total = requestsSent(); seen < total;) {
                    ++seen;
                    // The request of the last pair is not waited for: the
                    // synthesizer's silence then must not matter either.
                    const bool last = w->transfer().stack().count() == 0;
                    if (!unanswered.count(seen) && !last) {
                        deliver(dump(1, answered % 100, std::uint8_t(answered)));
                        ++answered;
                    }
                }
            }
            endedByItself = !w->receiver()->isVisible();
            if (!endedByItself)
                QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton);
        });
        w->findChild<QAction*>("A1")->trigger();
        QVERIFY(endedByItself);
        lines = memoLines();
        // 100 pairs: each stored sound or skip takes one, and the first
        // sound came unasked.
        QCOMPARE(lines.filter(QRegularExpression("^ZR Bank: ")).size(), 99);
        QCOMPARE(lines.filter("Skipped").size(), 1);
        QVERIFY(lines.contains("Skipped sound 11 of this reception: no answer"));
        QCOMPARE(lines.filter("Reception ended").size(), 1);
        QCOMPARE(lines.filter("Reception ended").first(),
                 QString("Reception ended: 99 sounds received; skipped sound 11 of this reception."));
        QVERIFY(lines.last().startsWith("Reception ended")); // after every stored sound
        QCOMPARE(requestsSent(), 102); // one per pair, and the two repeats
        QVERIFY(!w->receptionFields().receiving);
    }

    void sysExWhileNoReceptionRuns()
    {
        const SoundStore before = w->store();
        // never armed: the message is lost
        deliver(dump(1, 7, 0x20));
        handled();
        QVERIFY(storeUnchangedExcept(before, {}));

        // after a reception the buffer stays armed but Receiving is false
        onNextModal([&](QWidget*) { QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton); });
        w->findChild<QAction*>("ReadCurrentSound1")->trigger();
        QVERIFY(!w->receptionFields().receiving);
        deliver(dump(1, 8, 0x21));
        handled();
        QVERIFY(storeUnchangedExcept(before, {}));
        QVERIFY(memoLines().filter("ZR Bank").isEmpty());
        QCOMPARE(requestsSent(), 0);
    }

    // A sound that names no location goes to the selected row, the first one
    // included.
    void soundWithoutLocationGoesToRowZero()
    {
        SoundListView* list = w->soundList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, SoundListView::kNameColumn)).center());
        QCOMPARE(w->selectedRows(), std::vector<int>{0});
        const SoundStore before = w->store();
        onNextModal([&](QWidget*) {
            deliver(dump(0, 77, 0x30));
            QTRY_COMPARE(w->receptionFields().receivedCount, 1);
            QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton);
        });
        w->findChild<QAction*>("ReadCurrentSound1")->trigger();
        QVERIFY(w->store().slot(0) == asDump(dump(0, 77, 0x30)));
        QVERIFY(storeUnchangedExcept(before, {0}));
        QVERIFY(memoLines().contains("ZR Bank: 0 Sound:0"));
    }
};

QTEST_MAIN(TestTransferBadInput)
#include "test_transfer_badinput.moc"
