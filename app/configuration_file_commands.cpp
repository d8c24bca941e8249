#include "app/configuration_file_commands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/configuration_file.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/win/event_loop.h"

namespace tra1 {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Save's test: do the last four characters of the path read ".tcf" in any case?
bool EndsWithExtension(std::string_view path) {
    const auto extension = ConfigurationFileCommands::kExtension;
    return path.size() >= extension.size() &&
           EqualsIgnoringCase(path.substr(path.size() - extension.size()), extension);
}

// The file's name without its directory.
std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Open's test: the file name's part from its last "." to the end is ".tcf" in any case, so
// "a.b.tcf" passes and "a.tcf.bak" does not.
bool HasExtension(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    return dot != std::string_view::npos &&
           EqualsIgnoringCase(fileName.substr(dot), ConfigurationFileCommands::kExtension);
}

// The configuration name of a file: its name up to the first ".".
std::string BaseNameOf(std::string_view fileName) {
    return std::string(fileName.substr(0, fileName.find('.')));
}

}  // namespace

ConfigurationFileCommands::ConfigurationFileCommands(win::EventLoop& loop, ReceiverImage& image,
                                                     ModelProfile& profile, ConfigurationHost& host,
                                                     ConfigurationStorage* storage)
    : loop_(loop),
      image_(image),
      profile_(profile),
      host_(host),
      storage_(storage != nullptr ? *storage : DiskStorage()) {}

std::string ConfigurationFileCommands::ProposedFileName() const {
    std::string proposal = name_.empty() ? std::string(profile_.ModelName()) : name_;
    proposal += kExtension;
    return proposal;
}

bool ConfigurationFileCommands::Save() {
    if (host_.SaveRefused()) {
        return false;
    }
    const auto chosen = loop_.GetPrompter().GetSaveFileName(DialogRequest(kSaveTitle, false));
    if (!chosen) {
        return false;
    }
    std::string path = *chosen;
    if (!EndsWithExtension(path)) {
        path += kExtension;
    }
    if (storage_.Exists(path) &&
        Ask(kOverwriteQuestion, kTitle, win::Buttons::kOkCancel) != win::Answer::kOk) {
        return false;
    }
    auto file = storage_.CreateForWriting(path);
    if (!file) {
        ShowError(kCannotCreate);
        return false;
    }
    const auto result = ConfigurationFile::Write(*file, image_, profile_.Model());
    switch (result.error) {
        case ConfigurationFile::WriteError::kModelByte:
            file->Discard();  // the old file stays as it was
            ShowError(kModelWriteError);
            return false;
        case ConfigurationFile::WriteError::kBlock:
            file->Discard();
            ShowError(kBlockWriteError);
            return false;
        case ConfigurationFile::WriteError::kNone:
            break;
    }
    // Only here does the new file take the old one's place; a failure on the way to the disk
    // leaves the old one as it was.
    if (!file->Close()) {
        ShowError(kBlockWriteError);
        return false;
    }
    host_.ConfigurationSaved(path);
    return true;
}

bool ConfigurationFileCommands::SaveChangesFirst(std::string_view question) {
    if (!host_.HasUnsavedChanges()) {
        return true;
    }
    const win::Answer answer = Ask(question, kSaveQuestionTitle, win::Buttons::kYesNoCancel);
    if (answer == win::Answer::kCancel) {
        return false;
    }
    // "Yes" goes on only once the changes are in a file.
    return answer != win::Answer::kYes || Save();
}

bool ConfigurationFileCommands::Open() {
    const auto chosen = loop_.GetPrompter().GetOpenFileName(DialogRequest(kOpenTitle, true));
    if (!chosen) {
        return false;
    }
    if (!SaveChangesFirst(kSaveQuestion)) {
        return false;
    }
    return Load(*chosen);
}

std::optional<ConfigurationFileCommands::ReadFile> ConfigurationFileCommands::ReadWhole(
    const std::string& path) const {
    if (!HasExtension(FileNameOf(path))) {
        ShowError(kWrongExtension);
        return std::nullopt;
    }
    auto file = storage_.OpenForReading(path);
    if (!file) {
        ShowError(kCannotOpen);
        return std::nullopt;
    }
    // The whole file goes into a scratch image first: only a file that could be read whole
    // counts.
    const auto modelByte = ConfigurationFile::ReadModelByte(*file);
    ReadFile read{0, ReceiverImage{}};
    const std::size_t blocksRead = modelByte ? ConfigurationFile::ReadBlocks(*file, read.image) : 0;
    file->Close();  // a close failure after reading loses nothing
    if (!modelByte || blocksRead < ReceiverImage::kBlockCount) {
        ShowError(kReadError);
        return std::nullopt;
    }
    read.model = *modelByte;
    return read;
}

bool ConfigurationFileCommands::Load(const std::string& path) {
    // Only a file that could be read whole replaces the image, the configuration name and what
    // the windows show.
    const auto read = ReadWhole(path);
    if (!read) {
        return false;
    }
    host_.ResetToDefaults();
    image_.FromBytes(read->image.ToBytes());
    // The reset's start-up state has no configuration name; this one is the file's.
    name_ = BaseNameOf(FileNameOf(path));
    profile_.SetModel(read->model);  // above 8: unknown
    host_.FillMainWindow();
    host_.RefreshPanels();
    host_.ConfigurationLoaded(path);
    return true;
}

std::optional<ConfigurationFileCommands::ChosenFile>
ConfigurationFileCommands::ReadFileToCompare() {
    const auto chosen = loop_.GetPrompter().GetOpenFileName(DialogRequest(kCompareTitle, true));
    if (!chosen) {
        return std::nullopt;
    }
    auto read = ReadWhole(*chosen);
    if (!read) {
        return std::nullopt;
    }
    if (read->model != profile_.Model()) {
        ShowError(kOtherModel);
        return std::nullopt;
    }
    return ChosenFile{*chosen, std::move(read->image)};
}

bool ConfigurationFileCommands::SelectModel(int modelCode) {
    std::string question(kModelQuestion);
    question += profile_.ModelName();
    if (!SaveChangesFirst(question)) {
        return false;
    }
    if (modelCode != profile_.Model()) {
        profile_.SetModel(modelCode);
        host_.ResetToDefaults();
    }
    return true;
}

win::Answer ConfigurationFileCommands::Ask(std::string_view text, std::string_view title,
                                           win::Buttons buttons) const {
    return loop_.GetPrompter().ShowMessageBox(win::MessageBoxRequest{
        std::string(text), std::string(title), buttons, win::BoxIcon::kNone, owner_});
}

void ConfigurationFileCommands::ShowError(std::string_view text) const {
    Ask(text, kTitle, win::Buttons::kOk);
}

win::FileDialogRequest ConfigurationFileCommands::DialogRequest(std::string_view title,
                                                                bool mustExist) const {
    win::FileDialogRequest request;
    request.title = std::string(title);
    request.filter = std::string(kFilter);
    request.patterns = {"*.tcf"};
    // No default extension: Save appends ".tcf" itself, by its own rule.
    request.proposedName = ProposedFileName();
    request.maxPath = kMaxPath;
    request.mustExist = mustExist;
    request.owner = owner_;
    return request;
}

}  // namespace tra1
