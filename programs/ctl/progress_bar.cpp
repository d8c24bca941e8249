#include "programs/ctl/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace tra1::programs {
namespace {

constexpr int kBarWidth = 30;
constexpr std::int64_t kRedrawMs = 100;
// Below this much done an estimate says nothing useful yet.
constexpr double kEstimateFrom = 0.02;

std::string TwoDigits(std::int64_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

std::string ProgressBar::Duration(std::int64_t ms) {
    const std::int64_t seconds = std::max<std::int64_t>(0, ms) / 1000;
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds / 60 % 60;
    if (hours > 0) {
        return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds % 60);
    }
    return std::to_string(minutes) + ":" + TwoDigits(seconds % 60);
}

std::string ProgressBar::Line(const std::string& label, double fraction, std::int64_t elapsedMs) {
    const double done = std::clamp(fraction, 0.0, 1.0);
    const int filled = static_cast<int>(std::lround(done * kBarWidth));
    std::string line = label + "  [" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), '-') + "] ";
    const int percent = static_cast<int>(std::floor(done * 100.0));
    line += (percent < 10 ? "  " : percent < 100 ? " " : "") + std::to_string(percent) + "%  ";
    line += Duration(elapsedMs) + " elapsed";
    if (done >= kEstimateFrom && done < 1.0) {
        const auto left = static_cast<std::int64_t>(elapsedMs * (1.0 - done) / done);
        line += ", about " + Duration(left) + " left";
    }
    return line;
}

void ProgressBar::Begin(std::string label, std::int64_t nowMs) {
    label_ = std::move(label);
    startMs_ = nowMs;
    lastDrawMs_ = -1;
    Show(0.0, nowMs);
}

void ProgressBar::Show(double fraction, std::int64_t nowMs) {
    if (lastDrawMs_ >= 0 && nowMs - lastDrawMs_ < kRedrawMs) {
        return;
    }
    lastDrawMs_ = nowMs;
    std::string line = Line(label_, fraction, nowMs - startMs_);
    const std::size_t width = line.size();
    if (width < lastWidth_) {
        line += std::string(lastWidth_ - width, ' ');  // wipe what the longer line left
    }
    lastWidth_ = width;
    out_ << '\r' << line << std::flush;
    shown_ = true;
}

void ProgressBar::End() {
    if (shown_) {
        out_ << '\r' << std::string(lastWidth_, ' ') << '\r' << std::flush;
    }
    shown_ = false;
    lastWidth_ = 0;
}

}  // namespace tra1::programs
