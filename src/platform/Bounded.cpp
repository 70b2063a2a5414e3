#include "platform/Bounded.h"

#include <atomic>

namespace sondrake::platform {

namespace {
std::atomic<int> abandoned{0};
}

int abandonedCalls() { return abandoned.load(); }

namespace detail {
void noteAbandoned() { abandoned.fetch_add(1); }
void noteAbandonedFinished() { abandoned.fetch_sub(1); }
} // namespace detail

bool runBounded(std::function<void()> work, std::chrono::milliseconds timeout)
{
    return runBounded<bool>(
               [work = std::move(work)] {
                   work();
                   return true;
               },
               timeout)
        .has_value();
}

} // namespace sondrake::platform
