// A configuration file of any content opened with File > Open, then shown where the image is
// shown: the main window, every panel from the Window menu, and the configuration report.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/configuration_report.h"
#include "app/main_window_ids.h"
#include "app/panel_table.h"
#include "fuzz/editor_session.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1::fuzz {
namespace {

// No receiver: the file is all there is.
class NoReceiver final : public serial::FarEnd {
public:
    std::vector<serial::LineSegment> Receive(std::string_view) override { return {}; }
};

std::string FilePath() {
    return (std::filesystem::temp_directory_path() /
            ("tra1-fuzz-" + std::to_string(::getpid()) + ".tcf"))
        .string();
}

}  // namespace

int FuzzConfigurationFile(const std::uint8_t* data, std::size_t size) {
    const std::string path = FilePath();
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    NoReceiver nothing;
    EditorSession editor(nothing);
    editor.Prompter().QueueAnswer(win::Answer::kNo);  // do not save the current configuration
    editor.Prompter().QueueFile(path);
    editor.Choose(main_window::kMenuOpen);
    for (const std::size_t index : WindowMenuOrder()) {
        editor.Choose(PanelDescriptors().at(index).menuId);
    }
    editor.Advance(500);
    (void)ConfigurationReport(editor.Image(), editor.Profile()).Text();
    std::remove(path.c_str());
    return 0;
}

}  // namespace tra1::fuzz

TRA1_FUZZ_ENTRY(tra1::fuzz::FuzzConfigurationFile)
