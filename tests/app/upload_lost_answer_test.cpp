// An Upload whose step sends several requests at once, on the virtual clock, with the answer to
// one request that is not the step's last lost on the line, damaged on its way or refused (the
// line damaged the request): the Upload asks for that item again (stepwise, a lost or damaged
// one by itself) and ends with the image a clean line brings back, stepwise and pipelined.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "app/transfer_engine.h"
#include "link/extended_decoder.h"
#include "link/link_state.h"
#include "model/command_table.h"
#include "model/extended_places.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "platform/win/user_input.h"
#include "sim/receiver_pacing.h"
#include "tests/app/editor_fixture.h"
#include "tests/app/image_differences.h"

namespace tra1::testing {
namespace {

namespace id = main_window;
namespace ef = extended_function;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

// A receiver state unlike the defaults in every block the spoilt requests read.
void ChangeSettings(ReceiverImage& im) {
    for (std::size_t row = 0; row < io_assign::kRowCount; ++row) {
        for (std::size_t jack = 0; jack < io_assign::kRowSize; ++jack) {
            im.IoAssignTable.at(io_assign::kRowSize * row + jack) =
                Byte(static_cast<int>(jack + 3 * row + 1) % (ModelProfile::kHighestInput + 1));
        }
    }
    for (std::size_t entry = 0; entry < tuner_presets::kEntryCount; ++entry) {
        const int e = static_cast<int>(entry);
        const bool fm = e % 3 != 0;
        im.SetTunerPreset(e, fm ? tuner_presets::kBandFm : tuner_presets::kBandAm,
                          Byte(fm ? (e * 7 + 5) % (ModelProfile::kHighestFmStep + 1)
                                  : (e * 11 + 5) % (ModelProfile::kHighestAmStep + 1)));
    }
    for (std::size_t i = 0; i < eq_layout::kGraphicEqEnd; ++i) {
        im.EqSettings.at(i) = Byte((static_cast<int>(i) * 5 + 1) % 25);
    }
    for (std::size_t pair = 0; pair < 4; ++pair) {
        im.ToneSettings.at(2 * pair) = Byte((static_cast<int>(pair) + 1) % 3);
        im.ToneSettings.at(2 * pair + 1) = Byte((static_cast<int>(pair) * 5 + 4) % 25);
    }
    for (int entry = 0; entry < 15; ++entry) {
        im.SetSpeakerDistance(entry, 60 + entry * 7);
    }
}

enum class Spoil { kLost, kDamaged, kRefused };

const char* SpoilName(Spoil spoil) {
    switch (spoil) {
        case Spoil::kLost:
            return "Lost";
        case Spoil::kDamaged:
            return "Damaged";
        case Spoil::kRefused:
            return "Refused";
    }
    return "";
}

struct SpoiltRequest {
    const char* name;
    int function;
    // Counted over the Upload's frames of the function, from 1.
    int nth;
    // Whether it is its step's only request: a step runs again when the answer it waits for
    // (its last) does not come.
    bool aloneInItsStep = false;
};

void PrintTo(const SpoiltRequest& request, std::ostream* os) {
    *os << request.name;
}

// The receiver behind a line that spoils its answers to chosen requests, each the n-th extended
// frame of a function that the editor writes. Such an answer is lost whole, comes with one digit
// of its value changed (its checksum then no longer matches), or is a refusal (the line damaged
// the request). Everything else passes untouched.
class SpoiltAnswersLine final : public serial::FarEnd {
public:
    SpoiltAnswersLine(sim::VirtualReceiver& receiver, std::vector<SpoiltRequest> requests,
                      Spoil spoil)
        : receiver_(receiver), requests_(std::move(requests)), spoil_(spoil) {}

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        const int function = FunctionOf(bytes);
        if (function == 0) {
            return receiver_.Receive(bytes);
        }
        const int count = ++counts_[function];
        const bool chosen = std::any_of(requests_.begin(), requests_.end(), [&](const auto& r) {
            return r.function == function && r.nth == count;
        });
        if (chosen && everyTime_) {
            spoiltFrames_.emplace_back(bytes);
        }
        const bool again =
            std::find(spoiltFrames_.begin(), spoiltFrames_.end(), bytes) != spoiltFrames_.end();
        const bool spoils = chosen || again;
        receiver_.Faults().extendedStatus = spoils && spoil_ == Spoil::kRefused ? '1' : '0';
        std::vector<serial::LineSegment> out = receiver_.Receive(bytes);
        receiver_.Faults().extendedStatus = '0';
        if (!spoils || out.empty()) {
            return out;
        }
        ++spoilt_;
        if (spoil_ == Spoil::kLost) {
            return {};
        }
        if (spoil_ == Spoil::kRefused) {
            return out;
        }
        // The last character of the value, before the two of the checksum and the ETX.
        std::string& reply = out.front().bytes;
        constexpr std::size_t kFromTheEnd = extended_frame::kChecksumLength + 2;
        if (reply.size() > kFromTheEnd) {
            reply[reply.size() - kFromTheEnd] ^= 1;
        }
        return out;
    }
    // From now on the answers to the chosen requests are spoilt every time they go out.
    void SpoilEveryTime() { everyTime_ = true; }
    // How many answers were spoilt so far.
    int Spoilt() const { return spoilt_; }
    // How many frames of the function the editor wrote so far.
    int Requests(int function) const {
        const auto found = counts_.find(function);
        return found == counts_.end() ? 0 : found->second;
    }

private:
    // The extended function of a frame the editor wrote; 0 for any other frame.
    static int FunctionOf(std::string_view bytes) {
        const std::size_t codeAt = 1 + extended_frame::kCodeAt;
        if (bytes.empty() || bytes.front() != control_byte::kDc4 ||
            bytes.size() <= codeAt + extended_frame::kCodeLength) {
            return 0;
        }
        return ExtendedFunctionOf(bytes.substr(codeAt, extended_frame::kCodeLength));
    }

    sim::VirtualReceiver& receiver_;
    std::vector<SpoiltRequest> requests_;
    Spoil spoil_;
    std::map<int, int> counts_;
    int spoilt_ = 0;
    bool everyTime_ = false;
    std::vector<std::string> spoiltFrames_;
};

// The fifth of the twenty I/O assignment requests of one step; the third request of the
// second tuner page (the current station is the first frame of the function); the fortieth
// graphic EQ band, one request a step, whose steps go back to back when pipelined; the second of
// the four tone requests; the fifth of the twelve speaker distances.
constexpr SpoiltRequest kSpoiltRequests[] = {
    {"IoAssignment", ef::kIoAssign, 5},
    {"TunerPage", ef::kTunerPreset, 1 + extended_place::kTunerPresetsPerPage + 3},
    {"GraphicEq", ef::kEqBand, 40, true},
    {"Tone", ef::kTone, 2},
    {"SpeakerDistance", ef::kSpeakerDistance, 5},
};

class UploadLostAnswerTest : public EditorFixture {
protected:
    static constexpr int kCleanPort = 3;
    static constexpr int kSpoiltPort = 4;

    UploadLostAnswerTest() : EditorFixture(sim::kReceiverPacing) {
        ChangeSettings(clean_.Image());
        ChangeSettings(spoilt_.Image());
        portSwitch_.Wire(kCleanPort, cleanLine_);
    }

    // Uploads over a clean line, then, from a fresh editor whose image holds the defaults again
    // (so that a value left unread shows), over a line that spoils the answers to `requests`:
    // the second Upload finishes as the first did, with the same image.
    void ExpectTheSpoiltUploadReadsEverything(const std::vector<SpoiltRequest>& requests,
                                              Spoil spoil, bool pipelined) {
        const std::vector<std::uint8_t> defaults = EditorImage().ToBytes();
        ASSERT_TRUE(UploadFrom(kCleanPort, pipelined));
        ASSERT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
        const std::vector<std::uint8_t> want = EditorImage().ToBytes();

        RestartEditor();
        ASSERT_EQ(ImageDifferences(defaults, EditorImage().ToBytes()), "");
        SpoiltAnswersLine line(spoilt_, requests, spoil);
        portSwitch_.Wire(kSpoiltPort, line);
        ASSERT_TRUE(UploadFrom(kSpoiltPort, pipelined));
        ASSERT_EQ(line.Spoilt(), static_cast<int>(requests.size()));

        EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
        EXPECT_EQ(ImageDifferences(want, EditorImage().ToBytes()), "");
        const std::string status = Main().GetDlgItemText(id::kStatusLine);
        EXPECT_NE(status.find("Upload finished: "), std::string::npos) << status;
        EXPECT_EQ(status.find("refused"), std::string::npos) << status;
        EXPECT_EQ(State().uploadValuesNotRead, 0);
        if (!pipelined && spoil != Spoil::kRefused) {
            // Stepwise, the request whose answer was spoilt went out once more: by itself, or
            // with its step when it was alone in it.
            int byItself = 0;
            for (const SpoiltRequest& request : requests) {
                EXPECT_EQ(line.Requests(request.function),
                          cleanLine_.Requests(request.function) + 1)
                    << request.name;
                byItself += request.aloneInItsStep ? 0 : 1;
            }
            EXPECT_EQ(Main().Link().Sender().Window().RequestsRepeated(), byItself);
        }
    }

    sim::VirtualReceiver clean_;
    sim::VirtualReceiver spoilt_;
    SpoiltAnswersLine cleanLine_{clean_, {}, Spoil::kLost};
};

class UploadOneLostAnswerTest
    : public UploadLostAnswerTest,
      public ::testing::WithParamInterface<std::tuple<SpoiltRequest, Spoil, bool>> {};

TEST_P(UploadOneLostAnswerTest, TheItemWhoseAnswerWasSpoiltIsAskedForAgainAndTheImageIsWhole) {
    const auto [request, spoil, pipelined] = GetParam();
    Start();
    ExpectTheSpoiltUploadReadsEverything({request}, spoil, pipelined);
}

INSTANTIATE_TEST_SUITE_P(
    OneAnswer, UploadOneLostAnswerTest,
    ::testing::Combine(::testing::ValuesIn(kSpoiltRequests),
                       ::testing::Values(Spoil::kLost, Spoil::kDamaged, Spoil::kRefused),
                       ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<SpoiltRequest, Spoil, bool>>& info) {
        return std::string(std::get<0>(info.param).name) + SpoilName(std::get<1>(info.param)) +
               (std::get<2>(info.param) ? "Pipelined" : "Stepwise");
    });

// A pipelined Upload that lost an answer goes on stepwise: an answer lost after that, within a
// step of many requests, is asked for again as well.
TEST_F(UploadLostAnswerTest, AnAnswerLostAfterAPipelinedUploadFellBackIsAskedForAgain) {
    Start();
    ExpectTheSpoiltUploadReadsEverything(
        {{"IoAssignment", ef::kIoAssign, 5},
         {"TunerPage", ef::kTunerPreset, 1 + extended_place::kTunerPresetsPerPage + 3},
         {"SpeakerDistance", ef::kSpeakerDistance, 5}},
        Spoil::kLost, true);
}

// An item whose answer the line spoils every time is not passed off as read: the Upload stops with
// the message that the line is too noisy, and the image is as it was.
TEST_F(UploadLostAnswerTest, AnItemWhoseAnswerIsSpoiltEveryTimeStopsTheUploadAsTooNoisy) {
    Start();
    const std::vector<std::uint8_t> before = EditorImage().ToBytes();
    SpoiltAnswersLine line(spoilt_, {{"IoAssignment", ef::kIoAssign, 5}}, Spoil::kDamaged);
    line.SpoilEveryTime();
    portSwitch_.Wire(kSpoiltPort, line);
    ASSERT_TRUE(UploadFrom(kSpoiltPort, false));

    EXPECT_EQ(line.Spoilt(), TransferEngine::kMaxUploadStepRuns);
    ASSERT_EQ(prompter_.Boxes().size(), 1u) << ::testing::PrintToString(prompter_.BoxTexts());
    EXPECT_EQ(prompter_.Boxes()[0].text, TransferEngine::LineTooNoisyText(true) + "\r\n" +
                                             std::string(TransferEngine::kUploadStoppedText));
    EXPECT_EQ(ImageDifferences(before, EditorImage().ToBytes()), "");
    const std::string status = Main().GetDlgItemText(id::kStatusLine);
    EXPECT_EQ(status.find("Upload finished"), std::string::npos) << status;
}

}  // namespace
}  // namespace tra1::testing
