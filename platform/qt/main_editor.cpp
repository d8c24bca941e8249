// tr-a1-editor: the Tolvek receiver editor. The main window runs on the steady clock inside Qt's
// event loop; the serial ports are the system's (COMn maps to a device path, see the README).

#include <QApplication>
#include <memory>

#include "app/receiver_editor_app.h"
#include "platform/qt/qt_front_end.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/win/event_loop.h"
#include "platform/win/steady_clock.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tra1::qtui::ApplyApplicationLook();

    tra1::win::SteadyClock clock;
    tra1::win::EventLoop loop(clock);
    tra1::qtui::QtFrontEnd frontEnd(loop);

    tra1::CReceiverEditorApp editor(loop, std::make_unique<tra1::serial::PosixSerialPort>());
    return editor.Run();
}
