#include "midi/SendSelected.h"

#include <QTimer>

#include <exception>

namespace sondrake::midi {

SendSelected::SendSelected(SoundStore& store, ByteStack& stack, bool& receiving, SendSelectedHooks hooks,
                           QObject* parent)
    : QObject(parent)
    , store_(store)
    , stack_(stack)
    , receiving_(receiving)
    , hooks_(std::move(hooks))
{
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &SendSelected::step);
}

bool SendSelected::start(int delayMs)
{
    if (running_) {
        ++refused_;
        return false;
    }
    refused_ = 0;
    try {
        if (hooks_.keyboardRunning && hooks_.switchKeyboardOff && hooks_.keyboardRunning())
            hooks_.switchKeyboardOff();

        // The token keeps the receiver dialog open while the sounds go out.
        stack_.push(0);
        receiving_ = true;
        if (hooks_.showDialog)
            hooks_.showDialog();

        rows_.clear();
        if (hooks_.selectedRows)
            for (int row : hooks_.selectedRows())
                if (isValidSlot(row))
                    rows_.push_back(row);
        next_ = 0;
        running_ = true;
        timer_->setInterval(delayMs < 0 ? 0 : delayMs);
        step();
    } catch (const std::exception& e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
    return true;
}

void SendSelected::step()
{
    if (!running_)
        return;
    if (next_ >= rows_.size()) {
        finish();
        return;
    }
    try {
        const int slot = rows_[next_++];
        if (hooks_.showDialog)
            hooks_.showDialog();
        SoundDump& dump = store_.slot(slot);
        dump[kLocationBankByte] = static_cast<std::uint8_t>(slot / kProgramsPerBank);
        dump[kLocationProgramByte] = static_cast<std::uint8_t>(slot % kProgramsPerBank);
        if (hooks_.sendSlot)
            hooks_.sendSlot(slot);
        if (hooks_.setLabel)
            hooks_.setLabel(QStringLiteral("Sending ") + QString::number(slot));
        // The pause after the sound runs on the event loop, so the window
        // keeps handling input between sounds.
        timer_->start();
    } catch (const std::exception& e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
}

void SendSelected::finish()
{
    running_ = false;
    rows_.clear();
    next_ = 0;
    try {
        if (hooks_.hideDialog)
            hooks_.hideDialog();
        stack_.pop(); // the token
        receiving_ = false;
    } catch (const std::exception& e) {
        if (hooks_.addMessage)
            hooks_.addMessage(QString::fromLocal8Bit(e.what()));
    }
    emit finished(true);
}

void SendSelected::fail(const QString& text)
{
    // The dialog stays up with the token on the stack until the user closes it.
    running_ = false;
    timer_->stop();
    rows_.clear();
    next_ = 0;
    if (hooks_.addMessage)
        hooks_.addMessage(text);
    emit finished(false);
}

} // namespace sondrake::midi
