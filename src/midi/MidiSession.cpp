#include "midi/MidiSession.h"

#include "midi/ReceiveBuffer.h"

#include "platform/Bounded.h"
#include "platform/MidiService.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace sondrake::midi {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using platform::MidiInputDevice;
using platform::MidiOutputDevice;
using platform::MidiPortInfo;

// Listing (at most a second when a server does not answer) plus opening.
constexpr auto kOpenWait = 2500ms;
// How often a lost port is looked for.
constexpr auto kRetryEvery = 1000ms;

// The queue's view of an output device.
class DeviceBackend : public OutputBackend {
public:
    explicit DeviceBackend(std::shared_ptr<MidiOutputDevice> device)
        : m_device(std::move(device))
    {
    }
    bool send(const std::uint8_t* data, std::size_t size, QString* error) override
    {
        return m_device->send(data, size, error);
    }
    bool isHardware() const override { return m_device->isHardware(); }
    std::size_t maxMessageSize() const override { return m_device->maxMessageSize(); }
    bool acceptsFragments() const override { return m_device->acceptsFragments(); }
    std::size_t bytesPerSecond() const override { return m_device->bytesPerSecond(); }
    bool isLost() const override { return m_interrupted.load() || m_device->isLost(); }
    void interrupt() override
    {
        m_interrupted.store(true);
        m_device->interrupt();
    }

private:
    std::shared_ptr<MidiOutputDevice> m_device;
    std::atomic<bool> m_interrupted{false};
};

// A port of the same name: the same full name, or else the same readable
// name (a replugged interface or a restarted program may get another number).
std::optional<MidiPortInfo> findPort(const std::vector<MidiPortInfo>& ports, const MidiPortInfo& wanted)
{
    for (const MidiPortInfo& p : ports)
        if (!wanted.fullName.empty() && p.fullName == wanted.fullName)
            return p;
    for (const MidiPortInfo& p : ports)
        if (!wanted.name.isEmpty() && p.name == wanted.name)
            return p;
    return std::nullopt;
}

// The chosen device: by the name it had when it was chosen, else by index.
std::optional<MidiPortInfo> resolve(const std::vector<MidiPortInfo>& ports, int index, const QString& name)
{
    if (!name.isEmpty()) {
        if (index >= 0 && index < int(ports.size()) && ports[std::size_t(index)].name == name)
            return ports[std::size_t(index)];
        MidiPortInfo wanted;
        wanted.name = name;
        return findPort(ports, wanted);
    }
    if (index >= 0 && index < int(ports.size()))
        return ports[std::size_t(index)];
    return std::nullopt;
}

QString lostReason(bool serverGone)
{
    return serverGone ? MidiSession::tr("the MIDI server stopped") : MidiSession::tr("the port went away");
}

template <typename Device>
struct Opened {
    std::shared_ptr<Device> device;
    QString error;
};

// One direction: its device, or the port awaited since it went away (or
// could not be opened).
template <typename Device>
struct Side {
    std::shared_ptr<Device> device;
    std::optional<MidiPortInfo> wanted;
    // Bumped by every open and close, so a late reopen never undoes the
    // user's choice.
    unsigned generation = 0;
    Clock::time_point lastTry{};
};

} // namespace

struct MidiSession::Core {
    explicit Core(const QString& clientName)
        : midi(std::make_shared<const platform::MidiService>(clientName))
    {
    }

    // Lists and opens the devices, from the GUI and the watch thread; shared
    // with an opening that was given up on and may still be running.
    const std::shared_ptr<const platform::MidiService> midi;

    // The session object, for posting to the GUI thread; cleared when it goes.
    std::mutex ownerMutex;
    MidiSession* owner = nullptr;

    mutable std::mutex mutex; // everything below up to the choice
    Side<MidiOutputDevice> out;
    Side<MidiInputDevice> in;
    bool inputWithoutDevice = false;
    bool inputStarted = false;
    std::size_t droppedWhileLost = 0;
    ReceiveBuffer buffer;

    MidiDeviceChoice choice; // GUI thread only
    std::unique_ptr<OutputQueue> queue;

    std::mutex watchMutex;
    std::condition_variable watchWake;
    std::condition_variable watchFinished;
    bool watchStop = false;
    bool watchRunning = false;
    std::chrono::milliseconds watchInterval{500};
    std::thread watch;
    bool shutDown = false;

    void post(std::function<void(MidiSession&)> work)
    {
        std::lock_guard lock(ownerMutex);
        if (owner)
            QMetaObject::invokeMethod(
                owner, [o = owner, work = std::move(work)] { work(*o); }, Qt::QueuedConnection);
    }

    void say(const QString& line)
    {
        MidiSession* here = nullptr;
        {
            std::lock_guard lock(ownerMutex);
            if (owner && QThread::currentThread() == owner->thread())
                here = owner; // it cannot go away under its own thread
        }
        if (here)
            emit here->messageAdded(line);
        else
            post([line](MidiSession& s) { emit s.messageAdded(line); });
    }

    void changed()
    {
        post([](MidiSession& s) { emit s.connectionChanged(); });
    }

    // Clock::rep of the last SysEx handed to deliver(), for inputs without a device.
    std::atomic<Clock::rep> lastSysEx{0};

    void deliver(const std::uint8_t* data, std::size_t size)
    {
        if (size > 0 && data[0] == 0xF0)
            lastSysEx.store(Clock::now().time_since_epoch().count(), std::memory_order_relaxed);
        if (auto copy = buffer.fill(data, size))
            post([copy = std::move(*copy)](MidiSession& s) { emit s.sysExReceived(copy); });
    }

    MidiInputDevice::Callback inputCallback(const std::shared_ptr<Core>& self)
    {
        return [weak = std::weak_ptr<Core>(self)](const std::uint8_t* data, std::size_t size) {
            if (auto core = weak.lock())
                core->deliver(data, size);
        };
    }

    void ensureWatch(const std::shared_ptr<Core>& self)
    {
        std::lock_guard lock(watchMutex);
        if (watchRunning || watchStop)
            return;
        if (watch.joinable())
            watch.join();
        watchRunning = true;
        watch = std::thread([self] { self->watchLoop(self); });
    }

    void watchLoop(const std::shared_ptr<Core>& self)
    {
        std::unique_lock lock(watchMutex);
        while (!watchStop) {
            watchWake.wait_for(lock, watchInterval, [&] { return watchStop; });
            if (watchStop)
                break;
            lock.unlock();
            // Either may wait for a stopped server; only this thread waits then.
            watchOutput();
            watchInput(self);
            lock.lock();
        }
        watchRunning = false;
        watchFinished.notify_all();
    }

    // Drops a device whose port went away, or opens the awaited port once
    // it is listed again. `lost` and `back` run under the lock and say what
    // the line adds.
    template <typename Device>
    void watchSide(Side<Device>& side, const QString& direction,
                   const std::function<std::vector<MidiPortInfo>()>& list,
                   const std::function<std::unique_ptr<Device>(const MidiPortInfo&)>& open,
                   const std::function<QString(Device&)>& lost, const std::function<QString(Device&)>& back)
    {
        std::shared_ptr<Device> device;
        std::optional<MidiPortInfo> wanted;
        unsigned generation = 0;
        {
            std::lock_guard lock(mutex);
            device = side.device;
            wanted = side.wanted;
            generation = side.generation;
        }
        if (device) {
            if (device->checkConnection())
                return;
            const bool serverGone = device->isLost();
            QString more;
            {
                std::lock_guard lock(mutex);
                if (side.device != device || generation != side.generation)
                    return;
                side.device.reset();
                side.wanted = device->port();
                ++side.generation;
                more = lost(*device);
            }
            say(MidiSession::tr("MIDI %1 lost: %2 (%3)%4")
                    .arg(direction, device->name(), lostReason(serverGone), more));
            changed();
            device.reset(); // closes it, or leaves a dead server's client alone
            return;
        }
        if (!wanted || Clock::now() - side.lastTry < kRetryEvery)
            return;
        side.lastTry = Clock::now();
        const auto port = findPort(list(), *wanted);
        if (!port)
            return;
        std::shared_ptr<Device> fresh = open(*port);
        if (!fresh)
            return;
        QString more;
        {
            std::lock_guard lock(mutex);
            if (generation != side.generation || side.device || !side.wanted)
                return; // the user chose meanwhile; `fresh` closes again
            side.device = fresh;
            side.wanted.reset();
            ++side.generation;
            more = back(*fresh);
        }
        say(MidiSession::tr("MIDI %1 %2 is back and open again.%3").arg(direction, fresh->name(), more));
        changed();
    }

    void watchOutput()
    {
        watchSide<MidiOutputDevice>(
            out, MidiSession::tr("output"), [this] { return midi->outputs(false); },
            [this](const MidiPortInfo& port) {
                QString error;
                return midi->openOutput(port, &error);
            },
            [this](MidiOutputDevice& device) {
                device.interrupt();
                droppedWhileLost = 0;
                queue->setBackend(nullptr);
                return MidiSession::tr(
                    "; %1 queued message(s) discarded. Nothing is sent until it returns; it is "
                    "opened again by itself then. Start the MIDI server again or reconnect the "
                    "synthesizer.")
                    .arg(queue->discardWaiting());
            },
            [this](MidiOutputDevice&) {
                queue->setBackend(std::make_shared<DeviceBackend>(out.device));
                const std::size_t dropped = std::exchange(droppedWhileLost, 0);
                return dropped == 0
                    ? QString()
                    : MidiSession::tr(" %1 message(s) made while it was away were not sent.").arg(dropped);
            });
    }

    void watchInput(const std::shared_ptr<Core>& self)
    {
        watchSide<MidiInputDevice>(
            in, MidiSession::tr("input"), [this] { return midi->inputs(false); },
            [this, &self](const MidiPortInfo& port) {
                QString error;
                return midi->openInput(port, inputCallback(self), &error);
            },
            [](MidiInputDevice& device) {
                device.stop();
                return MidiSession::tr(". No sound can be received until it returns; it is opened again by "
                                       "itself then.");
            },
            [this](MidiInputDevice& device) {
                if (inputStarted)
                    device.start();
                else
                    device.stop();
                return QString();
            });
    }

    // Resolves the chosen port and opens it, waiting a bounded time; on a
    // failure the port is remembered and opened once it is there.
    template <typename Device>
    std::shared_ptr<Device> openChosen(Side<Device>& side, const QString& direction,
                                       const std::vector<MidiPortInfo>& ports, int index, const QString& name,
                                       std::function<std::unique_ptr<Device>(const MidiPortInfo&, QString*)> open,
                                       QString* error)
    {
        auto fail = [&](const QString& why) {
            if (error)
                *error = why;
            return std::shared_ptr<Device>();
        };
        const auto port = resolve(ports, index, name);
        if (!port) {
            if (!name.isEmpty()) {
                std::lock_guard lock(mutex);
                side.wanted = MidiPortInfo{name, {}, platform::MidiApiKind::Jack, false};
            }
            return fail(MidiSession::tr("There is no MIDI %1 device %2 (%3 present).")
                            .arg(direction, name.isEmpty() ? QString::number(index) : name)
                            .arg(ports.size()));
        }
        const auto opened = platform::runBounded<Opened<Device>>(
            [p = *port, open = std::move(open)] {
                Opened<Device> result;
                result.device = open(p, &result.error);
                return result;
            },
            kOpenWait);
        if (!opened || !opened->device) {
            std::lock_guard lock(mutex);
            side.wanted = *port;
            return fail(opened
                    ? opened->error
                    : MidiSession::tr("The MIDI server does not answer; %1 is opened when it does.")
                          .arg(port->name));
        }
        return opened->device;
    }

    // The entries were not queued: no output. While a lost port is awaited
    // they are only counted (a knob drag would flood the box otherwise).
    void notQueued(std::size_t messages)
    {
        {
            std::lock_guard lock(mutex);
            if (out.wanted) {
                ++droppedWhileLost;
                return;
            }
        }
        say(MidiSession::tr("MIDI output is not open: %1 message(s) not sent. Choose an output under "
                            "System, Midi Settings (Ctrl+D).")
                .arg(messages));
    }
};

MidiSession::MidiSession(const QString& clientName, QObject* parent)
    : QObject(parent)
    , d(std::make_shared<Core>(clientName))
{
    d->owner = this;
    d->queue = std::make_unique<OutputQueue>([weak = std::weak_ptr<Core>(d)](const QString& line) {
        if (auto core = weak.lock())
            core->say(line);
    });
}

MidiSession::~MidiSession()
{
    {
        std::lock_guard lock(d->ownerMutex);
        d->owner = nullptr;
    }
    if (!d->shutDown)
        shutdown(1000ms);
}

void MidiSession::say(const QString& line) { d->say(line); }

// ---- devices -------------------------------------------------------------

const platform::MidiService& MidiSession::midiService() const { return *d->midi; }

MidiDeviceChoice& MidiSession::choice() { return d->choice; }
std::uint16_t MidiSession::deviceId() const { return d->choice.deviceId; }

bool MidiSession::openOutput(QString* error)
{
    d->ensureWatch(d);
    auto device = d->openChosen<MidiOutputDevice>(
        d->out, tr("output"), d->midi->outputs(), d->choice.outputIndex, d->choice.outputName,
        [midi = d->midi](const MidiPortInfo& port, QString* why) { return midi->openOutput(port, why); },
        error);
    if (!device)
        return false;
    std::shared_ptr<MidiOutputDevice> previous;
    {
        std::lock_guard lock(d->mutex);
        previous = std::exchange(d->out.device, device);
        d->out.wanted.reset();
        ++d->out.generation;
        d->queue->setBackend(std::make_shared<DeviceBackend>(device));
    }
    if (previous)
        previous->interrupt();
    emit connectionChanged();
    return true;
}

void MidiSession::closeOutput()
{
    std::shared_ptr<MidiOutputDevice> device;
    std::size_t discarded = 0;
    {
        std::lock_guard lock(d->mutex);
        device = std::move(d->out.device);
        d->out.wanted.reset();
        ++d->out.generation;
        d->queue->setBackend(nullptr);
        discarded = d->queue->discardWaiting();
    }
    if (device)
        device->interrupt();
    if (discarded > 0)
        say(tr("%1 queued MIDI message(s) were not sent: the output was closed.").arg(discarded));
    device.reset();
    emit connectionChanged();
}

bool MidiSession::isOutputOpen() const { return d->queue->backend() != nullptr; }

QString MidiSession::outputName() const
{
    std::lock_guard lock(d->mutex);
    return d->out.device ? d->out.device->name() : QString();
}

bool MidiSession::openInput(QString* error)
{
    d->ensureWatch(d);
    auto device = d->openChosen<MidiInputDevice>(
        d->in, tr("input"), d->midi->inputs(), d->choice.inputIndex, d->choice.inputName,
        [midi = d->midi, callback = d->inputCallback(d)](const MidiPortInfo& port, QString* why) {
            auto opened = midi->openInput(port, callback, why);
            if (opened)
                opened->stop(); // messages pass once the input is started
            return opened;
        },
        error);
    if (!device)
        return false;
    std::shared_ptr<MidiInputDevice> previous;
    {
        std::lock_guard lock(d->mutex);
        previous = std::exchange(d->in.device, device);
        d->inputStarted = false;
        d->in.wanted.reset();
        ++d->in.generation;
    }
    previous.reset();
    emit connectionChanged();
    return true;
}

bool MidiSession::startInput()
{
    std::lock_guard lock(d->mutex);
    if (d->in.device) {
        d->inputStarted = d->in.device->start();
        return d->inputStarted;
    }
    d->inputStarted = d->inputWithoutDevice;
    return d->inputWithoutDevice;
}

bool MidiSession::stopInput()
{
    std::lock_guard lock(d->mutex);
    d->inputStarted = false;
    if (d->in.device) {
        d->in.device->stop();
        return true;
    }
    return d->inputWithoutDevice || d->in.wanted.has_value();
}

void MidiSession::closeInput()
{
    std::shared_ptr<MidiInputDevice> device;
    {
        std::lock_guard lock(d->mutex);
        device = std::move(d->in.device);
        d->inputWithoutDevice = false;
        d->inputStarted = false;
        d->in.wanted.reset();
        ++d->in.generation;
    }
    d->buffer.disarm();
    // Closed outside the lock: closing waits for a callback that may be
    // running and wants the lock.
    device.reset();
    emit connectionChanged();
}

bool MidiSession::isInputOpen() const
{
    std::lock_guard lock(d->mutex);
    return d->in.device != nullptr || d->inputWithoutDevice;
}

QString MidiSession::inputName() const
{
    std::lock_guard lock(d->mutex);
    return d->in.device ? d->in.device->name() : QString();
}

QString MidiSession::portsLine() const
{
    const QString out = outputName();
    const QString in = inputName();
    return tr("MIDI output: %1. MIDI input: %2.")
        .arg(out.isEmpty() ? (isOutputOpen() ? tr("open") : tr("none")) : out,
            in.isEmpty() ? tr("none; sounds cannot be received (choose one under System, Midi "
                              "Settings)")
                         : in);
}

void MidiSession::setOutputBackend(std::shared_ptr<OutputBackend> backend)
{
    std::shared_ptr<MidiOutputDevice> previous;
    {
        std::lock_guard lock(d->mutex);
        previous = std::move(d->out.device);
        d->out.wanted.reset();
        ++d->out.generation;
        d->queue->setBackend(std::move(backend));
    }
}

void MidiSession::openInputWithoutDevice()
{
    closeInput();
    std::lock_guard lock(d->mutex);
    d->inputWithoutDevice = true;
}

// ---- the receive buffer ----------------------------------------------------

ArmResult MidiSession::armInput(std::size_t length)
{
    std::lock_guard lock(d->mutex);
    ArmResult result;
    const bool gone
        = (!d->in.device && !d->inputWithoutDevice && d->in.wanted) || (d->in.device && d->in.device->isLost());
    if (!d->in.device && !d->inputWithoutDevice && !gone) {
        result.prepareError = kErrorInputNotOpen;
        return result;
    }
    // A lost port keeps the buffer registered: it is queued when the port returns.
    d->buffer.arm(length);
    if (gone)
        result.queueError = kErrorInputGone;
    return result;
}

bool MidiSession::isInputArmed() const { return d->buffer.isArmed(); }
void MidiSession::disarmInput() { d->buffer.disarm(); }

void MidiSession::deliverInput(const std::uint8_t* data, std::size_t size) { d->deliver(data, size); }

std::chrono::milliseconds MidiSession::timeSinceSysExInput() const
{
    Clock::time_point last{Clock::duration(d->lastSysEx.load(std::memory_order_relaxed))};
    {
        std::lock_guard lock(d->mutex);
        if (d->in.device)
            last = std::max(last, d->in.device->lastSysExActivity());
    }
    if (last == Clock::time_point{})
        return std::chrono::milliseconds::max();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last);
}

// ---- the output queue --------------------------------------------------------

void MidiSession::enqueue(QueueEntry entry)
{
    if (entry.messages.empty())
        return;
    const std::size_t n = entry.messages.size();
    if (!d->queue->enqueue(std::move(entry)))
        d->notQueued(n);
}

void MidiSession::enqueueFirst(QueueEntry entry)
{
    if (entry.messages.empty())
        return;
    const std::size_t n = entry.messages.size();
    if (!d->queue->enqueueFirst(std::move(entry)))
        d->notQueued(n);
}

bool MidiSession::waitIdle(std::chrono::milliseconds timeout) const { return d->queue->waitIdle(timeout); }
std::size_t MidiSession::pending() const { return d->queue->pending(); }

// ---- what the program sends ----------------------------------------------------

namespace {
QueueEntry single(Bytes message, bool note = false)
{
    QueueEntry e;
    e.messages.push_back(std::move(message));
    e.note = note;
    return e;
}
} // namespace

void MidiSession::sendNoteOn(std::uint8_t channel, std::uint8_t note)
{
    enqueue(single(noteOnMessage(channel, note), true));
}

void MidiSession::sendNoteOff(std::uint8_t channel, std::uint8_t note)
{
    enqueue(single(noteOffMessage(channel, note), true));
}

void MidiSession::sendControl(std::uint8_t controller, std::uint8_t value)
{
    enqueue(single(controlMessage(controller, value)));
}

void MidiSession::sendChannelControl(std::uint8_t channel, std::uint8_t controller, std::uint8_t value)
{
    enqueue(single(channelControlMessage(channel, controller, value)));
}

void MidiSession::sendProgramChange(std::uint8_t channel, std::uint8_t program)
{
    enqueue(single(programChangeMessage(channel, program)));
}

void MidiSession::sendPacedMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    QueueEntry e = pacedEntry(status, data1, data2);
    if (e.messages.empty()) {
        say(tr("MIDI output: %1 is not a channel message status; not sent.")
                .arg(status, 2, 16, QLatin1Char('0')));
        return;
    }
    enqueue(std::move(e));
}

void MidiSession::sendNrpn(std::uint16_t parameter, std::uint16_t value, int selector)
{
    enqueue(nrpnEntry(parameter, value, selector));
}

void MidiSession::sendReset() { enqueue(resetEntry()); }

void MidiSession::panic() { enqueueFirst(panicEntry()); }

void MidiSession::sendStoreSlot(const SoundStore& store, int slot)
{
    // A slot outside the store is refused, with its Messages line, below.
    sendSoundToSlot(isValidSlot(slot) ? store.slot(slot) : SoundDump{}, slot);
}

void MidiSession::sendSoundToSlot(const SoundDump& dump, int slot)
{
    if (!isValidSlot(slot)) {
        say(tr("MIDI output: there is no slot %1; nothing sent.").arg(slot));
        return;
    }
    enqueue(storeSlotEntry(dump, slot));
}

void MidiSession::sendSoundDump(const SoundDump& dump) { enqueue(single(Bytes(dump.begin(), dump.end()))); }

void MidiSession::sendAuditionDump(const SoundDump& dump) { enqueue(auditionEntry(dump)); }

bool MidiSession::sendSysExFile(const QString& path, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists())
        return fail(tr("The file %1 does not exist.").arg(path));
    // Opening a named pipe waits for a writer and a device never ends: only
    // a plain file is read, so the window never hangs on the choice.
    if (!info.isFile())
        return fail(tr("%1 is not a plain file; nothing was sent.").arg(path));
    if (static_cast<std::size_t>(info.size()) > kMaxSysExFileSize)
        return fail(
            tr("The file %1 has %2 bytes; files larger than 1 MiB are not sent.").arg(path).arg(info.size()));
    if (!file.open(QIODevice::ReadOnly))
        return fail(tr("The file %1 cannot be read: %2").arg(path, file.errorString()));
    // Read one byte past the limit: a file that grew since the check is caught too.
    const QByteArray data = file.read(static_cast<qint64>(kMaxSysExFileSize) + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(tr("The file %1 cannot be read: %2").arg(path, file.errorString()));
    if (static_cast<std::size_t>(data.size()) > kMaxSysExFileSize)
        return fail(tr("The file %1 is larger than 1 MiB; not sent.").arg(path));
    if (data.isEmpty())
        return true;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    std::vector<QueueEntry> entries = sysExFileEntries(Bytes(bytes, bytes + data.size()));
    const std::size_t n = entries.size();
    if (!d->queue->enqueue(std::move(entries)))
        d->notQueued(n);
    return true;
}

void MidiSession::sendDumpRequest() { enqueue(single(dumpRequestMessage())); }

// ---- lifecycle ---------------------------------------------------------------

void MidiSession::setWatchInterval(std::chrono::milliseconds interval)
{
    std::lock_guard lock(d->watchMutex);
    d->watchInterval = interval;
    d->watchWake.notify_all();
}

bool MidiSession::shutdown(std::chrono::milliseconds budget)
{
    const auto deadline = Clock::now() + budget;
    auto left = [&] {
        return std::max(std::chrono::milliseconds(1),
                        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
    };
    d->shutDown = true;
    bool clean = true;

    {
        std::unique_lock lock(d->watchMutex);
        d->watchStop = true;
        d->watchWake.notify_all();
        // The watch may be inside a call to a stopped server: leave it there.
        const bool ended = d->watchFinished.wait_for(lock, left(), [&] { return !d->watchRunning; });
        if (d->watch.joinable()) {
            if (ended) {
                lock.unlock();
                d->watch.join();
            } else {
                d->watch.detach();
                clean = false;
            }
        }
    }

    clean = d->queue->shutdown(left()) && clean;

    std::shared_ptr<MidiOutputDevice> output;
    std::shared_ptr<MidiInputDevice> input;
    {
        std::lock_guard lock(d->mutex);
        output = std::move(d->out.device);
        input = std::move(d->in.device);
        d->out.wanted.reset();
        d->in.wanted.reset();
        d->queue->setBackend(nullptr);
    }
    if (output)
        output->interrupt();
    // Both at once, each on a thread of its own that may stay behind in a
    // server that does not answer; the budget is for the whole.
    struct Closing {
        std::mutex mutex;
        std::condition_variable done;
        int open = 0;
    };
    auto closing = std::make_shared<Closing>();
    auto close = [&closing](auto device) {
        if (!device)
            return;
        {
            std::lock_guard lock(closing->mutex);
            ++closing->open;
        }
        std::thread([closing, device = std::move(device)]() mutable {
            device.reset();
            std::lock_guard lock(closing->mutex);
            --closing->open;
            closing->done.notify_all();
        }).detach();
    };
    close(std::move(input));
    close(std::move(output));
    {
        std::unique_lock lock(closing->mutex);
        if (!closing->done.wait_until(lock, deadline, [&] { return closing->open == 0; }))
            clean = false;
    }
    return clean && platform::abandonedCalls() == 0;
}

} // namespace sondrake::midi
