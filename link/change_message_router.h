#pragma once
// The main window's handlers of the panels' change messages. A panel has already stored the new
// value in the image; in realtime mode the handler reads it back and sends the command or the
// extended write that carries it, in asynchronous mode it sends nothing and only performs the
// hold reset (the decode skip count and every open panel's hold counter back to 0), so that no
// panel keeps holding back its next refresh. Every send goes through CommandSender, which adds
// its own checks (port open; realtime mode or a transfer running).
//
// The main window owns one router and forwards its messages:
//
//   if (auto result = router_.Handle(msg, w, l)) return *result;
//
// Indices in wParam and lParam come from the panels and are checked before they index the
// image: a value that names no field selects nothing.

#include <optional>

#include "platform/win/message.h"

namespace tra1 {

class CommandSender;
class ModelProfile;
class ReceiverImage;
struct LinkState;

// Change messages, from the panels to the main window.
namespace change_message {
inline constexpr win::Msg kSpeakerLevel = 0xA001;
inline constexpr win::Msg kSpeakerLevelHidden = 0xA002;
inline constexpr win::Msg kLfeLevel = 0xA003;
inline constexpr win::Msg kDynamicRange = 0xA004;
inline constexpr win::Msg kSpeakerSet = 0xA005;
inline constexpr win::Msg kDelay = 0xA007;
inline constexpr win::Msg kExternalInput = 0xA008;
inline constexpr win::Msg kInputMode = 0xA009;
inline constexpr win::Msg kDisplaySet = 0xA00A;
inline constexpr win::Msg kMultiZone = 0xA00B;
inline constexpr win::Msg kMainInput = 0xA00D;
inline constexpr win::Msg kProgram = 0xA00E;
inline constexpr win::Msg kDialogLift = 0xA00F;
inline constexpr win::Msg kThxSet = 0xA010;
inline constexpr win::Msg kVideoProcessor = 0xA011;
inline constexpr win::Msg kSpeakerDistance = 0xA012;
inline constexpr win::Msg kInputTrim = 0xA013;
inline constexpr win::Msg kInputRename = 0xA100;
inline constexpr win::Msg kGraphicEq = 0xA101;
inline constexpr win::Msg kGraphicEqOption = 0xA102;
inline constexpr win::Msg kIoAssign = 0xA103;
inline constexpr win::Msg kTuner = 0xA104;
inline constexpr win::Msg kDcTrigger = 0xA105;
inline constexpr win::Msg kDspParameter = 0xA106;
inline constexpr win::Msg kToneControl = 0xA107;
inline constexpr win::Msg kCinemaEq = 0xA108;
// Not a change message: the main window reloads its own controls.
inline constexpr win::Msg kRefreshMainWindow = 0x900F;
}  // namespace change_message

// What the handlers need of the main window beyond the link.
class ChangeMessageHost {
public:
    virtual ~ChangeMessageHost() = default;
    // Sets the hold counter of every open panel to 0.
    virtual void ResetPanelHolds() = 0;
    // Shows the current program (MainZoneState byte 4) in the main window's program read-out.
    virtual void ShowProgram() = 0;
    // Brings the main window's zone 2 controls in line with the multi-zone settings.
    virtual void ShowZone2Controls() = 0;
};

// How one DSP parameter slot goes to the receiver: parameter number, sub-digit and the value.
struct DspParameterSend {
    int parameter = 0;
    int subDigit = 1;
    int value = 0;
};

class ChangeMessageRouter {
public:
    // Nothing is owned; everything must outlive the router.
    ChangeMessageRouter(ReceiverImage& image, ModelProfile& profile, LinkState& state,
                        CommandSender& sender, ChangeMessageHost& host);

    // True for 0xA001..0xA013, 0xA100..0xA108 and 0x900F.
    static bool Handles(win::Msg msg);
    // Runs the handler of `msg` and returns its result; nullopt when the message is not one of
    // the router's.
    std::optional<win::LResult> Handle(win::Msg msg, win::WParam w, win::LParam l);

    // 0x900F, the router's part of it (both modes): the current program byte takes the main
    // input's program assignment, flag bit included, and the read-out shows it.
    void UpdateCurrentProgram();

    // The hold reset of a change in asynchronous mode: decode skip count and every open panel's
    // hold counter to 0.
    void HoldReset();

    // The receiver's numbering of a program record slot (`slot` 0..41) and its stored value.
    static DspParameterSend EncodeDspParameter(int slot, int value);

private:
    // The realtime actions; each returns the handler's result.
    win::LResult SpeakerLevel(win::WParam n);
    win::LResult LfeLevel(win::WParam n);
    win::LResult DynamicRange(win::WParam n);
    win::LResult SpeakerSet(win::WParam n);
    win::LResult DisplaySet(win::WParam n);
    win::LResult MultiZone(win::WParam n);
    win::LResult Program(win::WParam f);
    win::LResult ThxSet(win::WParam n, win::LParam v);
    win::LResult VideoProcessor(win::WParam c, win::LParam v);
    win::LResult SpeakerDistance(win::WParam i);
    win::LResult InputTrim(win::WParam i);
    win::LResult InputRename(win::WParam i);
    win::LResult GraphicEq(win::WParam t, win::LParam b);
    win::LResult GraphicEqOption(win::WParam i);
    win::LResult IoAssign(win::WParam r, win::LParam k);
    win::LResult Tuner(win::WParam p, win::LParam n);
    win::LResult DcTrigger(win::WParam a, win::LParam f);
    win::LResult DspParameter(win::WParam g, win::LParam s);
    win::LResult ToneControl(win::WParam a, win::LParam b);
    win::LResult CinemaEq(win::WParam r);

    // Link busy for the duration of one send (the 10 ms tick stands still meanwhile).
    void SendCommandHoldingLink(int commandNumber, int value);

    ReceiverImage& image_;
    ModelProfile& profile_;
    LinkState& state_;
    CommandSender& sender_;
    ChangeMessageHost& host_;
};

}  // namespace tra1
