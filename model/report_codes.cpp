#include "model/report_codes.h"

#include <array>
#include <cstddef>

#include "model/protocol.h"

namespace tra1 {
namespace {

using ReportCodeTable = std::array<ReportCodes, kCommandCount>;

constexpr void Set(ReportCodeTable& table, int command, int code, int alternative = -1) {
    table[static_cast<std::size_t>(command)] = ReportCodes{code, alternative};
}

// Consecutive command numbers answered by consecutive report codes.
constexpr void SetRun(ReportCodeTable& table, int firstCommand, int lastCommand, int firstCode) {
    for (int command = firstCommand; command <= lastCommand; ++command) {
        Set(table, command, firstCode + (command - firstCommand));
    }
}

// Rows in command-number order, as the receiver answers them.
constexpr ReportCodeTable BuildReportCodeTable() {
    ReportCodeTable table{};
    Set(table, 0, 38);
    Set(table, 1, 35);
    Set(table, 2, 33);
    Set(table, 3, 33);
    Set(table, 4, 34);
    Set(table, 5, 39);
    Set(table, 6, 37);
    Set(table, 7, 36);
    Set(table, 8, 32);
    Set(table, 9, 32);
    Set(table, 10, 32);
    SetRun(table, 15, 17, 43);
    Set(table, 18, 130);
    Set(table, 19, 40);
    Set(table, 20, 40);
    SetRun(table, 21, 22, 41);
    Set(table, 23, 53);
    Set(table, 24, 21);
    SetRun(table, 25, 26, 46);
    Set(table, 27, 49);
    Set(table, 28, 48);
    Set(table, 29, 51);
    Set(table, 30, 50);
    Set(table, 31, 56);
    Set(table, 32, 55);
    Set(table, 35, 58, 54);
    Set(table, 36, 54);
    Set(table, 37, 54);
    Set(table, 38, 54);
    Set(table, 39, 57);
    Set(table, 40, 59, 60);
    Set(table, 41, 60);
    Set(table, 42, 60);
    Set(table, 43, 60);
    SetRun(table, 44, 45, 62);
    Set(table, 46, 0);
    Set(table, 47, 0);
    Set(table, 48, 38);
    Set(table, 49, 39);
    Set(table, 50, 80);
    Set(table, 51, 84);
    SetRun(table, 53, 57, 64);
    SetRun(table, 58, 63, 69);
    SetRun(table, 64, 66, 81);
    SetRun(table, 69, 75, 87);
    SetRun(table, 77, 86, 96);
    Set(table, 87, 107);
    SetRun(table, 90, 97, 112);
    Set(table, 98, 128);
    SetRun(table, 99, 103, 131);
    SetRun(table, 104, 105, 158);
    return table;
}

constexpr ReportCodeTable kReportCodes = BuildReportCodeTable();

}  // namespace

ReportCodes ReportCodesOf(int commandNumber) {
    if (commandNumber < 0 || commandNumber >= kCommandCount) {
        return {};
    }
    return kReportCodes[static_cast<std::size_t>(commandNumber)];
}

bool AnsweredWithConfiguration(int commandNumber) {
    return commandNumber == command::kStatusRequest || commandNumber == command::kPower ||
           commandNumber == command::kHomePresetRecall;
}

}  // namespace tra1
