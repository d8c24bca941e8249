#include "programs/pictures/picture_window.h"

#include <functional>

#include "app/about_dlg.h"
#include "app/compare_dlg.h"
#include "app/creport_dlg.h"
#include "app/port_settings_dlg.h"
#include "app/receiver_editor_dlg.h"
#include "app/wait_message_dlg.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/panel_context.h"
#include "panels/panel_list.h"
#include "platform/serial/serial_port.h"
#include "resources/compare_ids.h"

namespace tra1::pictures {

PictureWindow::PictureWindow(win::EventLoop& loop, int templateId, int variant) : loop_(loop) {
    if (!MakeProgramWindow(templateId, variant) && !MakePanel(templateId)) {
        // No class of the program shows this template: the template alone.
        dialog_ = std::make_unique<win::Dialog>(loop_, templateId);
        if (!dialog_->Create()) {
            dialog_.reset();
        }
    }
    if (dialog_ == nullptr) {
        return;
    }
    dialog_->Show(true);
    // What the window posted to itself while starting (the main window's refresh) runs before
    // the picture; time stands still, so no timer fires.
    loop_.DrainPosted();
    if (!dialog_->IsWindow()) {
        dialog_.reset();
    }
}

void PictureWindow::UseDefaultImage() {
    profile_.SetModel(ModelProfile::kTrA1);
    image_.ResetToDefaults(profile_);
}

PictureWindow::~PictureWindow() {
    if (dialog_ != nullptr && dialog_->IsWindow()) {
        dialog_->DestroyWindow();
    }
    dialog_.reset();
    loop_.DrainPosted();
}

bool PictureWindow::MakeCompareWindow(int variant) {
    UseDefaultImage();
    ReceiverImage other = image_;
    CompareResult result;
    if (variant == kVerifiedPicture) {
        result.kind = CompareResult::Kind::kVerify;
    } else if (variant == kNotVerifiedPicture) {
        // Someone turned the delay up and a speaker down on the receiver after the Download.
        result.kind = CompareResult::Kind::kVerify;
        other.AudioDelay.at(0) = 40;
        other.SpeakerLevels.at(speaker_levels::kSW) = 34;
    } else {
        // The living room's file against the image: speakers set up anew, a renamed input.
        result.kind = CompareResult::Kind::kFile;
        result.fileName = "/home/user/Documents/living-room.tcf";
        other.SpeakerLevels.at(speaker_levels::kFL) = 35;
        other.SpeakerLevels.at(speaker_levels::kFR) = 35;
        other.SetSpeakerDistance(speaker_distance::kCenter, 85);
        other.SpeakerSetup.at(speaker_setup::kCenter) = 1;
        other.SetInputName(input_index::kDvd, "BLU-RAY");
        other.AudioDelay.at(0) = 20;
        other.EqSettings.at(eq_layout::kFrontL * eq_layout::kBandsPerChannel +
                            eq_layout::kShownBands.at(0)) = 16;
        other.SetUserMemoText("Living room, after the new speakers");
    }
    result.differences = CompareImages(image_, other, profile_,
                                       result.kind == CompareResult::Kind::kFile
                                           ? std::nullopt
                                           : std::optional(TransferScope::kCurrentSetting));
    auto window = std::make_unique<CCompareDlg>(loop_, std::move(result), win::WindowHandle{});
    if (window->Create()) {
        dialog_ = std::move(window);
    }
    return true;
}

bool PictureWindow::MakeProgramWindow(int templateId, int variant) {
    switch (templateId) {
        case compare_window::kTemplateId:
            return MakeCompareWindow(variant);
        case CReceiverEditorDlg::kTemplateId: {
            // Started as the program starts it, without a serial port: disconnected, in
            // asynchronous mode, on the default image.
            auto main = std::make_unique<CReceiverEditorDlg>(loop_, image_, profile_,
                                                             std::unique_ptr<serial::SerialPort>{});
            if (main->Create()) {
                dialog_ = std::move(main);
            }
            return true;
        }
        case CREPORTDlg::kTemplateId: {
            UseDefaultImage();
            auto report =
                std::make_unique<CREPORTDlg>(loop_, image_, profile_, win::WindowHandle{});
            if (report->Create()) {
                dialog_ = std::move(report);
            }
            return true;
        }
        case CPORTSETTINGSDlg::kTemplateId: {
            // A user with a USB adapter on COM1, a serial server on COM2, COM3 left empty and
            // COM4 given on the command line; the devices are made up, so that the picture is
            // the same on every machine.
            ports_.SetStored(1, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
            ports_.SetStored(2, "socket://192.168.1.40:4001");
            ports_.SetStored(3, "");
            ports_.SetCommandLineOverride(4, "rfc2217://rack-serial.local:2217");
            PortSettings settings{&ports_, nullptr, [] {
                                      return std::vector<serial::SerialDeviceInfo>{
                                          {"/dev/serial/by-id/"
                                           "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                                           "FTDI FT232R USB UART A50285BI, now ttyUSB0"},
                                          {"/dev/ttyUSB0", "FTDI FT232R USB UART"},
                                          {"/dev/ttyS0", "serial port"}};
                                  }};
            auto ports = std::make_unique<CPORTSETTINGSDlg>(loop_, std::move(settings));
            if (ports->Create()) {
                dialog_ = std::move(ports);
            }
            return true;
        }
        case CAboutDlg::kTemplateId: {
            auto about = std::make_unique<CAboutDlg>(loop_);
            if (about->Create()) {
                dialog_ = std::move(about);
            }
            return true;
        }
        case CWaitMessageDlg::kTemplateId: {
            auto wait = std::make_unique<CWaitMessageDlg>(loop_, win::WindowHandle{});
            if (wait->Create()) {
                // A download a third of the way through.
                for (int step = 1; step <= CWaitMessageDlg::kProgressEnd / 3; ++step) {
                    wait->SendMessage(CWaitMessageDlg::kProgressMessage, 1, step);
                }
                dialog_ = std::move(wait);
            }
            return true;
        }
        default:
            return false;
    }
}

bool PictureWindow::MakePanel(int templateId) {
    const PanelEntry* panel = nullptr;
    for (const PanelEntry& entry : SettingPanels()) {
        if (entry.descriptor->templateId == templateId) {
            panel = &entry;
            break;
        }
    }
    if (panel == nullptr) {
        return false;
    }
    UseDefaultImage();
    // No main window: the change messages of a picture go nowhere.
    const PanelContext context{loop_, image_, profile_, link_, win::WindowHandle{}, noOtherPanels_};
    dialog_ = panel->create(context, std::function<void()>{});
    return true;
}

}  // namespace tra1::pictures
