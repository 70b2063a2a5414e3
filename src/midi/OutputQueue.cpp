#include "midi/OutputQueue.h"

#include <QCoreApplication>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace sondrake::midi {

namespace {
using Clock = std::chrono::steady_clock;
} // namespace

struct OutputQueue::Impl {
    mutable std::mutex mutex;
    std::condition_variable wake;     // new entry, or stop
    std::condition_variable idle;     // queue drained
    std::condition_variable finished; // sender thread left its loop
    std::deque<QueueEntry> queue;
    std::shared_ptr<OutputBackend> backend;
    std::shared_ptr<OutputBackend> sending; // the back end of the entry on the wire
    // A back end that lost its port: nothing more is taken for it, so what
    // waits is still there for whoever notices the loss to count and drop.
    std::shared_ptr<OutputBackend> stalled;
    Reporter report;
    bool busy = false;
    bool stopping = false;
    bool running = false;
    std::thread thread;

    void ensureThread(const std::shared_ptr<Impl>& self)
    {
        // mutex held
        if (running)
            return;
        if (thread.joinable())
            thread.join(); // it has left its loop already
        stopping = false;
        running = true;
        thread = std::thread([self] { self->loop(); });
    }

    void dropWaiting(std::uint64_t key)
    {
        // mutex held
        if (key == 0)
            return;
        queue.erase(std::remove_if(queue.begin(), queue.end(),
                                   [key](const QueueEntry& e) { return e.coalesceKey == key; }),
                    queue.end());
    }

    void loop()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return stopping || (!queue.empty() && backend && backend != stalled); });
            if (stopping)
                break;
            QueueEntry entry = std::move(queue.front());
            queue.pop_front();
            busy = true;
            sending = backend;
            auto out = sending;
            lock.unlock();
            const bool lost = !sendEntry(entry, out.get());
            lock.lock();
            if (lost && backend == out)
                stalled = out;
            out.reset();
            sending.reset();
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

    // Waits until `until`; false when the queue is stopping meanwhile, so
    // closing never waits out a long SysEx's pacing.
    bool pauseUntil(Clock::time_point until)
    {
        std::unique_lock lock(mutex);
        return !wake.wait_until(lock, until, [&] { return stopping; });
    }

    void tell(const QString& line) const
    {
        if (report)
            report(line);
    }

    // False when the back end lost its port on the way.
    bool sendEntry(const QueueEntry& entry, OutputBackend* out)
    {
        const std::size_t maxSize = out->maxMessageSize();
        const bool fragments = out->acceptsFragments();
        const std::size_t rate = out->bytesPerSecond();
        bool reported = false;
        auto next = Clock::now();
        for (const Bytes& message : entry.messages) {
            for (const Bytes& piece : splitMessage(message, maxSize, fragments)) {
                if (maxSize && piece.size() > maxSize) {
                    tell(QCoreApplication::translate("OutputQueue",
                        "MIDI output: a SysEx message of %1 bytes is longer than the "
                        "port takes (%2 bytes); not sent.")
                             .arg(piece.size())
                             .arg(maxSize));
                    continue;
                }
                if (!pauseUntil(next))
                    return true;
                QString error;
                const auto handedAt = Clock::now();
                if (!out->send(piece.data(), piece.size(), &error)) {
                    // A lost port fails everything; whoever noticed the loss
                    // tells the user once, with what was dropped.
                    if (out->isLost())
                        return false;
                    if (!reported) {
                        reported = true;
                        tell(QCoreApplication::translate("OutputQueue",
                            "MIDI output error: %1. Check that the synthesizer's MIDI output "
                            "device is connected, or choose it under System, Midi Settings "
                            "(Ctrl+D).")
                                 .arg(error.isEmpty()
                                         ? QCoreApplication::translate("OutputQueue", "message not sent")
                                         : error));
                    }
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
        return true;
    }
};

OutputQueue::OutputQueue(Reporter reporter)
    : d(std::make_shared<Impl>())
{
    d->report = std::move(reporter);
}

OutputQueue::~OutputQueue() { shutdown(std::chrono::milliseconds(500)); }

void OutputQueue::setBackend(std::shared_ptr<OutputBackend> backend)
{
    std::lock_guard lock(d->mutex);
    d->backend = std::move(backend);
    d->wake.notify_all();
}

std::shared_ptr<OutputBackend> OutputQueue::backend() const
{
    std::lock_guard lock(d->mutex);
    return d->backend;
}

bool OutputQueue::enqueue(QueueEntry entry)
{
    std::vector<QueueEntry> one;
    one.push_back(std::move(entry));
    return enqueue(std::move(one));
}

bool OutputQueue::enqueue(std::vector<QueueEntry> entries)
{
    std::lock_guard lock(d->mutex);
    if (!d->backend)
        return false;
    bool any = false;
    for (QueueEntry& e : entries) {
        if (e.messages.empty())
            continue;
        d->dropWaiting(e.coalesceKey);
        d->queue.push_back(std::move(e));
        any = true;
    }
    if (any) {
        d->ensureThread(d);
        d->wake.notify_one();
    }
    return true;
}

bool OutputQueue::enqueueFirst(QueueEntry entry)
{
    std::lock_guard lock(d->mutex);
    if (!d->backend)
        return false;
    if (entry.messages.empty())
        return true;
    d->dropWaiting(entry.coalesceKey);
    d->queue.erase(std::remove_if(d->queue.begin(), d->queue.end(), [](const QueueEntry& e) { return e.note; }),
                   d->queue.end());
    d->queue.push_front(std::move(entry));
    d->ensureThread(d);
    d->wake.notify_one();
    return true;
}

std::size_t OutputQueue::discardWaiting()
{
    std::lock_guard lock(d->mutex);
    const std::size_t n = d->queue.size();
    d->queue.clear();
    if (!d->busy)
        d->idle.notify_all();
    return n;
}

bool OutputQueue::waitIdle(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(d->mutex);
    return d->idle.wait_for(lock, timeout, [&] { return d->queue.empty() && !d->busy; });
}

std::size_t OutputQueue::pending() const
{
    std::lock_guard lock(d->mutex);
    return d->queue.size() + (d->busy ? 1 : 0);
}

bool OutputQueue::shutdown(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(d->mutex);
    if (!d->running) {
        if (d->thread.joinable()) {
            lock.unlock();
            d->thread.join();
        }
        return true;
    }
    d->stopping = true;
    d->queue.clear();
    if (d->sending)
        d->sending->interrupt();
    d->wake.notify_all();
    if (d->finished.wait_for(lock, timeout, [&] { return !d->running; })) {
        lock.unlock();
        d->thread.join();
        return true;
    }
    // The back end is stuck inside a send that cannot be interrupted. Leave
    // the thread with its own reference to the old state rather than hang
    // the program; the queue starts over closed, so later calls stay safe.
    d->thread.detach();
    Reporter report = d->report;
    lock.unlock();
    d = std::make_shared<Impl>();
    d->report = std::move(report);
    return false;
}

} // namespace sondrake::midi
