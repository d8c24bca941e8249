#include "programs/ctl/configuration_files.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/configuration_file.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/files/atomic_file_writer.h"
#include "platform/files/regular_file.h"
#include "programs/ctl/receiver_connection.h"
#include "programs/ctl_command_line.h"

namespace tra1::programs {
namespace {

// Why `path` cannot be read, as far as the file system tells.
std::string ReadFailureReason(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return "no such file";
    }
    if (!std::filesystem::is_regular_file(status)) {
        return "not a regular file";
    }
    return "permission denied";
}

}  // namespace

int LoadConfiguration(const std::string& path, ReceiverImage& image, ModelProfile& profile,
                      std::ostream& err) {
    const auto file = DiskStorage().OpenForReading(path);
    if (!file) {
        err << ErrorLine("cannot read " + path + ": " + ReadFailureReason(path)) << '\n';
        return ctl_exit::kFile;
    }
    const auto modelByte = ConfigurationFile::ReadModelByte(*file);
    image.ResetToDefaults(profile);
    const std::size_t blocks =
        modelByte ? ConfigurationFile::ReadBlocks(*file, image) : std::size_t{0};
    file->Close();
    if (!modelByte || blocks != kImageBlocks.size()) {
        err << ErrorLine(path + " is not a configuration file: it is shorter than " +
                         std::to_string(ConfigurationFile::kFileSize) + " bytes")
            << '\n';
        return ctl_exit::kFile;
    }
    // A byte above the highest model code stands for an unknown model, as when the editor
    // opens the file.
    profile.SetModel(*modelByte > ModelProfile::kHighestModelCode ? ModelProfile::kUnknownModel
                                                                  : *modelByte);
    return ctl_exit::kDone;
}

std::unique_ptr<ConfigurationStream> PrepareSave(const std::string& path, std::ostream& err) {
    if (!files::MayReplace(path)) {
        err << ErrorLine("cannot write " + path + ": it is not a file you may replace") << '\n';
        return nullptr;
    }
    // The reason a save cannot start is the writer's; the stream itself only says no.
    files::AtomicFileWriter probe;
    if (!probe.Open(path)) {
        err << ErrorLine("cannot write " + path + ": " + probe.Error()) << '\n';
        return nullptr;
    }
    probe.Discard();
    auto save = DiskStorage().CreateForWriting(path);
    if (!save) {
        err << ErrorLine("cannot write " + path) << '\n';
    }
    return save;
}

int FinishSave(ConfigurationStream& save, const std::string& path, const ReceiverImage& image,
               int modelCode, std::ostream& err) {
    const auto written = ConfigurationFile::Write(save, image, modelCode);
    if (!written.Ok()) {
        save.Discard();
        err << ErrorLine("cannot write " + path + ": the write failed; the old file is kept")
            << '\n';
        return ctl_exit::kFile;
    }
    if (!save.Close()) {
        err << ErrorLine("cannot write " + path +
                         ": the file could not be completed; the old file is kept")
            << '\n';
        return ctl_exit::kFile;
    }
    return ctl_exit::kDone;
}

}  // namespace tra1::programs
