#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "link/link_state.h"
#include "link/report_answers.h"
#include "link/report_decoder.h"
#include "tests/link/decode_test_support.h"

namespace tra1 {
namespace {

// The acknowledgement table as the receiver's documentation lists it: command number, report
// code (decimal).
std::vector<std::pair<int, int>> AcknowledgementTable() {
    std::vector<std::pair<int, int>> rows{
        {0, 38},   {48, 38},  {1, 35},    {2, 33},   {3, 33},  {4, 34},  {5, 39},  {49, 39},
        {6, 37},   {7, 36},   {8, 32},    {9, 32},   {10, 32}, {15, 43}, {16, 44}, {17, 45},
        {18, 130}, {19, 40},  {20, 40},   {21, 41},  {22, 42}, {23, 53}, {24, 21}, {25, 46},
        {26, 47},  {27, 49},  {28, 48},   {29, 51},  {30, 50}, {31, 56}, {32, 55}, {35, 58},
        {35, 54},  {36, 54},  {37, 54},   {38, 54},  {39, 57}, {40, 59}, {40, 60}, {41, 60},
        {42, 60},  {43, 60},  {44, 62},   {45, 63},  {46, 0},  {47, 0},  {50, 80}, {51, 84},
        {87, 107}, {98, 128}, {104, 158}, {105, 159}};
    auto run = [&rows](int firstCommand, int lastCommand, int firstCode) {
        for (int c = firstCommand; c <= lastCommand; ++c) {
            rows.emplace_back(c, firstCode + c - firstCommand);
        }
    };
    run(53, 57, 64);
    run(58, 63, 69);
    run(64, 66, 81);
    run(69, 75, 87);
    run(77, 86, 96);
    run(90, 97, 112);
    run(99, 103, 131);
    return rows;
}

TEST(ReportAnswers, MatchesExactlyTheAcknowledgementTable) {
    const auto rows = AcknowledgementTable();
    for (int command = -2; command <= 300; ++command) {
        for (int code = -1; code <= 256; ++code) {
            bool listed = false;
            for (const auto& [c, r] : rows) {
                listed = listed || (c == command && r == code);
            }
            ASSERT_EQ(ReportAnswers(code, command), listed) << command << " " << code;
        }
    }
}

class ReportDecodeTest : public ::testing::Test {
protected:
    LinkState state_;
    test::RecordingHost host_;
    ReportDecoder decoder_{state_, host_};
};

TEST_F(ReportDecodeTest, ReportForTheQueuedCommandEndsItsWait) {
    // STX 00 26 2E ETX while command 48 waits at the queue index.
    host_.queuedCommand = 48;
    state_.waiting = 1;
    state_.identificationPending = 1;
    const ReportOutcome outcome = decoder_.DecodeReport("00262E");
    EXPECT_EQ(outcome.reportCode, 0x26);
    EXPECT_TRUE(outcome.answeredQueue);
    EXPECT_EQ(state_.waiting, 0);
    EXPECT_EQ(state_.identificationPending, 0);
    EXPECT_EQ(host_.timeoutStops, 1);
    ASSERT_EQ(host_.log.size(), 1u);
    EXPECT_EQ(host_.log[0], "(TR-X) Report  00262E\r\n");
}

// A report that answers neither the queued command nor the awaited one does not end the
// queued command's wait: the reply time-out goes on counting its resends.
TEST_F(ReportDecodeTest, OtherReportsLeaveTheQueuedCommandWaitingAndAreLogged) {
    host_.queuedCommand = 48;
    state_.waiting = 1;
    state_.identificationPending = 1;
    state_.awaitedFunction = 20;
    const ReportOutcome outcome = decoder_.DecodeReport("00FF00");
    EXPECT_FALSE(outcome.answeredQueue);
    EXPECT_FALSE(outcome.answeredAwaited);
    EXPECT_EQ(state_.waiting, 1);
    EXPECT_EQ(state_.identificationPending, 0);
    EXPECT_EQ(state_.awaitedFunction, 20);
    EXPECT_EQ(host_.timeoutStops, 0);
    EXPECT_EQ(host_.log.size(), 1u);
}

TEST_F(ReportDecodeTest, ReportForTheAwaitedCommandEndsTheStepsWait) {
    state_.awaitedFunction = 20;  // DSP program: report code 40 = 0x28
    state_.waitingCounter = 150;
    const ReportOutcome outcome = decoder_.DecodeReport("002815");
    EXPECT_TRUE(outcome.answeredAwaited);
    EXPECT_EQ(state_.awaitedFunction, -1);
    EXPECT_EQ(state_.waitingCounter, 0);

    state_.awaitedFunction = 265;  // extended functions are answered by extended replies only
    EXPECT_FALSE(decoder_.DecodeReport("002815").answeredAwaited);
    EXPECT_EQ(state_.awaitedFunction, 265);
}

// Line noise in a report: a frame of another length, or one whose code or value holds a
// character that is not a hexadecimal digit, is logged and ends nothing. ("00" must not pass as
// code 0, which answers command 46.)
TEST_F(ReportDecodeTest, ReportsThatAreNotWellFormedAnswerNothing) {
    for (const char* body :
         {"00", "0000", "00000", "0000000", "00x000", "000G00", "0000 0", "00000\x12", "00262E0"}) {
        host_.queuedCommand = 46;
        state_.waiting = 1;
        state_.identificationPending = 1;
        state_.awaitedFunction = 46;
        const ReportOutcome outcome = decoder_.DecodeReport(body);
        EXPECT_EQ(outcome.reportCode, -1) << body;
        EXPECT_FALSE(outcome.answeredQueue) << body;
        EXPECT_EQ(state_.waiting, 1) << body;
        EXPECT_EQ(state_.identificationPending, 1) << body;
        EXPECT_EQ(state_.awaitedFunction, 46) << body;
    }
    EXPECT_EQ(host_.timeoutStops, 0);
    EXPECT_EQ(host_.log.size(), 9u);
    // Lower-case digits are digits.
    EXPECT_EQ(decoder_.DecodeReport("00262e").reportCode, 0x26);
}

}  // namespace
}  // namespace tra1
