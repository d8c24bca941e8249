#include "panels/panel_list.h"

#include <array>

#include "panels/cinema_eq_dlg.h"
#include "panels/dc_trigger_dlg.h"
#include "panels/delay_dlg.h"
#include "panels/display_set_dlg.h"
#include "panels/dsp_parameter_dlg.h"
#include "panels/eq_control_dlg.h"
#include "panels/external_input_set_dlg.h"
#include "panels/input_dsp_program_dlg.h"
#include "panels/input_mode_set_dlg.h"
#include "panels/input_rename_dlg.h"
#include "panels/input_trim_dlg.h"
#include "panels/io_assign_dlg.h"
#include "panels/lfe_level_drange_dlg.h"
#include "panels/multi_zone_set_dlg.h"
#include "panels/speaker_distance_dlg.h"
#include "panels/speaker_level_dlg.h"
#include "panels/speaker_set_dlg.h"
#include "panels/thx_set_dlg.h"
#include "panels/tone_control_dlg.h"
#include "panels/tuner_dlg.h"
#include "panels/video_processor_dlg.h"

namespace tra1 {

namespace {

template <typename Dlg>
constexpr PanelEntry Entry() {
    return PanelEntry{&Dlg::kDescriptor, &CreatePanel<Dlg>};
}

constexpr std::array kSettingPanels{
    Entry<CSPEAKERSETDlg>(),     Entry<CEQCONTROLDlg>(),       Entry<CSPEAKERLEVELDlg>(),
    Entry<CLFELEVELDRANGEDlg>(), Entry<CDELAYDlg>(),           Entry<CINPUTRENAMEDlg>(),
    Entry<CIOASSIGNDlg>(),       Entry<CTUNERDlg>(),           Entry<CEXTERNALINPUTSETDlg>(),
    Entry<CINPUTMODESETDlg>(),   Entry<CDISPLAYSETDlg>(),      Entry<CDCTRIGGERDlg>(),
    Entry<CDSPPARAMETERDlg>(),   Entry<CINPUTDSPPROGRAMDlg>(), Entry<CMULTIZONESETDlg>(),
    Entry<CTONECONTROLDlg>(),    Entry<CTHXSETDlg>(),          Entry<CVIDEOPROCESSORDlg>(),
    Entry<CCINEMAEQDlg>(),       Entry<CSPEAKERDISTANCEDlg>(), Entry<CINPUTTRIMDlg>(),
};

constexpr bool InRefreshOrder() {
    for (std::size_t i = 1; i < kSettingPanels.size(); ++i) {
        if (kSettingPanels[i - 1].descriptor->refreshMessage >=
            kSettingPanels[i].descriptor->refreshMessage) {
            return false;
        }
    }
    return true;
}
static_assert(InRefreshOrder(), "the setting panels are listed by ascending refresh message");
static_assert(kSettingPanels.size() == kSettingPanelCount);

}  // namespace

std::span<const PanelEntry> SettingPanels() {
    return kSettingPanels;
}

const PanelEntry* FindSettingPanel(win::Msg refreshMessage) {
    for (const PanelEntry& entry : kSettingPanels) {
        if (entry.descriptor->refreshMessage == refreshMessage) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace tra1
