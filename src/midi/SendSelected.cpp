#include "midi/SendSelected.h"

#include <QTimer>

#include <exception>

namespace sondrake::midi {

SendSelected::SendSelected(SoundStore& store, ByteStack& stack, bool& receiving, SendSelectedHooks hooks,
                           QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_stack(stack)
    , m_receiving(receiving)
    , m_hooks(std::move(hooks))
{
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &SendSelected::step);
}

bool SendSelected::start(int delayMs)
{
    if (m_running) {
        ++m_refused;
        return false;
    }
    m_refused = 0;
    try {
        if (m_hooks.keyboardRunning && m_hooks.switchKeyboardOff && m_hooks.keyboardRunning())
            m_hooks.switchKeyboardOff();

        // The token keeps the receiver dialog open while the sounds go out.
        m_stack.push(0);
        m_receiving = true;
        if (m_hooks.showDialog)
            m_hooks.showDialog();

        m_rows.clear();
        if (m_hooks.selectedRows)
            for (int row : m_hooks.selectedRows())
                if (isValidSlot(row))
                    m_rows.push_back(row);
        m_next = 0;
        m_running = true;
        m_timer->setInterval(delayMs < 0 ? 0 : delayMs);
        step();
    } catch (const std::exception& e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
    return true;
}

void SendSelected::step()
{
    if (!m_running)
        return;
    if (m_next >= m_rows.size()) {
        finish();
        return;
    }
    try {
        const int slot = m_rows[m_next++];
        if (m_hooks.showDialog)
            m_hooks.showDialog();
        SoundDump& dump = m_store.slot(slot);
        dump[kLocationBankByte] = static_cast<std::uint8_t>(slot / kProgramsPerBank);
        dump[kLocationProgramByte] = static_cast<std::uint8_t>(slot % kProgramsPerBank);
        if (m_hooks.sendSlot)
            m_hooks.sendSlot(slot);
        if (m_hooks.setLabel)
            m_hooks.setLabel(QStringLiteral("Sending ") + QString::number(slot));
        // The pause after the sound runs on the event loop, so the window
        // keeps handling input between sounds.
        m_timer->start();
    } catch (const std::exception& e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
}

void SendSelected::finish()
{
    m_running = false;
    m_rows.clear();
    m_next = 0;
    try {
        if (m_hooks.hideDialog)
            m_hooks.hideDialog();
        m_stack.pop(); // the token
        m_receiving = false;
    } catch (const std::exception& e) {
        if (m_hooks.addMessage)
            m_hooks.addMessage(QString::fromLocal8Bit(e.what()));
    }
    emit finished(true);
}

void SendSelected::fail(const QString& text)
{
    // The dialog stays up with the token on the stack until the user closes it.
    m_running = false;
    m_timer->stop();
    m_rows.clear();
    m_next = 0;
    if (m_hooks.addMessage)
        m_hooks.addMessage(text);
    emit finished(false);
}

} // namespace sondrake::midi
