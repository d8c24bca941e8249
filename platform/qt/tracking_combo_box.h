#pragma once
// A QComboBox that tells when its list opens and closes. Qt has no signal for it, so the
// showPopup/hidePopup overrides report it, and the combo binding turns that into the open/close
// list gestures (CBN_DROPDOWN / CBN_CLOSEUP).

#include <QComboBox>
#include <functional>

namespace tra1::qtui {

class TrackingComboBox final : public QComboBox {
public:
    explicit TrackingComboBox(QWidget* parent) : QComboBox(parent) {}

    // Called after the list opened (true) or closed (false).
    void SetPopupHandler(std::function<void(bool open)> handler) { handler_ = std::move(handler); }
    bool IsPopupOpen() const { return open_; }

    void showPopup() override;
    void hidePopup() override;

private:
    std::function<void(bool)> handler_;
    bool open_ = false;
};

}  // namespace tra1::qtui
