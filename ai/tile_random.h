#pragma once

#include <cstdint>

// The classic linear congruential generator: the draws must follow exactly this
// sequence for a given seed, so the library's own rand() will not do.
class TileRandom {
public:
    void Seed(std::uint32_t seed) { state_ = seed; }
    // 0 to 32767: bits 16 to 30 of the new state.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    std::uint32_t State() const { return state_; }

private:
    std::uint32_t state_ = 1;
};
