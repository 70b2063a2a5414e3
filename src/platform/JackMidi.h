#pragma once

// MIDI over a JACK server, through libjack itself. Every endpoint is one
// client with one MIDI port, and owns its lifetime against the server: the
// server's shutdown notice marks it dead, and a dead endpoint is never
// touched again (libjack frees a dead server's memory as soon as a client
// of a restarted server opens, so closing the old client afterwards would
// write into freed memory). Internal to the platform layer.

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sondrake::platform::jackmidi {

// Largest message an endpoint sends. A JACK MIDI event must fit one
// period's port buffer (32,720 bytes at every period size jackd uses), and
// the bytes wait in a ring buffer of 64 KiB before that.
constexpr std::size_t kMaxMessageSize = 16379;

// Whether a server answers. Blocks while a server is stopped.
bool serverRunning(const std::string& clientName);

// Full names ("client:port") of the MIDI ports of every client: ports that
// send when `sending` is set (our inputs read them), otherwise ports that
// receive. Nothing when no server answers. Blocks while a server is stopped.
std::optional<std::vector<std::string>> listPorts(const std::string& clientName, bool sending);

// True on a server's process thread while an endpoint of ours handles its
// period: for the checks that this path neither locks nor allocates.
bool insideProcessCallback();

class Endpoint {
public:
    using Callback = std::function<void(const std::uint8_t* data, std::size_t size)>;

    // Opens a client named `clientName` with one MIDI port `portName`,
    // output or input, and connects it to `peer` (a full port name) unless
    // that is empty (a port others connect to). Blocks while a server is
    // stopped. The callback of an input runs on a reader thread of the
    // endpoint's own, never on the server's real-time process thread.
    static std::shared_ptr<Endpoint> open(const std::string& clientName, const std::string& portName, bool output,
                                          const std::string& peer, Callback callback, QString* error);

    // Hands one message to the process thread, which passes it on in the
    // next period. Waits (asleep, never spinning) while the ring buffer is
    // full; returns false at once when the server died or interrupt() was
    // called.
    bool send(const std::uint8_t* data, std::size_t size, QString* error);
    // A send that waits gives up, and every later one fails.
    void interrupt();

    // The server shut down under the endpoint.
    bool isDead() const;
    // Alive, and still connected to the peer it was opened for.
    bool isConnected() const;
    void setStarted(bool started);
    // When the input last saw bytes of a SysEx message, pieces included.
    std::chrono::steady_clock::time_point lastSysExActivity() const;
    bool isStarted() const;
    std::string fullPortName() const;

    struct State;

private:
    explicit Endpoint(std::shared_ptr<State> state);
    std::shared_ptr<State> d;
};

} // namespace sondrake::platform::jackmidi
