#pragma once

namespace tra1 {

class CommandSender;
class MainZoneView;
class PanelTable;
class ReceiverImage;

namespace win {
class Dialog;
}

// The main window's preset memories: three groups (HOME PRESET, main volume, zone 2 volume),
// each with a list of six entries "Preset A".."Preset F" and two kinds of memory.
//   - PC memories live in the image (HomePresetMemories and the volume memories) and travel
//     with the configuration file: Memory copies the live settings into the selected entry,
//     Recall copies them back. Nothing is sent; the recalled values reach the receiver with
//     the next download or later changes in realtime mode.
//   - Unit memories are the receiver's own: Memory and Recall only send the group's command
//     with the selected entry, and SendCommand lets these through in asynchronous mode too.
//
// The main window owns one and forwards the buttons' WM_COMMAND to OnCommand.
class PresetMemories {
public:
    // Entries the lists offer; the image keeps a seventh slot that no list selects.
    static constexpr int kEntryCount = 6;

    // Nothing is owned; everything must outlive the memories.
    PresetMemories(win::Dialog& window, ReceiverImage& image, CommandSender& sender,
                   MainZoneView& view, PanelTable& panels)
        : window_(window), image_(image), sender_(sender), view_(view), panels_(panels) {}

    // BN_CLICKED of a Memory or Recall button; false when the id is none of them.
    bool OnCommand(int id, unsigned code);

    // Selects the same entry (0..5) in all three lists, as a preset transfer pass does; false,
    // and nothing selected, for an entry out of range.
    bool SelectEntry(int entry);
    // The entry selected in a preset list (1182, 1217, 1218); -1 when none is.
    int SelectedEntry(int listId) const;

    // The PC memories of each group, for the selected entry of its list.
    void StoreHomePreset();
    void RecallHomePreset();
    void StoreMainVolume();
    void RecallMainVolume();
    void StoreZone2Volume();
    void RecallZone2Volume();

private:
    void RefreshRecalledPanels();
    void SendUnitCommand(int command, int listId);

    win::Dialog& window_;
    ReceiverImage& image_;
    CommandSender& sender_;
    MainZoneView& view_;
    PanelTable& panels_;
};

}  // namespace tra1
