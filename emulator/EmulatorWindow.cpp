#include "EmulatorWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake::emulator {

EmulatorWindow::EmulatorWindow(EmulatorCore& core, QWidget* parent)
    : QWidget(parent)
    , core_(core)
{
    setWindowTitle(QStringLiteral("QLindorn Emulator"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* dump = new QPushButton(QStringLiteral("Dump Sound"), this);
    auto* bank1 = new QPushButton(QStringLiteral("Dump Bank 1"), this);
    auto* bank2 = new QPushButton(QStringLiteral("Dump Bank 2"), this);
    buttons->addWidget(dump);
    buttons->addWidget(bank1);
    buttons->addWidget(bank2);
    layout->addLayout(buttons);
    state_ = new QLabel(this);
    layout->addWidget(state_);
    monitor_ = new QListWidget(this);
    monitor_->setFont(QFont(QStringLiteral("monospace")));
    layout->addWidget(monitor_);
    resize(560, 360);

    connect(dump, &QPushButton::clicked, this, [this] {
        core_.dumpSound();
        showState();
    });
    connect(bank1, &QPushButton::clicked, this, [this] {
        core_.dumpBank(1);
        showState();
    });
    connect(bank2, &QPushButton::clicked, this, [this] {
        core_.dumpBank(2);
        showState();
    });
    showState();
}

void EmulatorWindow::received(const Bytes& message)
{
    core_.receive(message);
    // Long SysEx is shown by its head; the monitor is for reading, not archiving.
    constexpr std::size_t kShown = 24;
    QString line = QString::fromStdString(
        toHex(std::span<const std::uint8_t>(message.data(), std::min(message.size(), kShown))));
    if (message.size() > kShown)
        line += QStringLiteral(" ... (%1 bytes)").arg(message.size());
    if (!core_.lastEvent().empty())
        line += QStringLiteral("   ") + QString::fromStdString(core_.lastEvent());
    monitor_->addItem(line);
    while (monitor_->count() > kMonitorLines)
        delete monitor_->takeItem(0);
    monitor_->scrollToBottom();
    showState();
}

void EmulatorWindow::showState()
{
    const std::string name = readName(core_.editBuffer());
    QString text = QStringLiteral("Bank %1  Program %2  \"%3\"")
                       .arg(core_.currentBank() + 1)
                       .arg(core_.currentProgram())
                       .arg(QString::fromLatin1(name.data(), static_cast<int>(name.size())).trimmed());
    if (core_.bankDumpRunning())
        text += QStringLiteral("   (bank dump running)");
    state_->setText(text);
}

} // namespace sondrake::emulator
