#pragma once
// List views as QTreeWidget without branches: header, rows and sort order mirrored; a click on
// a header becomes ClickColumnHeader (LVN_COLUMNCLICK), the control doing the sorting, so that
// the order the user sees is the order the program and the tests see.

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class ListViewBinding final : public ControlBinding {
public:
    ListViewBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;
};

}  // namespace tra1::qtui
