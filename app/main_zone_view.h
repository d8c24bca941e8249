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

private:
    void FillInputLists();
    void FillPresetLists();
    void ShowVolumes(bool force);
    void ShowProgram();
    void ApplyEnableRules();
    void SyncCombo(int id, int selection);
    void SyncCheck(int id, int checked);

    win::Dialog& window_;
    ReceiverImage& image_;
    const ModelProfile& profile_;
    const LinkState& state_;
};

}  // namespace tra1
