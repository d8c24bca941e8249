#include "app/volume_text.h"

#include <cstdlib>

#include "model/value_format.h"

namespace tra1::volume {
namespace {

// Level in tenths of a dB, so that the half steps format exactly.
int TenthsOf(int step) {
    return (step - kZeroDbStep) * 5;
}

std::string Magnitude(int tenths) {
    return FormatReal(static_cast<double>(std::abs(tenths)) / 10.0, 1);
}

}  // namespace

std::string MainReadout(int step) {
    if (step == 0) {
        return "MUTE";
    }
    const int tenths = TenthsOf(step);
    if (tenths < 0) {
        return "-" + Magnitude(tenths) + " dB";
    }
    return Magnitude(tenths) + "dB";
}

std::string Zone2Readout(int step) {
    if (step == 0) {
        return "MUTE";
    }
    const int tenths = TenthsOf(step);
    if (tenths < 0) {
        return "-" + Magnitude(tenths) + " dB";
    }
    return Magnitude(tenths) + " dB";
}

}  // namespace tra1::volume
