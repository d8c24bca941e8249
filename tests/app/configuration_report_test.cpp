// The configuration report built from the start-up image and from edited images: framing,
// labels with their tabs, the value rules, and bytes that have no name.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/configuration_report.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

class ConfigurationReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        profile_.SetModel(ModelProfile::kTrA1);
        image_.ResetToDefaults(profile_);
    }

    std::string Report() { return ConfigurationReport(image_, profile_).Text(); }

    // The report's lines without their "\r\n"; fails the test if a line ends otherwise.
    std::vector<std::string> Lines() {
        const std::string text = Report();
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                ADD_FAILURE() << "text after the last line end: " << text.substr(start);
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    // The text from the title line of a section up to the next title (or the end).
    std::string Section(const std::string& title) {
        const std::string text = Report();
        const std::string rule = std::string(26, '+') + "\r\n";
        const std::size_t at = text.find(rule + "    " + title + "\r\n" + rule);
        if (at == std::string::npos) {
            ADD_FAILURE() << "no section " << title;
            return {};
        }
        const std::size_t body = at + 2 * rule.size() + title.size() + 6;
        const std::size_t next = text.find(rule, body);
        return text.substr(body, next == std::string::npos ? std::string::npos : next - body);
    }

    static bool Contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    ModelProfile profile_;
    ReceiverImage image_;
};

TEST_F(ConfigurationReportTest, HeaderAndFramingLines) {
    const std::string text = Report();
    const std::string header = std::string(74, '=') +
                               "\r\nReceiver Editor Configuration Report\t\t\t\t\t\t\r\n\r\n"
                               "Model Name : TR-A1\r\n" +
                               std::string(74, '=') + "\r\n\r\n";
    EXPECT_EQ(text.substr(0, header.size()), header);

    int headerRules = 0;
    int partRules = 0;
    int sectionRules = 0;
    for (const std::string& line : Lines()) {
        if (!line.empty() && line.find_first_not_of('=') == std::string::npos) {
            EXPECT_TRUE(line.size() == 74 || line.size() == 42) << line.size();
            (line.size() == 74 ? headerRules : partRules) += 1;
        }
        if (!line.empty() && line.find_first_not_of('+') == std::string::npos) {
            EXPECT_EQ(line.size(), 26u);
            ++sectionRules;
        }
    }
    EXPECT_EQ(headerRules, 2);
    EXPECT_EQ(partRules, 4);
    // 21 sections of the current setting (LFE Level and Dynamic Range are two), six presets.
    EXPECT_EQ(sectionRules, 2 * (1 + 20 + 6));

    const std::string part1 =
        std::string(42, '=') + "\r\n\t1. Current Setting\r\n" + std::string(42, '=') + "\r\n";
    const std::string part2 =
        std::string(42, '=') + "\r\n\t2. Home Preset Setting\r\n" + std::string(42, '=') + "\r\n";
    EXPECT_TRUE(Contains(text, part1));
    EXPECT_LT(text.find(part1), text.find(part2));

    // The sections come one by one, whole lines each, and make up the report.
    std::string joined;
    int sections = 0;
    ConfigurationReport(image_, profile_).Build([&](const std::string& section) {
        ++sections;
        EXPECT_EQ(section.substr(section.size() - 2), "\r\n");
        joined += section;
    });
    EXPECT_EQ(sections, 29);
    EXPECT_EQ(joined, text);
}

TEST_F(ConfigurationReportTest, UserMemoAndInputInformation) {
    EXPECT_EQ(Section("User Memo"), "No Data.\r\n" + std::string(42, '=') +
                                        "\r\n\t1. Current Setting\r\n" + std::string(42, '=') +
                                        "\r\n");
    image_.SetUserMemoText("Living room\r\nsecond line");
    EXPECT_EQ(Section("User Memo").substr(0, 26), "Living room\r\nsecond line\r\n");

    const std::string inputs = Section("Input Information");
    EXPECT_TRUE(Contains(inputs,
                         "6. DVD ( original name = DVD )\r\n"
                         "+ DSP Program\t\t: Sci-Fi\r\n"
                         "+ Assigned I/O\t\t: Component Video 1, Optical IN 3, Coaxial IN 3, \r\n"
                         "\r\n7. DTV/LD"));
    EXPECT_TRUE(Contains(inputs,
                         "1. PHONO ( original name = PHONO )\r\n"
                         "+ DSP Program\t\t: Munich B\r\n+ Assigned I/O\t\t: \r\n\r\n"));
    // Inputs 7.. start with the effect off.
    EXPECT_TRUE(Contains(inputs,
                         "8. CABLE ( original name = CABLE )\r\n"
                         "+ DSP Program\t\t: Straight (TV Sports)\r\n"));
    EXPECT_TRUE(Contains(inputs, "13. V-AUX ( original name = V-AUX )\r\n"));
    EXPECT_FALSE(Contains(inputs, "14. "));
    EXPECT_TRUE(inputs.ends_with("\r\n\r\nNight Mode = OFF\r\n"));

    image_.SetInputName(input_index::kDvd, "Blu-ray");
    image_.InputProgramMap.at(input_index::kDvd) |= program_byte::kEffectOffFlag;
    image_.MainZoneState.at(main_zone::kNightMode) = 1;
    const std::string edited = Section("Input Information");
    EXPECT_TRUE(Contains(edited,
                         "6. Blu-ray ( original name = DVD )\r\n"
                         "+ DSP Program\t\t: Straight (Sci-Fi)\r\n"));
    EXPECT_TRUE(edited.ends_with("Night Mode = ON\r\n"));
    // The same bit reads as the effect being off for the main input (DVD).
    const std::string other = Section("Other Current Setting");
    EXPECT_TRUE(Contains(other, "+ Input\t\t\t: Blu-ray\r\n"));
    EXPECT_TRUE(Contains(other, "+ DSP Program\t\t: Sci-Fi\r\n+ Effect\t\t\t: OFF\r\n"));
}

TEST_F(ConfigurationReportTest, SpeakerSetThxAndLevels) {
    EXPECT_EQ(Section("SP SET Information"),
              "CENTER\t\t\t: LARGE\r\nFRONT\t\t\t: LARGE\r\nSURROUND LR\t\t: LARGE\r\n"
              "SURROUND BACK\t\t: LARGE x 2\r\nPRESENCE SP\t\t: YES\r\nLFE BASS\t\t: BOTH\r\n"
              "SW Crossover\t\t: 80Hz(THX)\r\nSpeaker B Set\t\t: ZONE 1\r\n"
              "SW Config\t\t: None\r\nSW Phase\t\t: Normal\r\nLFE/Bass Out\t\t: BOTH\r\n");
    EXPECT_EQ(Section("THX SET"),
              "THX Ultra2 Subwoofer\t: No\r\nBoundary Gain Compensation\t: No\r\n"
              "S.Back Speaker Distance\t: 1 - 4ft\r\n");

    image_.SpeakerLevels.at(speaker_levels::kFL) = 41;
    image_.SpeakerLevels.at(speaker_levels::kFR) = 39;
    image_.SpeakerLevels.at(speaker_levels::kSW2) = 0;
    image_.SpeakerLevels.at(speaker_levels::kPRR) = 60;
    const std::string levels = Section("Speaker Level");
    EXPECT_TRUE(
        levels.starts_with("+ Speaker Level\r\nFRONT L\t\t\t: 0.5 dB\r\n"
                           "FRONT R\t\t\t: -0.5 dB\r\nCENTER\t\t\t: 0.0 dB\r\n"
                           "SURROUND L\t\t: 0.0 dB\r\n"));
    EXPECT_TRUE(Contains(levels, "PRESENCE R\t\t: 10.0 dB\r\n"));
    EXPECT_TRUE(levels.ends_with("SW1\t\t\t: 0.0 dB\r\nSW2\t\t\t: -20.0 dB\r\n"));
}

TEST_F(ConfigurationReportTest, EqualisersToneLfeAndDelay) {
    image_.EqSettings.at(eq_layout::kCenter * 13 + 0) = 0;  // 63 Hz
    image_.EqSettings.at(eq_layout::kPresenceR * 13 + 12) = 24;
    const std::string geq = Section("Graphic EQ");
    EXPECT_TRUE(geq.starts_with("+ CENTER\r\n63Hz\t\t\t: -6.0 dB\r\n125Hz\t\t\t: 0.0 dB\r\n"));
    EXPECT_TRUE(
        geq.ends_with("+ PRESENCE R\r\n63Hz\t\t\t: 0.0 dB\r\n125Hz\t\t\t: 0.0 dB\r\n"
                      "250Hz\t\t\t: 0.0 dB\r\n500Hz\t\t\t: 0.0 dB\r\n1kHz\t\t\t: 0.0 dB\r\n"
                      "2kHz\t\t\t: 0.0 dB\r\n4kHz\t\t\t: 0.0 dB\r\n8kHz\t\t\t: 0.0 dB\r\n"
                      "16kHz\t\t\t: 6.0 dB\r\n"));

    const std::string ceq = Section("Cinema EQ");
    EXPECT_TRUE(
        ceq.starts_with("L/C/R\t\t\t: OFF\r\nPEQ Freq\t\t\t: 8.0kHz\r\n"
                        "PEQ Gain\t\t\t: -2.0 dB\r\nHIGH Freq\t\t: 12.7kHz\r\n"
                        "HIGH Gain\t\t: -1.5 dB\r\nSurround\t\t: OFF\r\n"));
    // The groups print in the report's order from the receiver's records: record 1 is the
    // presence group, record 2 surround, record 3 surround back.
    auto record = [this](std::size_t r, std::size_t field) -> std::uint8_t& {
        return image_.EqSettings.at(eq_layout::kCinemaEq + r * eq_layout::kCinemaEqRecordSize +
                                    field);
    };
    record(eq_layout::kCinemaPresence, eq_layout::kCinemaOnOff) = 1;
    record(eq_layout::kCinemaPresence, eq_layout::kCinemaPeqFrequency) = 16;
    record(eq_layout::kCinemaPresence, eq_layout::kCinemaHighGain) = 24;
    record(eq_layout::kCinemaSurround, eq_layout::kCinemaPeqFrequency) = 0;
    record(eq_layout::kCinemaSurroundBack, eq_layout::kCinemaPeqGain) = 0;
    const std::string groups = Section("Cinema EQ");
    EXPECT_TRUE(Contains(groups, "Surround\t\t: OFF\r\nPEQ Freq\t\t\t: 1.0kHz\r\n"));
    EXPECT_TRUE(Contains(groups,
                         "Surround Back\t\t: OFF\r\nPEQ Freq\t\t\t: 8.0kHz\r\n"
                         "PEQ Gain\t\t\t: -9.0 dB\r\n"));
    EXPECT_TRUE(
        groups.ends_with("Presence\t\t: ON\r\nPEQ Freq\t\t\t: Through\r\n"
                         "PEQ Gain\t\t\t: -1.5 dB\r\nHIGH Freq\t\t: 12.7kHz\r\n"
                         "HIGH Gain\t\t: 3.0 dB\r\n"));

    image_.ToneSettings.at(tone_layout::kHeadphoneBass) = 0;
    image_.ToneSettings.at(tone_layout::kHeadphoneBass + 1) = 3;
    image_.ToneSettings.at(tone_layout::kHeadphoneTreble) = 2;
    EXPECT_EQ(Section("TONE CONTROL"),
              "+ Speaker\r\nBass Freq\t\t: 350Hz\r\nBass Gain\t\t: 0.0 dB\r\n"
              "Treble Freq\t\t: 3.5kHz\r\nTreble Gain\t\t: 0.0 dB\r\n"
              "+ Headphone\r\nBass Freq\t\t: 125Hz\r\nBass Gain\t\t: -4.5 dB\r\n"
              "Treble Freq\t\t: 8.0kHz\r\nTreble Gain\t\t: 0.0 dB\r\n");

    // LFE levels read (v - 40) / 2 dB like the other gains: the default 40 is 0.0 dB.
    EXPECT_EQ(Section("LFE Level"), "+ Speaker\t\t: 0.0 dB\r\n+ Headphone\t\t: 0.0 dB\r\n");
    image_.LfeDrange = {20, 0, 1, 2};
    EXPECT_EQ(Section("LFE Level"), "+ Speaker\t\t: -10.0 dB\r\n+ Headphone\t\t: -20.0 dB\r\n");
    EXPECT_EQ(Section("Dynamic Range"), "+ Speaker\t\t: STANDARD\r\n+ Headphone\t\t: MIN\r\n");
    image_.AudioDelay.at(0) = 160;
    EXPECT_EQ(Section("Delay"), "+ Audio Delay\t\t: 160 msec \r\n");
}

TEST_F(ConfigurationReportTest, TunerStationsAndDistances) {
    image_.SetTunerPreset(1, tuner_presets::kBandFm, 0);    // 107.9 MHz
    image_.SetTunerPreset(9, tuner_presets::kBandAm, 118);  // 530 kHz
    image_.SetTunerPreset(40, tuner_presets::kBandAm, 0);   // 1710 kHz
    image_.SetTunerPreset(0, tuner_presets::kBandFm, 52);   // 97.5 MHz
    const std::string tuner = Section("Tuner Information");
    EXPECT_TRUE(
        tuner.starts_with("+ Current Station\t\t: FM - 97.5 MHz\r\n"
                          "+ Preset Stations\t\t: \r\n"
                          "A-1\t\t\t: FM - 107.9 MHz\r\nA-2\t\t\t: FM - 87.5 MHz\r\n"));
    EXPECT_TRUE(Contains(tuner, "A-8\t\t\t: FM - 87.5 MHz\r\nB-1\t\t\t: AM - 530 kHz\r\n"));
    EXPECT_TRUE(tuner.ends_with("E-8\t\t\t: AM - 1710 kHz\r\n"));

    EXPECT_TRUE(Section("Speaker Distance")
                    .starts_with("+ Unit\t\t\t: Feet\r\n+ Front L\t\t: 10.0\r\n"
                                 "+ Front R\t\t: 10.0\r\n+ Center\t\t: 10.0\r\n"));
    image_.SetSpeakerDistance(speaker_distance::kUnit, 0);
    image_.SetSpeakerDistance(speaker_distance::kCenter, 245);
    image_.SetSpeakerDistance(speaker_distance::kSubwooferR, 3);
    const std::string metres = Section("Speaker Distance");
    EXPECT_TRUE(metres.starts_with("+ Unit\t\t\t: Meter\r\n+ Front L\t\t: 1.0\r\n"));
    EXPECT_TRUE(Contains(metres, "+ Center\t\t: 2.5\r\n"));  // 2.45 m at one decimal
    EXPECT_TRUE(metres.ends_with("+ SW L\t\t\t: 1.0\r\n+ SW R\t\t\t: 0.0\r\n"));
}

TEST_F(ConfigurationReportTest, VideoInputModeDisplayTrimAndZone2) {
    EXPECT_EQ(Section("Video Processor"),
              "+ VIDEO PROCESSOR\t:  ON\r\n+ Picture Mode\t\t: Standard\r\n"
              "+ Resolution\t\t: 480i / 576i\r\n+ Aspect\t\t\t: Through\r\n"
              "+ Cross Color\t\t: Suppress\r\n+ TV Format\t\t: NTSC\r\n"
              "+ S Video\t\t\t: S1\r\n+ Picture Mode Parameter\t:\r\n"
              "Enhancer\t\t: 8\r\n3D NR\t\t\t: 0\r\nBrightness\t\t: 0\r\nContrast\t\t: 0\r\n"
              "Saturation\t\t: 0\r\n");
    image_.VideoSettings = {0, 2, 3, 3, 0, 0, 0};
    const std::string video = Section("Video Processor");
    EXPECT_TRUE(
        video.starts_with("+ VIDEO PROCESSOR\t: OFF\r\n+ Picture Mode\t\t: Dynamic\r\n"
                          "+ Resolution\t\t: 720p\r\n+ Aspect\t\t\t: 16:9 Zoom\r\n"
                          "+ Cross Color\t\t: Not Supress\r\n+ TV Format\t\t: PAL\r\n"
                          "+ S Video\t\t\t: S\r\n"));
    EXPECT_TRUE(
        video.ends_with("Enhancer\t\t: 14\r\n3D NR\t\t\t: 0\r\nBrightness\t\t: 0\r\n"
                        "Contrast\t\t: 6\r\nSaturation\t\t: 8\r\n"));

    EXPECT_EQ(Section("Input Mode"), "+ Input Mode\t\t: AUTO\r\n");
    image_.InputModeSetting.at(0) = 1;
    EXPECT_EQ(Section("Input Mode"), "+ Input Mode\t\t: LAST\r\n");

    EXPECT_EQ(Section("Display Set"),
              "+ Dimmer\t\t\t: 0\r\n+ OSD SHIFT(H)\t\t: 0\r\n+ OSD SHIFT(V)\t\t: 0\r\n"
              "+ WALL PAPER\t\t: 1 (TR-A1)\r\n+ Video Conversion\t\t: ON\r\n"
              "+ Component OSD\t\t: ON\r\n");
    image_.DisplaySettings = {0, 10, 1, 1, 0, 0, 4};
    EXPECT_EQ(Section("Display Set"),
              "+ Dimmer\t\t\t: -4\r\n+ OSD SHIFT(H)\t\t: 5\r\n+ OSD SHIFT(V)\t\t: -4\r\n"
              "+ WALL PAPER\t\t: 4 (Gray)\r\n+ Video Conversion\t\t: OFF\r\n"
              "+ ComponentOSD\t\t: OFF\r\n");

    image_.InputTrims.at(input_index::kCd) = 0;
    image_.InputTrims.at(input_index::kMultiChannel) = 24;
    const std::string trims = Section("Input Trim");
    EXPECT_TRUE(trims.starts_with("+ PHONO\t\t\t: 0.0\r\n+ CD\t\t\t: -12.0\r\n"));
    EXPECT_TRUE(Contains(trims, "+ CD-R\t\t\t: 0.0\r\n+ MD/TAPE\t\t: 0.0\r\n+ DVD\t\t\t: 0.0\r\n"));
    EXPECT_TRUE(trims.ends_with("+ V-AUX\t\t\t: 0.0\r\n+ Multi Ch Input\t\t: 12.0\r\n"));

    EXPECT_EQ(Section("Zone2 Set"), "+ ZONE2 OUT\t\t: VAR\r\n+ ZONE2 SP AMP\t\t: Internal\r\n");
    image_.MultiZoneSetting = {1, 1};
    EXPECT_EQ(Section("Zone2 Set"), "+ ZONE2 OUT\t\t: FIX\r\n+ ZONE2 SP AMP\t\t: External\r\n");
    EXPECT_FALSE(Contains(Report(), "Zone3 Set"));
}

TEST_F(ConfigurationReportTest, DspParametersFollowEachProgramsSet) {
    const std::string dsp = Section("DSP Parameters");
    EXPECT_TRUE(
        dsp.starts_with("+ Munich A\r\n(P.)Init. Delay\t\t: 30\r\n(P.)Room Size\t\t: 1.0\r\n"
                        "(P.)Liveness\t\t: 5\r\nDSP.Level\t\t: 0\r\n"
                        "Dialog Lift\t\t\t: 0\r\n\r\n+ Munich B\r\n"));
    // Standard (set H): on/off and "STD" carry their own blank; parameter 41 has no line.
    EXPECT_TRUE(Contains(dsp,
                         "+ Standard\r\nPanorama\t\t:  OFF\r\nDimention\t\t\t:  STD\r\n"
                         "CT.Width\t\t\t: 0\r\nC.Image\t\t\t: 0.0\r\n"
                         "Decode Type\t\t: 0\r\n\r\n+ Enhanced\r\n"));
    // Enhanced (set I): the field variants, typos kept.
    EXPECT_TRUE(Contains(dsp,
                         "+ Enhanced\r\nS. Delay\t\t\t: 5\r\n"
                         "S.Init. Delay (Dual Field)\t: 20\r\n"
                         "S.Init. Delay (Tri Field)\t: 19\r\n"
                         "S.Init. Delay (Quad Field)\t: 15\r\n"
                         "S.Room Size (Dual Field)\t: 1.0\r\n"
                         "S.Room Size (Tri Field)\t: 1.0\r\n"
                         "S.Room Size (Quad Field)\t: 1.0\r\n"
                         "S.Liveness (Dual Field)\t: 3\r\n"
                         "S.Liveness (Tri Firld)\t: 3\r\n"
                         "S.Liveness (Quad Firld)\t: 5\r\n"
                         "SB.Init.Delay (Quad Field)\t: 15 \r\n"
                         "SB.Room Size (Quad Field)\t: 1.0\r\n"
                         "SB.Liveness (Quad Field)\t: 5 \r\n"
                         "DSP.Level\t\t: 0\r\nDecode Type\t\t: 0\r\nDialog Lift\t\t\t: 0\r\n"));
    // 9ch Stereo (set F): the channel levels of a model with a multi-channel input.
    EXPECT_TRUE(Contains(dsp,
                         "+ 9ch Stereo\r\nCT.Level\t\t\t: 100\r\nSL.Level\t\t\t: 100\r\n"
                         "SR.Level\t\t\t: 100\r\nPRL.Level\t\t: 100\r\n"
                         "PRR.Level\t\t: 100\r\nSBL.Level\t\t: 100\r\n"
                         "SBR.Level\t\t: 100\r\n\r\n"));
    // Programs without parameters print their name only; two empty lines close the section.
    EXPECT_TRUE(Contains(dsp, "+ Direct Stereo\r\n\r\n+ 2ch Stereo\r\n\r\n"));
    EXPECT_TRUE(dsp.ends_with("+ THX Music\r\n\r\n\r\n\r\n"));

    image_.SetDspParameter(0, 14, 0);
    image_.SetDspParameter(0, 1, 25);
    image_.SetDspParameter(32, 16, 6);
    image_.SetDspParameter(32, 15, 1);
    const std::string edited = Section("DSP Parameters");
    EXPECT_TRUE(
        edited.starts_with("+ Munich A\r\n(P.)Init. Delay\t\t: 30\r\n"
                           "(P.)Room Size\t\t: 2.5\r\n(P.)Liveness\t\t: 5\r\n"
                           "DSP.Level\t\t: -6\r\n"));
    EXPECT_TRUE(Contains(edited, "Panorama\t\t:  ON\r\nDimention\t\t\t: 3\r\n"));
}

TEST_F(ConfigurationReportTest, DcTriggersAndOtherCurrentSetting) {
    image_.DcTrigger1.at(dc_trigger::kMode) = 0;
    image_.DcTrigger1.at(dc_trigger::kZone2Row + input_index::kCd) = 0;
    image_.DcTrigger2.at(dc_trigger::kMode) = 7;
    image_.DcTrigger2.at(dc_trigger::kMultiChannel) = 0;
    image_.SetInputName(input_index::kPhono, "  TURN");
    const std::string dc = Section("DC Trigge Information");
    EXPECT_TRUE(
        dc.starts_with("+ Trigger 1\t\t: ALL ZONE\r\n"
                       "TURN\t\t\t: ZONE1 = ON,  ZONE2 = ON,  \r\n"
                       "CD\t\t\t: ZONE1 = ON,  ZONE2 = OFF,  \r\n"));
    EXPECT_TRUE(Contains(dc,
                         "SAT\t\t\t: ZONE1 = ON,  ZONE2 = ON,  \r\n"
                         "VCR1\t\t: ZONE1 = ON,  ZONE2 = ON,  \r\n"
                         "VCR2\t\t\t: ZONE1 = ON,  ZONE2 = ON,  \r\n"));
    EXPECT_TRUE(Contains(dc, "Multi Ch\t\t\t: ON\r\n+ Trigger 2\t\t: INVALID\r\n"));
    EXPECT_TRUE(dc.ends_with("V-AUX\t\t\t: ZONE1 = ON,  ZONE2 = ON,  \r\nMulti Ch\t\t\t: OFF\r\n"));

    const std::string other = Section("Other Current Setting");
    EXPECT_TRUE(other.starts_with(
        "+ Input\t\t\t: DVD\r\n+ Input Mode\t\t: AUTO\r\n+ Multi ch Input\t\t: OFF\r\n"
        "+ DSP Program\t\t: Sci-Fi\r\n+ Effect\t\t\t: ON\r\n+ EX/ES\t\t\t: AUTO\r\n"
        "+ On Screen Disply\t: ON\r\n+ Speaker A\t\t: OFF\r\n+ Speaker B\t\t: OFF\r\n"
        "+ Volume\t\t\t: - 40.0dB\r\n+ Mute\t\t\t: OFF\r\n+ Zone2 Input\t\t: MD/TAPE\r\n"
        "+ Zone2 Volume\t\t: - 40.0dB\r\n+ Zone2 Mute\t\t: OFF\r\n"));

    image_.MainZoneState.at(main_zone::kOnScreenDisplay) = 0;
    image_.MainZoneState.at(main_zone::kMainVolume) = 0;
    image_.MainZoneState.at(main_zone::kZone2Volume) = 161;
    image_.MainZoneState.at(main_zone::kInputMode) = 2;
    image_.MainZoneState.at(main_zone::kMainMute) = 1;
    const std::string edited = Section("Other Current Setting");
    EXPECT_TRUE(Contains(edited, "+ Input Mode\t\t: ANALOG\r\n"));
    EXPECT_TRUE(Contains(edited, "+ On Screen Display\t\t: OFF\r\n"));
    EXPECT_TRUE(Contains(edited, "+ Volume\t\t\t: MUTE\r\n+ Mute\t\t\t: ON\r\n"));
    EXPECT_TRUE(Contains(edited, "+ Zone2 Volume\t\t: + 0.0dB\r\n"));
    EXPECT_FALSE(Contains(edited, "Disply"));

    // Any value but OFF takes the other label spelling; an unknown byte prints as unknown.
    image_.MainZoneState.at(main_zone::kOnScreenDisplay) = 2;
    const std::string unknown = Section("Other Current Setting");
    EXPECT_TRUE(Contains(unknown, "+ EX/ES\t\t\t: AUTO\r\n+ On Screen Disply\t: INVALID\r\n"));
    EXPECT_FALSE(Contains(unknown, "On Screen Display"));
}

TEST_F(ConfigurationReportTest, HomePresetsPrintTheirOwnRecords) {
    const std::string text = Report();
    EXPECT_TRUE(Contains(text, "    Home Preset F\r\n"));
    EXPECT_FALSE(Contains(text, "    Home Preset G\r\n"));

    std::span<std::uint8_t> record = image_.HomePresetRecord(1);
    record[home_preset::kProgram] = 0x80 | 22;  // Pop / Rock, effect off
    record[home_preset::kNightMode] = 1;
    record[home_preset::kSpeakerSetup + speaker_setup::kSpeakerBSet] = 1;
    record[home_preset::kEqSettings + eq_layout::kFrontL * 13] = 14;
    WriteLe32(record, home_preset::kSpeakerDistances + 4 * speaker_distance::kUnit, 0);
    record[home_preset::kLfeSpeaker] = 25;
    record[home_preset::kDrangeSpeaker] = 1;
    record[home_preset::kOnScreenDisplay] = 0;
    const std::string a = Section("Home Preset A");
    const std::string b = Section("Home Preset B");

    EXPECT_TRUE(
        a.starts_with("+ DSP Program\t\t: Sci-Fi, Night Mode = OFF\r\n"
                      "(P.)Init. Delay\t\t: 16\r\n(P.)Room Size\t\t: 1.0\r\n"
                      "S. Delay (DD)\t\t: 15\r\nS. Delay (DTS)\t\t: 15\r\n"
                      "S.Init. Delay\t\t: 20\r\nS.Init. Delay (Multi ch)\t: 32\r\n"
                      "S.Init. Delay (EX/ES)\t: 15\r\n"));
    EXPECT_TRUE(Contains(a, "+ Graphic EQ\r\nCENTER\r\n63Hz\t\t\t: 0.0 dB\r\n"));
    EXPECT_TRUE(Contains(a, "+ Cinema EQ\r\nL/C/R\t\t\t: OFF\r\n"));
    EXPECT_TRUE(Contains(a, "+ TONE CONTROL\r\nSpeaker\r\nBass Freq\t\t: 350Hz\r\n"));
    EXPECT_TRUE(Contains(a, "+ Speaker Set\r\nCENTER\t\t\t: LARGE\r\n"));
    EXPECT_TRUE(
        Contains(a, "PRESENCE\t \t: YES\r\nSW\t\t\t: BOTH\r\nSpeaker B Set\t\t: ZONE 1\r\n"));
    EXPECT_TRUE(Contains(a, "+ Speaker Distance\r\nUnit\t\t\t: Feet\r\nFront L\t\t\t: 10.0\r\n"));
    EXPECT_TRUE(Contains(a, "+ Video Processor\r\nVIDEO PROCESSOR\t\t:  ON\r\n"));
    EXPECT_TRUE(
        a.ends_with("+ LFE Level(SP)\t\t: 0.0 dB\r\n+ D Range(SP)\t\t: MAX\r\n"
                    "+ OSD\t\t\t: ON\r\n"));

    EXPECT_TRUE(b.starts_with("+ DSP Program\t\t: Straight (Pop / Rock), Night Mode = ON\r\n"));
    EXPECT_TRUE(Contains(b, "REV.Time\t\t\t: "));  // set E has the reverb parameters
    EXPECT_TRUE(Contains(b, "FRONT L\r\n63Hz\t\t\t: 1.0 dB\r\n"));
    EXPECT_TRUE(Contains(b, "Speaker B Set\t\t: ZONE B\r\n"));
    EXPECT_TRUE(Contains(b, "Unit\t\t\t: Meter\r\nFront L\t\t\t: 1.0\r\n"));
    EXPECT_TRUE(
        b.ends_with("+ LFE Level(SP)\t\t: -7.5 dB\r\n+ D Range(SP)\t\t: STANDARD\r\n"
                    "+ OSD\t\t\t: OFF\r\n"));
}

TEST(ConfigurationReportValues, ValueRules) {
    EXPECT_EQ(ConfigurationReport::SpeakerLevelText(40), "0.0 dB");
    EXPECT_EQ(ConfigurationReport::SpeakerLevelText(41), "0.5 dB");
    EXPECT_EQ(ConfigurationReport::SpeakerLevelText(39), "-0.5 dB");
    EXPECT_EQ(ConfigurationReport::EqGainText(0), "-6.0 dB");
    EXPECT_EQ(ConfigurationReport::CinemaEqGainText(18), "0.0 dB");
    EXPECT_EQ(ConfigurationReport::LfeLevelText(0), "-20.0 dB");
    EXPECT_EQ(ConfigurationReport::LfeLevelText(40), "0.0 dB");
    EXPECT_EQ(ConfigurationReport::LfeLevelText(21), "-9.5 dB");
    EXPECT_EQ(ConfigurationReport::AudioDelayText(6), "6 msec ");
    EXPECT_EQ(ConfigurationReport::InputTrimText(13), "1.0");
    EXPECT_EQ(ConfigurationReport::DistanceText(100, true), "10.0");
    EXPECT_EQ(ConfigurationReport::DistanceText(100, false), "1.0");
    EXPECT_EQ(ConfigurationReport::DistanceText(-30, true), "-3.0");
    EXPECT_EQ(ConfigurationReport::VolumeText(0), "MUTE");
    EXPECT_EQ(ConfigurationReport::VolumeText(161), "+ 0.0dB");
    EXPECT_EQ(ConfigurationReport::VolumeText(81), "- 40.0dB");
    EXPECT_EQ(ConfigurationReport::VolumeText(160), "- 0.5dB");
    EXPECT_EQ(ConfigurationReport::VolumeText(194), "+ 16.5dB");
    EXPECT_EQ(ConfigurationReport::TunerText(1, 0), "107.9 MHz");
    EXPECT_EQ(ConfigurationReport::TunerText(1, 102), "87.5 MHz");
    EXPECT_EQ(ConfigurationReport::TunerText(0, 118), "530 kHz");
    EXPECT_EQ(ConfigurationReport::TunerText(0, 0), "1710 kHz");
}

// Every byte of the image at its highest value, and images of random bytes: names out of
// range print "INVALID" or nothing, and nothing is read past a table or a block.
TEST_F(ConfigurationReportTest, BytesWithoutNamesPrintNoForeignText) {
    std::vector<std::uint8_t> bytes(ReceiverImage::kTotalSize, 0xFF);
    ASSERT_EQ(image_.FromBytes(bytes), ReceiverImage::kBlockCount);
    const std::string text = Report();
    EXPECT_TRUE(Contains(text, "CENTER\t\t\t: INVALID\r\n"));
    EXPECT_TRUE(Contains(text, "SW Config\t\t: INVALID\r\n"));
    EXPECT_TRUE(Contains(text, "PEQ Freq\t\t\t: \r\n"));
    EXPECT_TRUE(Contains(text, "+ Picture Mode\t\t: \r\n"));
    EXPECT_TRUE(Contains(text, "Enhancer\t\t: \r\n3D NR\t\t\t: \r\nBrightness\t\t: \r\n"));
    EXPECT_TRUE(Contains(text, "+ Speaker\t\t: INVALID\r\n"));
    EXPECT_TRUE(Contains(text, "+ Trigger 1\t\t: INVALID\r\n"));
    // Program byte 0xFF is program 127 with the effect off: no name, no parameters.
    EXPECT_TRUE(Contains(text, "+ DSP Program\t\t: Straight ()\r\n"));
    EXPECT_TRUE(Contains(text, "+ DSP Program\t\t: Straight (), Night Mode = ON\r\n+ Graphic EQ"));
    EXPECT_TRUE(Contains(text, "+ Input\t\t\t: \r\n"));
    EXPECT_TRUE(Contains(text, "+ DSP Program\t\t: \r\n+ Effect\t\t\t: OFF\r\n"));
    EXPECT_TRUE(Contains(text, "A-1\t\t\t: INVALID - 87.5 MHz\r\n"));

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        for (std::uint8_t& b : bytes) {
            b = static_cast<std::uint8_t>(byte(random));
        }
        image_.FromBytes(bytes);
        const std::string report = Report();
        EXPECT_TRUE(report.starts_with(std::string(74, '=')));
        EXPECT_TRUE(Contains(report, "    Home Preset F\r\n"));
        EXPECT_EQ(report.find('\0'), std::string::npos);
    }
}

}  // namespace
}  // namespace tra1
