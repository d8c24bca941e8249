#include "app/configuration_report.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "model/dsp_parameter_sets.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "model/value_format.h"
#include "model/value_names.h"

namespace tra1 {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::string_view kEol = "\r\n";
constexpr std::size_t kTabWidth = 8;
constexpr std::size_t kValueColumn = 24;  // where the ": " of a computed label starts

// Image bytes through a checked read: an offset beyond the span reads 0. The offsets used here
// are fixed, so this only guards against a short record.
int At(Bytes bytes, std::size_t offset) {
    return offset < bytes.size() ? bytes[offset] : 0;
}

std::string Rule(char c, std::size_t length) {
    std::string line(length, c);
    line += kEol;
    return line;
}

std::string SectionTitle(std::string_view title) {
    const std::string rule = Rule('+', ConfigurationReport::kSectionRuleLength);
    std::string text = rule;
    text += "    ";
    text += title;
    text += kEol;
    text += rule;
    return text;
}

std::string PartTitle(std::string_view title) {
    const std::string rule = Rule('=', ConfigurationReport::kPartRuleLength);
    std::string text = rule;
    text += '\t';
    text += title;
    text += kEol;
    text += rule;
    return text;
}

// A label whose tabs bring its ": " to the value column, for lines whose label the report
// builds from a name.
std::string Aligned(std::string_view name) {
    std::string label(name);
    std::size_t tabs = 1;
    if (name.size() < kValueColumn) {
        tabs = (kValueColumn - name.size() + kTabWidth - 1) / kTabWidth;
    }
    label.append(tabs, '\t');
    label += ": ";
    return label;
}

std::string Line(std::string_view label, std::string_view value) {
    std::string text(label);
    text += value;
    text += kEol;
    return text;
}

std::string_view OnOff(int value) {
    return value != 0 ? "ON" : "OFF";
}

std::string Tenths(int value) {
    return FormatReal(static_cast<double>(value) / 10.0, 1);
}

std::string StripLeadingBlanks(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string{} : text.substr(first);
}

// --- Fixed texts of the report --------------------------------------------------------------

constexpr std::array<std::string_view, 4> kJackKind{"Component Video ", "Optical OUT ",
                                                    "Optical IN ", "Coaxial IN "};

// Graphic EQ channel records in report order with their titles (record 1 is never shown).
struct EqChannel {
    std::size_t record;
    std::string_view name;
};
constexpr std::array<EqChannel, 9> kEqChannels{{
    {eq_layout::kCenter, "CENTER"},
    {eq_layout::kFrontL, "FRONT L"},
    {eq_layout::kFrontR, "FRONT R"},
    {eq_layout::kSurroundL, "SURROUND L"},
    {eq_layout::kSurroundR, "SURROUND R"},
    {eq_layout::kSurroundBackL, "S BACK L"},
    {eq_layout::kSurroundBackR, "S BACK R"},
    {eq_layout::kPresenceL, "PRESENCE L"},
    {eq_layout::kPresenceR, "PRESENCE R"},
}};
constexpr std::array<std::string_view, 9> kBandNames{"63Hz", "125Hz", "250Hz", "500Hz", "1kHz",
                                                     "2kHz", "4kHz",  "8kHz",  "16kHz"};

// The CINEMA EQ groups in report order, each with the record the receiver keeps it in (record 1
// is the presence group, as in the CINEMA EQ panel and the receiver's commands).
struct CinemaEqGroup {
    std::size_t record;
    std::string_view label;
};
constexpr std::array<CinemaEqGroup, eq_layout::kCinemaEqRecordCount> kCinemaEqGroups{{
    {eq_layout::kCinemaFrontCenter, "L/C/R\t\t\t: "},
    {eq_layout::kCinemaSurround, "Surround\t\t: "},
    {eq_layout::kCinemaSurroundBack, "Surround Back\t\t: "},
    {eq_layout::kCinemaPresence, "Presence\t\t: "},
}};

struct DistanceEntry {
    std::size_t entry;
    std::string_view name;
};
constexpr std::array<DistanceEntry, 11> kDistanceEntries{{
    {speaker_distance::kFrontL, "Front L"},
    {speaker_distance::kFrontR, "Front R"},
    {speaker_distance::kCenter, "Center"},
    {speaker_distance::kSurroundL, "Surround L"},
    {speaker_distance::kSurroundR, "Surround R"},
    {speaker_distance::kSurroundBackL, "S Back L"},
    {speaker_distance::kSurroundBackR, "S Back R"},
    {speaker_distance::kPresenceL, "Presence L"},
    {speaker_distance::kPresenceR, "Presence R"},
    {speaker_distance::kSubwooferL, "SW L"},
    {speaker_distance::kSubwooferR, "SW R"},
}};

struct LevelEntry {
    std::size_t offset;
    std::string_view label;
};
constexpr std::array<LevelEntry, 11> kLevelEntries{{
    {speaker_levels::kFL, "FRONT L\t\t\t: "},
    {speaker_levels::kFR, "FRONT R\t\t\t: "},
    {speaker_levels::kCT, "CENTER\t\t\t: "},
    {speaker_levels::kSL, "SURROUND L\t\t: "},
    {speaker_levels::kSR, "SURROUND R\t\t: "},
    {speaker_levels::kSBL, "S BACK L\t\t: "},
    {speaker_levels::kSBR, "S BACK R\t\t: "},
    {speaker_levels::kPRL, "PRESENCE L\t\t: "},
    {speaker_levels::kPRR, "PRESENCE R\t\t: "},
    {speaker_levels::kSW, "SW1\t\t\t: "},
    {speaker_levels::kSW2, "SW2\t\t\t: "},
}};

// --- The parameter lines of a sound-field program -------------------------------------------

// The highest parameter index that has lines of its own; 30..41 print as variants of 4..10.
constexpr int kHighestReportedParameter = 29;

// The lines of one parameter of a program's 42-byte record. A home preset labels the variants
// by source (DD, DTS, multi-channel, EX/ES) instead of by field.
std::string ParameterLines(Bytes record, int k, bool multiChannelInput, bool preset) {
    const std::string name(ModelProfile::ParameterName(k));
    const int v = At(record, static_cast<std::size_t>(k));
    auto slot = [&](std::size_t n) { return At(record, n); };
    auto integer = [](int value) { return FormatInteger(value); };
    std::string text;
    switch (k) {
        case 1:
            return Line(name + "\t\t: ", Tenths(v));
        case 11:
        case 18:
            return Line(name + "\t\t\t: ", Tenths(v));
        case 3:
            return {};
        case 4:
            if (preset) {
                text += Line(name + " (DD)\t\t: ", integer(slot(30)));
                text += Line(name + " (DTS)\t\t: ", integer(slot(31)));
                return text;
            }
            return Line(name + "\t\t\t: ", integer(slot(30)));
        case 5:
        case 6:
        case 7: {
            const std::size_t first = k == 5 ? 32 : (k == 6 ? 35 : 38);
            auto value = [&](std::size_t n) { return k == 6 ? Tenths(slot(n)) : integer(slot(n)); };
            if (preset) {
                text += Line(name + "\t\t: ", value(first));
                text += Line(name + " (Multi ch)\t: ", value(first + 1));
                text += Line(name + " (EX/ES)\t: ", value(first + 2));
                return text;
            }
            text += Line(name + " (Dual Field)\t: ", value(first));
            // The labels of the liveness variants have always been spelt this way.
            text +=
                Line(name + (k == 7 ? " (Tri Firld)\t: " : " (Tri Field)\t: "), value(first + 1));
            text +=
                Line(name + (k == 7 ? " (Quad Firld)\t: " : " (Quad Field)\t: "), value(first + 2));
            return text;
        }
        case 8:
        case 9:
        case 10: {
            const std::string label = name + (preset ? " (EX/ES)\t: " : " (Quad Field)\t: ");
            if (k == 9) {
                return Line(label, Tenths(v));
            }
            return label + integer(v) + " " + std::string(kEol);
        }
        case 14:
            return Line(name + "\t\t: ", integer(v - 6));
        case 15:
            return name + "\t\t: " + (v != 0 ? " ON" : " OFF") + std::string(kEol);
        case 16:
            return Line(name + "\t\t\t: ", v == 3 ? " STD" : integer(v - 3));
        case 17:
        case 28:
            return Line(name + "\t\t\t: ", integer(v));
        case 19:
        case 20:
        case 21:
        case 22:
            return multiChannelInput ? Line(name + "\t\t\t: ", integer(v)) : std::string{};
        case 23:
        case 24:
            return multiChannelInput ? Line(name + "\t\t: ", integer(v)) : std::string{};
        default:
            return Line(name + "\t\t: ", integer(v));
    }
}

std::string ParameterBlock(Bytes record, int program, bool multiChannelInput, bool preset) {
    std::string text;
    for (int k = 0; k <= kHighestReportedParameter; ++k) {
        if (ProgramHasParameter(program, k)) {
            text += ParameterLines(record, k, multiChannelInput, preset);
        }
    }
    return text;
}

// A program byte as a name: "Straight (" name ")" when the effect-off bit is set.
std::string ProgramText(std::uint8_t programByte) {
    const std::string name(ModelProfile::ProgramName(ReceiverImage::ProgramOf(programByte)));
    if (ReceiverImage::EffectOff(programByte)) {
        return "Straight (" + name + ")";
    }
    return name;
}

std::string GraphicEqLines(Bytes eq, bool preset) {
    std::string text;
    for (const EqChannel& channel : kEqChannels) {
        text += preset ? "" : "+ ";
        text += channel.name;
        text += kEol;
        const std::size_t base = channel.record * eq_layout::kBandsPerChannel;
        for (std::size_t band = 0; band < kBandNames.size(); ++band) {
            text += Line(
                Aligned(kBandNames.at(band)),
                ConfigurationReport::EqGainText(At(eq, base + eq_layout::kShownBands.at(band))));
        }
    }
    return text;
}

std::string CinemaEqLines(Bytes eq) {
    std::string text;
    for (const CinemaEqGroup& group : kCinemaEqGroups) {
        const std::size_t base =
            eq_layout::kCinemaEq + group.record * eq_layout::kCinemaEqRecordSize;
        auto byte = [&](std::size_t offset) { return At(eq, base + offset); };
        text += Line(group.label, OnOff(byte(eq_layout::kCinemaOnOff)));
        text += Line("PEQ Freq\t\t\t: ",
                     value_names::kCinemaEqFrequency.Name(byte(eq_layout::kCinemaPeqFrequency)));
        text += Line("PEQ Gain\t\t\t: ",
                     ConfigurationReport::CinemaEqGainText(byte(eq_layout::kCinemaPeqGain)));
        text += Line("HIGH Freq\t\t: ",
                     value_names::kCinemaEqFrequency.Name(byte(eq_layout::kCinemaHighFrequency)));
        text += Line("HIGH Gain\t\t: ",
                     ConfigurationReport::CinemaEqGainText(byte(eq_layout::kCinemaHighGain)));
    }
    return text;
}

std::string ToneLines(Bytes tone, bool preset) {
    std::string text;
    const std::array<std::string_view, 2> heads{"Speaker", "Headphone"};
    const std::array<std::size_t, 2> bass{tone_layout::kSpeakerBass, tone_layout::kHeadphoneBass};
    const std::array<std::size_t, 2> treble{tone_layout::kSpeakerTreble,
                                            tone_layout::kHeadphoneTreble};
    for (std::size_t i = 0; i < heads.size(); ++i) {
        text += preset ? "" : "+ ";
        text += heads.at(i);
        text += kEol;
        text += Line("Bass Freq\t\t: ", value_names::kToneBassFrequency.Name(At(tone, bass.at(i))));
        text += Line("Bass Gain\t\t: ", ConfigurationReport::EqGainText(At(tone, bass.at(i) + 1)));
        text += Line("Treble Freq\t\t: ",
                     value_names::kToneTrebleFrequency.Name(At(tone, treble.at(i))));
        text +=
            Line("Treble Gain\t\t: ", ConfigurationReport::EqGainText(At(tone, treble.at(i) + 1)));
    }
    return text;
}

std::string DistanceLines(const std::array<std::int32_t, speaker_distance::kEntryCount>& d,
                          bool preset) {
    const std::string_view prefix = preset ? "" : "+ ";
    const bool feet = d.at(speaker_distance::kUnit) != 0;
    std::string text =
        Line(Aligned(std::string(prefix) + "Unit"), value_names::kDistanceUnit.Name(feet ? 1 : 0));
    for (const DistanceEntry& entry : kDistanceEntries) {
        text += Line(Aligned(std::string(prefix) + std::string(entry.name)),
                     ConfigurationReport::DistanceText(d.at(entry.entry), feet));
    }
    return text;
}

// The video settings lines; the main section's labels are kept exactly as they have always
// read, a home preset's are aligned from the plain names.
std::string VideoLines(Bytes video, bool preset) {
    auto label = [preset](std::string_view fixed, std::string_view name) {
        return preset ? Aligned(name) : std::string(fixed);
    };
    std::string text;
    text += Line(label("+ VIDEO PROCESSOR\t: ", "VIDEO PROCESSOR"),
                 At(video, video_layout::kProcessor) != 0 ? " ON" : "OFF");
    text += Line(label("+ Picture Mode\t\t: ", "Picture Mode"),
                 value_names::kPictureMode.Name(At(video, video_layout::kPictureMode)));
    text += Line(label("+ Resolution\t\t: ", "Resolution"),
                 value_names::kResolution.Name(At(video, video_layout::kResolution)));
    text += Line(label("+ Aspect\t\t\t: ", "Aspect"),
                 value_names::kAspect.Name(At(video, video_layout::kAspect)));
    text += Line(label("+ Cross Color\t\t: ", "Cross Color"),
                 value_names::kCrossColor.Name(At(video, video_layout::kCrossColor)));
    text += Line(label("+ TV Format\t\t: ", "TV Format"),
                 value_names::kTvFormat.Name(At(video, video_layout::kTvFormat)));
    text += Line(label("+ S Video\t\t\t: ", "S Video"),
                 value_names::kSVideo.Name(At(video, video_layout::kSVideo)));
    return text;
}

}  // namespace

ConfigurationReport::ConfigurationReport(const ReceiverImage& image, ModelProfile& profile)
    : image_(image), profile_(profile) {}

// --- Value rules ----------------------------------------------------------------------------

std::string ConfigurationReport::SpeakerLevelText(int v) {
    return FormatReal(static_cast<double>(v - 40) / 2.0, 1) + " dB";
}

std::string ConfigurationReport::EqGainText(int v) {
    return FormatReal(static_cast<double>(v - 12) / 2.0, 1) + " dB";
}

std::string ConfigurationReport::CinemaEqGainText(int v) {
    return FormatReal(static_cast<double>(v - 18) / 2.0, 1) + " dB";
}

std::string ConfigurationReport::LfeLevelText(int v) {
    return FormatReal(static_cast<double>(v - 40) / 2.0, 1) + " dB";
}

std::string ConfigurationReport::AudioDelayText(int v) {
    return FormatInteger(v) + " msec ";
}

std::string ConfigurationReport::InputTrimText(int v) {
    return FormatReal(static_cast<double>(v - 12), 1);
}

std::string ConfigurationReport::DistanceText(std::int32_t d, bool feet) {
    // Divided rather than multiplied by 0.1 / 0.01, so that the tenths come out exact.
    return FormatReal(static_cast<double>(d) / (feet ? 10.0 : 100.0), 1);
}

std::string ConfigurationReport::VolumeText(int step) {
    if (step == 0) {
        return "MUTE";
    }
    const int tenths = (step - 161) * 5;
    const std::string magnitude = FormatReal(static_cast<double>(std::abs(tenths)) / 10.0, 1);
    return (tenths < 0 ? "- " : "+ ") + magnitude + "dB";
}

std::string ConfigurationReport::TunerText(int band, int step) {
    // As the TUNER panel lists the station.
    return value_names::TunerFrequencyName(band, step);
}

// --- Report ---------------------------------------------------------------------------------

void ConfigurationReport::Build(
    const std::function<void(const std::string&)>& appendSection) const {
    appendSection(Header());
    appendSection(UserMemo());
    appendSection(PartTitle("1. Current Setting"));
    appendSection(InputInformation());
    appendSection(SpeakerSet());
    appendSection(ThxSet());
    appendSection(SpeakerLevel());
    appendSection(GraphicEq());
    appendSection(CinemaEq());
    appendSection(ToneControl());
    appendSection(LfeAndDynamicRange());
    appendSection(Delay());
    appendSection(Tuner());
    appendSection(SpeakerDistance());
    appendSection(VideoProcessor());
    appendSection(InputMode());
    appendSection(DisplaySet());
    appendSection(InputTrim());
    appendSection(Zone2Set());
    appendSection(DspParameters());
    appendSection(DcTriggers());
    appendSection(OtherCurrentSetting());
    appendSection(PartTitle("2. Home Preset Setting"));
    // The lists offer six memories, A..F; the seventh record is never selected.
    for (int record = 0; record < 6; ++record) {
        appendSection(HomePreset(record));
    }
}

std::string ConfigurationReport::Text() const {
    std::string text;
    Build([&text](const std::string& section) { text += section; });
    return text;
}

std::string ConfigurationReport::Header() const {
    std::string text = Rule('=', kHeaderRuleLength);
    text += "Receiver Editor Configuration Report\t\t\t\t\t\t\r\n";
    text += kEol;
    text += Line("Model Name : ", profile_.ModelName());
    text += Rule('=', kHeaderRuleLength);
    text += kEol;
    return text;
}

std::string ConfigurationReport::UserMemo() const {
    std::string text = SectionTitle("User Memo");
    const std::string memo = image_.UserMemoText();
    text += memo.empty() ? "No Data." : memo;
    text += kEol;
    return text;
}

std::string ConfigurationReport::InputInformation() const {
    std::string text = SectionTitle("Input Information");
    for (int input = 0; input <= profile_.HighestInput(); ++input) {
        text += FormatInteger(input + 1) + ". " + image_.InputName(input) +
                " ( original name = " + std::string(ModelProfile::InputName(input)) + " )\r\n";
        text += Line("+ DSP Program\t\t: ", ProgramText(image_.InputProgramByte(input)));
        text += "+ Assigned I/O\t\t: ";
        for (int row = 0; row < static_cast<int>(io_assign::kRowCount); ++row) {
            for (int position = 0; position < static_cast<int>(io_assign::kRowSize); ++position) {
                if (image_.IoAssign(row, position) == input) {
                    text += kJackKind.at(static_cast<std::size_t>(row));
                    text += FormatInteger(position + 1) + ", ";
                }
            }
        }
        text += kEol;
        text += kEol;
    }
    text += image_.MainZoneState.at(main_zone::kNightMode) != 0 ? "Night Mode = ON\r\n"
                                                                : "Night Mode = OFF\r\n";
    return text;
}

std::string ConfigurationReport::SpeakerSet() const {
    const Bytes s = image_.SpeakerSetup;
    std::string text = SectionTitle("SP SET Information");
    text += Line("CENTER\t\t\t: ", value_names::kSpeakerSize.Name(At(s, speaker_setup::kCenter)));
    text +=
        Line("FRONT\t\t\t: ", value_names::kFrontSpeakerSize.Name(At(s, speaker_setup::kFront)));
    text +=
        Line("SURROUND LR\t\t: ", value_names::kSpeakerSize.Name(At(s, speaker_setup::kSurround)));
    text += Line("SURROUND BACK\t\t: ",
                 value_names::kSurroundBackSize.Name(At(s, speaker_setup::kSurroundBack)));
    text += Line("PRESENCE SP\t\t: ",
                 value_names::kPresenceSpeaker.Name(At(s, speaker_setup::kPresence)));
    text += Line("LFE BASS\t\t: ", value_names::kBassOut.Name(At(s, speaker_setup::kBassOut)));
    text +=
        Line("SW Crossover\t\t: ", value_names::kCrossover.Name(At(s, speaker_setup::kCrossover)));
    text += Line("Speaker B Set\t\t: ",
                 value_names::kSpeakerBUse.Name(At(s, speaker_setup::kSpeakerBSet)));
    text += Line("SW Config\t\t: ",
                 value_names::kSubwooferConfig.Name(At(s, speaker_setup::kSubwooferConfig)));
    text += Line("SW Phase\t\t: ", value_names::kSubwooferPhase.Name(At(s, speaker_setup::kPhase)));
    text += Line("LFE/Bass Out\t\t: ", value_names::kBassOut.Name(At(s, speaker_setup::kBassOut)));
    return text;
}

std::string ConfigurationReport::ThxSet() const {
    const Bytes t = image_.ThxSettings;
    std::string text = SectionTitle("THX SET");
    text += Line("THX Ultra2 Subwoofer\t: ", value_names::kNoYes.Name(At(t, 0)));
    text += Line("Boundary Gain Compensation\t: ", value_names::kNoYes.Name(At(t, 1)));
    text += Line("S.Back Speaker Distance\t: ", value_names::kBackSpeakerDistance.Name(At(t, 2)));
    return text;
}

std::string ConfigurationReport::SpeakerLevel() const {
    std::string text = SectionTitle("Speaker Level");
    text += "+ Speaker Level\r\n";
    for (const LevelEntry& level : kLevelEntries) {
        text += Line(level.label, SpeakerLevelText(image_.SpeakerLevels.at(level.offset)));
    }
    return text;
}

std::string ConfigurationReport::GraphicEq() const {
    return SectionTitle("Graphic EQ") + GraphicEqLines(image_.EqSettings, false);
}

std::string ConfigurationReport::CinemaEq() const {
    return SectionTitle("Cinema EQ") + CinemaEqLines(image_.EqSettings);
}

std::string ConfigurationReport::ToneControl() const {
    return SectionTitle("TONE CONTROL") + ToneLines(image_.ToneSettings, false);
}

std::string ConfigurationReport::LfeAndDynamicRange() const {
    const Bytes l = image_.LfeDrange;
    std::string text = SectionTitle("LFE Level");
    text += Line("+ Speaker\t\t: ", LfeLevelText(At(l, lfe_drange::kLfeSpeaker)));
    text += Line("+ Headphone\t\t: ", LfeLevelText(At(l, lfe_drange::kLfeHeadphone)));
    text += SectionTitle("Dynamic Range");
    text +=
        Line("+ Speaker\t\t: ", value_names::kDynamicRange.Name(At(l, lfe_drange::kDrangeSpeaker)));
    text += Line("+ Headphone\t\t: ",
                 value_names::kDynamicRange.Name(At(l, lfe_drange::kDrangeHeadphone)));
    return text;
}

std::string ConfigurationReport::Delay() const {
    return SectionTitle("Delay") +
           Line("+ Audio Delay\t\t: ", AudioDelayText(image_.AudioDelay.at(0)));
}

std::string ConfigurationReport::Tuner() const {
    auto station = [this](int entry) {
        const int band = image_.TunerBand(entry);
        return std::string(value_names::kTunerBand.Name(band)) + " - " +
               TunerText(band, image_.TunerStep(entry));
    };
    std::string text = SectionTitle("Tuner Information");
    text += Line("+ Current Station\t\t: ", station(0));
    text += "+ Preset Stations\t\t: \r\n";
    for (int entry = 1; entry < static_cast<int>(tuner_presets::kEntryCount); ++entry) {
        const int page = (entry - 1) / 8 + 1;
        const int number = (entry - 1) % 8 + 1;
        text += Line(LetterFor(page) + "-" + FormatInteger(number) + "\t\t\t: ", station(entry));
    }
    return text;
}

std::string ConfigurationReport::SpeakerDistance() const {
    return SectionTitle("Speaker Distance") + DistanceLines(image_.SpeakerDistances, false);
}

std::string ConfigurationReport::VideoProcessor() const {
    const Bytes video = image_.VideoSettings;
    std::string text = SectionTitle("Video Processor") + VideoLines(video, false);
    text += "+ Picture Mode Parameter\t:\r\n";
    // The picture mode byte picks one of three adjustment records; another value has none, and
    // its lines stay empty rather than read past the block.
    const int mode = At(video, video_layout::kPictureMode);
    const bool known = mode >= 0 && static_cast<std::size_t>(mode) < picture_mode::kRecordCount;
    const std::size_t base = known ? static_cast<std::size_t>(mode) * picture_mode::kRecordSize : 0;
    auto value = [&](std::size_t offset, int bias) {
        return known ? FormatInteger(image_.PictureModeAdjust.at(base + offset) - bias)
                     : std::string{};
    };
    text += Line(Aligned("Enhancer"), value(picture_mode::kEnhancer, 0));
    text += Line(Aligned("3D NR"), value(picture_mode::kNoiseReduction3d, 0));
    text += Line(Aligned("Brightness"), value(picture_mode::kBrightness, 24));
    text += Line(Aligned("Contrast"), value(picture_mode::kContrast, 24));
    text += Line(Aligned("Saturation"), value(picture_mode::kSaturation, 24));
    return text;
}

std::string ConfigurationReport::InputMode() const {
    return SectionTitle("Input Mode") +
           Line("+ Input Mode\t\t: ",
                value_names::kInputModeSet.Name(image_.InputModeSetting.at(0)));
}

std::string ConfigurationReport::DisplaySet() const {
    const Bytes d = image_.DisplaySettings;
    std::string text = SectionTitle("Display Set");
    text += Line("+ Dimmer\t\t\t: ", FormatInteger(At(d, display_layout::kDimmer) - 4));
    text += Line("+ OSD SHIFT(H)\t\t: ", FormatInteger(At(d, display_layout::kOsdShiftH) - 5));
    text += Line("+ OSD SHIFT(V)\t\t: ", FormatInteger(At(d, display_layout::kOsdShiftV) - 5));
    text +=
        Line("+ WALL PAPER\t\t: ", value_names::kWallPaper.Name(At(d, display_layout::kWallPaper)));
    text += Line("+ Video Conversion\t\t: ", OnOff(At(d, display_layout::kVideoConversion)));
    text += At(d, display_layout::kComponentOsd) != 0 ? "+ Component OSD\t\t: ON\r\n"
                                                      : "+ ComponentOSD\t\t: OFF\r\n";
    return text;
}

std::string ConfigurationReport::InputTrim() const {
    std::string text = SectionTitle("Input Trim");
    for (int input = 0; input <= profile_.HighestInput(); ++input) {
        const std::string_view tabs = input == input_index::kMdTape ? "\t\t: " : "\t\t\t: ";
        text += Line("+ " + std::string(ModelProfile::InputName(input)) + std::string(tabs),
                     InputTrimText(image_.InputTrims.at(static_cast<std::size_t>(input))));
    }
    text += Line("+ Multi Ch Input\t\t: ",
                 InputTrimText(image_.InputTrims.at(input_index::kMultiChannel)));
    return text;
}

std::string ConfigurationReport::Zone2Set() const {
    const Bytes z = image_.MultiZoneSetting;
    std::string text = SectionTitle("Zone2 Set");
    text += Line("+ ZONE2 OUT\t\t: ", value_names::kZone2Out.Name(At(z, multi_zone::kZone2Out)));
    text += Line("+ ZONE2 SP AMP\t\t: ", value_names::kZone2Amp.Name(At(z, multi_zone::kZone2Amp)));
    // The TR-A1 has no zone 3, so there is no zone 3 section.
    return text;
}

std::string ConfigurationReport::DspParameters() const {
    std::string text = SectionTitle("DSP Parameters");
    for (int program = 0; program <= profile_.HighestProgram(); ++program) {
        text += Line("+ ", ModelProfile::ProgramName(program));
        text += ParameterBlock(image_.DspRecord(program), program, profile_.HasMultiChannelInput(),
                               false);
        text += kEol;
    }
    text += kEol;
    text += kEol;
    return text;
}

std::string ConfigurationReport::DcTriggers() const {
    std::string text = SectionTitle(kDcTriggerTitle);
    auto trigger = [&](std::string_view title, Bytes t) {
        text += title;
        text += value_names::kDcTriggerMode.Name(At(t, dc_trigger::kMode));
        text += kEol;
        for (int input = 0; input <= profile_.HighestInput(); ++input) {
            const auto i = static_cast<std::size_t>(input);
            text += StripLeadingBlanks(image_.InputName(input));
            text += input == input_index::kVcr1 ? "\t\t: " : "\t\t\t: ";
            text += At(t, dc_trigger::kZone1Row + i) != 0 ? "ZONE1 = ON,  " : "ZONE1 = OFF,  ";
            text += At(t, dc_trigger::kZone2Row + i) != 0 ? "ZONE2 = ON,  " : "ZONE2 = OFF,  ";
            text += kEol;
        }
        text += At(t, dc_trigger::kMultiChannel) != 0 ? "Multi Ch\t\t\t: ON\r\n"
                                                      : "Multi Ch\t\t\t: OFF\r\n";
    };
    trigger("+ Trigger 1\t\t: ", image_.DcTrigger1);
    trigger("+ Trigger 2\t\t: ", image_.DcTrigger2);
    return text;
}

std::string ConfigurationReport::OtherCurrentSetting() const {
    const Bytes m = image_.MainZoneState;
    const int mainInput = At(m, main_zone::kMainInput);
    // The main input's own program byte, so that its effect-off bit reads as it does under
    // Input Information. A main input outside the program map (a damaged file) falls back to
    // the current-program byte rather than showing another input's program.
    const std::uint8_t program = mainInput < input_index::kCount
                                     ? image_.InputProgramByte(mainInput)
                                     : static_cast<std::uint8_t>(At(m, main_zone::kCurrentProgram));
    std::string text = SectionTitle("Other Current Setting");
    text += Line("+ Input\t\t\t: ", StripLeadingBlanks(image_.InputName(mainInput)));
    text += Line("+ Input Mode\t\t: ", value_names::kInputMode.Name(At(m, main_zone::kInputMode)));
    text += Line("+ Multi ch Input\t\t: ", OnOff(At(m, main_zone::kMultiChannelInput)));
    text +=
        Line("+ DSP Program\t\t: ", ModelProfile::ProgramName(ReceiverImage::ProgramOf(program)));
    text += Line("+ Effect\t\t\t: ", ReceiverImage::EffectOff(program) ? "OFF" : "ON");
    text += Line("+ EX/ES\t\t\t: ", value_names::kExEsDecoder.Name(At(m, main_zone::kExEsDecoder)));
    // This line keeps its two label spellings letter for letter: one for OFF and, typo and single
    // tab included, one for every other value. Only the value word comes from the names table.
    const int onScreen = At(m, main_zone::kOnScreenDisplay);
    text += Line(onScreen == 0 ? "+ On Screen Display\t\t: " : "+ On Screen Disply\t: ",
                 value_names::kOnScreen.Name(onScreen));
    text += Line("+ Speaker A\t\t: ", OnOff(At(m, main_zone::kSpeakerA)));
    text += Line("+ Speaker B\t\t: ", OnOff(At(m, main_zone::kSpeakerB)));
    text += Line("+ Volume\t\t\t: ", VolumeText(At(m, main_zone::kMainVolume)));
    text += Line("+ Mute\t\t\t: ", OnOff(At(m, main_zone::kMainMute)));
    text += Line("+ Zone2 Input\t\t: ", ModelProfile::InputName(At(m, main_zone::kZone2Input)));
    text += Line("+ Zone2 Volume\t\t: ", VolumeText(At(m, main_zone::kZone2Volume)));
    text += Line("+ Zone2 Mute\t\t: ", OnOff(At(m, main_zone::kZone2Mute)));
    return text;
}

std::string ConfigurationReport::HomePreset(int record) const {
    const Bytes r = image_.HomePresetRecord(record);
    auto sub = [&r](std::size_t offset, std::size_t size) {
        return offset + size <= r.size() ? r.subspan(offset, size) : Bytes{};
    };
    std::string text = SectionTitle("Home Preset " + LetterFor(record + 1));

    const auto programByte = static_cast<std::uint8_t>(At(r, home_preset::kProgram));
    text += "+ DSP Program\t\t: " + ProgramText(programByte);
    text +=
        At(r, home_preset::kNightMode) != 0 ? ", Night Mode = ON\r\n" : ", Night Mode = OFF\r\n";
    text += ParameterBlock(sub(home_preset::kDspParameters, dsp_table::kParametersPerProgram),
                           ReceiverImage::ProgramOf(programByte), profile_.HasMultiChannelInput(),
                           true);

    const Bytes eq = sub(home_preset::kEqSettings, 152);
    text += "+ Graphic EQ\r\n" + GraphicEqLines(eq, true);
    text += "+ Cinema EQ\r\n" + CinemaEqLines(eq);
    text += "+ TONE CONTROL\r\n" + ToneLines(sub(home_preset::kToneSettings, 8), true);

    const Bytes s = sub(home_preset::kSpeakerSetup, 16);
    text += "+ Speaker Set\r\n";
    text += Line("CENTER\t\t\t: ", value_names::kSpeakerSize.Name(At(s, speaker_setup::kCenter)));
    text +=
        Line("FRONT\t\t\t: ", value_names::kFrontSpeakerSize.Name(At(s, speaker_setup::kFront)));
    text +=
        Line("SURROUND LR\t\t: ", value_names::kSpeakerSize.Name(At(s, speaker_setup::kSurround)));
    text += Line("SURROUND BACK\t\t: ",
                 value_names::kSurroundBackSize.Name(At(s, speaker_setup::kSurroundBack)));
    text += Line("PRESENCE\t \t: ",
                 value_names::kPresenceSpeaker.Name(At(s, speaker_setup::kPresence)));
    text += Line("SW\t\t\t: ", value_names::kBassOut.Name(At(s, speaker_setup::kBassOut)));
    text += Line("Speaker B Set\t\t: ",
                 value_names::kSpeakerBUse.Name(At(s, speaker_setup::kSpeakerBSet)));

    std::array<std::int32_t, speaker_distance::kEntryCount> distances{};
    for (std::size_t i = 0; i < distances.size(); ++i) {
        distances.at(i) = ReadLe32(r, home_preset::kSpeakerDistances + 4 * i);
    }
    text += "+ Speaker Distance\r\n" + DistanceLines(distances, true);
    text += "+ Video Processor\r\n" + VideoLines(sub(home_preset::kVideoSettings, 16), true);
    text += Line("+ LFE Level(SP)\t\t: ", LfeLevelText(At(r, home_preset::kLfeSpeaker)));
    text += Line("+ D Range(SP)\t\t: ",
                 value_names::kDynamicRange.Name(At(r, home_preset::kDrangeSpeaker)));
    text +=
        Line("+ OSD\t\t\t: ", value_names::kOnScreen.Name(At(r, home_preset::kOnScreenDisplay)));
    return text;
}

}  // namespace tra1
