// tr-a1-editor: the Tolvek receiver editor. The main window runs on the steady clock inside Qt's
// event loop; each COM port number leads where the user's port settings say (a device or a
// serial server), TRA1_COMn overriding a number for one run (see the README).

#include <QApplication>
#include <QSettings>
#include <iostream>
#include <memory>
#include <optional>

#include "app/editor_settings_store.h"
#include "app/main_window_ids.h"
#include "app/port_settings.h"
#include "app/receiver_editor_app.h"
#include "platform/files/file_size_limit.h"
#include "platform/qt/qt_front_end.h"
#include "platform/qt/qt_port_settings_store.h"
#include "platform/qt/remembered_places.h"
#include "platform/serial/com_port_map.h"
#include "platform/serial/device_discovery.h"
#include "platform/serial/mapped_serial_port.h"
#include "platform/win/event_loop.h"
#include "platform/win/resource_registry.h"
#include "platform/win/steady_clock.h"
#include "programs/editor_command_line.h"
#include "programs/program_version.h"
#include "resources/icon_ids.h"
#include "resources/program_resources.h"

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Configuration > "Fast Transfer" in the user's settings file, section [transfers].
class QtEditorSettingsStore final : public tra1::EditorSettingsStore {
public:
    std::optional<bool> LoadFastTransfer() const override {
        const QVariant value = settings_.value(kFastTransferKey);
        if (!value.isValid()) {
            return std::nullopt;
        }
        return value.toBool();
    }
    bool SaveFastTransfer(bool fast) override { return Save(kFastTransferKey, fast); }
    std::optional<bool> LoadVerifyAfterDownload() const override {
        const QVariant value = settings_.value(kVerifyAfterDownloadKey);
        if (!value.isValid()) {
            return std::nullopt;
        }
        return value.toBool();
    }
    bool SaveVerifyAfterDownload(bool verify) override {
        return Save(kVerifyAfterDownloadKey, verify);
    }

private:
    bool Save(const char* key, bool value) {
        settings_.setValue(key, value);
        settings_.sync();
        return settings_.status() == QSettings::NoError;
    }

    static constexpr const char* kFastTransferKey = "transfers/fastTransfer";
    static constexpr const char* kVerifyAfterDownloadKey = "transfers/verifyAfterDownload";
    mutable QSettings settings_;
};

}  // namespace

int main(int argc, char** argv) {
    // The command line is read before Qt starts, so that --help and --version need no display.
    const auto arguments = tra1::programs::ArgumentsOf(argc, argv);
    const auto commandLine = tra1::programs::ParseEditorCommandLine(arguments);
    if (const auto status =
            tra1::programs::FinishWithoutRunning(commandLine, std::cout, std::cerr)) {
        return *status;
    }

    // A save beyond the file-size limit fails like one on a full disk instead of killing the
    // editor.
    tra1::files::TreatFileSizeLimitAsWriteError();

    // Qt sees the program name only: every argument is the editor's own, and a file name that
    // happens to read like one of Qt's options stays a file name. Qt's settings come from its
    // environment variables (QT_QPA_PLATFORM, QT_SCALE_FACTOR, ...).
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, argv);
    // The user's settings live in ~/.config/tr-a1-editor/tr-a1-editor.conf (QSettings).
    QCoreApplication::setOrganizationName(QStringLiteral("tr-a1-editor"));
    QCoreApplication::setApplicationName(QStringLiteral("tr-a1-editor"));
    QCoreApplication::setApplicationVersion(FromView(tra1::programs::ProgramVersion()));
    // The desktop matches the windows to the menu entry by this name, and the icon theme knows
    // the program's icon by it.
    QGuiApplication::setDesktopFileName(FromView(tra1::programs::DesktopId()));
    tra1::qtui::ApplyApplicationLook();
    tra1::res::AddProgramResources(tra1::win::ResourceRegistry::Instance());
    tra1::qtui::UseApplicationIcon(tra1::res::kIconProgram);

    QSettings settings;
    tra1::qtui::RememberedPlaces places(settings, {tra1::main_window::kTemplateId});

    tra1::qtui::QtPortSettingsStore store;
    tra1::serial::ComPortMap ports;
    tra1::serial::LoadPortSettings(store, ports);
    ports.ReadEnvironment();
    for (const auto& [number, target] : commandLine.options.ports) {
        ports.SetCommandLineOverride(number, target);
    }

    tra1::win::SteadyClock clock;
    tra1::win::EventLoop loop(clock);
    tra1::qtui::QtFrontEnd frontEnd(loop);
    frontEnd.RememberPlaces(&places);

    QtEditorSettingsStore editorSettings;
    tra1::CReceiverEditorApp editor(
        loop, std::make_unique<tra1::serial::MappedSerialPort>(ports),
        tra1::PortSettings{&ports, &store, [] { return tra1::serial::DiscoverSerialDevices(); }},
        &editorSettings);
    if (commandLine.options.configurationFile) {
        editor.OpenFileAtStart(*commandLine.options.configurationFile);
    }
    return editor.Run();
}
