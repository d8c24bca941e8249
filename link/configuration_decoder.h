#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tra1 {

class DecoderHost;
class ReceiverImage;
struct LinkState;

// What DecodeConfiguration did with a frame.
enum class ConfigurationOutcome {
    kTooShort,     // the body cannot hold the positions it must carry: at most the power byte
    kMalformed,    // not a digit where digits belong, or longer than a frame: ignored
    kSkipped,      // the decode skip count was above 0 (and has been decreased)
    kEcho,         // the echo guard is set
    kPowerOff,     // only the power byte was cleared
    kPowerOnOnly,  // power byte set; the rest is not decoded outside realtime mode and uploads
    kDecoded,      // every field stored and the panels refreshed
    // An upload's status request was answered, but no frame heard before in the same step is
    // the same: nothing stored (the step asks again once both its answers are in).
    kUnconfirmed,
};

// What a received configuration frame is good for. Line noise can cut a frame short, flip a
// digit into another character or open a frame in the middle of another, so a frame is only
// believed as far as its form allows.
enum class ConfigurationForm {
    // The model code is not of the receiver's form ("R" and four decimal digits): noise that
    // happened to start with DC2. It is logged and otherwise dropped.
    kNoModelCode,
    // A model code of the right form, but the state data holds a character that is not a
    // hexadecimal digit, runs past the last position or stops before the power digit: the
    // line damaged it. The frame still answers the status request, but neither its model code
    // nor its state is believed.
    kDamaged,
    // A model code of the right form and sound digits, reporting power on, but cut before the
    // last position: it answers and names the model, and only its power digit is decoded.
    kShort,
    // The whole frame, every data position a hexadecimal digit: it answers, names the model and
    // is decoded.
    kWhole,
};

// Decodes the receiver's configuration frame (DC2 body ETX) into the image. Body characters 0-4
// are the model code; the state data starts at character 15 ("data position N" is body
// character 15 + N). One position is one hexadecimal digit; two-digit fields read high first.
class ConfigurationDecoder {
public:
    static constexpr std::size_t kModelCodeLength = 5;
    static constexpr std::size_t kDataStart = 15;
    static constexpr std::size_t kPowerPosition = 1;
    static constexpr std::size_t kLastPosition = 112;
    // A frame must reach the power digit to be looked at, and the last position to be decoded.
    static constexpr std::size_t kPowerLength = kDataStart + kPowerPosition + 1;
    static constexpr std::size_t kFullLength = kDataStart + kLastPosition + 1;
    // The highest main and zone 2 volume step.
    static constexpr int kMaxVolume = 194;

    ConfigurationDecoder(ReceiverImage& image, LinkState& state, DecoderHost& host)
        : image_(image), state_(state), host_(host) {}

    // Whether the body starts with a model code of the receiver's form.
    static bool HasModelCode(std::string_view body);
    // A frame that reports power on must reach the last position to be whole; one that reports
    // standby need only reach the power digit. Every data character present must be a
    // hexadecimal digit, and a frame may not run past the last position.
    static ConfigurationForm FormOf(std::string_view body);

    // Runs after the identification steps have let the frame through. Honours the decode skip
    // count and the echo guard, stores the power state, and in realtime mode or during an upload
    // stores every reported field, refreshes the windows and ends a wait for the status request.
    ConfigurationOutcome DecodeConfiguration(std::string_view body);

private:
    // During an upload: whether a frame heard before in the same step is the same.
    bool ConfirmedInStep(std::string_view body);
    void StoreFields(std::string_view body);

    ReceiverImage& image_;
    LinkState& state_;
    DecoderHost& host_;
    // The frames that answered an upload step's status requests, the step, and how many of
    // them found no match.
    static constexpr std::size_t kFramesKeptPerStep = 16;
    std::vector<std::string> heardInStep_;
    int heardStep_ = 0;
    int unconfirmedInStep_ = 0;
};

// The five-character model code a configuration frame starts with; empty when the body is
// shorter than that.
std::string_view ReportedModelCode(std::string_view body);

// A reported volume byte as a volume step: 0 stays 0 (mute), otherwise the byte minus 38, kept
// within 0..194.
int VolumeStepOf(int reported);

}  // namespace tra1
