#pragma once

#include <cstdint>

// The program's one random generator: a 32-bit linear congruential
// generator whose state is 0 at start and never reseeded, so that every run
// shuffles the same way.
class QuizRandom
{
public:
    // A number r with 0 <= r < 1.
    double next()
    {
        m_state = m_state * 134775813u + 1u;
        return double(m_state) / 4294967296.0;
    }
    std::uint32_t state() const { return m_state; }

private:
    std::uint32_t m_state = 0;
};
