#pragma once

namespace tra1 {

// The report codes with which the receiver acknowledges an operation frame, by command number.
// Two commands have a second code that also counts as their answer (35: 54, 40: 60); the
// receiver reports with the first. -1 marks "no code".
struct ReportCodes {
    int code = -1;
    int alternative = -1;
};

// The codes of a command number 0..105; none for the commands the receiver never acknowledges,
// the status request, extended function numbers and anything else.
ReportCodes ReportCodesOf(int commandNumber);

// Whether the receiver's answer to a command is or ends with a configuration frame: the status
// request, and the power (8) and home preset recall (28) commands, whose report the receiver
// follows with its fresh state.
bool AnsweredWithConfiguration(int commandNumber);

}  // namespace tra1
