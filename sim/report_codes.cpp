#include "sim/report_codes.h"

namespace tra1::sim {
namespace {

// Commands firstCommand..lastCommand are answered by firstCode, either all of them by that one
// code or, when `ascending`, by consecutive codes from it.
struct Run {
    int firstCommand;
    int lastCommand;
    int firstCode;
    bool ascending;
};

constexpr Run kRuns[] = {
    {0, 0, 38, false},    {1, 1, 35, false},     {2, 3, 33, false},   {4, 4, 34, false},
    {5, 5, 39, false},    {6, 6, 37, false},     {7, 7, 36, false},   {8, 10, 32, false},
    {15, 17, 43, true},   {18, 18, 130, false},  {19, 20, 40, false}, {21, 22, 41, true},
    {23, 23, 53, false},  {24, 24, 21, false},   {25, 26, 46, true},  {27, 27, 49, false},
    {28, 28, 48, false},  {29, 29, 51, false},   {30, 30, 50, false}, {31, 31, 56, false},
    {32, 32, 55, false},  {35, 35, 58, false},   {36, 38, 54, false}, {39, 39, 57, false},
    {40, 40, 59, false},  {41, 43, 60, false},   {44, 45, 62, true},  {46, 47, 0, false},
    {48, 48, 38, false},  {49, 49, 39, false},   {50, 50, 80, false}, {51, 51, 84, false},
    {53, 57, 64, true},   {58, 63, 69, true},    {64, 66, 81, true},  {69, 75, 87, true},
    {77, 86, 96, true},   {87, 87, 107, false},  {90, 97, 112, true}, {98, 98, 128, false},
    {99, 103, 131, true}, {104, 105, 158, true},
};

}  // namespace

int ReportCodeFor(int n) {
    for (const Run& run : kRuns) {
        if (n >= run.firstCommand && n <= run.lastCommand) {
            return run.ascending ? run.firstCode + (n - run.firstCommand) : run.firstCode;
        }
    }
    return -1;
}

}  // namespace tra1::sim
