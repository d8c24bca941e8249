#pragma once
// The names of every enumerated value that the editor shows: one list per kind of value, the
// index being the stored byte. The panels fill their selectors from these lists and the
// configuration report prints from them, so that a byte reads the same everywhere.
//
//   combo.AddString(...) for each of value_names::kCrossover.Names();
//   report += value_names::kCrossover.Name(image.SpeakerSetup[speaker_setup::kCrossover]);
//
// Where the receiver's set-up menu and older lists of the editor disagreed, the receiver's
// (what its own menus offer, and what its commands select) is kept.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tra1 {

// One kind of value's names, and what a byte without a name reads.
class NameList {
public:
    template <std::size_t N>
    constexpr NameList(const std::array<std::string_view, N>& names, std::string_view fallback)
        : names_(names), fallback_(fallback) {}

    // The name of a stored value; the list's fallback for a value without one.
    constexpr std::string_view Name(int value) const {
        if (value < 0 || static_cast<std::size_t>(value) >= names_.size()) {
            return fallback_;
        }
        return names_[static_cast<std::size_t>(value)];
    }
    constexpr std::span<const std::string_view> Names() const { return names_; }
    constexpr int Count() const { return static_cast<int>(names_.size()); }
    constexpr std::string_view Fallback() const { return fallback_; }

private:
    std::span<const std::string_view> names_;
    std::string_view fallback_;
};

namespace value_names {

inline constexpr std::string_view kInvalid = "INVALID";

namespace lists {
// Speaker set.
inline constexpr std::array<std::string_view, 3> kSpeakerSize{"LARGE", "SMALL", "NONE"};
inline constexpr std::array<std::string_view, 2> kFrontSpeakerSize{"LARGE", "SMALL"};
inline constexpr std::array<std::string_view, 5> kSurroundBackSize{
    "LARGE x 2", "LARGE x 1", "SMALL x 2", "SMALL x 1", "NONE"};
inline constexpr std::array<std::string_view, 2> kPresenceSpeaker{"YES", "NONE"};
inline constexpr std::array<std::string_view, 3> kBassOut{"SUBWOOFER", "FRONT", "BOTH"};
inline constexpr std::array<std::string_view, 4> kSubwooferConfig{"None", "Monaural", "Stereo",
                                                                  "Front & Rear"};
inline constexpr std::array<std::string_view, 4> kSubwooferPhase{"Normal", "L Reverse", "R Reverse",
                                                                 "L&R Reverse"};
inline constexpr std::array<std::string_view, 2> kMainLevel{"NORMAL", "-10dB"};
inline constexpr std::array<std::string_view, 2> kSpeakerBUse{"ZONE 1", "ZONE B"};
inline constexpr std::array<std::string_view, 9> kCrossover{
    "40Hz", "60Hz", "80Hz(THX)", "90Hz", "100Hz", "110Hz", "120Hz", "160Hz", "200Hz"};
inline constexpr std::array<std::string_view, 2> kPresenceOrSurroundBack{"Presence",
                                                                         "Surround Back"};
// THX set.
inline constexpr std::array<std::string_view, 2> kNoYes{"No", "Yes"};
inline constexpr std::array<std::string_view, 3> kBackSpeakerDistance{"under 1ft", "1 - 4ft",
                                                                      "over 4ft"};
// CINEMA EQ and tone control.
inline constexpr std::array<std::string_view, 17> kCinemaEqFrequency{
    "1.0kHz", "1.3kHz", "1.6kHz", "2.0kHz", "2.5kHz",  "3.2kHz",  "4.0kHz",  "5.0kHz", "5.7kHz",
    "6.3kHz", "7.1kHz", "8.0kHz", "9.0kHz", "10.1kHz", "11.3kHz", "12.7kHz", "Through"};
inline constexpr std::array<std::string_view, 3> kToneBassFrequency{"125Hz", "350Hz", "500Hz"};
inline constexpr std::array<std::string_view, 3> kToneTrebleFrequency{"2.5kHz", "3.5kHz", "8.0kHz"};
// LFE level / D-RANGE.
inline constexpr std::array<std::string_view, 3> kDynamicRange{"MAX", "STANDARD", "MIN"};
// Video processor.
inline constexpr std::array<std::string_view, 3> kPictureMode{"Cinema", "Standard", "Dynamic"};
inline constexpr std::array<std::string_view, 4> kResolution{"480p / 576p", "480i / 576i", "1080i",
                                                             "720p"};
inline constexpr std::array<std::string_view, 4> kAspect{"Through", "Auto", "16:9 Normal",
                                                         "16:9 Zoom"};
inline constexpr std::array<std::string_view, 2> kCrossColor{"Not Supress", "Suppress"};
inline constexpr std::array<std::string_view, 2> kTvFormat{"PAL", "NTSC"};
inline constexpr std::array<std::string_view, 3> kSVideo{"S", "S1", "S2"};
// Display set and the main window's on-screen display.
inline constexpr std::array<std::string_view, 5> kWallPaper{"None", "1 (TR-A1)", "2 (Horn)",
                                                            "3 (Piano)", "4 (Gray)"};
inline constexpr std::array<std::string_view, 2> kOnScreen{"OFF", "ON"};
// DC trigger.
inline constexpr std::array<std::string_view, 3> kDcTriggerMode{"ALL ZONE", "ZONE1", "ZONE2"};
// Speaker distance (0 metres, otherwise feet).
inline constexpr std::array<std::string_view, 2> kDistanceUnit{"Meter", "Feet"};
// Tuner.
inline constexpr std::array<std::string_view, 2> kTunerBand{"AM", "FM"};
// Input mode set, multi zone set.
inline constexpr std::array<std::string_view, 2> kInputModeSet{"AUTO", "LAST"};
inline constexpr std::array<std::string_view, 2> kZone2Out{"VAR", "FIX"};
inline constexpr std::array<std::string_view, 2> kZone2Amp{"Internal", "External"};
// The main window.
inline constexpr std::array<std::string_view, 3> kInputMode{"AUTO", "DTS", "ANALOG"};
inline constexpr std::array<std::string_view, 6> kExEsDecoder{
    "OFF", "AUTO", "EX/ES ON", "EX ON", "PLIIx Movie", "PLIIx Music"};
inline constexpr std::array<std::string_view, 2> kOnOff{"OFF", "ON"};
}  // namespace lists

inline constexpr NameList kSpeakerSize{lists::kSpeakerSize, kInvalid};
inline constexpr NameList kFrontSpeakerSize{lists::kFrontSpeakerSize, kInvalid};
inline constexpr NameList kSurroundBackSize{lists::kSurroundBackSize, kInvalid};
inline constexpr NameList kPresenceSpeaker{lists::kPresenceSpeaker, kInvalid};
inline constexpr NameList kBassOut{lists::kBassOut, kInvalid};
inline constexpr NameList kSubwooferConfig{lists::kSubwooferConfig, kInvalid};
inline constexpr NameList kSubwooferPhase{lists::kSubwooferPhase, kInvalid};
inline constexpr NameList kMainLevel{lists::kMainLevel, kInvalid};
inline constexpr NameList kSpeakerBUse{lists::kSpeakerBUse, kInvalid};
inline constexpr NameList kCrossover{lists::kCrossover, kInvalid};
inline constexpr NameList kPresenceOrSurroundBack{lists::kPresenceOrSurroundBack, kInvalid};
inline constexpr NameList kNoYes{lists::kNoYes, kInvalid};
inline constexpr NameList kBackSpeakerDistance{lists::kBackSpeakerDistance, kInvalid};
inline constexpr NameList kCinemaEqFrequency{lists::kCinemaEqFrequency, ""};
inline constexpr NameList kToneBassFrequency{lists::kToneBassFrequency, kInvalid};
inline constexpr NameList kToneTrebleFrequency{lists::kToneTrebleFrequency, kInvalid};
inline constexpr NameList kDynamicRange{lists::kDynamicRange, kInvalid};
inline constexpr NameList kPictureMode{lists::kPictureMode, ""};
inline constexpr NameList kResolution{lists::kResolution, kInvalid};
inline constexpr NameList kAspect{lists::kAspect, kInvalid};
inline constexpr NameList kCrossColor{lists::kCrossColor, kInvalid};
inline constexpr NameList kTvFormat{lists::kTvFormat, kInvalid};
inline constexpr NameList kSVideo{lists::kSVideo, kInvalid};
inline constexpr NameList kWallPaper{lists::kWallPaper, kInvalid};
inline constexpr NameList kOnScreen{lists::kOnScreen, kInvalid};
inline constexpr NameList kDcTriggerMode{lists::kDcTriggerMode, kInvalid};
inline constexpr NameList kDistanceUnit{lists::kDistanceUnit, kInvalid};
inline constexpr NameList kTunerBand{lists::kTunerBand, kInvalid};
inline constexpr NameList kInputModeSet{lists::kInputModeSet, kInvalid};
inline constexpr NameList kZone2Out{lists::kZone2Out, kInvalid};
inline constexpr NameList kZone2Amp{lists::kZone2Amp, kInvalid};
inline constexpr NameList kInputMode{lists::kInputMode, kInvalid};
inline constexpr NameList kExEsDecoder{lists::kExEsDecoder, kInvalid};
inline constexpr NameList kOnOff{lists::kOnOff, kInvalid};

// A tuner station's frequency as the TUNER panel lists it and the report prints it: FM (band not
// 0) 107.9 - 0.2 x step MHz with one decimal ("87.5 MHz"), AM 1710 - 10 x step kHz ("530 kHz").
// A step beyond the band's range (FM 0..102, AM 0..118) is held at the nearer end.
std::string TunerFrequencyName(int band, int step);
inline constexpr int kHighestFmStep = 102;  // 87.5 MHz
inline constexpr int kHighestAmStep = 118;  // 530 kHz

}  // namespace value_names
}  // namespace tra1
