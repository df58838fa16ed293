#pragma once
// The program's random generator. splitmix64 is tiny, fast and gives the same
// sequence on every compiler and standard library, so a seed replays a game.
#include <cstdint>

namespace quabe {

class Random {
public:
    explicit Random(uint64_t seed = 0) : state_(seed) {}
    void Seed(uint64_t seed) { state_ = seed; }

    uint64_t NextBits() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1) with 24 bits, so every value is exact in single precision.
    double Rnd() { return static_cast<double>(NextBits() >> 40) * (1.0 / 16777216.0); }

private:
    uint64_t state_;
};

}  // namespace quabe
