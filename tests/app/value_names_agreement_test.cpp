// One truth per value: for every selector of every setting panel and of the main window, each
// byte it can select reads the same in the selector and in the configuration report. Every
// combo box of every panel is either checked here or named with the reason the report has no
// line for it, so a selector added later cannot drift from the report unnoticed.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/configuration_report.h"
#include "app/panel_table.h"
#include "model/receiver_image.h"
#include "panels/cinema_eq_dlg.h"
#include "panels/dc_trigger_dlg.h"
#include "panels/display_set_dlg.h"
#include "panels/panel_list.h"
#include "panels/speaker_distance_dlg.h"
#include "panels/speaker_set_dlg.h"
#include "panels/thx_set_dlg.h"
#include "panels/tone_control_dlg.h"
#include "panels/tuner_dlg.h"
#include "panels/video_processor_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

// The on-screen line's label is spelt one way for OFF and another for every other value.
constexpr const char* kOnScreenOffLabel = "+ On Screen Display\t\t: ";
constexpr const char* kOnScreenOtherLabel = "+ On Screen Disply\t: ";

// A selector and the report line that prints the same byte.
struct Agreement {
    std::string name;
    win::Msg panel;  // the panel's refresh message; 0 for the main window
    int combo;
    std::function<void(ReceiverImage&, int)> store;
    std::string section;  // the report section's title
    std::string label;    // the line's label, tabs and ": " included
    int occurrence;       // which line with that label in the section, from 0
};

std::vector<Agreement> Agreements() {
    std::vector<Agreement> all;
    auto eq = [](std::size_t record, std::size_t field) {
        return [=](ReceiverImage& image, int v) {
            image.EqSettings.at(eq_layout::kCinemaEq + record * eq_layout::kCinemaEqRecordSize +
                                field) = static_cast<std::uint8_t>(v);
        };
    };
    // CINEMA EQ: the report lists the groups in the panel's order, each from its own record.
    for (std::size_t g = 0; g < CCINEMAEQDlg::kGroups.size(); ++g) {
        const auto& group = CCINEMAEQDlg::kGroups.at(g);
        const int n = static_cast<int>(g);
        all.push_back({"CINEMA EQ PEQ " + std::to_string(g), 0x9014, group.peqFrequency,
                       eq(group.record, eq_layout::kCinemaPeqFrequency), "Cinema EQ",
                       "PEQ Freq\t\t\t: ", n});
        all.push_back({"CINEMA EQ HIGH " + std::to_string(g), 0x9014, group.highFrequency,
                       eq(group.record, eq_layout::kCinemaHighFrequency), "Cinema EQ",
                       "HIGH Freq\t\t: ", n});
    }
    for (const auto& band : CTONECONTROLDlg::kBands) {
        const bool bass = band.band == 0;
        all.push_back({"tone " + std::to_string(band.selectorByte), 0x9011, band.combo,
                       [byte = band.selectorByte](ReceiverImage& image, int v) {
                           image.ToneSettings.at(byte) = static_cast<std::uint8_t>(v);
                       },
                       "TONE CONTROL", bass ? "Bass Freq\t\t: " : "Treble Freq\t\t: ", band.group});
    }
    auto setup = [](std::size_t byte) {
        return [byte](ReceiverImage& image, int v) {
            image.SpeakerSetup.at(byte) = static_cast<std::uint8_t>(v);
        };
    };
    using Set = CSPEAKERSETDlg;
    const std::pair<int, std::pair<std::size_t, const char*>> speakerLines[] = {
        {Set::kCenterCombo, {speaker_setup::kCenter, "CENTER\t\t\t: "}},
        {Set::kFrontCombo, {speaker_setup::kFront, "FRONT\t\t\t: "}},
        {Set::kSurroundCombo, {speaker_setup::kSurround, "SURROUND LR\t\t: "}},
        {Set::kSurroundBackCombo, {speaker_setup::kSurroundBack, "SURROUND BACK\t\t: "}},
        {Set::kPresenceCombo, {speaker_setup::kPresence, "PRESENCE SP\t\t: "}},
        {Set::kBassOutCombo, {speaker_setup::kBassOut, "LFE BASS\t\t: "}},
        {Set::kBassOutCombo, {speaker_setup::kBassOut, "LFE/Bass Out\t\t: "}},
        {Set::kCrossoverCombo, {speaker_setup::kCrossover, "SW Crossover\t\t: "}},
        {Set::kSpeakerBCombo, {speaker_setup::kSpeakerBSet, "Speaker B Set\t\t: "}},
        {Set::kConfigCombo, {speaker_setup::kSubwooferConfig, "SW Config\t\t: "}},
        {Set::kPhaseCombo, {speaker_setup::kPhase, "SW Phase\t\t: "}},
    };
    for (const auto& [combo, line] : speakerLines) {
        all.push_back({"speaker set " + std::string(line.second), 0x9000, combo, setup(line.first),
                       "SP SET Information", line.second, 0});
    }
    auto video = [](std::size_t byte) {
        return [byte](ReceiverImage& image, int v) {
            image.VideoSettings.at(byte) = static_cast<std::uint8_t>(v);
        };
    };
    using Video = CVIDEOPROCESSORDlg;
    const std::pair<int, std::pair<std::size_t, const char*>> videoLines[] = {
        {Video::kPictureModeCombo, {video_layout::kPictureMode, "+ Picture Mode\t\t: "}},
        {Video::kResolutionCombo, {video_layout::kResolution, "+ Resolution\t\t: "}},
        {Video::kAspectCombo, {video_layout::kAspect, "+ Aspect\t\t\t: "}},
        {Video::kCrossColorCombo, {video_layout::kCrossColor, "+ Cross Color\t\t: "}},
        {Video::kTvFormatCombo, {video_layout::kTvFormat, "+ TV Format\t\t: "}},
        {Video::kSVideoCombo, {video_layout::kSVideo, "+ S Video\t\t\t: "}},
    };
    for (const auto& [combo, line] : videoLines) {
        all.push_back({"video " + std::string(line.second), 0x9013, combo, video(line.first),
                       "Video Processor", line.second, 0});
    }
    all.push_back({"THX distance", 0x9012, CTHXSETDlg::kSbSpeakerDistance,
                   [](ReceiverImage& image, int v) {
                       image.ThxSettings.at(2) = static_cast<std::uint8_t>(v);
                   },
                   "THX SET", "S.Back Speaker Distance\t: ", 0});
    all.push_back({"wallpaper", 0x900A, CDISPLAYSETDlg::kWallPaperCombo,
                   [](ReceiverImage& image, int v) {
                       image.DisplaySettings.at(display_layout::kWallPaper) =
                           static_cast<std::uint8_t>(v);
                   },
                   "Display Set", "+ WALL PAPER\t\t: ", 0});
    auto onScreen = [](ReceiverImage& image, int v) {
        image.MainZoneState.at(main_zone::kOnScreenDisplay) = static_cast<std::uint8_t>(v);
    };
    all.push_back({"display set on screen", 0x900A, CDISPLAYSETDlg::kOnScreenCombo, onScreen,
                   "Other Current Setting", kOnScreenOffLabel, 0});
    for (int side = 0; side < CDCTRIGGERDlg::kSideCount; ++side) {
        all.push_back({"DC trigger " + std::to_string(side), 0x900B,
                       CDCTRIGGERDlg::kModeCombo.at(static_cast<std::size_t>(side)),
                       [side](ReceiverImage& image, int v) {
                           (side == 0 ? image.DcTrigger1 : image.DcTrigger2).at(dc_trigger::kMode) =
                               static_cast<std::uint8_t>(v);
                       },
                       "DC Trigge Information",
                       side == 0 ? "+ Trigger 1\t\t: " : "+ Trigger 2\t\t: ", 0});
    }
    all.push_back(
        {"distance unit", 0x9015, CSPEAKERDISTANCEDlg::kUnitCombo,
         [](ReceiverImage& image, int v) { image.SetSpeakerDistance(speaker_distance::kUnit, v); },
         "Speaker Distance", "+ Unit\t\t\t: ", 0});
    // The TUNER's frequency selector shows the current station's step on its first page.
    all.push_back({"tuner frequency", 0x9007, CTUNERDlg::kFrequencyCombo,
                   [](ReceiverImage& image, int v) {
                       image.SetTunerPreset(0, tuner_presets::kBandFm,
                                            static_cast<std::uint8_t>(v));
                   },
                   "Tuner Information", "+ Current Station\t\t: FM - ", 0});
    // The main window's own selectors.
    auto zone = [](std::size_t byte) {
        return [byte](ReceiverImage& image, int v) {
            image.MainZoneState.at(byte) = static_cast<std::uint8_t>(v);
        };
    };
    all.push_back({"main input mode", 0, id::kInputModeCombo, zone(main_zone::kInputMode),
                   "Other Current Setting", "+ Input Mode\t\t: ", 0});
    all.push_back({"main on screen", 0, id::kOnScreenCombo, onScreen, "Other Current Setting",
                   kOnScreenOffLabel, 0});
    all.push_back({"main EX/ES", 0, id::kExEsCombo, zone(main_zone::kExEsDecoder),
                   "Other Current Setting", "+ EX/ES\t\t\t: ", 0});
    return all;
}

// Selectors whose choice the report does not print, and why.
const std::map<std::pair<win::Msg, int>, const char*>& NotInTheReport() {
    static const std::map<std::pair<win::Msg, int>, const char*> reasons{
        {{0x9000, CSPEAKERSETDlg::kMainLevelCombo}, "hidden; the report has no line for it"},
        {{0x9000, CSPEAKERSETDlg::kPresenceOrSurroundBackCombo},
         "hidden; the report has no line for it"},
        {{0x9001, 1224}, "chooses which channel record the sliders show, stores nothing"},
        {{0x9007, CTUNERDlg::kPageCombo}, "chooses the page of presets shown, stores nothing"},
        {{0x9008, 1116}, "the report has no external input set section"},
        {{0x900C, 1147}, "chooses which program's parameters are shown"},
        {{0x900D, 1147}, "program names: the model profile's one table, tested with the report"},
    };
    return reasons;
}

std::string LabelFor(const Agreement& a, int value) {
    return a.label == kOnScreenOffLabel && value != 0 ? kOnScreenOtherLabel : a.label;
}

class ValueNamesAgreementTest : public EditorFixture {
protected:
    win::Dialog* OpenPanel(win::Msg refresh) {
        const std::size_t index = PanelTable::IndexForRefresh(refresh);
        EXPECT_LT(index, kPanelCount);
        if (!Main().Panels().IsOpen(index)) {
            Main().Panels().Show(index);
            loop_.DrainPosted();
        }
        return Main().Panels().Window(index);
    }

    // The value after `label` on the `occurrence`-th such line of a report section.
    std::string ReportValue(const Agreement& a, const std::string& label) {
        const std::string text = ConfigurationReport(EditorImage(), EditorProfile()).Text();
        const std::string rule = std::string(26, '+') + "\r\n";
        std::size_t at = text.find(rule + "    " + a.section + "\r\n" + rule);
        if (at == std::string::npos) {
            ADD_FAILURE() << "no section " << a.section;
            return {};
        }
        const std::size_t end = text.find(rule, at + 2 * rule.size() + a.section.size() + 6);
        for (int n = 0; n <= a.occurrence; ++n) {
            at = text.find("\r\n" + label, at);
            if (at == std::string::npos || at > end) {
                ADD_FAILURE() << "no line " << label << " #" << a.occurrence;
                return {};
            }
            at += 2;
        }
        const std::size_t value = at + label.size();
        return text.substr(value, text.find("\r\n", value) - value);
    }
};

TEST_F(ValueNamesAgreementTest, EverySelectorByteReadsAsTheReportPrintsIt) {
    Start();
    std::set<std::pair<win::Msg, int>> checked;
    for (const Agreement& a : Agreements()) {
        SCOPED_TRACE(a.name);
        win::Dialog* window = a.panel == 0 ? &Main() : OpenPanel(a.panel);
        ASSERT_NE(window, nullptr);
        auto* combo = window->Get<win::ComboBox>(a.combo);
        ASSERT_NE(combo, nullptr);
        ASSERT_GT(combo->GetCount(), 1);
        checked.insert({a.panel, a.combo});
        for (int v = 0; v < combo->GetCount(); ++v) {
            a.store(EditorImage(), v);
            if (a.panel == 0) {
                Main().SendMessage(id::kRefreshMainWindow);
            } else {
                window->SendMessage(a.panel);
            }
            ASSERT_EQ(combo->GetCurSel(), v) << "byte " << v;
            EXPECT_EQ(combo->GetLBText(v), ReportValue(a, LabelFor(a, v))) << "byte " << v;
        }
        EditorImage().ResetToDefaults(EditorProfile());
    }

    // Every other combo box of every panel is one whose choice the report has no line for.
    for (const PanelEntry& entry : SettingPanels()) {
        const win::Msg refresh = entry.descriptor->refreshMessage;
        win::Dialog* panel = OpenPanel(refresh);
        ASSERT_NE(panel, nullptr) << std::hex << refresh;
        for (const auto& control : panel->Controls()) {
            if (control->GetKind() != win::ControlKind::kComboBox) {
                continue;
            }
            const std::pair<win::Msg, int> key{refresh, control->Id()};
            EXPECT_TRUE(checked.contains(key) || NotInTheReport().contains(key))
                << "panel " << std::hex << refresh << std::dec << " combo " << control->Id()
                << " is neither checked against the report nor named as absent from it";
        }
    }
}

}  // namespace
}  // namespace tra1::testing
