#pragma once

#include <array>
#include <cstdint>

namespace sondrake {

// The pending dump requests of a reception, as (bank, program) pairs.
// Bounded: a push onto a full stack is dropped, a pop from an empty one gives 255.
class ByteStack {
public:
    static constexpr int kCapacity = 4096;

    void push(std::uint8_t b)
    {
        if (m_top < kCapacity)
            m_items[static_cast<std::size_t>(m_top++)] = b;
    }
    std::uint8_t pop()
    {
        if (m_top <= 0)
            return 255;
        return m_items[static_cast<std::size_t>(--m_top)];
    }
    int count() const { return m_top; }
    void clear() { m_top = 0; }

private:
    std::array<std::uint8_t, kCapacity> m_items{};
    int m_top = 0;
};

} // namespace sondrake
