#include "resources/program_resources.h"

#include <utility>

#include "platform/win/resource_registry.h"
#include "resources/icons/builtin_icons.h"
#include "resources/resource_makers.h"

namespace tra1::res {

namespace {

// The text of the About item at the foot of the main window's system menu.
constexpr int kAboutItemText = 101;

using DialogMaker = DialogTemplate (*)();

constexpr DialogMaker kDialogMakers[] = {
    MakeAboutTemplate,
    MakeMainWindowTemplate,
    MakeRs232cTemplate,
    MakeAuxTimerTemplate,
    MakeWaitMessageTemplate,
    MakeReportTemplate,
    MakeEqControlTemplate,
    MakeSpeakerSetTemplate,
    MakeInputRenameTemplate,
    MakeIoAssignTemplate,
    MakeSpeakerLevelTemplate,
    MakeTunerTemplate,
    MakeLfeLevelDrangeTemplate,
    MakeDelayTemplate,
    MakeDcTriggerTemplate,
    MakeInputDspProgramTemplate,
    MakeDspParameterTemplate,
    MakeMultiZoneSetTemplate,
    MakeExternalInputSetTemplate,
    MakeInputModeSetTemplate,
    MakeDisplaySetTemplate,
    MakeToneControlTemplate,
    MakeCinemaEqTemplate,
    MakeThxSetTemplate,
    MakeSpeakerDistanceTemplate,
    MakeVideoProcessorTemplate,
    MakeInputTrimTemplate,
    MakePortSettingsTemplate,
    MakeCompareTemplate,
};

}  // namespace

void AddProgramResources(win::ResourceRegistry& registry) {
    for (const DialogMaker make : kDialogMakers) {
        registry.AddDialog(make());
    }
    registry.AddMenu(MakeMainMenu());
    registry.AddMenu(MakeReportMenu());
    registry.AddString(kAboutItemText, "&About Tolvek Receiver Editor...");
    for (win::IconImage& icon : BuiltinIcons()) {
        registry.AddIcon(std::move(icon));
    }
}

}  // namespace tra1::res
