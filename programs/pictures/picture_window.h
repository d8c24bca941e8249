#pragma once
// The program's windows as a user meets them, made for pictures: the main window just after
// start-up (no port, the default image), every setting panel from the list of panels on the
// default image, the REPORT window, the About box, the Port Settings dialog with a typical
// mapping, the wait window part way through a download and the compare window (a compare with a
// file; variants: the result of a verify that found nothing, and of one that found differences).
// A template that no class of the program shows (the invisible link windows) is built as a plain
// dialog.
//
//   win::VirtualClock clock;
//   win::EventLoop loop(clock);
//   qtui::QtFrontEnd front_end(loop);
//   PictureWindow picture(loop, 140);
//   if (win::Dialog* dialog = picture.dialog()) { /* grab front_end.host().WidgetFor(...) */ }
//
// Each picture window owns the image and the profile that its window shows.

#include <memory>

#include "app/panel_table.h"
#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/serial/com_port_map.h"
#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"

namespace tra1::pictures {

// The variants of the compare window's picture.
inline constexpr int kVerifiedPicture = 1;
inline constexpr int kNotVerifiedPicture = 2;

class PictureWindow {
public:
    // Creates the window of `template_id` in `loop` and shows it; dialog() is null when it
    // could not be created (unknown template, creation refused).
    PictureWindow(win::EventLoop& loop, int templateId, int variant = 0);
    // Destroys the window.
    ~PictureWindow();
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;

    win::Dialog* GetDialog() const { return dialog_.get(); }

private:
    bool MakeProgramWindow(int templateId, int variant);
    bool MakeCompareWindow(int variant);
    bool MakePanel(int templateId);
    // The image every panel shows: the receiver's defaults, as after start-up.
    void UseDefaultImage();

    win::EventLoop& loop_;
    ReceiverImage image_;
    ModelProfile profile_;
    // A panel drawn alone has no other panels to reach.
    PanelTable noOtherPanels_;
    // The panels read the control mode from it (asynchronous, as at start-up).
    LinkState link_;
    // The port settings the Port Settings dialog shows.
    serial::ComPortMap ports_;
    std::unique_ptr<win::Dialog> dialog_;
};

}  // namespace tra1::pictures
