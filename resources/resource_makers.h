#pragma once
// The makers of the program's resources, one per file under resources/dialogs/ and
// resources/menus/. Each builds its resource as plain data; program_resources.cpp lists them all.

#include "platform/win/dialog_template.h"
#include "platform/win/menu_template.h"

namespace tra1::res {

// The resources are written in the window system's template vocabulary.
using win::ControlKind;
using win::ControlTemplate;
using win::DialogTemplate;
using win::MenuItemTemplate;
using win::MenuTemplate;
namespace style = win::style;
namespace dialog_style = win::dialog_style;
namespace menu_flag = win::menu_flag;

DialogTemplate MakeAboutTemplate();
DialogTemplate MakeAuxTimerTemplate();
DialogTemplate MakeCinemaEqTemplate();
DialogTemplate MakeCompareTemplate();
DialogTemplate MakeDcTriggerTemplate();
DialogTemplate MakeDelayTemplate();
DialogTemplate MakeDisplaySetTemplate();
DialogTemplate MakeDspParameterTemplate();
DialogTemplate MakeEqControlTemplate();
DialogTemplate MakeExternalInputSetTemplate();
DialogTemplate MakeInputDspProgramTemplate();
DialogTemplate MakeInputModeSetTemplate();
DialogTemplate MakeInputRenameTemplate();
DialogTemplate MakeInputTrimTemplate();
DialogTemplate MakeIoAssignTemplate();
DialogTemplate MakeLfeLevelDrangeTemplate();
DialogTemplate MakeMainWindowTemplate();
DialogTemplate MakeMultiZoneSetTemplate();
DialogTemplate MakePortSettingsTemplate();
DialogTemplate MakeReportTemplate();
DialogTemplate MakeRs232cTemplate();
DialogTemplate MakeSpeakerDistanceTemplate();
DialogTemplate MakeSpeakerLevelTemplate();
DialogTemplate MakeSpeakerSetTemplate();
DialogTemplate MakeThxSetTemplate();
DialogTemplate MakeToneControlTemplate();
DialogTemplate MakeTunerTemplate();
DialogTemplate MakeVideoProcessorTemplate();
DialogTemplate MakeWaitMessageTemplate();

MenuTemplate MakeMainMenu();
MenuTemplate MakeReportMenu();

}  // namespace tra1::res
