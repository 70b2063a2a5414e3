#pragma once

#include <QString>

#include <functional>

namespace sondrake {

// The Messages box of the main window, reachable from every layer.
// Safe to call from any thread: lines from other threads are posted to the
// GUI thread and appear in the order they were added.
void AddMessage(const QString& text);

// Installed by the main window; until then lines go to standard error.
void setMessageSink(std::function<void(const QString&)> sink);

} // namespace sondrake
