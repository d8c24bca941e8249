#pragma once
// The base of every setting panel: a modeless top-level dialog that shows one group of image
// values and writes the user's changes back.
//
// What the base does for a panel:
//  - OnInitDialog: centres the window on the screen (unless its descriptor asks for
//    kTemplate), calls OnInitPanel() (ranges, ticks, list contents, read-out colours), then
//    Refresh() once.
//  - The refresh message: held while the hold counter runs (see HoldRule), else Refresh().
//    Returns 1. A panel whose refresh carries parameters overrides OnRefreshMessage().
//  - A user change: StoreUserChange() compares with the cache, stores into the image and the
//    cache, loads the hold counter and posts (or sends) the change message to the main window.
//  - OnOK does nothing (Enter never closes a panel); Esc and the close box destroy the window.
//  - When the window is gone, the destroyed callback runs (the owner clears its open flag and
//    frees the object through EventLoop::DeleteLater).
//
// A panel in a few lines:
//
//   class CDELAYDlg final : public PanelDlg {
//   public:
//       static constexpr PanelDescriptor kDescriptor{
//           .refreshMessage = 0x9004, .templateId = 146, .caption = "DELAY", ...,
//           .changeMessages = {change_message::kDelay}, .holdCount = 8};
//       explicit CDELAYDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}
//   protected:
//       void OnInitPanel() override { ... SetRange ...; UseReadoutColors({1104}); }
//       void Refresh() override {
//           if (cache_.Differs(0, Image().AudioDelay()[0])) { ... SetPos ...; }
//           SetReadout(1104, ...);
//       }
//       void OnNotify(int id, win::LParam code) override {
//           if (code != win::NM_RELEASEDCAPTURE || id != 1103) return;
//           if (StoreUserChange(Image().AudioDelay()[0], cache_[0], SliderPos(1103), 0)) {
//               SetReadout(1104, ...);
//           }
//       }
//   private:
//       PanelCache<1> cache_;
//   };
//
// and one line in the list of panels (panels/panel_list.cpp):
//
//   {CDELAYDlg::kDescriptor, &CreatePanel<CDELAYDlg>},

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>

#include "panels/panel_context.h"
#include "panels/panel_descriptor.h"
#include "platform/win/dialog.h"

namespace tra1 {

namespace win {
class Slider;
}

// The panel's copy of the values its controls were last set to, one int per image value (wide
// enough for every field). It starts as kUnset, which matches no image value, so the first
// refresh writes every control. Indices are checked (.at()).
template <std::size_t N>
class PanelCache {
public:
    static constexpr int kUnset = std::numeric_limits<int>::min();

    PanelCache() { values_.fill(kUnset); }
    int& operator[](std::size_t i) { return values_.at(i); }
    int operator[](std::size_t i) const { return values_.at(i); }
    // True when the entry does not hold `value` (the control must be written).
    bool Differs(std::size_t i, int value) const { return values_.at(i) != value; }
    void Invalidate() { values_.fill(kUnset); }
    static constexpr std::size_t size() { return N; }

private:
    std::array<int, N> values_{};
};

class PanelDlg : public win::Dialog {
public:
    PanelDlg(const PanelContext& context, const PanelDescriptor& descriptor);
    ~PanelDlg() override;

    const PanelDescriptor& Descriptor() const { return descriptor_; }
    win::Msg RefreshMessage() const { return descriptor_.refreshMessage; }

    // --- the main window's side -------------------------------------------------------------
    // Sets the hold counter to 0: before a full refresh, on a control-mode switch, and on a
    // change handled in asynchronous mode.
    void ResetHoldCounter() { holdCounter_ = 0; }
    int HoldCounter() const { return holdCounter_; }
    // Runs once the window has been destroyed (from PostNcDestroy, possibly inside the panel's
    // own handler): the owner clears its open flag and hands the object to DeleteLater.
    void SetOnDestroyed(std::function<void()> callback) { onDestroyed_ = std::move(callback); }

    win::LResult HandleMessage(win::Msg msg, win::WParam w, win::LParam l) override;

protected:
    // --- what a panel writes ----------------------------------------------------------------
    // Slider ranges, ticks, combo and list contents, read-out colours. The base has centred the
    // window already; Refresh() runs right after.
    virtual void OnInitPanel() {}
    // Sets the controls from the image (through the cache where the panel keeps one),
    // recomputes the read-outs and applies the enabling rules.
    virtual void Refresh() = 0;
    // The refresh message. Default: hold or Refresh(). Override for a refresh with parameters,
    // calling RefreshHeld() first.
    virtual void OnRefreshMessage(win::WParam w, win::LParam l);
    // Every other message that is neither a dialog message nor the refresh message.
    virtual win::LResult OnPanelMessage(win::Msg /*msg*/, win::WParam /*w*/, win::LParam /*l*/) {
        return 0;
    }

    // --- the dialog's standard handlers -----------------------------------------------------
    bool OnInitDialog() override;
    // A slider's thumb moving (dragged, keys, wheel) before its release: ShowThumb.
    void OnScroll(int id, unsigned /*code*/, int position) override { ShowThumb(id, position); }
    // Where the panel's read-outs follow a moving thumb: they show the value at `position`
    // while nothing is stored yet (that waits for the release). Panels without read-outs
    // leave it empty.
    virtual void ShowThumb(int /*id*/, int /*position*/) {}
    // Enter and buttons with id 1 do nothing (I/O ASSIGN and INPUT RENAME override).
    void OnOK() override {}
    // Esc and the close box destroy the window; the object goes afterwards (see SetOnDestroyed).
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override;

    // --- the hold rule ----------------------------------------------------------------------
    // The hold test run before a refresh: true (and the counter counted down by one) when this
    // refresh must be skipped.
    bool RefreshHeld();
    // Loads the hold counter with the panel's hold count.
    void StartHold() { holdCounter_ = descriptor_.holdCount; }

    // --- a user change ----------------------------------------------------------------------
    // The common step of every handler, with `value` already in the image's encoding:
    // equal to the cache entry -> false, nothing happens; else the value goes into the image
    // field and the cache, the hold counter is loaded and the change message goes to the main
    // window with (item, extra). True when the value was stored.
    template <typename Field>
    bool StoreUserChange(Field& imageField, int& cacheEntry, int value, win::WParam item,
                         win::LParam extra = 0) {
        return StoreUserChangeAs(descriptor_.ChangeMessage(), imageField, cacheEntry, value, item,
                                 extra);
    }
    // The same for a panel's second change message.
    template <typename Field>
    bool StoreUserChangeAs(win::Msg message, Field& imageField, int& cacheEntry, int value,
                           win::WParam item, win::LParam extra = 0) {
        if (cacheEntry == value) {
            return false;
        }
        imageField = static_cast<Field>(value);
        cacheEntry = value;
        StartHold();
        NotifyChange(message, item, extra);
        return true;
    }
    // Sends the change message to the main window, posted or sent as its descriptor says (the value
    // is in the image already). Returns the handler's result when sent, 1 when posted.
    win::LResult NotifyChange(win::Msg message, win::WParam item, win::LParam extra = 0);
    // Posts any other message to the main window (0x900F from the DSP panels).
    bool PostToMainWindow(win::Msg message, win::WParam w = 0, win::LParam l = 0);
    // Posts another panel its refresh message, through the main window's panel table, if that
    // panel is open; false when it is not.
    bool RefreshOtherPanel(win::Msg refreshMessage) const {
        return context_.panels.PostRefreshIfOpen(refreshMessage);
    }

    // --- read-outs --------------------------------------------------------------------------
    // Cyan text on black for these controls.
    void UseReadoutColors(std::initializer_list<int> ids);
    // A number as the read-out shows it ("%.*g", precision 6: 0, -5.5, 12); zero has no sign.
    static std::string FormatReadout(float value);
    void SetReadout(int id, float value) { SetDlgItemText(id, FormatReadout(value)); }
    void SetReadout(int id, std::string text) { SetDlgItemText(id, std::move(text)); }

    // --- sliders ----------------------------------------------------------------------------
    win::Slider* SliderAt(int id) const;
    // The position, 0 when there is no such slider.
    int SliderPos(int id) const;
    void SetSliderPos(int id, int position);
    // Vertical level sliders stand inverted: position = maximum - value and back. `maximum` is
    // the slider's range maximum.
    static constexpr int Invert(int maximum, int v) { return maximum - v; }
    void SetInvertedSliderPos(int id, int value);
    // The value of an inverted slider: range maximum - position (0 when there is no slider).
    int InvertedSliderValue(int id) const;

    // --- shared objects ---------------------------------------------------------------------
    const PanelContext& Context() const { return context_; }
    ReceiverImage& Image() const { return context_.image; }
    ModelProfile& Profile() const { return context_.profile; }
    // An image holding the model's start-up values, for the "Default" buttons: the values have
    // one home, the image's defaults.
    ReceiverImage StartUpImage() const;
    bool IsRealtime() const;
    win::WindowHandle MainWindow() const { return context_.mainWindow; }

private:
    PanelContext context_;
    PanelDescriptor descriptor_;
    int holdCounter_ = 0;
    std::function<void()> onDestroyed_;
};

// Constructs a panel of class T and creates its window as a top-level window (not shown: the
// opener shows it). `onDestroyed` runs once the window is gone. Null when the window could not
// be created. This is the creator each panel has in the list of panels.
template <typename T>
std::unique_ptr<PanelDlg> CreatePanel(const PanelContext& context,
                                      std::function<void()> onDestroyed) {
    auto panel = std::make_unique<T>(context);
    panel->SetOnDestroyed(std::move(onDestroyed));
    if (!panel->Create()) {
        return nullptr;
    }
    return panel;
}

}  // namespace tra1
