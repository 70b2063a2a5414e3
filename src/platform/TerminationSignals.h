#pragma once

// SIGINT and SIGTERM turned into an event of the GUI thread, for both
// programs. A signal handler may do next to nothing, so it only notes the
// first signal and writes one byte into a pipe; a socket notifier on the
// pipe's other end runs the program's reaction from its event loop (nested
// loops of modal boxes included). The pipe and the noted signal belong to
// the process, as signal handlers do: there is one of each per program.

#include <chrono>
#include <functional>

class QObject;

namespace sondrake::platform {

// Installs the handlers of SIGINT and SIGTERM. Only the first signal counts;
// a later one changes nothing. With a watchdog time above zero, a thread
// ends the process with exit code 128 + signal that long after the first
// signal, should the event loop never get to finish. Call once; returns
// false when no pipe could be made (the signals keep their default action).
bool installTerminationSignals(std::chrono::milliseconds watchdog = std::chrono::milliseconds(0));

// The first signal caught, 0 before any.
int caughtTerminationSignal();

// Runs `reaction` once, on the GUI thread from the event loop, when a
// signal has come (also one that came before this call). Needs the application object
// and installTerminationSignals(); the notifier is a child of `context`.
void onTerminationSignal(QObject* context, std::function<void()> reaction);

} // namespace sondrake::platform
