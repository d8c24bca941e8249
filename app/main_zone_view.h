#pragma once

#include <string>

namespace tra1 {

class ModelProfile;
class ReceiverImage;
struct LinkState;

namespace win {
class Dialog;
}

// The main window's controls that show the image: the main zone and zone 2 controls, the model
// combo, the preset lists, the user memo and the synchronisation options. It fills them from the
// image (after start-up, a reset, a file load or an identification) and brings them in line
// with it on the main window's refresh message.
class MainZoneView {
public:
    MainZoneView(win::Dialog& window, ReceiverImage& image, const ModelProfile& profile,
                 const LinkState& state)
        : window_(window), image_(image), profile_(profile), state_(state) {}

    // The fixed item lists of the combo boxes, once when the window initialises.
    void FillItemLists();
    // Every control from the image (the image is not changed, apart from the current program
    // byte that the program read-out keeps in step).
    void Fill();
    // Brings the main zone and zone 2 controls in line with the image, touching only controls
    // that show another value and never a combo box whose list is open.
    void Refresh();

    // The DSP program read-out's text for the image as it is.
    static std::string ProgramReadout(const ReceiverImage& image, const ModelProfile& profile);

    // Rebuilds the program read-out; the current program byte (MainZoneState byte 4) takes the
    // main input's program byte, effect-off flag included.
    void ShowProgram();
    // The input lists' items from the image's input names (after a rename), selections kept.
    void ShowInputNames();
    // Enables and disables the controls that depend on multi-channel input, the main input, the
    // mutes and the zone 2 output.
    void ApplyEnableRules();
    // The volume track bars and read-outs from the image (the zone 2 "FIX" rule included); a
    // track bar is moved only when it stands elsewhere, unless `force`.
    void ShowVolumes(bool force);

private:
    void FillInputLists();
    void FillPresetLists();
    void SyncCombo(int id, int selection);
    void SyncCheck(int id, int checked);

    win::Dialog& window_;
    ReceiverImage& image_;
    const ModelProfile& profile_;
    const LinkState& state_;
};

}  // namespace tra1
