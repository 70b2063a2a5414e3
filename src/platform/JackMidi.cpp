#include "platform/JackMidi.h"

#include "platform/Bounded.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <QByteArray>
#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

#include <semaphore.h>

namespace sondrake::platform::jackmidi {

namespace {

// Bytes waiting for the process thread (output), or taken from it and
// waiting for the reader thread (input): [uint32 size][bytes] records. An
// input record of size 0 says the input was stopped in between.
constexpr std::size_t kRingSize = 1u << 16;
constexpr std::size_t kInputRingSize = 1u << 18;
// Longest SysEx an input puts together from continued events.
constexpr std::size_t kMaxInputMessage = 1u << 16;
// How long a closing client may take before it is left to finish alone.
constexpr std::chrono::milliseconds kCloseWait{500};

std::mutex errorMutex;
std::string lastErrorText;

thread_local bool insideProcess = false;

// The size of the record at the ring's head, once all of it is there (the
// writer may still be putting it in).
bool nextRecord(jack_ringbuffer_t* ring, std::uint32_t& size)
{
    const std::size_t available = jack_ringbuffer_read_space(ring);
    if (available < sizeof size)
        return false;
    jack_ringbuffer_peek(ring, reinterpret_cast<char*>(&size), sizeof size);
    return available >= sizeof size + size;
}

void addNanoseconds(timespec& t, long ns)
{
    t.tv_nsec += ns;
    if (t.tv_nsec >= 1'000'000'000) {
        t.tv_nsec -= 1'000'000'000;
        ++t.tv_sec;
    }
}

// libjack writes every failure to standard error, "no server" included,
// which is an ordinary state here; keep the last text for our own messages.
void keepError(const char* text)
{
    std::lock_guard lock(errorMutex);
    lastErrorText = text ? text : "";
}
void dropInfo(const char*) { }

void prepareLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // A client of ours must never start a server of its own.
        qputenv("JACK_NO_START_SERVER", "1");
        jack_set_error_function(keepError);
        jack_set_info_function(dropInfo);
    });
}

QString lastError(const QString& fallback)
{
    std::lock_guard lock(errorMutex);
    return lastErrorText.empty() ? fallback : QString::fromLocal8Bit(lastErrorText.c_str());
}

jack_client_t* openClient(const std::string& name, jack_status_t* status)
{
    prepareLibrary();
    return jack_client_open(name.c_str(), JackNoStartServer, status);
}

} // namespace

struct Endpoint::State {
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    bool output = true;
    std::string peer;
    std::string fullName;
    Callback callback;
    std::atomic<bool> dead { false };
    std::atomic<bool> interrupted { false };
    std::atomic<bool> started { false };
    jack_ringbuffer_t* ring = nullptr;
    sem_t room {}; // posted when the process thread took messages, or the server died
    bool semaphoreReady = false;

    // Input. The process thread runs at the server's deadline for every
    // program on the graph: it only copies each event into the ring and
    // posts `arrived`; the reader thread puts SysEx pieces together and
    // calls the callback, which may lock and allocate.
    sem_t arrived {};
    bool arrivedReady = false;
    std::thread reader;
    std::atomic<bool> readerStop { false };
    bool resetPending = false; // process thread only: the reader must drop a half SysEx
    std::atomic<std::chrono::steady_clock::rep> lastSysEx { 0 };
    // An input's SysEx that arrives in several events (reader thread only).
    std::vector<std::uint8_t> pending;
    bool inSysEx = false;

    ~State()
    {
        if (ring)
            jack_ringbuffer_free(ring);
        if (semaphoreReady)
            sem_destroy(&room);
        if (arrivedReady)
            sem_destroy(&arrived);
    }

    void wake()
    {
        if (semaphoreReady)
            sem_post(&room);
    }

    void stopReader()
    {
        if (!reader.joinable())
            return;
        readerStop.store(true);
        sem_post(&arrived);
        // The last owner may be the callback itself, on the reader thread.
        if (reader.get_id() == std::this_thread::get_id())
            reader.detach();
        else
            reader.join();
    }

    void noteSysEx() { lastSysEx.store(std::chrono::steady_clock::now().time_since_epoch().count(), std::memory_order_relaxed); }

    void deliverInput(const std::uint8_t* data, std::size_t size)
    {
        if (size == 0)
            return;
        if (data[0] >= 0xF8) { // real time messages may come between the pieces of a SysEx
            callback(data, size);
            return;
        }
        if (data[0] == 0xF0 || inSysEx)
            noteSysEx();
        if (inSysEx) {
            if (data[0] >= 0x80 && data[0] != 0xF7) {
                // A new status byte: the SysEx was cut off; what came is dropped.
                inSysEx = false;
                pending.clear();
            } else {
                const std::size_t space = kMaxInputMessage - pending.size();
                pending.insert(pending.end(), data, data + std::min(size, space));
                if (data[size - 1] == 0xF7) {
                    inSysEx = false;
                    callback(pending.data(), pending.size());
                    pending.clear();
                }
                return;
            }
        }
        if (data[0] == 0xF0 && data[size - 1] != 0xF7) {
            inSysEx = true;
            pending.assign(data, data + std::min(size, kMaxInputMessage));
            return;
        }
        callback(data, size);
    }

    void processOutput(void* buffer)
    {
        jack_midi_clear_buffer(buffer);
        bool took = false;
        bool wroteAny = false;
        for (;;) {
            std::uint32_t size = 0;
            if (!nextRecord(ring, size))
                break;
            jack_midi_data_t* slot = jack_midi_event_reserve(buffer, 0, size);
            if (!slot && wroteAny)
                break; // the period's buffer is full: the rest leaves in the next one
            jack_ringbuffer_read_advance(ring, sizeof size);
            if (!slot) {
                // Not even an empty buffer takes it; keeping it would stop
                // everything behind it for good. send() refuses such sizes.
                jack_ringbuffer_read_advance(ring, size);
                took = true;
                continue;
            }
            jack_ringbuffer_read(ring, reinterpret_cast<char*>(slot), size);
            took = true;
            wroteAny = true;
        }
        if (took)
            wake();
    }

    // Real-time: no lock, no allocation, no call that may block.
    bool putRecord(const std::uint8_t* data, std::uint32_t size)
    {
        if (jack_ringbuffer_write_space(ring) < sizeof size + size)
            return false;
        jack_ringbuffer_write(ring, reinterpret_cast<const char*>(&size), sizeof size);
        if (size > 0)
            jack_ringbuffer_write(ring, reinterpret_cast<const char*>(data), size);
        return true;
    }

    void processInput(void* buffer)
    {
        const std::uint32_t count = jack_midi_get_event_count(buffer);
        bool put = false;
        for (std::uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) != 0)
                continue;
            if (!started.load(std::memory_order_relaxed)) {
                resetPending = true;
                continue;
            }
            // An event that finds no room is lost, as on a cable whose
            // receiver is too slow; the reader then drops the SysEx it cut.
            if (resetPending && !putRecord(nullptr, 0))
                continue;
            resetPending = false;
            if (putRecord(event.buffer, static_cast<std::uint32_t>(event.size)))
                put = true;
            else
                resetPending = true;
        }
        if (put || resetPending)
            sem_post(&arrived);
    }

    // The reader thread: takes the events off the ring in order.
    void readLoop()
    {
        std::vector<std::uint8_t> record(kInputRingSize);
        while (!readerStop.load()) {
            timespec until {};
            clock_gettime(CLOCK_REALTIME, &until);
            addNanoseconds(until, 100'000'000);
            sem_timedwait(&arrived, &until);
            for (;;) {
                std::uint32_t size = 0;
                if (!nextRecord(ring, size))
                    break;
                jack_ringbuffer_read_advance(ring, sizeof size);
                jack_ringbuffer_read(ring, reinterpret_cast<char*>(record.data()), size);
                if (size == 0) {
                    inSysEx = false;
                    pending.clear();
                } else if (!readerStop.load()) {
                    deliverInput(record.data(), size);
                }
            }
        }
    }

    static int onProcess(jack_nframes_t frames, void* arg)
    {
        insideProcess = true;
        struct Leave {
            ~Leave() { insideProcess = false; }
        } leave;
        auto* self = static_cast<State*>(arg);
        void* buffer = jack_port_get_buffer(self->port, frames);
        if (!buffer)
            return 0;
        if (self->output)
            self->processOutput(buffer);
        else
            self->processInput(buffer);
        return 0;
    }

    static void onShutdown(void* arg)
    {
        // Runs on the client's thread as the server goes; only flags here.
        auto* self = static_cast<State*>(arg);
        self->dead.store(true);
        self->wake();
    }
};

bool serverRunning(const std::string& clientName)
{
    jack_status_t status {};
    jack_client_t* client = openClient(clientName, &status);
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

std::optional<std::vector<std::string>> listPorts(const std::string& clientName, bool sending)
{
    jack_status_t status {};
    jack_client_t* client = openClient(clientName, &status);
    if (!client)
        return std::nullopt;
    std::vector<std::string> names;
    if (const char** ports
        = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, sending ? JackPortIsOutput : JackPortIsInput)) {
        for (const char** p = ports; *p; ++p)
            names.emplace_back(*p);
        jack_free(ports);
    }
    jack_client_close(client);
    return names;
}

Endpoint::Endpoint(std::shared_ptr<State> state)
    : d(std::move(state))
{
}

std::shared_ptr<Endpoint> Endpoint::open(const std::string& clientName, const std::string& portName, bool output,
                                         const std::string& peer, Callback callback, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::shared_ptr<Endpoint>();
    };
    jack_status_t status {};
    jack_client_t* client = openClient(clientName, &status);
    if (!client)
        return fail(QCoreApplication::translate("JackMidi", "No JACK server is running."));

    // From here on the state belongs to the client: it is freed only after
    // the client has been closed, and never once the server has died.
    auto* s = new State;
    s->client = client;
    s->output = output;
    s->peer = peer;
    s->callback = std::move(callback);
    auto closeNow = [s] {
        jack_client_close(s->client);
        s->stopReader();
        delete s;
    };
    s->port = jack_port_register(client, portName.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                 output ? JackPortIsOutput : JackPortIsInput, 0);
    if (!s->port) {
        const QString why
            = lastError(QCoreApplication::translate("JackMidi", "JACK refused to create the MIDI port."));
        closeNow();
        return fail(why);
    }
    s->ring = jack_ringbuffer_create(output ? kRingSize : kInputRingSize);
    if (!s->ring) {
        closeNow();
        return fail(QCoreApplication::translate("JackMidi", "Out of memory for the MIDI buffer."));
    }
    s->semaphoreReady = sem_init(&s->room, 0, 0) == 0;
    if (!output) {
        s->pending.reserve(kMaxInputMessage);
        s->arrivedReady = sem_init(&s->arrived, 0, 0) == 0;
        if (!s->arrivedReady) {
            closeNow();
            return fail(QCoreApplication::translate("JackMidi", "The MIDI input could not be prepared."));
        }
        // Before the client runs: the process thread may post at once.
        s->reader = std::thread([s] { s->readLoop(); });
    }
    s->fullName = jack_port_name(s->port);
    jack_set_process_callback(client, &State::onProcess, s);
    jack_on_shutdown(client, &State::onShutdown, s);
    if (jack_activate(client) != 0) {
        closeNow();
        return fail(
            lastError(QCoreApplication::translate("JackMidi", "JACK refused to start the MIDI client.")));
    }
    if (!peer.empty()) {
        const int rc = output ? jack_connect(client, s->fullName.c_str(), peer.c_str())
                              : jack_connect(client, peer.c_str(), s->fullName.c_str());
        if (rc != 0 && rc != EEXIST) {
            jack_deactivate(client);
            closeNow();
            return fail(QCoreApplication::translate("JackMidi", "Could not connect to the JACK port %1.")
                            .arg(QString::fromStdString(peer)));
        }
    }
    // The shared state is released by hand below, never by shared_ptr.
    return std::shared_ptr<Endpoint>(new Endpoint(std::shared_ptr<State>(s, [](State* state) {
        state->interrupted.store(true);
        state->started.store(false);
        state->wake();
        // The reader touches nothing of the server's; it ends first, so no
        // callback runs once the endpoint is gone.
        state->stopReader();
        if (state->dead.load())
            return; // a dead server's client is left alone for good (a few KiB)
        runBounded(
            [state] {
                jack_deactivate(state->client);
                jack_client_close(state->client);
                delete state;
            },
            kCloseWait);
    })));
}

bool Endpoint::send(const std::uint8_t* data, std::size_t size, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    State& s = *d;
    if (!s.output || !s.ring)
        return fail(QCoreApplication::translate("JackMidi", "not an output"));
    if (size > kMaxMessageSize)
        return fail(
            QCoreApplication::translate("JackMidi", "a message of %1 bytes is longer than a JACK port takes")
                .arg(size));
    const std::uint32_t length = static_cast<std::uint32_t>(size);
    const std::size_t needed = sizeof length + size;
    for (;;) {
        if (s.dead.load())
            return fail(QCoreApplication::translate("JackMidi", "the JACK server has stopped"));
        if (s.interrupted.load())
            return fail(QCoreApplication::translate("JackMidi", "the MIDI output is closing"));
        if (jack_ringbuffer_write_space(s.ring) >= needed) {
            jack_ringbuffer_write(s.ring, reinterpret_cast<const char*>(&length), sizeof length);
            jack_ringbuffer_write(s.ring, reinterpret_cast<const char*>(data), size);
            return true;
        }
        // Full: the server is slow or stopped. Sleep until the process
        // thread takes something, and look at the flags now and then.
        if (!s.semaphoreReady)
            return fail(QCoreApplication::translate("JackMidi", "the MIDI output buffer is full"));
        timespec until {};
        clock_gettime(CLOCK_REALTIME, &until);
        addNanoseconds(until, 50'000'000);
        sem_timedwait(&s.room, &until);
    }
}

void Endpoint::interrupt()
{
    d->interrupted.store(true);
    d->wake();
}

bool Endpoint::isDead() const { return d->dead.load(); }

bool Endpoint::isConnected() const
{
    if (d->dead.load())
        return false;
    if (d->peer.empty())
        return true;
    // Both read the server's shared graph; neither asks the server.
    jack_port_t* peer = jack_port_by_name(d->client, d->peer.c_str());
    return peer && jack_port_connected_to(d->port, d->peer.c_str());
}

std::chrono::steady_clock::time_point Endpoint::lastSysExActivity() const
{
    return std::chrono::steady_clock::time_point(
        std::chrono::steady_clock::duration(d->lastSysEx.load(std::memory_order_relaxed)));
}

bool insideProcessCallback() { return insideProcess; }

void Endpoint::setStarted(bool started) { d->started.store(started); }
bool Endpoint::isStarted() const { return d->started.load(); }
std::string Endpoint::fullPortName() const { return d->fullName; }

} // namespace sondrake::platform::jackmidi
