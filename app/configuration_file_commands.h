#pragma once
// File > "Open" (menu 32789) and File > "Save" (menu 32790): the user's side of the configuration
// file. The dialogs and message boxes go through the loop's Prompter; what the main window must
// do after the image changed goes through ConfigurationHost, which the main window implements.

#include <optional>
#include <string>
#include <string_view>

#include "model/receiver_image.h"

#include "platform/win/prompter.h"
#include "platform/win/window_handle.h"

namespace tra1 {

class ConfigurationStorage;
class ModelProfile;

namespace win {
class EventLoop;
}  // namespace win

// What a file load asks of the main window.
class ConfigurationHost {
public:
    virtual ~ConfigurationHost() = default;
    // The whole start-up initialisation: image defaults, the main window state and the PC-side
    // data, then the main window's controls refilled and the open panels refreshed. It may clear
    // the configuration name; a load sets it again afterwards.
    virtual void ResetToDefaults() = 0;
    // Every main window control from the image.
    virtual void FillMainWindow() = 0;
    // Each open panel's hold counter reset and its refresh message posted.
    virtual void RefreshPanels() = 0;

    // Whether the image holds changes that no file has yet; the questions before Open, a model
    // change and quitting are asked only then. A host that does not track it always says so.
    virtual bool HasUnsavedChanges() const { return true; }
    // Whether the image must not be written now: it is being read from the receiver, and a
    // file would mix the configuration it held with part of the receiver's. A host that says
    // so has told the user why.
    virtual bool SaveRefused() { return false; }
    // A file was written whole (`path` as written).
    virtual void ConfigurationSaved(const std::string& /*path*/) {}
    // A file was read whole into the image (after the reset).
    virtual void ConfigurationLoaded(const std::string& /*path*/) {}
};

class ConfigurationFileCommands {
public:
    static constexpr std::string_view kFilter = "Configuration File(*.tcf)";
    static constexpr std::string_view kExtension = ".tcf";
    static constexpr std::string_view kOpenTitle = "Open Configuration File";
    static constexpr std::string_view kSaveTitle = "Save Configuration File";
    static constexpr std::size_t kMaxPath = 255;

    static constexpr std::string_view kTitle = "Tolvek Receiver Editor Message";
    static constexpr std::string_view kSaveQuestionTitle = "Receiver Editor Message";
    static constexpr std::string_view kSaveQuestion =
        "Do you want to save the current configuration?";
    static constexpr std::string_view kModelQuestion =
        "Do you want to save the current configuration?\r\nModel : ";
    static constexpr std::string_view kOverwriteQuestion =
        "File exists. Do you want to overwrite it?";
    static constexpr std::string_view kCannotCreate = "Cannot open the file";
    static constexpr std::string_view kCannotOpen = "Cannot open the file.";
    static constexpr std::string_view kModelWriteError = "File wirte error";
    static constexpr std::string_view kBlockWriteError = "File write error";
    static constexpr std::string_view kReadError = "File read error";
    static constexpr std::string_view kWrongExtension = "The file extention must be '.tcf'.";
    static constexpr std::string_view kCompareTitle = "Compare with File";
    static constexpr std::string_view kOtherModel =
        "The file holds the configuration of another model and cannot be compared.";

    // `storage` null: the files of the local disk. `loop` supplies the Prompter at each use, so
    // a prompter set later (tests, the front end) is the one that asks.
    ConfigurationFileCommands(win::EventLoop& loop, ReceiverImage& image, ModelProfile& profile,
                              ConfigurationHost& host, ConfigurationStorage* storage = nullptr);

    // The window the dialogs and boxes are modal to (the main window).
    void SetOwner(win::WindowHandle owner) { owner_ = owner; }

    // Menu 32789. Asks for a file, offers to save unsaved changes first (SaveChangesFirst), then
    // loads the chosen file into the image. True when the whole file was loaded.
    bool Open();
    // Loads `path` as Open does once a file is chosen and the save question answered: the
    // extension check, then the image from the file, with every failure in a message box. A
    // file that cannot be read whole changes nothing: not the image, not the configuration
    // name, not the windows. The path given at start-up comes this way (nothing to save yet, no
    // dialog to ask).
    bool Load(const std::string& path);
    // File > "Compare with File...": asks for a file and reads it whole into an image of its
    // own, with Load's checks and messages; the editor's image, its name and the windows stay
    // as they are. A file of another model is refused with kOtherModel. nullopt when nothing
    // was chosen or the file could not be read.
    struct ChosenFile {
        std::string path;
        ReceiverImage image;
    };
    std::optional<ChosenFile> ReadFileToCompare();

    // Menu 32790, and the "Yes" of the questions below. True when the whole file was written; on
    // any failure the file that was there before is left as it was. Does not change the
    // configuration name. Refused, asking nothing, while the host refuses saves.
    bool Save();
    // Before something replaces the image (Open, a model change, quitting): when the host has
    // unsaved changes, asks `question` (Yes / No / Cancel). True to go on: nothing to save, "No",
    // or "Yes" and the save succeeded. Cancel, or a save that was cancelled or failed, stops it,
    // so that no change is lost unasked.
    bool SaveChangesFirst(std::string_view question);
    // The disabled model combo (1116) changed to `modelCode`. False when the user cancelled or
    // the offered save did not happen (the caller puts the combo back); otherwise a different
    // model is set and the image reset to its defaults.
    bool SelectModel(int modelCode);

    // The current configuration name: empty at start-up, the base name of the last opened file.
    const std::string& ConfigurationName() const { return name_; }
    void SetConfigurationName(std::string name) { name_ = std::move(name); }
    void ClearConfigurationName() { name_.clear(); }
    // The name both file dialogs propose: the configuration name or, while it is empty, the
    // model's name, with ".tcf" appended.
    std::string ProposedFileName() const;

private:
    // The file at `path` read whole, with its model byte; every failure in a message box.
    struct ReadFile {
        int model;
        ReceiverImage image;
    };
    std::optional<ReadFile> ReadWhole(const std::string& path) const;
    win::Answer Ask(std::string_view text, std::string_view title, win::Buttons buttons) const;
    void ShowError(std::string_view text) const;
    win::FileDialogRequest DialogRequest(std::string_view title, bool mustExist) const;

    win::EventLoop& loop_;
    ReceiverImage& image_;
    ModelProfile& profile_;
    ConfigurationHost& host_;
    ConfigurationStorage& storage_;
    win::WindowHandle owner_;
    std::string name_;
};

}  // namespace tra1
