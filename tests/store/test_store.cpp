#include "store/ByteStack.h"
#include "store/SoundStore.h"

#include <QtTest>

using namespace sondrake;

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void freshStoreIsZeroAndNamedEmptyAfterReset()
    {
        SoundStore store;
        QCOMPARE(store.count(), 0);
        store.resetSoundNames();
        QCOMPARE(store.count(), 200);
        for (int s = 0; s < 200; ++s) {
            QCOMPARE(store.getSoundName(s), std::string("empty           "));
            const SoundDump& d = store.slot(s);
            for (std::size_t i = 0; i < kDumpSize; ++i)
                if (i < kNameOffset || i >= kNameOffset + kNameLength)
                    QCOMPARE(int(d[i]), 0);
        }
    }

    void namesPadCutAndSkipControlBytes()
    {
        SoundStore store;
        store.setSoundName(3, "");
        QCOMPARE(store.getSoundName(3), std::string(16, ' '));

        store.setSoundName(3, "Pad");
        QCOMPARE(store.getSoundName(3), std::string("Pad") + std::string(13, ' '));

        store.setSoundName(3, "ABCDEFGHIJKLMNOPQRSTU");
        QCOMPARE(store.getSoundName(3), std::string("ABCDEFGHIJKLMNOP"));

        // bytes below 32 are left out of the text but stay stored
        SoundDump& d = store.slot(3);
        d[kNameOffset + 2] = 0x00;
        d[kNameOffset + 5] = 0x1F;
        d[kNameOffset + 7] = 0x7F;
        d[kNameOffset + 8] = 0xE9;
        const std::string name = store.getSoundName(3);
        QCOMPARE(name.size(), std::size_t(14));
        QCOMPARE(int(d[kNameOffset + 2]), 0);
        QCOMPARE(int(static_cast<unsigned char>(name[5])), 0x7F);
        QCOMPARE(int(static_cast<unsigned char>(name[6])), 0xE9);
    }

    void setNameTouchesOnlyNameBytes()
    {
        SoundStore store;
        for (int s : {198, 199})
            store.slot(s).fill(0xAA);
        store.setSoundName(199, "0123456789ABCDEF");
        for (std::size_t i = 0; i < kDumpSize; ++i) {
            const bool inName = i >= kNameOffset && i < kNameOffset + kNameLength;
            if (!inName)
                QCOMPARE(int(store.slot(199)[i]), 0xAA);
        }
        QCOMPARE(store.slot(198), SoundDump([] { SoundDump d; d.fill(0xAA); return d; }()));
    }

    void slotAccessOutsideStoreThrows()
    {
        SoundStore store;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, store.slot(200));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, store.slot(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, store.swapSlots(0, 200));
    }

    void byteStackBounds()
    {
        ByteStack st;
        QCOMPARE(int(st.pop()), 255);
        QCOMPARE(st.count(), 0);
        for (int i = 0; i < ByteStack::kCapacity; ++i)
            st.push(std::uint8_t(i & 0x7F));
        QCOMPARE(st.count(), 4096);
        st.push(200); // dropped
        QCOMPARE(st.count(), 4096);
        QCOMPARE(int(st.pop()), 4095 & 0x7F);

        // a bank read pushes (1, 99) .. (1, 0): the first pops give program 0 then bank 1
        st.clear();
        for (int n = 99; n >= 0; --n) {
            st.push(1);
            st.push(std::uint8_t(n));
        }
        QCOMPARE(st.count(), 200);
        QCOMPARE(int(st.pop()), 0);
        QCOMPARE(int(st.pop()), 1);
        QCOMPARE(st.count(), 198);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
