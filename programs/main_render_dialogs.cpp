// tr-a1-render-dialogs [DIRECTORY]: draws every dialog of the program into DIRECTORY (or
// $TRA1_RENDER_DIR, or ./rendered) as dialog_<id>.png, without a display.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/win/resource_registry.h"
#include "programs/pictures/dialog_renderer.h"
#include "resources/program_resources.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    QApplication app(argc, argv);
    tra1::res::AddProgramResources(tra1::win::ResourceRegistry::Instance());
    QString directory = QStringLiteral("rendered");
    if (argc > 1) {
        directory = QString::fromLocal8Bit(argv[1]);
    } else if (const char* env = std::getenv("TRA1_RENDER_DIR"); env != nullptr && *env != 0) {
        directory = QString::fromLocal8Bit(env);
    }
    const tra1::pictures::RenderReport report = tra1::pictures::RenderAllDialogs(directory);
    for (const std::string& path : report.written) {
        std::printf("%s\n", path.c_str());
    }
    for (const std::string& error : report.errors) {
        std::fprintf(stderr, "tr-a1-render-dialogs: %s\n", error.c_str());
    }
    return report.errors.empty() ? 0 : 1;
}
