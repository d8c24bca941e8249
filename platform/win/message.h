#pragma once
// Window message numbers, notification codes and the small value types of the window system.
// The numbers are those of the classic message-driven toolkit, so handlers read as they always
// have; user messages (0x0400 and above) are free for the program.

#include <cstdint>

namespace tra1::win {

using Msg = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using TimerId = std::uintptr_t;

// Packing of WM_COMMAND's wParam: low 16 bits the control or command id, high 16 bits the code.
constexpr WParam MakeWParam(unsigned low, unsigned high) {
    return static_cast<WParam>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}
constexpr unsigned LowWord(WParam value) {
    return static_cast<unsigned>(value & 0xFFFFu);
}
constexpr unsigned HighWord(WParam value) {
    return static_cast<unsigned>((value >> 16) & 0xFFFFu);
}

// Messages.
inline constexpr Msg WM_DESTROY = 0x0002;
inline constexpr Msg WM_SETFOCUS = 0x0007;
inline constexpr Msg WM_CLOSE = 0x0010;
inline constexpr Msg WM_CTLCOLOR = 0x0019;
inline constexpr Msg WM_NOTIFY = 0x004E;   // wParam = control id, lParam = notification code
inline constexpr Msg WM_KEYDOWN = 0x0100;  // wParam = virtual key; sent to the dialog first
inline constexpr Msg WM_INITDIALOG = 0x0110;
inline constexpr Msg WM_COMMAND = 0x0111;     // wParam = MakeWParam(id, code), lParam = 0
inline constexpr Msg WM_SYSCOMMAND = 0x0112;  // wParam = system command (SC_CLOSE, own items)
inline constexpr Msg WM_TIMER = 0x0113;       // wParam = timer id
inline constexpr Msg WM_HSCROLL = 0x0114;     // wParam = MakeWParam(TB_*, pos), lParam = control id
inline constexpr Msg WM_VSCROLL = 0x0115;
inline constexpr Msg WM_LBUTTONDOWN = 0x0201;  // mouse pressed on a control: wParam = control id
inline constexpr Msg WM_LBUTTONUP = 0x0202;    // mouse released on a control: wParam = control id
inline constexpr Msg WM_USER = 0x0400;
inline constexpr Msg WM_APP = 0x8000;

// Command ids of the standard buttons and of Enter / Esc.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDC_STATIC = -1;

// System commands (WM_SYSCOMMAND wParam; the low four bits are the toolkit's own).
inline constexpr unsigned SC_CLOSE = 0xF060;
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;  // the About item a window adds to its system menu

// Notification codes in WM_COMMAND (high word of wParam).
inline constexpr unsigned BN_CLICKED = 0;
inline constexpr unsigned STN_CLICKED = 0;  // a label with kNotify was clicked
inline constexpr unsigned BN_PUSHED = 2;  // informative; gestures report presses as WM_LBUTTONDOWN
inline constexpr unsigned BN_UNPUSHED = 3;
inline constexpr unsigned CBN_SELCHANGE = 1;
inline constexpr unsigned CBN_DBLCLK = 2;
inline constexpr unsigned CBN_SETFOCUS = 3;
inline constexpr unsigned CBN_KILLFOCUS = 4;
inline constexpr unsigned CBN_EDITCHANGE = 5;
inline constexpr unsigned CBN_DROPDOWN = 7;
inline constexpr unsigned CBN_CLOSEUP = 8;
inline constexpr unsigned LBN_SELCHANGE = 1;
inline constexpr unsigned LBN_DBLCLK = 2;
inline constexpr unsigned LVN_COLUMNCLICK = 3;  // a list view's header was clicked; it has sorted
inline constexpr unsigned EN_SETFOCUS = 0x0100;
inline constexpr unsigned EN_KILLFOCUS = 0x0200;
inline constexpr unsigned EN_CHANGE = 0x0300;
inline constexpr unsigned EN_MAXTEXT = 0x0501;

// Notification codes in WM_NOTIFY (lParam, sign-extended).
inline constexpr LParam NM_RELEASEDCAPTURE = -12;  // 0xFFF4: a slider let go of the mouse

// Slider scroll codes (low word of WM_HSCROLL / WM_VSCROLL wParam).
inline constexpr unsigned TB_LINEUP = 0;
inline constexpr unsigned TB_LINEDOWN = 1;
inline constexpr unsigned TB_PAGEUP = 2;
inline constexpr unsigned TB_PAGEDOWN = 3;
inline constexpr unsigned TB_THUMBPOSITION = 4;
inline constexpr unsigned TB_THUMBTRACK = 5;
inline constexpr unsigned TB_TOP = 6;
inline constexpr unsigned TB_BOTTOM = 7;
inline constexpr unsigned TB_ENDTRACK = 8;

// Virtual keys.
inline constexpr unsigned VK_RETURN = 0x0D;
inline constexpr unsigned VK_ESCAPE = 0x1B;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_DOWN = 0x28;

// Result of selection queries when nothing is selected, and of failed list operations.
inline constexpr int CB_ERR = -1;
inline constexpr int LB_ERR = -1;

// A colour as the toolkit gives it: red, green, blue 0..255.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kLightGrey{204, 204, 204};

}  // namespace tra1::win
