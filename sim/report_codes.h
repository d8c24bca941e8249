#pragma once

namespace tra1::sim {

// The report code (0..255) with which the receiver acknowledges an operation frame of a command
// number, or -1 for the commands that no report code answers.
int ReportCodeFor(int commandNumber);

// The report code the receiver uses for a command that has none of its own: a code that
// answers no command, so the editor only sees "some report arrived".
inline constexpr int kUnassignedReportCode = 0xFF;

}  // namespace tra1::sim
