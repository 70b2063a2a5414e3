#pragma once

#include "emulator/EmulatorCore.h"

#include "store/SoundStore.h"

#include <QLabel>
#include <QListWidget>
#include <QWidget>

namespace sondrake::emulator {

// The front panel: the dump buttons, where the synthesizer stands, and a
// monitor of what arrived.
class EmulatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit EmulatorWindow(EmulatorCore& core, QWidget* parent = nullptr);

    // One received message: handled by the core, then shown.
    void received(const Bytes& message);

    static constexpr int kMonitorLines = 1000;

private:
    void showState();

    EmulatorCore& m_core;
    QLabel* m_state;
    QListWidget* m_monitor;
};

} // namespace sondrake::emulator
