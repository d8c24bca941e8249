#pragma once

#include "link/change_message_router.h"
#include "platform/win/message.h"

namespace tra1 {

// Control, command and message numbers of the main window (dialog 102).
namespace main_window {
inline constexpr int kTemplateId = 102;

// COM Port group.
inline constexpr int kPortCombo = 1000;
inline constexpr int kConnectButton = 1002;
inline constexpr int kConnectionIcon = 1003;  // in the status line, beside its text
inline constexpr int kStatusLine = 1240;
inline constexpr int kDisconnectButton = 1014;
inline constexpr int kModelCombo = 1116;

// Log pane (hidden).
inline constexpr int kLogEdit = 1015;
inline constexpr int kDisplayLogCheck = 1016;
inline constexpr int kClearLogButton = 1017;
inline constexpr int kDebugButton = 1079;
inline constexpr int kDebugEdit = 1212;

// Main zone and zone 2.
inline constexpr int kMainInputCombo = 1055;
inline constexpr int kInputModeCombo = 1117;
inline constexpr int kOnScreenCombo = 1118;
inline constexpr int kZone2InputCombo = 1120;
inline constexpr int kMainMuteCheck = 1136;
inline constexpr int kZone2MuteCheck = 1137;
inline constexpr int kMultiChannelCheck = 1170;
inline constexpr int kSpeakerACheck = 1171;
inline constexpr int kSpeakerBCheck = 1172;
inline constexpr int kMainVolumeSlider = 1173;
inline constexpr int kMainVolumeReadout = 1174;
inline constexpr int kMainVolumeUp = 1175;
inline constexpr int kMainVolumeDown = 1176;
inline constexpr int kZone2VolumeSlider = 1177;
inline constexpr int kZone2VolumeReadout = 1178;
inline constexpr int kZone2VolumeUp = 1179;
inline constexpr int kZone2VolumeDown = 1180;
inline constexpr int kProgramReadout = 1191;
inline constexpr int kExEsCombo = 1195;
inline constexpr int kNightModeCheck = 1222;
inline constexpr int kInputDspButton = 1080;
inline constexpr int kParameterButton = 1081;

// The label beside each small panel button (a click on it works as one on the button).
inline constexpr int kPanelLabelIdOffset = 1000;
constexpr int LabelOf(int button) {
    return button + kPanelLabelIdOffset;
}

// Hidden caption edits.
inline constexpr int kMainZoneText = 1214;
inline constexpr int kConnectionText = 1215;
inline constexpr int kZone2Text = 1216;
inline constexpr int kConfigurationText = 1221;

// Preset memories.
inline constexpr int kHomePresetList = 1182;
inline constexpr int kMainVolumeList = 1217;
inline constexpr int kZone2VolumeList = 1218;

// Synchronize group.
inline constexpr int kDownloadButton = 1200;
inline constexpr int kUploadButton = 1201;
inline constexpr int kCurrentSettingRadio = 1233;
inline constexpr int kPresetSettingRadio = 1234;

// User memo.
inline constexpr int kUserMemoEdit = 1211;
inline constexpr int kUserMemoLimit = 1001;

// Menu commands.
inline constexpr int kMenuOpen = 32789;
inline constexpr int kMenuSave = 32790;
inline constexpr int kMenuConnect = 32791;
inline constexpr int kMenuDisconnect = 32792;
inline constexpr int kMenuPortSettings = 32795;
inline constexpr int kMenuRealtime = 32787;
inline constexpr int kMenuAsynchronous = 32788;
inline constexpr int kMenuUpload = 32793;
inline constexpr int kMenuDownload = 32794;
// Configuration > "Fast Transfer": a check item, kept in the user's settings.
inline constexpr int kMenuFastTransfer = 32796;
inline constexpr int kMenuCompareWithFile = 32797;
inline constexpr int kMenuCompareWithReceiver = 32798;
inline constexpr int kMenuVerifyAfterDownload = 32799;

// Timers.
inline constexpr win::TimerId kBlinkTimer = 1;
inline constexpr win::TimerId kReplyTimeoutTimer = 2;
inline constexpr win::TimerId kQueuePumpTimer = 3;
inline constexpr win::TimerId kVolumeRepeatTimer = 5;
inline constexpr win::TimerId kStatusRequestTimer = 7;

// Messages.
inline constexpr win::Msg kReceivedBatch = 0x4400;
inline constexpr win::Msg kAuxTick = 0xA500;
inline constexpr win::Msg kRefreshMainWindow = change_message::kRefreshMainWindow;
inline constexpr win::Msg kTransferProgress = 0xA200;
inline constexpr win::Msg kTransferCancelled = 0xA201;
// Posted by the start-up when a configuration file was named on the command line, so that the
// file loads once the window is up and any message box has a window to sit on.
inline constexpr win::Msg kOpenFileAtStart = win::WM_USER + 1;
// Posted by the link after a batch of replies: the next transfer or realtime step runs now.
inline constexpr win::Msg kStepNow = win::WM_USER + 2;
// Posted when a Download completed and "Verify after Download" is checked, so that the read-back
// starts once the Download's own ending has run.
inline constexpr win::Msg kStartVerify = win::WM_USER + 3;

// Message box title of the main window.
inline constexpr const char* kMessageTitle = "Tolvek Receiver Editor Message";
}  // namespace main_window

}  // namespace tra1
