#pragma once
// The progress bar of long work on a terminal: a bar, the percentage, the time gone and an
// estimate of the time left, redrawn in place on one line of standard error.
//
//   ProgressBar bar(std::cerr);
//   bar.Begin("Upload", nowMs);
//   bar.Show(0.42, nowMs);   // as often as wanted: it redraws at most ten times a second
//   bar.End();               // clears the line

#include <cstdint>
#include <iosfwd>
#include <string>

namespace tra1::programs {

class ProgressBar {
public:
    explicit ProgressBar(std::ostream& out) : out_(out) {}

    void Begin(std::string label, std::int64_t nowMs);
    // `fraction` 0.0 .. 1.0 (clamped).
    void Show(double fraction, std::int64_t nowMs);
    // Clears the bar's line.
    void End();

    // One line of the bar, without the carriage return: "Upload  [#####-----]  42%  0:31
    // elapsed, about 0:43 left".
    static std::string Line(const std::string& label, double fraction, std::int64_t elapsedMs);
    // "0:31", "12:05", "1:02:03".
    static std::string Duration(std::int64_t ms);

private:
    std::ostream& out_;
    std::string label_;
    std::int64_t startMs_ = 0;
    std::int64_t lastDrawMs_ = -1;
    std::size_t lastWidth_ = 0;
    bool shown_ = false;
};

}  // namespace tra1::programs
