#pragma once

namespace tra1 {

// Whether the report code of a report frame (0..255) acknowledges the command number
// (0..105). Command numbers the receiver never acknowledges, the status request and extended
// function numbers are answered by no report code.
bool ReportAnswers(int reportCode, int commandNumber);

}  // namespace tra1
