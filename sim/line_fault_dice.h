#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace tra1::sim {

// The random choices of a noisy line: which bytes get a bit flipped, which answers are lost,
// which frames go out in pieces. Seeded, so that a run can be repeated exactly.
class LineFaultDice {
public:
    explicit LineFaultDice(std::uint32_t seed = 1) { Reseed(seed); }

    void Reseed(std::uint32_t seed);
    std::uint32_t Seed() const { return seed_; }

    // True with the given chance (0..1).
    bool Roll(double chance);
    // 0..n-1 (n at least 1).
    int Below(int n);

    // Flips one random bit in bytes chosen with the given chance each (0..1); returns how many
    // bytes were hit. The distance to the next hit carries over from call to call, so the rate
    // holds however the bytes are cut into calls.
    std::size_t Corrupt(std::string& bytes, double rate);

private:
    // Bytes to pass over before the next one to corrupt, for the rate it was drawn at.
    std::uint64_t DrawGap(double rate);

    std::uint32_t seed_ = 1;
    std::mt19937 engine_;
    double gapRate_ = 0.0;
    std::uint64_t untilNext_ = 0;
};

}  // namespace tra1::sim
