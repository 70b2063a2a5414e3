#include "platform/TerminationSignals.h"

#include <QObject>
#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>

#include <semaphore.h>
#include <unistd.h>

namespace sondrake::platform {

namespace {

    // Reached from the signal handler, so plain process-wide storage.
    int signalPipe[2] = { -1, -1 };
    std::atomic<int> caughtSignal { 0 };
    sem_t watchdogStart;
    bool watchdogRuns = false;

    void onSignal(int sig)
    {
        int expected = 0;
        if (!caughtSignal.compare_exchange_strong(expected, sig))
            return;
        if (watchdogRuns)
            sem_post(&watchdogStart);
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    }

    void startWatchdog(std::chrono::milliseconds after)
    {
        sem_init(&watchdogStart, 0, 0);
        watchdogRuns = true;
        std::thread([after] {
            while (sem_wait(&watchdogStart) != 0) {
            }
            std::this_thread::sleep_for(after);
            std::fflush(stdout);
            std::fflush(stderr);
            ::_exit(128 + caughtSignal.load());
        }).detach();
    }

} // namespace

bool installTerminationSignals(std::chrono::milliseconds watchdog)
{
    if (signalPipe[0] >= 0)
        return true;
    if (::pipe(signalPipe) != 0)
        return false;
    if (watchdog.count() > 0)
        startWatchdog(watchdog);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return true;
}

int caughtTerminationSignal() { return caughtSignal.load(); }

void onTerminationSignal(QObject* context, std::function<void()> reaction)
{
    if (signalPipe[0] < 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [notifier, reaction = std::move(reaction)] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        // Only the first signal writes, so this runs once.
        notifier->setEnabled(false);
        reaction();
    });
}

} // namespace sondrake::platform
