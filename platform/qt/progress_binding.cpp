#include "platform/qt/progress_binding.h"

#include <QProgressBar>
#include <algorithm>

#include "platform/win/progress_bar.h"

namespace tra1::qtui {

ProgressBinding::ProgressBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, new QProgressBar(parent)) {
    static_cast<QProgressBar*>(Widget())->setTextVisible(false);
}

void ProgressBinding::ApplyColors(std::optional<win::Rgb> text,
                                  std::optional<win::Rgb> background) {
    QPalette palette = defaultPalette_;
    if (text) {
        palette.setColor(QPalette::Highlight, QColor(text->r, text->g, text->b));
    }
    if (background) {
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            palette.setColor(role, QColor(background->r, background->g, background->b));
        }
    }
    Widget()->setPalette(palette);
}

void ProgressBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::ProgressBar*>(GetControl());
    auto* bar = qobject_cast<QProgressBar*>(Widget());
    if (model == nullptr || bar == nullptr) {
        return;
    }
    if (change == win::ControlChange::kRange) {
        // An empty range would turn QProgressBar into a busy indicator.
        bar->setRange(model->GetRangeMin(),
                      std::max(model->GetRangeMax(), model->GetRangeMin() + 1));
    }
    if (change == win::ControlChange::kRange || change == win::ControlChange::kPosition) {
        bar->setValue(model->GetPos());
    }
}

}  // namespace tra1::qtui
