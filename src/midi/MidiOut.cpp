#include "midi/MidiOut.h"

#include "platform/Messages.h"
#include "platform/MidiService.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace sondrake::midi {

std::uint16_t MidiOutDeviceIndex = 0;
std::uint16_t MidiInDeviceIndex = 0;
std::uint16_t DeviceId = 0;

namespace {

using Clock = std::chrono::steady_clock;

std::uint8_t dataByte(unsigned value)
{
    // A data byte with the high bit set would be read as a new status byte.
    return static_cast<std::uint8_t>(std::min(value, 127u));
}

std::uint8_t channelNibble(std::uint8_t channel)
{
    return static_cast<std::uint8_t>(std::min<unsigned>(channel, 15u));
}

bool isStatusByte(std::uint8_t b) { return b >= 0x80; }

// The platform's output port behind the queue.
class PlatformBackend : public OutputBackend {
public:
    explicit PlatformBackend(std::unique_ptr<platform::MidiOutputDevice> device)
        : device_(std::move(device))
    {
    }
    bool send(const std::uint8_t* data, std::size_t size, QString* error) override
    {
        return device_->send(data, size, error);
    }
    bool isHardware() const override { return device_->isHardware(); }
    std::size_t maxMessageSize() const override { return device_->maxMessageSize(); }
    bool acceptsFragments() const override { return device_->acceptsFragments(); }
    std::size_t bytesPerSecond() const override { return device_->bytesPerSecond(); }

private:
    std::unique_ptr<platform::MidiOutputDevice> device_;
};

void enqueueShort(std::initializer_list<std::uint8_t> bytes, std::chrono::microseconds pause = {})
{
    QueueEntry e;
    e.messages.emplace_back(bytes);
    e.pauseAfterEach = pause;
    MidiOutPort::instance().enqueue(std::move(e));
}

} // namespace

std::vector<Bytes> splitMessage(const Bytes& message, std::size_t maxSize, bool fragments)
{
    std::vector<Bytes> pieces;
    if (message.empty())
        return pieces;
    // A short message never contains F0/F7 as data; leave it alone.
    if (message.size() <= 3 && message[0] != 0xF0 && isStatusByte(message[0])) {
        pieces.push_back(message);
        return pieces;
    }
    Bytes current;
    for (std::uint8_t b : message) {
        if (b == 0xF0 && !current.empty()) {
            pieces.push_back(std::move(current));
            current.clear();
        }
        current.push_back(b);
        if (b == 0xF7) {
            pieces.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty())
        pieces.push_back(std::move(current));

    if (maxSize == 0 || !fragments)
        return pieces;
    std::vector<Bytes> out;
    for (auto& p : pieces) {
        if (p.size() <= maxSize) {
            out.push_back(std::move(p));
            continue;
        }
        for (std::size_t at = 0; at < p.size(); at += maxSize) {
            const std::size_t n = std::min(maxSize, p.size() - at);
            out.emplace_back(p.begin() + static_cast<std::ptrdiff_t>(at),
                             p.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
    }
    return out;
}

struct MidiOutPort::Impl {
    mutable std::mutex mutex;
    std::condition_variable wake;      // new entry, or stop
    std::condition_variable idle;      // queue drained
    std::condition_variable finished;  // sender thread left its loop
    std::deque<QueueEntry> queue;
    std::shared_ptr<OutputBackend> backend;
    bool busy = false;
    bool stopping = false;
    bool running = false;
    std::thread thread;

    void ensureThread()
    {
        // mutex held
        if (running)
            return;
        if (thread.joinable())
            thread.join(); // it has left its loop already
        stopping = false;
        running = true;
        thread = std::thread([this] { loop(); });
    }

    void loop()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return stopping || !queue.empty(); });
            if (stopping)
                break;
            QueueEntry entry = std::move(queue.front());
            queue.pop_front();
            busy = true;
            auto out = backend;
            lock.unlock();
            sendEntry(entry, out.get());
            lock.lock();
            busy = false;
            if (queue.empty())
                idle.notify_all();
        }
        running = false;
        busy = false;
        queue.clear();
        idle.notify_all();
        finished.notify_all();
    }

    // Waits until `until`; false when the port is shutting down meanwhile,
    // so closing never waits out a long SysEx's pacing.
    bool pauseUntil(Clock::time_point until)
    {
        std::unique_lock lock(mutex);
        return !wake.wait_until(lock, until, [&] { return stopping; });
    }

    void sendEntry(const QueueEntry& entry, OutputBackend* out)
    {
        if (!out) {
            AddMessage(QStringLiteral("MIDI output is not open: %1 message(s) not sent. Choose an output under "
                                  "System, Midi Settings (Ctrl+D).").arg(entry.messages.size()));
            return;
        }
        const std::size_t maxSize = out->maxMessageSize();
        const bool fragments = out->acceptsFragments();
        const std::size_t rate = out->bytesPerSecond();
        bool reported = false;
        auto next = Clock::now();
        for (const Bytes& message : entry.messages) {
            for (const Bytes& piece : splitMessage(message, maxSize, fragments)) {
                if (maxSize && piece.size() > maxSize) {
                    AddMessage(QStringLiteral("MIDI output: a SysEx message of %1 bytes is longer than the "
                                              "port takes (%2 bytes); not sent.")
                                   .arg(piece.size())
                                   .arg(maxSize));
                    continue;
                }
                if (!pauseUntil(next))
                    return;
                QString error;
                const auto handedAt = Clock::now();
                if (!out->send(piece.data(), piece.size(), &error) && !reported) {
                    reported = true;
                    AddMessage(QStringLiteral("MIDI output error: %1. Check that the synthesizer's MIDI output device is "
                                              "connected, or choose it under System, Midi Settings (Ctrl+D).")
                                   .arg(error.isEmpty() ? QStringLiteral("message not sent") : error));
                }
                auto pause = std::chrono::duration_cast<Clock::duration>(entry.pauseAfterEach);
                if (rate > 0 && piece.size() > 3) {
                    // A port fed faster than it passes bytes on drops them
                    // without a word (an interface's buffer, a JACK period).
                    const auto wire = std::chrono::microseconds(piece.size() * 1000000 / rate);
                    pause = std::max(pause, std::chrono::duration_cast<Clock::duration>(wire));
                }
                next = handedAt + pause;
            }
        }
        pauseUntil(next);
    }
};

MidiOutPort& MidiOutPort::instance()
{
    static MidiOutPort port;
    return port;
}

MidiOutPort::MidiOutPort()
    : d(std::make_unique<Impl>())
{
}

MidiOutPort::~MidiOutPort()
{
    shutdown(std::chrono::milliseconds(500));
}

void MidiOutPort::setBackend(std::shared_ptr<OutputBackend> backend)
{
    std::lock_guard lock(d->mutex);
    d->backend = std::move(backend);
}

bool MidiOutPort::isOpen() const
{
    std::lock_guard lock(d->mutex);
    return d->backend != nullptr;
}

void MidiOutPort::enqueue(QueueEntry entry)
{
    if (entry.messages.empty())
        return;
    {
        std::lock_guard lock(d->mutex);
        if (d->backend) {
            d->ensureThread();
            d->queue.push_back(std::move(entry));
            d->wake.notify_one();
            return;
        }
    }
    AddMessage(QStringLiteral("MIDI output is not open: %1 message(s) not sent. Choose an output under "
                                  "System, Midi Settings (Ctrl+D).").arg(entry.messages.size()));
}

bool MidiOutPort::waitIdle(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(d->mutex);
    return d->idle.wait_for(lock, timeout, [&] { return d->queue.empty() && !d->busy; });
}

std::size_t MidiOutPort::pending() const
{
    std::lock_guard lock(d->mutex);
    return d->queue.size() + (d->busy ? 1 : 0);
}

void MidiOutPort::shutdown(std::chrono::milliseconds timeout)
{
    if (!d)
        return;
    std::unique_lock lock(d->mutex);
    if (!d->running) {
        if (d->thread.joinable()) {
            lock.unlock();
            d->thread.join();
        }
        return;
    }
    d->stopping = true;
    d->wake.notify_all();
    if (d->finished.wait_for(lock, timeout, [&] { return !d->running; })) {
        lock.unlock();
        d->thread.join();
        return;
    }
    // The back end is stuck inside a send (a JACK ring buffer nobody drains).
    // Leave the thread and its state behind rather than hang the program.
    // The port starts over closed, so later calls stay safe.
    lock.unlock();
    d->thread.detach();
    (void)d.release();
    d = std::make_unique<Impl>();
}

// ---- builders --------------------------------------------------------------

void SendNoteOn(std::uint8_t channel, std::uint8_t note)
{
    enqueueShort({static_cast<std::uint8_t>(0x90 | channelNibble(channel)), dataByte(note), 0x7F});
}

void SendNoteOff(std::uint8_t channel, std::uint8_t note)
{
    enqueueShort({static_cast<std::uint8_t>(0x80 | channelNibble(channel)), dataByte(note), 0x00});
}

void SendControl(std::uint8_t controller, std::uint8_t value)
{
    enqueueShort({0xB0, dataByte(controller), dataByte(value)});
}

void SendChannelControl(std::uint8_t channel, std::uint8_t controller, std::uint8_t value)
{
    enqueueShort({static_cast<std::uint8_t>(0xB0 | channelNibble(channel)), dataByte(controller), dataByte(value)});
}

void SendProgramChange(std::uint8_t channel, std::uint8_t program)
{
    enqueueShort({static_cast<std::uint8_t>(0xC0 | channelNibble(channel)), dataByte(program)});
}

void SendPacedMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    if (!isStatusByte(status) || status >= 0xF0) {
        AddMessage(QStringLiteral("MIDI output: %1 is not a channel message status; not sent.")
                       .arg(status, 2, 16, QLatin1Char('0')));
        return;
    }
    enqueueShort({status, dataByte(data1), dataByte(data2)}, kPacedPause);
}

void SendNrpn(std::uint16_t parameter, std::uint16_t value)
{
    QueueEntry e;
    e.pauseAfterEach = kPacedPause;
    e.messages.push_back({0xB0, 0x63, dataByte(parameter >> 7)});
    e.messages.push_back({0xB0, 0x62, static_cast<std::uint8_t>(parameter & 0x7F)});
    e.messages.push_back({0xB0, 0x06, static_cast<std::uint8_t>(value & 0x7F)});
    MidiOutPort::instance().enqueue(std::move(e));
}

void SendReset()
{
    QueueEntry e;
    for (std::uint8_t c = 0; c < 16; ++c) {
        e.messages.push_back({static_cast<std::uint8_t>(0xB0 | c), 123, 0});
        e.messages.push_back({static_cast<std::uint8_t>(0xB0 | c), 64, 0});
    }
    MidiOutPort::instance().enqueue(std::move(e));
}

void Panic()
{
    QueueEntry e;
    for (std::uint8_t c = 0; c < 16; ++c) {
        const auto status = static_cast<std::uint8_t>(0xB0 | c);
        e.messages.push_back({status, 123, 0});
        e.messages.push_back({status, 120, 0});
        e.messages.push_back({status, 64, 0});
    }
    MidiOutPort::instance().enqueue(std::move(e));
}

void SendStoreSlot(const SoundStore& store, int slot)
{
    // A slot outside the store is refused, with its Messages line, below.
    SendSoundToSlot(isValidSlot(slot) ? store.slot(slot) : SoundDump{}, slot);
}

void SendSoundToSlot(const SoundDump& dump, int slot)
{
    if (!isValidSlot(slot)) {
        AddMessage(QStringLiteral("MIDI output: there is no slot %1; nothing sent.").arg(slot));
        return;
    }
    // Bank select, program change and the record leave as one entry so that
    // nothing else can come between the location and the sound.
    QueueEntry e;
    e.messages.push_back({0xB0, 0x00, 0x00});
    e.messages.push_back({0xB0, 0x20, static_cast<std::uint8_t>(slot / 100 + 1)});
    e.messages.push_back({0xC0, static_cast<std::uint8_t>(slot % 100)});
    e.messages.emplace_back(dump.begin(), dump.end());
    MidiOutPort::instance().enqueue(std::move(e));
}

void SendSoundDump(const SoundDump& dump)
{
    QueueEntry e;
    e.messages.emplace_back(dump.begin(), dump.end());
    MidiOutPort::instance().enqueue(std::move(e));
}

bool SendSysExFile(const QString& path, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("The file %1 does not exist.").arg(path));
    // Opening a named pipe waits for a writer and a device never ends: only
    // a plain file is read, so the window never hangs on the choice.
    if (!info.isFile())
        return fail(QStringLiteral("%1 is not a plain file; nothing was sent.").arg(path));
    if (static_cast<std::size_t>(info.size()) > kMaxSysExFileSize)
        return fail(QStringLiteral("The file %1 has %2 bytes; files larger than 1 MiB are not sent.")
                        .arg(path)
                        .arg(info.size()));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString()));
    // Read one byte past the limit: a file that grew since the check is caught too.
    const QByteArray data = file.read(static_cast<qint64>(kMaxSysExFileSize) + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString()));
    if (static_cast<std::size_t>(data.size()) > kMaxSysExFileSize)
        return fail(QStringLiteral("The file %1 is larger than 1 MiB; not sent.").arg(path));
    if (data.isEmpty())
        return true;
    QueueEntry e;
    e.messages.emplace_back(reinterpret_cast<const std::uint8_t*>(data.constData()),
                            reinterpret_cast<const std::uint8_t*>(data.constData()) + data.size());
    MidiOutPort::instance().enqueue(std::move(e));
    return true;
}

void SendDumpRequest(std::uint16_t /*deviceId*/, std::uint8_t /*bank*/, std::uint8_t /*program*/)
{
    // The synthesizer answers this one request whatever is asked for; the
    // arguments are kept for the callers' sake.
    QueueEntry e;
    e.messages.push_back({0xF0, 0x00, 0x20, 0x29, 0x01, 0x42, 0x7F, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7});
    MidiOutPort::instance().enqueue(std::move(e));
}

bool OpenMidiOut(QString* error)
{
    try {
        QString why;
        auto device = platform::MidiOutputDevice::open(MidiOutDeviceIndex, &why);
        if (!device) {
            if (error)
                *error = why;
            return false;
        }
        MidiOutPort::instance().setBackend(std::make_shared<PlatformBackend>(std::move(device)));
        return true;
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
        if (error)
            *error = QString::fromLocal8Bit(e.what());
        return false;
    }
}

bool OpenMidiOut()
{
    return OpenMidiOut(nullptr);
}

void CloseMidiOut()
{
    // The sender keeps its own reference while it finishes the running entry.
    MidiOutPort::instance().setBackend(nullptr);
}

} // namespace sondrake::midi
