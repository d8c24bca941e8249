#pragma once
// What a user does, one function per gesture. Tests call these to drive dialogs, and the Qt
// front end calls them from its widgets' signals, so both go through the same path.
//
// Each gesture changes the control's state the way the toolkit does and then raises its
// notification to the dialog exactly once, synchronously (as the toolkit's SendMessage to the
// parent). A gesture on a missing, disabled or hidden control (or on a dialog that does not
// exist, is hidden, or is disabled behind a modal one) does nothing and returns false.
//
//   gesture                        state change                      notification
//   ReleaseSlider(d, id, pos)      position = clamp(pos)             WM_NOTIFY NM_RELEASEDCAPTURE
//   DragSlider(d, id, pos)         position = clamp(pos)             WM_H/VSCROLL TB_THUMBTRACK
//   KeyboardSlider(d, id, pos)     position = clamp(pos)             WM_H/VSCROLL TB_ENDTRACK;
//   WheelSlider(d, id, pos)                                          NM_RELEASEDCAPTURE once the
//                                                                    slider has stood still for
//                                                                    Dialog::kSliderIdleMs
//   PickComboItem(d, id, i)        selection = i                     CBN_SELCHANGE (also when i
//                                                                    was already selected); if
//                                                                    the list was open it closes:
//                                                                    then also CBN_CLOSEUP
//   OpenComboList(d, id)           dropped-down = true               CBN_DROPDOWN
//   CloseComboList(d, id)          dropped-down = false              CBN_CLOSEUP
//   SelectListRow(d, id, r)        selection = r                     LBN_SELCHANGE
//   DoubleClickListRow(d, id, r)   selection = r                     LBN_SELCHANGE if r was not
//                                                                    selected, then LBN_DBLCLK
//   ClickColumnHeader(d, id, c)    list view sorted by column c,     LVN_COLUMNCLICK
//                                  A to Z, or Z to A when it was
//                                  sorted A to Z by c already
//   Click(d, id)                   check box toggles; radio checks,  WM_COMMAND BN_CLICKED; for
//                                  others of its group uncheck       IDOK/IDCANCEL: OnOK/OnCancel
//   ClickLabel(d, id)              -                                 WM_COMMAND STN_CLICKED (labels
//                                                                    with kNotify only)
//   TypeText(d, id, text)          inserted at the caret, cut to     EN_CHANGE if the text changed
//                                  the limit; read-only: nothing
//   ReplaceEditText(d, id, text)   whole text replaced (cut to       EN_CHANGE if the text changed
//                                  the limit); the edit field of an  (CBN_EDITCHANGE for a combo)
//                                  editable combo box likewise
//   PressKey(d, key)               -                                 WM_KEYDOWN(key) to the dialog;
//                                                                    then VK_RETURN -> IDOK,
//                                                                    VK_ESCAPE -> IDCANCEL command
//   PressEnter(d) / PressEsc(d)    PressKey(VK_RETURN / VK_ESCAPE)
//   MousePress(d, id)              button pressed                    WM_LBUTTONDOWN(id)
//   MouseRelease(d, id)            button released                   WM_LBUTTONUP(id)
//   CloseBox(w)                    -                                 WM_CLOSE
//   ChooseMenuItem(w, id)          -                                 WM_COMMAND(id, 0) if enabled
//   ChooseSystemMenuItem(w, id)    -                                 WM_SYSCOMMAND(id)
//   FocusControl(d, id)            control takes the focus           -
//
// A slider's release reads the clamped position: ReleaseSlider at the position the slider
// already has still notifies (the panel decides that nothing changed). Keys and the wheel have
// no release of their own: the dialog raises one after an idle time (on the loop's clock, so
// tests move it with the virtual clock), and a mouse release in between replaces it. Index or row
// arguments outside the items make PickComboItem / SelectListRow / DoubleClickListRow return false.
// MouseRelease does not click: a full mouse click on a button is MousePress, MouseRelease, Click
// (the Qt front end forwards pressed, released and clicked separately).
// While a modal dialog runs, its owner is disabled, so gestures on the owner return false.

#include <string>
#include <string_view>

#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace tra1::win::user {

bool ReleaseSlider(Dialog& dialog, int id, int position);
bool DragSlider(Dialog& dialog, int id, int position);
bool KeyboardSlider(Dialog& dialog, int id, int position);
bool WheelSlider(Dialog& dialog, int id, int position);
bool PickComboItem(Dialog& dialog, int id, int index);
bool OpenComboList(Dialog& dialog, int id);
bool CloseComboList(Dialog& dialog, int id);
bool SelectListRow(Dialog& dialog, int id, int row);
bool DoubleClickListRow(Dialog& dialog, int id, int row);
bool ClickColumnHeader(Dialog& dialog, int id, int column);
bool Click(Dialog& dialog, int id);
bool ClickLabel(Dialog& dialog, int id);
bool TypeText(Dialog& dialog, int id, std::string_view text);
bool ReplaceEditText(Dialog& dialog, int id, std::string_view text);
bool PressKey(Dialog& dialog, unsigned key);
bool PressEnter(Dialog& dialog);
bool PressEsc(Dialog& dialog);
bool MousePress(Dialog& dialog, int id);
bool MouseRelease(Dialog& dialog, int id);
bool CloseBox(Window& window);
bool ChooseMenuItem(Window& window, int commandId);
bool ChooseSystemMenuItem(Window& window, unsigned command);
bool FocusControl(Dialog& dialog, int id);

}  // namespace tra1::win::user
