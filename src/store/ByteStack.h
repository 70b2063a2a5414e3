#pragma once

#include <array>
#include <cstdint>

namespace sondrake {

// The pending dump requests (bank, program pairs) and the sending token.
// Bounded: a push onto a full stack is dropped, a pop from an empty one gives 255.
class ByteStack {
public:
    static constexpr int kCapacity = 4096;

    void push(std::uint8_t b)
    {
        if (top_ < kCapacity)
            items_[static_cast<std::size_t>(top_++)] = b;
    }
    std::uint8_t pop()
    {
        if (top_ <= 0)
            return 255;
        return items_[static_cast<std::size_t>(--top_)];
    }
    int count() const { return top_; }
    void clear() { top_ = 0; }

private:
    std::array<std::uint8_t, kCapacity> items_{};
    int top_ = 0;
};

// The one stack of the program.
ByteStack& byteStack();

} // namespace sondrake
