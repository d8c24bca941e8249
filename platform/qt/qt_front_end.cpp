#include "platform/qt/qt_front_end.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "platform/qt/icon_pixmap.h"

namespace tra1::qtui {

void ApplyApplicationLook() {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);  // the application takes ownership
    }
    // The program ends when its main dialog's modal loop returns, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
}

void UseApplicationIcon(int iconId) {
    SetApplicationIconId(iconId);
    QApplication::setWindowIcon(IconFor(iconId));
}

QtFrontEnd::QtFrontEnd(win::EventLoop& loop)
    : loop_(loop),
      pump_(std::make_unique<QtLoopPump>(loop)),
      host_(std::make_unique<QtDialogHost>(loop, pump_.get())),
      prompter_(std::make_unique<QtPrompter>(host_.get())),
      printer_(std::make_unique<QtPrinter>(host_.get())) {
    ApplyApplicationLook();
    pump_->SetHost(host_.get());
    loop_.SetDialogHost(host_.get());
    loop_.SetPrompter(prompter_.get());
    loop_.SetPrinter(printer_.get());
}

void QtFrontEnd::RememberPlaces(RememberedPlaces* places) {
    host_->SetRememberedPlaces(places);
    prompter_->SetRememberedPlaces(places);
}

QtFrontEnd::~QtFrontEnd() {
    loop_.SetPrinter(nullptr);
    loop_.SetPrompter(nullptr);
    loop_.SetDialogHost(nullptr);
    pump_->SetHost(nullptr);
}

}  // namespace tra1::qtui
