#pragma once
// The configuration report: the whole receiver image as plain text, in labelled sections, the
// way the REPORT window shows it and a user copies it elsewhere.
//
//   ConfigurationReport report(image, profile);
//   report.Build([&](const std::string& section) { edit.AppendText(section); });
//   std::string all = report.Text();
//
// Every line ends with "\r\n". Labels carry their own tabs and ": " so that the values line up
// in an editor with 8-column tabs. Every value read from the image is looked up through a
// checked table: a byte without a name prints the name table's "INVALID" (the profile's name
// functions) or nothing (the report's own short lists), never text from beyond a table.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tra1 {

class ReceiverImage;
class ModelProfile;

class ConfigurationReport {
public:
    // The image is only read. The profile is not const because its tuner frequency text lives
    // in a buffer of the profile.
    ConfigurationReport(const ReceiverImage& image, ModelProfile& profile);

    // Builds the report and hands it over one section at a time, in report order; each call's
    // text is complete lines.
    void Build(const std::function<void(const std::string&)>& appendSection) const;
    // The whole report in one text.
    std::string Text() const;

    // --- Value rules: how the image's numbers read -------------------------------------------
    // (v - 40) / 2 with one decimal, then " dB": 40 -> "0.0 dB", 39 -> "-0.5 dB".
    static std::string SpeakerLevelText(int v);
    // Graphic EQ band and tone gain: (v - 12) / 2, one decimal, " dB".
    static std::string EqGainText(int v);
    // CINEMA EQ gain: (v - 18) / 2, one decimal, " dB".
    static std::string CinemaEqGainText(int v);
    // LFE level: (v - 40) / 2 with one decimal, " dB": 40 -> "0.0 dB", 0 -> "-20.0 dB".
    static std::string LfeLevelText(int v);
    // Audio delay: v, no decimals, " msec " (with its trailing blank).
    static std::string AudioDelayText(int v);
    // Input trim: v - 12 with one decimal.
    static std::string InputTrimText(int v);
    // Speaker distance: feet d x 0.1, metres d x 0.01, one decimal.
    static std::string DistanceText(std::int32_t d, bool feet);
    // Volume step: 0 "MUTE"; else "- 40.0dB", "+ 0.0dB" ((step - 161) x 0.5).
    static std::string VolumeText(int step);
    // Tuner frequency of a band (0 AM, otherwise FM) and step, as the TUNER panel lists it:
    // "87.5 MHz", "107.9 MHz", "530 kHz".
    static std::string TunerText(int band, int step);

    // The title of the DC trigger section, whose rows the report names by the inputs' own names.
    static constexpr std::string_view kDcTriggerTitle = "DC Trigge Information";

    // Line framing.
    static constexpr std::size_t kSectionRuleLength = 26;  // "+" lines around section titles
    static constexpr std::size_t kPartRuleLength = 42;     // "=" lines around the two parts
    static constexpr std::size_t kHeaderRuleLength = 74;   // "=" lines of the header

private:
    std::string Header() const;
    std::string UserMemo() const;
    std::string InputInformation() const;
    std::string SpeakerSet() const;
    std::string ThxSet() const;
    std::string SpeakerLevel() const;
    std::string GraphicEq() const;
    std::string CinemaEq() const;
    std::string ToneControl() const;
    std::string LfeAndDynamicRange() const;
    std::string Delay() const;
    std::string Tuner() const;
    std::string SpeakerDistance() const;
    std::string VideoProcessor() const;
    std::string InputMode() const;
    std::string DisplaySet() const;
    std::string InputTrim() const;
    std::string Zone2Set() const;
    std::string DspParameters() const;
    std::string DcTriggers() const;
    std::string OtherCurrentSetting() const;
    std::string HomePreset(int record) const;

    const ReceiverImage& image_;
    ModelProfile& profile_;
};

}  // namespace tra1
