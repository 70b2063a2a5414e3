#pragma once

// Calls into a MIDI server can block for as long as the server is stopped
// (SIGSTOP, a debugger, a frozen machine). The window and the closing
// sequence must not wait that long: such a call runs on a thread of its own,
// and the caller waits a bounded time for it. A call that outlives its wait
// is left running; it finishes, and frees what it owns, whenever the server
// answers again, or never.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace sondrake::platform {

// Calls that were given up on and have not finished yet. A process that
// still has one must end with _exit: the normal exit would run static
// destructors under a thread that is inside the server's client library.
int abandonedCalls();

namespace detail {
void noteAbandoned();
void noteAbandonedFinished();
} // namespace detail

// Runs `work` on a new thread and waits at most `timeout` for its result;
// nothing when it did not finish in time.
template <typename T>
std::optional<T> runBounded(std::function<T()> work, std::chrono::milliseconds timeout)
{
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<T> result;
        bool finished = false;
        bool abandoned = false;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, work = std::move(work)]() mutable {
        std::optional<T> result(work());
        std::lock_guard lock(shared->mutex);
        shared->finished = true;
        if (shared->abandoned) {
            detail::noteAbandonedFinished();
            return; // the result is dropped with the last reference, here
        }
        shared->result = std::move(result);
        shared->done.notify_all();
    }).detach();
    std::unique_lock lock(shared->mutex);
    if (!shared->done.wait_for(lock, timeout, [&] { return shared->finished; })) {
        shared->abandoned = true;
        detail::noteAbandoned();
        return std::nullopt;
    }
    return std::move(shared->result);
}

// The same for work without a result: true when it finished in time.
bool runBounded(std::function<void()> work, std::chrono::milliseconds timeout);

} // namespace sondrake::platform
