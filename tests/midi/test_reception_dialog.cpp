// The "SysEx Communication" dialog over a transfer: its look, the transfer's
// tick (which ends a modal wait once the requests ran out) and its Close
// button.
#include "midi/MidiSession.h"
#include "midi/SoundTransfer.h"
#include "midi/SysExDialog.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include "ModalTestSupport.h"

using sondrake::testing::namedChild;

using namespace sondrake;

namespace {

struct Harness {
    midi::MidiSession session;
    SoundStore store;
    midi::SoundTransfer transfer{session, store};
    SysExDialog dialog{nullptr, transfer};
};

} // namespace

class TestReceptionDialog : public QObject {
    Q_OBJECT
private slots:
    void looksAsTheUserKnowsIt()
    {
        Harness h;
        SysExDialog& dlg = h.dialog;
        QCOMPARE(dlg.windowTitle(), QString("SysEx Communication"));
        QCOMPARE(dlg.size(), QSize(248, 86));
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(namedChild<QLabel>(&dlg, "Label1")->text(), QString("Waiting for Q-Lindorn (Press Dump on Q-Lindorn)"));
        QVERIFY(namedChild<QLabel>(&dlg, "Label1")->wordWrap());
        QCOMPARE(namedChild<QPushButton>(&dlg, "Button1")->text(), QString("&Close"));
        // the tick runs from creation on, also while the dialog is hidden
        QVERIFY(h.transfer.tickTimer()->isActive());
        QCOMPARE(h.transfer.tickTimer()->objectName(), QString("Timer1"));
        QCOMPARE(h.transfer.tickTimer()->interval(), 1000);
        QVERIFY(!dlg.isVisible());
    }

    void modalWaitEndsAtTheFirstTickAfterTheStackEmptied()
    {
        Harness h;
        h.session.openInputWithoutDevice();
        h.transfer.startCurrentSoundRead(7);
        h.transfer.tickTimer()->setInterval(50); // same logic, shorter wait
        QElapsedTimer clock;
        QTimer::singleShot(200, [&] {
            // the only sound of the read arrives: its request takes the last pair
            SoundDump d{};
            d[0] = 0xF0;
            d[kLocationBankByte] = 1;
            d[kLocationProgramByte] = 7;
            d[269] = 0xF7;
            h.session.deliverInput(d.data(), d.size());
            clock.start();
        });
        QTimer::singleShot(5000, &h.dialog, [&] { h.dialog.done(QDialog::Accepted); }); // safety net
        QCOMPARE(h.dialog.exec(), int(QDialog::Rejected));
        QVERIFY(clock.isValid());
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(h.dialog.labelText(), QString("Received 1 sound."));
        QCOMPARE(h.transfer.fields().receivedCount, 0);
        QVERIFY(h.transfer.fields().receiving); // the tick leaves Receiving alone; stop clears it
        h.transfer.stopReception();
        QVERIFY(!h.transfer.fields().receiving);
    }

    void closeEndsTheWaitAndForgetsThePendingRequests()
    {
        Harness h;
        h.transfer.startBankRead();
        QCOMPARE(h.transfer.stack().count(), 200);
        h.dialog.setLabelText("Received 12 sound.");
        QTimer::singleShot(50, &h.dialog, [&] { QTest::mouseClick(namedChild<QPushButton>(&h.dialog, "Button1"), Qt::LeftButton); });
        QTimer::singleShot(5000, &h.dialog, [&] { h.dialog.done(QDialog::Accepted); });
        QCOMPARE(h.dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(h.transfer.stack().count(), 0);
        QVERIFY(!h.transfer.fields().receiving);
        QCOMPARE(h.transfer.fields().receivedCount, 0);
        // the label keeps its last text for the next use
        QCOMPARE(h.dialog.labelText(), QString("Received 12 sound."));

        // Escape ends a wait the same way
        h.transfer.startBankRead();
        QTimer::singleShot(50, &h.dialog, [&] { QTest::keyClick(&h.dialog, Qt::Key_Escape); });
        QTimer::singleShot(5000, &h.dialog, [&] { h.dialog.done(QDialog::Accepted); });
        QCOMPARE(h.dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(h.transfer.stack().count(), 0);
        QVERIFY(!h.transfer.fields().receiving);
    }
};

QTEST_MAIN(TestReceptionDialog)
#include "test_reception_dialog.moc"
