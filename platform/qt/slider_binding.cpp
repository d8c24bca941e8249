#include "platform/qt/slider_binding.h"

#include <QMouseEvent>
#include <QSlider>

#include "platform/win/slider.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
QSlider* MakeSliderWidget(const win::Control& control, QWidget* parent) {
    const bool vertical = control.HasStyle(win::style::kVertical);
    auto* slider = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    slider->setTracking(false);
    if (vertical) {
        // The toolkit's vertical track bar has its minimum at the top, and Up moves towards it.
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
    }
    if (control.HasStyle(win::style::kNoTicks)) {
        slider->setTickPosition(QSlider::NoTicks);
    } else if (control.HasStyle(win::style::kBothSides)) {
        slider->setTickPosition(QSlider::TicksBothSides);
    } else if (control.HasStyle(win::style::kAutoTicks)) {
        slider->setTickPosition(vertical ? QSlider::TicksRight : QSlider::TicksBelow);
    }
    return slider;
}
}  // namespace

SliderBinding::SliderBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, MakeSliderWidget(control, parent)) {
    auto* slider = static_cast<QSlider*>(widget());
    connect(slider, &QSlider::sliderMoved, this, [this](int position) {
        Gesture(
            [position](win::Dialog& d, int id) { return win::user::DragSlider(d, id, position); });
    });
    connect(slider, &QSlider::sliderReleased, this,
            [this, slider] { Release(slider->sliderPosition()); });
    // Keyboard and groove clicks commit a value while the thumb is not held.
    connect(slider, &QSlider::valueChanged, this, [this, slider](int value) {
        auto* model = dynamic_cast<win::Slider*>(this->control());
        if (model == nullptr || slider->isSliderDown() || value == model->GetPos()) {
            return;
        }
        Gesture(
            [value](win::Dialog& d, int id) { return win::user::KeyboardSlider(d, id, value); });
    });
}

void SliderBinding::Release(int position) {
    Gesture(
        [position](win::Dialog& d, int id) { return win::user::ReleaseSlider(d, id, position); });
}

bool SliderBinding::eventFilter(QObject* watched, QEvent* event) {
    auto* slider = qobject_cast<QSlider*>(widget());
    if (watched == slider && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !slider->isSliderDown()) {
        // The groove was clicked (no thumb drag, so no sliderReleased will follow): the toolkit
        // still reports the release of the mouse capture.
        Release(slider->value());
    }
    return ControlBinding::eventFilter(watched, event);
}

void SliderBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::Slider*>(control());
    auto* slider = qobject_cast<QSlider*>(widget());
    if (model == nullptr || slider == nullptr) {
        return;
    }
    switch (change) {
        case win::ControlChange::kRange:
            slider->setRange(model->GetRangeMin(), model->GetRangeMax());
            slider->setPageStep(model->GetPageSize());
            slider->setSingleStep(model->GetLineSize());
            slider->setTickInterval(model->GetTicFreq());
            [[fallthrough]];
        case win::ControlChange::kPosition:
            // Never pull the thumb away from the user's hand mid-drag.
            if (!slider->isSliderDown()) {
                slider->setValue(model->GetPos());
            }
            break;
        default:
            break;
    }
}

}  // namespace tra1::qtui
