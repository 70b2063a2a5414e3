// The "SysEx Communication" dialog: its look, its timer (which ends a modal
// wait once the requests ran out) and its Close button.
#include "midi/SysExDialog.h"
#include "store/ByteStack.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include "ModalTestSupport.h"

using sondrake::testing::namedChild;

using namespace sondrake;

class TestReceptionDialog : public QObject {
    Q_OBJECT
private slots:
    void init() { byteStack().clear(); }

    void looksAsTheUserKnowsIt()
    {
        bool receiving = false;
        int count = 0;
        SysExDialog dlg(nullptr, receiving, count);
        QCOMPARE(dlg.windowTitle(), QString("SysEx Communication"));
        QCOMPARE(dlg.size(), QSize(248, 86));
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(namedChild<QLabel>(&dlg, "Label1")->text(), QString("Waiting for Q-Lindorn (Press Dump on Q-Lindorn)"));
        QVERIFY(namedChild<QLabel>(&dlg, "Label1")->wordWrap());
        QCOMPARE(namedChild<QPushButton>(&dlg, "Button1")->text(), QString("&Close"));
        // the timer runs from creation on, also while hidden
        QVERIFY(namedChild<QTimer>(&dlg, "Timer1")->isActive());
        QCOMPARE(namedChild<QTimer>(&dlg, "Timer1")->interval(), 1000);
        QVERIFY(!dlg.isVisible());
    }

    void timerKeepsTheWaitWhileRequestsRemain()
    {
        bool receiving = true;
        int count = 4;
        ByteStack& st = byteStack();
        st.push(1);
        st.push(2);
        SysExDialog dlg(nullptr, receiving, count);
        dlg.show();
        dlg.onTick();
        QVERIFY(dlg.isVisible());
        QCOMPARE(st.count(), 2);
        QCOMPARE(count, 4);

        // Receiving false closes it although pairs remain
        receiving = false;
        dlg.onTick();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(st.count(), 0);
        QCOMPARE(count, 0);

        // hidden, the tick still resets the count
        count = 3;
        dlg.onTick();
        QCOMPARE(count, 0);
        QVERIFY(!dlg.isVisible());
    }

    void modalWaitEndsAtTheFirstTickAfterTheStackEmptied()
    {
        bool receiving = true;
        int count = 0;
        ByteStack& st = byteStack();
        st.push(1);
        st.push(0);
        SysExDialog dlg(nullptr, receiving, count);
        namedChild<QTimer>(&dlg, "Timer1")->setInterval(50); // same logic, shorter wait
        QElapsedTimer clock;
        QTimer::singleShot(200, [&] {
            // the last sound of a read: its stored answer took the last pair
            st.pop();
            st.pop();
            count = 1;
            clock.start();
        });
        QTimer::singleShot(5000, &dlg, [&] { dlg.done(QDialog::Accepted); }); // safety net
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        QVERIFY(clock.isValid());
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(count, 0);
        QVERIFY(receiving); // the timer leaves Receiving alone; stop clears it
    }

    void closeEndsTheWaitAndForgetsThePendingRequests()
    {
        bool receiving = true;
        int count = 12;
        ByteStack& st = byteStack();
        for (int i = 0; i < 100; ++i)
            st.push(std::uint8_t(i));
        SysExDialog dlg(nullptr, receiving, count);
        dlg.setLabelText("Received 12 sound.");
        QTimer::singleShot(50, &dlg, [&] { QTest::mouseClick(namedChild<QPushButton>(&dlg, "Button1"), Qt::LeftButton); });
        QTimer::singleShot(5000, &dlg, [&] { dlg.done(QDialog::Accepted); });
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        QCOMPARE(st.count(), 0);
        QVERIFY(!receiving);
        QCOMPARE(count, 0);
        // the label keeps its last text for the next use
        QCOMPARE(dlg.labelText(), QString("Received 12 sound."));

        // Escape ends a wait the same way
        receiving = true;
        st.push(1);
        st.push(1);
        QTimer::singleShot(50, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
        QTimer::singleShot(5000, &dlg, [&] { dlg.done(QDialog::Accepted); });
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        QCOMPARE(st.count(), 0);
        QVERIFY(!receiving);
    }
};

QTEST_MAIN(TestReceptionDialog)
#include "test_reception_dialog.moc"
