#pragma once
// Dialog templates as plain data: what a dialog window is made of before it exists. Positions and
// sizes are in dialog units (a quarter of the dialog font's average character width horizontally,
// an eighth of its height vertically), so a front end scales them by its own font.

#include <cstdint>
#include <string>
#include <vector>

namespace tra1::win {

// What a control is. Check boxes and radio buttons toggle themselves when clicked (the "auto"
// kinds of the toolkit); a plain push button only reports the click.
enum class ControlKind {
    kStatic,         // text label
    kIcon,           // picture label showing an icon resource (ControlTemplate::icon)
    kPushButton,     // reports BN_CLICKED
    kDefPushButton,  // push button that also answers the Enter key (usually IDOK)
    kCheckBox,       // toggles on click, then BN_CLICKED
    kRadioButton,    // checks itself and unchecks its group on click, then BN_CLICKED
    kGroupBox,       // frame with a caption; not interactive
    kEdit,           // single- or multi-line text (style kMultiLine)
    kComboBox,       // drop-down list of items (kDropDownList) or editable (kDropDown)
    kListBox,        // list of rows, one selected
    kSlider,         // track bar; horizontal unless kVertical
    kProgressBar,    // bar showing a position in a range
    kListView,       // rows in columns under a header; a header click sorts
};

// Style bits of a control. Anything not listed keeps the toolkit's default.
namespace style {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kHidden = 1u << 0;    // created invisible
inline constexpr std::uint32_t kDisabled = 1u << 1;  // created disabled
inline constexpr std::uint32_t kGroup = 1u << 2;     // starts a new radio/tab group
inline constexpr std::uint32_t kTabStop = 1u << 3;
inline constexpr std::uint32_t kBorder = 1u << 4;
// Edit
inline constexpr std::uint32_t kMultiLine = 1u << 8;
inline constexpr std::uint32_t kReadOnly = 1u << 9;
inline constexpr std::uint32_t kAutoHScroll = 1u << 10;
inline constexpr std::uint32_t kVScroll = 1u << 11;  // edit or list with a vertical scroll bar
inline constexpr std::uint32_t kNumber = 1u << 12;   // edit takes digits only
inline constexpr std::uint32_t kWantReturn = 1u << 13;
// Edit: text in the fixed-pitch font, so that columns built with tabs and blanks line up.
inline constexpr std::uint32_t kFixedPitch = 1u << 25;
// Text alignment (static, edit)
inline constexpr std::uint32_t kCenter = 1u << 14;
inline constexpr std::uint32_t kRight = 1u << 15;
// Combo box (default kDropDownList)
inline constexpr std::uint32_t kDropDownList = 0;
inline constexpr std::uint32_t kDropDown = 1u << 16;  // editable field above the list
inline constexpr std::uint32_t kSort = 1u << 17;      // combo and list keep their items sorted
// Slider
inline constexpr std::uint32_t kVertical = 1u << 20;
inline constexpr std::uint32_t kAutoTicks = 1u << 21;
inline constexpr std::uint32_t kNoTicks = 1u << 22;
inline constexpr std::uint32_t kBothSides = 1u << 23;
// Static
inline constexpr std::uint32_t kSunken = 1u << 24;
inline constexpr std::uint32_t kNotify = 1u << 26;  // a click on the label is reported
}  // namespace style

// Style bits of a dialog window.
namespace dialog_style {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kVisible = 1u << 0;     // shown as soon as it is created
inline constexpr std::uint32_t kSystemMenu = 1u << 1;  // caption bar with system menu/close box
inline constexpr std::uint32_t kMinimizeBox = 1u << 2;
inline constexpr std::uint32_t kPopup = 1u << 3;       // top-level window
inline constexpr std::uint32_t kNoCaption = 1u << 4;   // no caption bar at all
inline constexpr std::uint32_t kCenter = 1u << 5;      // centred when shown
inline constexpr std::uint32_t kToolWindow = 1u << 6;  // small caption bar
// Stays above every other window of the program while it is shown (not above other programs'):
// a window the user must not lose behind a window the program opens or raises meanwhile.
inline constexpr std::uint32_t kTopmost = 1u << 7;
}  // namespace dialog_style

struct ControlTemplate {
    int id = -1;  // control id; -1 (IDC_STATIC) for labels nobody addresses
    ControlKind kind = ControlKind::kStatic;
    std::string text;  // caption, label or initial text
    std::uint32_t style = style::kNone;
    int x = 0;  // dialog units, relative to the dialog's client area
    int y = 0;
    int cx = 0;
    int cy = 0;
    int icon = 0;  // icon resource id for ControlKind::kIcon
};

struct DialogTemplate {
    int id = 0;  // dialog resource id, e.g. 100 for the About box
    std::string caption;
    int x = 0;  // dialog units
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::uint32_t style = dialog_style::kSystemMenu | dialog_style::kPopup;
    std::string fontName = "MS Shell Dlg";
    int fontPoints = 8;
    int menu = 0;  // menu resource id shown in the window, 0 = none
    std::vector<ControlTemplate> controls;

    // The control with this id, or nullptr.
    const ControlTemplate* FindControl(int controlId) const;
};

}  // namespace tra1::win
