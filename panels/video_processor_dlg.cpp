#include "panels/video_processor_dlg.h"

#include <array>
#include <string_view>
#include <vector>

#include "model/receiver_image.h"
#include "model/value_format.h"
#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

using Dlg = CVIDEOPROCESSORDlg;

// The selectors by the VideoSettings byte they show (1..6; command number 70 + byte).
struct Selector {
    int id;
    std::size_t byte;
    NameList names;
    bool followsProcessor;  // disabled while the processor is off
};
constexpr std::array<Selector, 6> kSelectors{{
    {Dlg::kPictureModeCombo, video_layout::kPictureMode, value_names::kPictureMode, true},
    {Dlg::kResolutionCombo, video_layout::kResolution, value_names::kResolution, true},
    {Dlg::kAspectCombo, video_layout::kAspect, value_names::kAspect, true},
    {Dlg::kCrossColorCombo, video_layout::kCrossColor, value_names::kCrossColor, true},
    {Dlg::kTvFormatCombo, video_layout::kTvFormat, value_names::kTvFormat, false},
    {Dlg::kSVideoCombo, video_layout::kSVideo, value_names::kSVideo, false},
}};
const std::array<Selector, 6>& Selectors() {
    return kSelectors;
}

// The picture sliders by record byte 0..4, with their range and the value their read-out shows
// at position 0.
struct PictureSlider {
    int id;
    int readout;
    std::size_t byte;
    int maximum;
    int readoutOffset;
};
constexpr std::array<PictureSlider, 5> kPictureSliders{{
    {Dlg::kEnhancerSlider, 1263, picture_mode::kEnhancer, 24, 0},
    {Dlg::kNoiseReductionSlider, 1264, picture_mode::kNoiseReduction3d, 10, 0},
    {Dlg::kBrightnessSlider, 1265, picture_mode::kBrightness, 48, -24},
    {Dlg::kContrastSlider, 1266, picture_mode::kContrast, 48, -24},
    {Dlg::kSaturationSlider, 1267, picture_mode::kSaturation, 48, -24},
}};

constexpr std::size_t kSwitchCache = 0;
constexpr std::size_t kPictureCache = 7;

}  // namespace

void CVIDEOPROCESSORDlg::OnInitPanel() {
    if (auto* slider = SliderAt(kProcessorSwitch)) {
        slider->SetRange(0, 1);
    }
    for (const auto& s : kPictureSliders) {
        if (auto* slider = SliderAt(s.id)) {
            slider->SetRange(0, s.maximum);
        }
    }
    for (const auto& selector : Selectors()) {
        if (auto* combo = Get<win::ComboBox>(selector.id)) {
            FillWithNames(*combo, selector.names);
        }
    }
    for (const auto& s : kPictureSliders) {
        UseReadoutColors({s.readout});
    }
    // At opening only the selectors follow the processor switch; the picture sliders start
    // enabled whatever it says.
    const bool on = Image().VideoSettings.at(video_layout::kProcessor) != 0;
    for (const auto& selector : Selectors()) {
        if (selector.followsProcessor) {
            EnableDlgItem(selector.id, on);
        }
    }
}

std::uint8_t* CVIDEOPROCESSORDlg::CurrentRecord() const {
    const std::size_t mode = Image().VideoSettings.at(video_layout::kPictureMode);
    if (mode >= picture_mode::kRecordCount) {
        return nullptr;
    }
    return &Image().PictureModeAdjust.at(mode * picture_mode::kRecordSize);
}

void CVIDEOPROCESSORDlg::Refresh() {
    const auto& video = Image().VideoSettings;
    SetSliderPos(kProcessorSwitch, video.at(video_layout::kProcessor));
    cache_[kSwitchCache] = video.at(video_layout::kProcessor);

    for (const auto& selector : Selectors()) {
        auto* combo = Get<win::ComboBox>(selector.id);
        // An open list is the user's: neither the control nor its cache changes.
        if (combo == nullptr || combo->GetDroppedState()) {
            continue;
        }
        combo->SetCurSel(video.at(selector.byte));
        cache_[selector.byte] = video.at(selector.byte);
    }

    // A picture mode that names no record leaves the picture sliders where they are.
    if (const std::uint8_t* record = CurrentRecord()) {
        for (std::size_t i = 0; i < kPictureSliders.size(); ++i) {
            const auto& s = kPictureSliders[i];
            SetSliderPos(s.id, record[s.byte]);
            cache_[kPictureCache + i] = record[s.byte];
        }
    }
    UpdateReadouts();
}

void CVIDEOPROCESSORDlg::UpdateReadouts() {
    for (const auto& s : kPictureSliders) {
        SetReadout(s.readout, FormatInteger(SliderPos(s.id) + s.readoutOffset));
    }
}

void CVIDEOPROCESSORDlg::EnableProcessorControls(bool selectors, bool sliders) {
    for (const auto& selector : Selectors()) {
        if (selector.followsProcessor) {
            EnableDlgItem(selector.id, selectors);
        }
    }
    for (const auto& s : kPictureSliders) {
        EnableDlgItem(s.id, sliders);
    }
}

void CVIDEOPROCESSORDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    if (id == kProcessorSwitch) {
        const int value = SliderPos(id);
        if (StoreUserChange(Image().VideoSettings.at(video_layout::kProcessor),
                            cache_[kSwitchCache], value, kProcessorCommand, value)) {
            EnableProcessorControls(value != 0, value != 0);
        }
        return;
    }
    for (std::size_t i = 0; i < kPictureSliders.size(); ++i) {
        const auto& s = kPictureSliders[i];
        if (s.id != id) {
            continue;
        }
        std::uint8_t* record = CurrentRecord();
        const int value = SliderPos(id);
        if (record == nullptr || cache_[kPictureCache + i] == value) {
            return;
        }
        record[s.byte] = static_cast<std::uint8_t>(value);
        cache_[kPictureCache + i] = value;
        UpdateReadouts();
        NotifyChange(Descriptor().ChangeMessage(), kPictureRecordFunction, 0);
        return;
    }
}

void CVIDEOPROCESSORDlg::OnCommand(int id, unsigned code) {
    if (code != win::CBN_SELCHANGE) {
        return;
    }
    for (const auto& selector : Selectors()) {
        if (selector.id != id) {
            continue;
        }
        const auto* combo = Get<win::ComboBox>(id);
        const int index = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
        if (index == win::CB_ERR) {
            return;
        }
        const auto command =
            static_cast<win::WParam>(kPictureModeCommand - 1 + static_cast<int>(selector.byte));
        if (StoreUserChange(Image().VideoSettings.at(selector.byte), cache_[selector.byte], index,
                            command, index) &&
            selector.byte == video_layout::kPictureMode) {
            // The sliders now show the newly selected mode's record.
            Refresh();
        }
        return;
    }
}

void CVIDEOPROCESSORDlg::ShowThumb(int /*id*/, int /*position*/) {
    UpdateReadouts();  // from the sliders' positions, the moving one's included
}

}  // namespace tra1
