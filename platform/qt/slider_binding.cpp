#include "platform/qt/slider_binding.h"

#include <QMouseEvent>
#include <QSlider>
#include <QWheelEvent>

#include "platform/win/slider.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
// A QSlider that knows while it handles a wheel event, so that its value changes can be told
// from the keyboard's.
class TrackBar final : public QSlider {
public:
    using QSlider::QSlider;
    bool InWheel() const { return inWheel_; }

protected:
    void wheelEvent(QWheelEvent* event) override {
        inWheel_ = true;
        QSlider::wheelEvent(event);
        inWheel_ = false;
    }

private:
    bool inWheel_ = false;
};

QSlider* MakeSliderWidget(const win::Control& control, QWidget* parent) {
    const bool vertical = control.HasStyle(win::style::kVertical);
    auto* slider = new TrackBar(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    slider->setTracking(false);
    // A vertical track bar of the toolkit has its minimum at the top. The widget keeps Qt's
    // minimum at the bottom, where its groove fills from, and shows the position mirrored (see
    // ToWidget): a level slider then fills from the bottom up to its thumb, more colour meaning
    // more level, and Up, Page Up and the wheel move the thumb up as they do on the toolkit.
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
    : ControlBinding(owner, control, MakeSliderWidget(control, parent)),
      mirrored_(control.HasStyle(win::style::kVertical)) {
    auto* slider = static_cast<QSlider*>(Widget());
    // Dragging moves the thumb, and the dialog hears of every step (its read-outs follow).
    connect(slider, &QSlider::sliderMoved, this, [this](int value) {
        const int position = FromWidget(value);
        Gesture(
            [position](win::Dialog& d, int id) { return win::user::DragSlider(d, id, position); });
    });
    connect(slider, &QSlider::sliderReleased, this,
            [this, slider] { Release(FromWidget(slider->sliderPosition())); });
    // Keys and the wheel move the value while the thumb is not held; the dialog counts such a
    // run of steps as one release once the slider stands still.
    connect(slider, &QSlider::valueChanged, this, [this, slider](int value) {
        auto* model = dynamic_cast<win::Slider*>(this->GetControl());
        const int position = FromWidget(value);
        if (model == nullptr || slider->isSliderDown() || position == model->GetPos()) {
            return;
        }
        const bool wheel = static_cast<TrackBar*>(slider)->InWheel();
        Gesture([position, wheel](win::Dialog& d, int id) {
            return wheel ? win::user::WheelSlider(d, id, position)
                         : win::user::KeyboardSlider(d, id, position);
        });
    });
}

int SliderBinding::ToWidget(int position) const {
    const auto* model = dynamic_cast<const win::Slider*>(GetControl());
    if (!mirrored_ || model == nullptr) {
        return position;
    }
    return model->GetRangeMin() + model->GetRangeMax() - position;
}

int SliderBinding::FromWidget(int value) const {
    return ToWidget(value);  // the mirror is its own inverse
}

void SliderBinding::Release(int position) {
    Gesture(
        [position](win::Dialog& d, int id) { return win::user::ReleaseSlider(d, id, position); });
}

bool SliderBinding::eventFilter(QObject* watched, QEvent* event) {
    auto* slider = qobject_cast<QSlider*>(Widget());
    if (watched == slider && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !slider->isSliderDown()) {
        // The groove was clicked (no thumb drag, so no sliderReleased will follow): the toolkit
        // still reports the release of the mouse capture.
        Release(FromWidget(slider->value()));
    }
    return ControlBinding::eventFilter(watched, event);
}

void SliderBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::Slider*>(GetControl());
    auto* slider = qobject_cast<QSlider*>(Widget());
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
                slider->setValue(ToWidget(model->GetPos()));
            }
            break;
        default:
            break;
    }
}

}  // namespace tra1::qtui
