// The send window: what goes on the line when, so that the receiver's small input buffer is never
// overrun, a change of the user's is not stuck behind the poll, and each answer finds its frame.

#include "link/send_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/frame_assembler.h"
#include "model/protocol.h"
#include "model/report_codes.h"
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
    static ExpectedReply Status() {
        ExpectedReply reply;
        reply.kind = Kind::kConfiguration;
        reply.number = 255;
        return reply;
    }
    static ExpectedReply Tone(std::string key) {
        ExpectedReply reply;
        reply.kind = Kind::kExtended;
        reply.number = extended_function::kTone;
        reply.key = std::move(key);
        return reply;
    }
    static std::string ToneReply(std::string_view key) {
        return test::ExtendedBody(test::kToneCode, std::string(key) + "005");
    }
    std::string Names() const {
        std::string names;
        for (const std::string& frame : written_) {
            names += frame.front();
        }
        return names;
    }

    std::int64_t now_ = 0;
    std::vector<std::string> written_;
    // Whether the port takes what is written.
    bool portTakes_ = true;
    SendWindow window_{[this](std::string_view frame, std::string_view) {
                           if (portTakes_) {
                               written_.emplace_back(frame);
                           }
                           return portTakes_;
                       },
                       [this] { return now_; }};
};

TEST_F(SendWindowTest, TransferFramesGoOutWhileTheReceiversBufferHasRoomAndEachAnswerMakesRoom) {
    window_.Send(Frame(30, 'a'), SendLane::kTransfer, Status(), "");
    window_.Send(Frame(30, 'b'), SendLane::kTransfer, Status(), "");
    window_.Send(Frame(30, 'c'), SendLane::kTransfer, Status(), "");
    EXPECT_EQ(Names(), "ab");  // 90 bytes would overrun the 64 of the receiver
    EXPECT_EQ(window_.BytesInFlight(), 60u);
    EXPECT_TRUE(window_.HasQueued(SendLane::kTransfer));

    now_ = 100;
    window_.OnReceived(FrameKind::kConfiguration, "whatever the state is");
    EXPECT_EQ(Names(), "abc");
    EXPECT_EQ(window_.BytesInFlight(), 60u);
    EXPECT_FALSE(window_.HasQueued(SendLane::kTransfer));
    EXPECT_TRUE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window_.TakeBrokenTag());
}

TEST_F(SendWindowTest, DroppingALanesQueueCountsOnlyTheFramesThatNeverWentOut) {
    window_.Send(Frame(30, 'a'), SendLane::kTransfer, Status(), "");
    window_.Send(Frame(30, 'b'), SendLane::kTransfer, Status(), "");
    window_.Hold(SendLane::kTransfer, 50);
    window_.Send(Frame(30, 'c'), SendLane::kTransfer, Status(), "");
    window_.Send(Frame(30, 'd'), SendLane::kTransfer, Status(), "");
    ASSERT_EQ(Names(), "ab");
    // c and d waited; the hold between them is no frame.
    EXPECT_EQ(window_.DropQueued(SendLane::kTransfer), 2u);
    EXPECT_FALSE(window_.HasQueued(SendLane::kTransfer));
    EXPECT_EQ(window_.DropQueued(SendLane::kTransfer), 0u);
    EXPECT_EQ(window_.DropQueued(SendLane::kAtOnce), 0u);
}

TEST_F(SendWindowTest, ThePollLeavesRoomForAChangeOfTheUsersWhichGoesOutAheadOfIt) {
    window_.Send(Frame(20, 'p'), SendLane::kPoll, Status(), "");
    window_.Send(Frame(20, 'q'), SendLane::kPoll, Status(), "");
    window_.Send(Frame(20, 'r'), SendLane::kPoll, Status(), "");
    EXPECT_EQ(Names(), "p");  // 40 bytes would leave less than a change needs
    EXPECT_LE(SendWindow::RoomOf(SendLane::kPoll) + SendWindow::kRoomForAChange,
              kReceiverInputBuffer);

    window_.Send(Frame(SendWindow::kRoomForAChange, 'u'), SendLane::kAtOnce, Tone("01"), "");
    EXPECT_EQ(Names(), "pu");
    EXPECT_LE(window_.BytesInFlight(), kReceiverInputBuffer);

    // The poll goes on once its own answer and the change's are in.
    now_ = 100;
    window_.OnReceived(FrameKind::kConfiguration, "state");
    EXPECT_EQ(Names(), "pu");  // the change still fills the room the poll leaves for it
    window_.OnReceived(FrameKind::kExtended, ToneReply("01"));
    EXPECT_EQ(Names(), "puq");
}

TEST_F(SendWindowTest, AHoldKeepsItsPauseBetweenTwoFramesWithoutBlocking) {
    window_.Send(Frame(5, 'a'), SendLane::kTransfer, ExpectedReply{}, "");
    window_.Hold(SendLane::kTransfer, 500);
    window_.Send(Frame(5, 'b'), SendLane::kTransfer, ExpectedReply{}, "");
    EXPECT_EQ(Names(), "a");
    ASSERT_TRUE(window_.NextWakeMs());
    now_ = 499;
    window_.Pump();
    EXPECT_EQ(Names(), "a");
    EXPECT_EQ(window_.NextWakeMs(), 500);
    now_ = 500;
    window_.Pump();
    EXPECT_EQ(Names(), "ab");
    // A frame nobody answers leaves the count once it has crossed the line.
    now_ = 600;
    window_.Pump();
    EXPECT_EQ(window_.FramesInFlight(), 0u);
    EXPECT_FALSE(window_.TakeBrokenTag());
}

TEST_F(SendWindowTest, AnAnswerPairsWithItsOwnFrameAndAFramePassedOverBreaksTheStream) {
    window_.Send(Frame(12, 'a'), SendLane::kTransfer, Tone("01"), "", 7);
    window_.Send(Frame(12, 'b'), SendLane::kTransfer, Tone("02"), "", 8);
    window_.Send(Frame(12, 'c'), SendLane::kTransfer, Tone("03"), "", 9);
    EXPECT_EQ(Names(), "abc");

    // The answer to the second comes first: the first one's answer is lost.
    window_.OnReceived(FrameKind::kExtended, ToneReply("02"));
    EXPECT_EQ(window_.TakeBrokenTag(), 7);
    EXPECT_FALSE(window_.TakeBrokenTag());
    EXPECT_EQ(window_.FramesInFlight(), 1u);

    // An answer to a frame no longer in flight is unexpected: the oldest frame waiting names it.
    window_.OnReceived(FrameKind::kExtended, ToneReply("01"));
    EXPECT_EQ(window_.TakeBrokenTag(), 9);
    window_.OnReceived(FrameKind::kExtended, ToneReply("03"));
    EXPECT_EQ(window_.FramesInFlight(), 0u);
    EXPECT_FALSE(window_.TakeBrokenTag());
}

TEST_F(SendWindowTest, AnAnswerThatNeverComesIsGivenUpAndClearForgetsEverything) {
    window_.Send(Frame(10, 'a'), SendLane::kTransfer, Status(), "", 3);
    EXPECT_EQ(window_.NextWakeMs(), 11 + SendWindow::kReplyLimitMs);  // 10 bytes take 10.4 ms
    now_ = 11 + SendWindow::kReplyLimitMs - 1;
    window_.Pump();
    EXPECT_EQ(window_.FramesInFlight(), 1u);
    now_ += 1;
    window_.Pump();
    EXPECT_EQ(window_.FramesInFlight(), 0u);
    EXPECT_EQ(window_.TakeBrokenTag(), 3);

    window_.Send(Frame(40, 'b'), SendLane::kTransfer, Status(), "");
    window_.Send(Frame(40, 'c'), SendLane::kTransfer, Status(), "");
    window_.Clear();
    EXPECT_EQ(window_.BytesInFlight(), 0u);
    EXPECT_FALSE(window_.HasQueued(SendLane::kTransfer));
    window_.Pump();
    EXPECT_EQ(Names(), "ab");
}

TEST_F(SendWindowTest, ARefusalGoesToTheOldestFrameOfItsFunctionAndNamesAWriteOnlyOnce) {
    ExpectedReply write = Tone("02");
    write.write = true;
    write.parameters = {2, 0, 0, 0, 0, 0};
    window_.Send(Frame(12, 'r'), SendLane::kAtOnce, Tone("01"), "");
    window_.Send(Frame(12, 'w'), SendLane::kAtOnce, write, "");
    const std::string refusal = test::ExtendedBody(test::kToneCode, "", '2');

    // The receiver answers in order: the first refusal is the request's, which is no change.
    window_.OnReceived(FrameKind::kExtended, refusal);
    EXPECT_FALSE(window_.TakeRefusedWrite(extended_function::kTone));
    EXPECT_EQ(window_.FramesInFlight(), 1u);

    window_.OnReceived(FrameKind::kExtended, refusal);
    EXPECT_FALSE(window_.TakeRefusedWrite(extended_function::kTone + 1));
    const std::optional<ExpectedReply> refused = window_.TakeRefusedWrite(extended_function::kTone);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->key, "02");
    EXPECT_EQ(refused->parameters[0], 2);
    EXPECT_FALSE(window_.TakeRefusedWrite(extended_function::kTone));
    EXPECT_EQ(window_.FramesInFlight(), 0u);

    // An acceptance of a write is no refusal.
    window_.Send(Frame(12, 'w'), SendLane::kAtOnce, write, "");
    window_.OnReceived(FrameKind::kExtended, ToneReply("02"));
    EXPECT_FALSE(window_.TakeRefusedWrite(extended_function::kTone));
}

TEST_F(SendWindowTest, AFrameThePortDoesNotTakeWaitsForNoAnswerAndTheLaneGoesOn) {
    portTakes_ = false;
    EXPECT_FALSE(window_.Send(Frame(10, 'a'), SendLane::kAtOnce, Status(), ""));
    window_.Send(Frame(10, 'b'), SendLane::kTransfer, Status(), "");
    EXPECT_EQ(window_.FramesInFlight(), 0u);
    EXPECT_FALSE(window_.HasQueued(SendLane::kTransfer));

    portTakes_ = true;
    window_.Send(Frame(10, 'c'), SendLane::kTransfer, Status(), "");
    EXPECT_EQ(Names(), "c");
    EXPECT_EQ(window_.FramesInFlight(), 1u);
}

// A transfer write whose answer is refused (the line may have damaged the write) goes out again,
// and so do the writes after it still on their way, in their order and with their pauses: two
// writes may land in the same place in the receiver, and the later one must stay last.
TEST_F(SendWindowTest, ASpoiltTransferWriteGoesOutAgainWithTheWritesAfterItAndTheirPauses) {
    const auto write = [](std::string key) {
        ExpectedReply reply = Tone(std::move(key));
        reply.write = true;
        return reply;
    };
    window_.Send(Frame(12, 'a'), SendLane::kTransfer, write("01"), "", 7);
    window_.Hold(SendLane::kTransfer, 50);
    window_.Send(Frame(12, 'b'), SendLane::kTransfer, write("02"), "", 7);
    window_.Hold(SendLane::kTransfer, 50);
    window_.Send(Frame(12, 'c'), SendLane::kTransfer, write("03"), "", 7);
    for (now_ = 0; now_ <= 100; now_ += 10) {
        window_.Pump();
    }
    ASSERT_EQ(Names(), "abc");

    // a is refused: a, b and c go again, a at once, b and c each 50 ms after the one before.
    now_ = 110;
    window_.OnReceived(FrameKind::kExtended, test::ExtendedBody(test::kToneCode, "", '1'));
    EXPECT_FALSE(window_.TakeRefusedWrite(extended_function::kTone));
    EXPECT_EQ(Names(), "abca");
    now_ = 159;
    window_.Pump();
    EXPECT_EQ(Names(), "abca");
    now_ = 160;
    window_.Pump();
    now_ = 210;
    window_.Pump();
    EXPECT_EQ(Names(), "abcabc");
    EXPECT_EQ(window_.WritesRepeated(), 3);

    // The first answers of b and c, then those of the second sends: all settled, nothing broken.
    for (const char* key : {"02", "03", "01", "02", "03"}) {
        window_.OnReceived(FrameKind::kExtended, ToneReply(key));
    }
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window_.HasQueued(SendLane::kTransfer));
    EXPECT_FALSE(window_.TakeBrokenTag());
    EXPECT_FALSE(window_.TakeWriteGivenUp());
}

// Bounded: a write refused every time is the receiver's verdict and is reported; one whose answer
// never comes while the receiver sends nothing is given up as silence, one whose answers come
// damaged as a line too noisy. A reply whose checksum fails, once checksums are checked, answers
// nothing.
TEST_F(SendWindowTest, AWriteIsSentAgainABoundedNumberOfTimes) {
    ExpectedReply write = Tone("01");
    write.write = true;
    const std::string refusal = test::ExtendedBody(test::kToneCode, "", '1');
    window_.Send(Frame(12, 'r'), SendLane::kTransfer, write, "", 1);
    for (int i = 1; i < SendWindow::kMaxWriteSends; ++i) {
        window_.OnReceived(FrameKind::kExtended, refusal);
        ASSERT_FALSE(window_.TakeRefusedWrite(extended_function::kTone)) << i;
    }
    EXPECT_EQ(written_.size(), static_cast<std::size_t>(SendWindow::kMaxWriteSends));
    window_.OnReceived(FrameKind::kExtended, refusal);
    EXPECT_TRUE(window_.TakeRefusedWrite(extended_function::kTone));
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window_.TakeWriteGivenUp());

    written_.clear();
    now_ += 10;  // after the last refusal heard
    window_.Send(Frame(12, 's'), SendLane::kTransfer, write, "", 2);
    while (!window_.TakeWriteGivenUp()) {
        ASSERT_LE(written_.size(), static_cast<std::size_t>(SendWindow::kSilentWriteSends));
        now_ += SendWindow::kReplyLimitMs + 10;
        window_.Pump();
    }
    EXPECT_EQ(written_.size(), static_cast<std::size_t>(SendWindow::kSilentWriteSends));

    written_.clear();
    bool checked = true;
    window_.SetChecksumsChecked([&checked] { return checked; });
    std::string damaged = ToneReply("01");
    damaged.back() = damaged.back() == '0' ? '1' : '0';  // a checksum digit
    window_.Send(Frame(12, 'd'), SendLane::kTransfer, write, "", 3);
    std::optional<SendWindow::WriteGivenUp> givenUp;
    while (!givenUp) {
        ASSERT_LE(written_.size(), static_cast<std::size_t>(SendWindow::kMaxWriteSends));
        now_ += 100;
        window_.OnReceived(FrameKind::kExtended, damaged);
        now_ += SendWindow::kReplyLimitMs;
        window_.Pump();
        givenUp = window_.TakeWriteGivenUp();
    }
    EXPECT_EQ(*givenUp, SendWindow::WriteGivenUp::kDamaged);
    EXPECT_EQ(written_.size(), static_cast<std::size_t>(SendWindow::kMaxWriteSends));
    EXPECT_FALSE(window_.TakeBrokenTag());

    // Unchecked, the same reply answers the write.
    checked = false;
    window_.Send(Frame(12, 'u'), SendLane::kTransfer, write, "", 4);
    window_.OnReceived(FrameKind::kExtended, damaged);
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
}

// A stepwise upload step asks for many items at once and waits for the answer to its last: an
// untagged transfer request whose answer is lost or damaged goes out again by itself (not the
// requests after it), up to kMaxRequestSends sends, and breaks nothing; a tagged one (a
// pipelined step) still breaks the stream.
TEST_F(SendWindowTest, AnUntaggedTransferRequestWhoseAnswerIsSpoiltGoesOutAgainByItself) {
    window_.Send(Frame(12, 'a'), SendLane::kTransfer, Tone("01"), "");
    window_.Send(Frame(12, 'b'), SendLane::kTransfer, Tone("02"), "");
    window_.Send(Frame(12, 'c'), SendLane::kTransfer, Tone("03"), "");
    ASSERT_EQ(Names(), "abc");

    // b's answer passes a's over: a goes again, alone, behind c.
    window_.OnReceived(FrameKind::kExtended, ToneReply("02"));
    EXPECT_EQ(Names(), "abca");
    EXPECT_EQ(window_.RequestsRepeated(), 1);
    EXPECT_EQ(window_.WritesRepeated(), 0);
    window_.OnReceived(FrameKind::kExtended, ToneReply("03"));
    EXPECT_TRUE(window_.AwaitsReplies(SendLane::kTransfer));
    window_.OnReceived(FrameKind::kExtended, ToneReply("01"));
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window_.TakeBrokenTag());

    // A refusal answers a request on its first send: the step waiting for it asks again.
    window_.Send(Frame(12, 'r'), SendLane::kTransfer, Tone("01"), "");
    window_.OnReceived(FrameKind::kExtended, test::ExtendedBody(test::kToneCode, "", '1'));
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_EQ(window_.RequestsRepeated(), 1);

    // A request whose first send simply gets no answer is left to its step, which waits for the
    // last answer of the step and runs again when it does not come.
    window_.Send(Frame(12, 'o'), SendLane::kTransfer, Tone("01"), "");
    now_ += SendWindow::kReplyLimitMs + 100;
    window_.Pump();
    EXPECT_EQ(Names(), "abcaro");
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window_.TakeBrokenTag());

    // Passed over, then answered damaged every time: given up after kMaxRequestSends sends.
    written_.clear();
    window_.SetChecksumsChecked([] { return true; });
    std::string damaged = ToneReply("01");
    damaged.back() = damaged.back() == '0' ? '1' : '0';  // a checksum digit
    window_.Send(Frame(12, 'd'), SendLane::kTransfer, Tone("01"), "");
    window_.Send(Frame(12, 'e'), SendLane::kTransfer, Tone("02"), "");
    window_.OnReceived(FrameKind::kExtended, ToneReply("02"));
    EXPECT_EQ(Names(), "ded");
    std::optional<SendWindow::WriteGivenUp> givenUp;
    while (!givenUp) {
        ASSERT_LE(written_.size(), static_cast<std::size_t>(SendWindow::kMaxRequestSends) + 1);
        now_ += 100;
        window_.OnReceived(FrameKind::kExtended, damaged);
        now_ += SendWindow::kReplyLimitMs;
        window_.Pump();
        givenUp = window_.TakeWriteGivenUp();
    }
    EXPECT_EQ(*givenUp, SendWindow::WriteGivenUp::kDamaged);
    EXPECT_EQ(written_.size(), static_cast<std::size_t>(SendWindow::kMaxRequestSends) + 1);
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));

    // Sent again, then refused (the line damaged it, and no step waits for it any more): it
    // goes out once more.
    written_.clear();
    window_.SetChecksumsChecked([] { return false; });
    const std::string refusal = test::ExtendedBody(test::kToneCode, "", '1');
    window_.Send(Frame(12, 'f'), SendLane::kTransfer, Tone("01"), "");
    window_.Send(Frame(12, 'g'), SendLane::kTransfer, Tone("02"), "");
    window_.OnReceived(FrameKind::kExtended, ToneReply("02"));
    window_.OnReceived(FrameKind::kExtended, refusal);
    EXPECT_EQ(Names(), "fgff");
    window_.OnReceived(FrameKind::kExtended, ToneReply("01"));
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));

    // Tagged, a lost answer names the step and nothing goes again; so does a refusal, which no
    // step waits for when the requests go back to back.
    written_.clear();
    window_.Send(Frame(12, 't'), SendLane::kTransfer, Tone("01"), "", 4);
    window_.Send(Frame(12, 'u'), SendLane::kTransfer, Tone("02"), "", 5);
    window_.OnReceived(FrameKind::kExtended, ToneReply("02"));
    EXPECT_EQ(window_.TakeBrokenTag(), 4);
    EXPECT_EQ(Names(), "tu");
    window_.Send(Frame(12, 'v'), SendLane::kTransfer, Tone("03"), "", 6);
    window_.OnReceived(FrameKind::kExtended, refusal);
    EXPECT_EQ(window_.TakeBrokenTag(), 6);
    EXPECT_EQ(Names(), "tuv");
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
}

// In a download what a command does can depend on the command before it: the next frame waits for
// the command's answer, and when that answer is lost, what waits is dropped and the step named.
TEST_F(SendWindowTest, OneCommandAtATimeWaitsForEachAnswerAndDropsTheRestWhenOneIsLost) {
    window_.SetOneCommandAtATime(SendLane::kTransfer, true);
    ExpectedReply write = Tone("01");
    write.write = true;
    window_.Send(Frame(7, 'i'), SendLane::kTransfer, Status(), "", 5);
    window_.Send(Frame(7, 'p'), SendLane::kTransfer, Status(), "", 5);
    window_.Send(Frame(12, 'w'), SendLane::kTransfer, write, "", 5);
    EXPECT_EQ(Names(), "i");
    window_.OnReceived(FrameKind::kConfiguration, "state");
    EXPECT_EQ(Names(), "ip");
    now_ += SendWindow::kReplyLimitMs + 100;
    window_.Pump();
    EXPECT_EQ(Names(), "ip");
    EXPECT_FALSE(window_.HasQueued(SendLane::kTransfer));
    EXPECT_EQ(window_.TakeBrokenTag(), 5);

    // Off, frames go back to back as the room allows.
    window_.SetOneCommandAtATime(SendLane::kTransfer, false);
    window_.Send(Frame(7, 'x'), SendLane::kTransfer, Status(), "", 6);
    window_.Send(Frame(7, 'y'), SendLane::kTransfer, Status(), "", 6);
    EXPECT_EQ(Names(), "ipxy");
}

// Only a command that later frames rest on (the input selected) holds back what follows it; the
// others go back to back, each paired with its answer by its report code, and a lost answer still
// drops what waits and names the step, so that the step runs again whole.
TEST_F(SendWindowTest, OneCommandAtATimeHoldsBackOnlyBehindACommandThatLaterFramesRestOn) {
    window_.SetOneCommandAtATime(SendLane::kTransfer, true);
    const auto command = [this](char name, int number, int tag) {
        window_.Send(Frame(7, name), SendLane::kTransfer, ExpectedReply::ForCommand(number), "",
                     tag);
    };
    const auto answer = [this](int number) {
        window_.OnReceived(FrameKind::kReport,
                           "00" + test::Hex(ReportCodesOf(number).code, 2) + "00");
    };
    command('i', command::kMainInput, 7);
    command('p', command::kProgram, 7);
    command('e', command::kEffectOff, 7);
    EXPECT_EQ(Names(), "i");
    answer(command::kMainInput);
    EXPECT_EQ(Names(), "ipe");  // back to back once the input is selected
    answer(command::kProgram);
    answer(command::kEffectOff);
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window_.TakeBrokenTag());

    // Two levels and a select go out together; what follows the select waits for its answer.
    command('a', command::kFirstSpeakerLevel, 8);
    command('b', command::kFirstSpeakerLevel + 1, 8);
    command('j', command::kMainInput, 8);
    command('q', command::kProgram, 8);
    EXPECT_EQ(Names(), "ipeabj");
    // The first level's answer is lost: the second's passes it over. The program never goes to
    // whichever input the receiver now has selected; the step is named to run again.
    answer(command::kFirstSpeakerLevel + 1);
    EXPECT_EQ(window_.TakeBrokenTag(), 8);
    EXPECT_FALSE(window_.HasQueued(SendLane::kTransfer));
    answer(command::kMainInput);
    EXPECT_EQ(Names(), "ipeabj");
    EXPECT_FALSE(window_.AwaitsReplies(SendLane::kTransfer));
    EXPECT_FALSE(window_.TakeBrokenTag());
}

}  // namespace
}  // namespace tra1
