#include "sim/line_fault_dice.h"

namespace tra1::sim {

void LineFaultDice::Reseed(std::uint32_t seed) {
    seed_ = seed;
    engine_.seed(seed);
    gapRate_ = 0.0;
    untilNext_ = 0;
}

bool LineFaultDice::Roll(double chance) {
    if (chance <= 0.0) {
        return false;
    }
    if (chance >= 1.0) {
        return true;
    }
    return std::bernoulli_distribution(chance)(engine_);
}

int LineFaultDice::Below(int n) {
    if (n <= 1) {
        return 0;
    }
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

std::uint64_t LineFaultDice::DrawGap(double rate) {
    if (rate >= 1.0) {
        return 0;
    }
    // The number of clean bytes before the next hit: geometric, which is what a chance per
    // byte gives, drawn once per hit instead of once per byte.
    return static_cast<std::uint64_t>(std::geometric_distribution<std::int64_t>(rate)(engine_));
}

std::size_t LineFaultDice::Corrupt(std::string& bytes, double rate) {
    if (rate <= 0.0) {
        return 0;
    }
    if (rate != gapRate_) {
        gapRate_ = rate;
        untilNext_ = DrawGap(rate);
    }
    std::size_t hits = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t left = bytes.size() - at;
        if (untilNext_ >= left) {
            untilNext_ -= left;
            break;
        }
        at += static_cast<std::size_t>(untilNext_);
        bytes[at] = static_cast<char>(static_cast<unsigned char>(bytes[at]) ^ (1u << Below(8)));
        ++hits;
        ++at;
        untilNext_ = DrawGap(rate);
    }
    return hits;
}

}  // namespace tra1::sim
