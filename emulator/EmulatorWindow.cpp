#include "emulator/EmulatorWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake::emulator {

EmulatorWindow::EmulatorWindow(EmulatorCore& core, QWidget* parent)
    : QWidget(parent)
    , m_core(core)
{
    setWindowTitle(QCoreApplication::translate("EmulatorWindow", "QLindorn Emulator"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* dump = new QPushButton(QCoreApplication::translate("EmulatorWindow", "Dump Sound"), this);
    auto* bank1 = new QPushButton(QCoreApplication::translate("EmulatorWindow", "Dump Bank 1"), this);
    auto* bank2 = new QPushButton(QCoreApplication::translate("EmulatorWindow", "Dump Bank 2"), this);
    buttons->addWidget(dump);
    buttons->addWidget(bank1);
    buttons->addWidget(bank2);
    layout->addLayout(buttons);
    m_state = new QLabel(this);
    layout->addWidget(m_state);
    m_monitor = new QListWidget(this);
    m_monitor->setFont(QFont(QStringLiteral("monospace")));
    layout->addWidget(m_monitor);
    resize(560, 360);

    connect(dump, &QPushButton::clicked, this, [this] {
        m_core.dumpSound();
        showState();
    });
    connect(bank1, &QPushButton::clicked, this, [this] {
        m_core.dumpBank(1);
        showState();
    });
    connect(bank2, &QPushButton::clicked, this, [this] {
        m_core.dumpBank(2);
        showState();
    });
    showState();
}

void EmulatorWindow::received(const Bytes& message)
{
    m_core.receive(message);
    // Long SysEx is shown by its head; the monitor is for reading, not archiving.
    constexpr std::size_t kShown = 24;
    QString line = QString::fromStdString(
        toHex(std::span<const std::uint8_t>(message.data(), std::min(message.size(), kShown))));
    if (message.size() > kShown)
        line += QCoreApplication::translate("EmulatorWindow", " ... (%1 bytes)").arg(message.size());
    if (!m_core.lastEvent().empty())
        line += QStringLiteral("   ") + QString::fromStdString(m_core.lastEvent());
    m_monitor->addItem(line);
    while (m_monitor->count() > kMonitorLines)
        delete m_monitor->takeItem(0);
    m_monitor->scrollToBottom();
    showState();
}

void EmulatorWindow::showState()
{
    const std::string name = readName(m_core.editBuffer());
    QString text = QCoreApplication::translate("EmulatorWindow", "Bank %1  Program %2  \"%3\"")
                       .arg(m_core.currentBank() + 1)
                       .arg(m_core.currentProgram())
                       .arg(QString::fromLatin1(name.data(), static_cast<int>(name.size())).trimmed());
    if (m_core.bankDumpRunning())
        text += QCoreApplication::translate("EmulatorWindow", "   (bank dump running)");
    m_state->setText(text);
}

} // namespace sondrake::emulator
