// The send window: what goes on the line when, so that the receiver's small input buffer is never
// overrun, a change of the user's is not stuck behind the poll, and each answer finds its frame.

#include "link/send_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "link/frame_assembler.h"
#include "model/protocol.h"
#include "tests/link/decode_test_support.h"

namespace tra1 {
namespace {

using Kind = ExpectedReply::Kind;

class SendWindowTest : public ::testing::Test {
protected:
    // A frame of `size` bytes whose first character tells it apart.
    static std::string Frame(std::size_t size, char name) {
        return std::string(1, name) + std::string(size - 1, '.');
    }
    static ExpectedReply Status() { return ExpectedReply{Kind::kConfiguration, 255, {}}; }
    static ExpectedReply Tone(std::string key) {
        return ExpectedReply{Kind::kExtended, extended_function::kTone, std::move(key)};
    }
    static std::string ToneReply(std::string_view key) {
        return test::ExtendedBody(test::kToneCode, std::string(key) + "005");
    }
    std::string Names() const {
        std::string names;
        for (const std::string& frame : written) {
            names += frame.front();
        }
        return names;
    }

    std::int64_t now = 0;
    std::vector<std::string> written;
    SendWindow window{[this](std::string_view frame, std::string_view) {
                          written.emplace_back(frame);
                          return true;
                      },
                      [this] { return now; }};
};

TEST_F(SendWindowTest, TransferFramesGoOutWhileTheReceiversBufferHasRoomAndEachAnswerMakesRoom) {
    window.Send(Frame(30, 'a'), SendLane::kTransfer, Status(), "");
    window.Send(Frame(30, 'b'), SendLane::kTransfer, Status(), "");
    window.Send(Frame(30, 'c'), SendLane::kTransfer, Status(), "");
    EXPECT_EQ(Names(), "ab");  // 90 bytes would overrun the 64 of the receiver
    EXPECT_EQ(window.BytesInFlight(), 60u);
    EXPECT_TRUE(window.HasQueued(SendLane::kTransfer));

    now = 100;
    window.OnReceived(FrameKind::kConfiguration, "whatever the state is");
    EXPECT_EQ(Names(), "abc");
    EXPECT_EQ(window.BytesInFlight(), 60u);
    EXPECT_FALSE(window.HasQueued(SendLane::kTransfer));
    EXPECT_TRUE(window.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window.TakeBrokenTag());
}

TEST_F(SendWindowTest, DroppingALanesQueueCountsOnlyTheFramesThatNeverWentOut) {
    window.Send(Frame(30, 'a'), SendLane::kTransfer, Status(), "");
    window.Send(Frame(30, 'b'), SendLane::kTransfer, Status(), "");
    window.Hold(SendLane::kTransfer, 50);
    window.Send(Frame(30, 'c'), SendLane::kTransfer, Status(), "");
    window.Send(Frame(30, 'd'), SendLane::kTransfer, Status(), "");
    ASSERT_EQ(Names(), "ab");
    // c and d waited; the hold between them is no frame.
    EXPECT_EQ(window.DropQueued(SendLane::kTransfer), 2u);
    EXPECT_FALSE(window.HasQueued(SendLane::kTransfer));
    EXPECT_EQ(window.DropQueued(SendLane::kTransfer), 0u);
    EXPECT_EQ(window.DropQueued(SendLane::kAtOnce), 0u);
}

TEST_F(SendWindowTest, ThePollLeavesRoomForAChangeOfTheUsersWhichGoesOutAheadOfIt) {
    window.Send(Frame(20, 'p'), SendLane::kPoll, Status(), "");
    window.Send(Frame(20, 'q'), SendLane::kPoll, Status(), "");
    window.Send(Frame(20, 'r'), SendLane::kPoll, Status(), "");
    EXPECT_EQ(Names(), "p");  // 40 bytes would leave less than a change needs
    EXPECT_LE(SendWindow::RoomOf(SendLane::kPoll) + SendWindow::kRoomForAChange,
              kReceiverInputBuffer);

    window.Send(Frame(SendWindow::kRoomForAChange, 'u'), SendLane::kAtOnce, Tone("01"), "");
    EXPECT_EQ(Names(), "pu");
    EXPECT_LE(window.BytesInFlight(), kReceiverInputBuffer);

    // The poll goes on once its own answer and the change's are in.
    now = 100;
    window.OnReceived(FrameKind::kConfiguration, "state");
    EXPECT_EQ(Names(), "pu");  // the change still fills the room the poll leaves for it
    window.OnReceived(FrameKind::kExtended, ToneReply("01"));
    EXPECT_EQ(Names(), "puq");
}

TEST_F(SendWindowTest, AHoldKeepsItsPauseBetweenTwoFramesWithoutBlocking) {
    window.Send(Frame(5, 'a'), SendLane::kTransfer, ExpectedReply{}, "");
    window.Hold(SendLane::kTransfer, 500);
    window.Send(Frame(5, 'b'), SendLane::kTransfer, ExpectedReply{}, "");
    EXPECT_EQ(Names(), "a");
    ASSERT_TRUE(window.NextWakeMs());
    now = 499;
    window.Pump();
    EXPECT_EQ(Names(), "a");
    EXPECT_EQ(window.NextWakeMs(), 500);
    now = 500;
    window.Pump();
    EXPECT_EQ(Names(), "ab");
    // A frame nobody answers leaves the count once it has crossed the line.
    now = 600;
    window.Pump();
    EXPECT_EQ(window.FramesInFlight(), 0u);
    EXPECT_FALSE(window.TakeBrokenTag());
}

TEST_F(SendWindowTest, AnAnswerPairsWithItsOwnFrameAndAFramePassedOverBreaksTheStream) {
    window.Send(Frame(12, 'a'), SendLane::kTransfer, Tone("01"), "", 7);
    window.Send(Frame(12, 'b'), SendLane::kTransfer, Tone("02"), "", 8);
    window.Send(Frame(12, 'c'), SendLane::kTransfer, Tone("03"), "", 9);
    EXPECT_EQ(Names(), "abc");

    // The answer to the second comes first: the first one's answer is lost.
    window.OnReceived(FrameKind::kExtended, ToneReply("02"));
    EXPECT_EQ(window.TakeBrokenTag(), 7);
    EXPECT_FALSE(window.TakeBrokenTag());
    EXPECT_EQ(window.FramesInFlight(), 1u);

    // An answer to a frame no longer in flight is unexpected: the oldest frame waiting names it.
    window.OnReceived(FrameKind::kExtended, ToneReply("01"));
    EXPECT_EQ(window.TakeBrokenTag(), 9);
    window.OnReceived(FrameKind::kExtended, ToneReply("03"));
    EXPECT_EQ(window.FramesInFlight(), 0u);
    EXPECT_FALSE(window.TakeBrokenTag());
}

TEST_F(SendWindowTest, AnAnswerThatNeverComesIsGivenUpAndClearForgetsEverything) {
    window.Send(Frame(10, 'a'), SendLane::kTransfer, Status(), "", 3);
    EXPECT_EQ(window.NextWakeMs(), 11 + SendWindow::kReplyLimitMs);  // 10 bytes take 10.4 ms
    now = 11 + SendWindow::kReplyLimitMs - 1;
    window.Pump();
    EXPECT_EQ(window.FramesInFlight(), 1u);
    now += 1;
    window.Pump();
    EXPECT_EQ(window.FramesInFlight(), 0u);
    EXPECT_EQ(window.TakeBrokenTag(), 3);

    window.Send(Frame(40, 'b'), SendLane::kTransfer, Status(), "");
    window.Send(Frame(40, 'c'), SendLane::kTransfer, Status(), "");
    window.Clear();
    EXPECT_EQ(window.BytesInFlight(), 0u);
    EXPECT_FALSE(window.HasQueued(SendLane::kTransfer));
    window.Pump();
    EXPECT_EQ(Names(), "ab");
}

}  // namespace
}  // namespace tra1
