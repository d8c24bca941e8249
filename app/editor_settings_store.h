#pragma once

#include <optional>

namespace tra1 {

// Where the editor keeps the user's own choices between runs (Configuration > "Fast Transfer",
// Configuration > "Verify after Download").
// The program keeps them with QSettings in the user's configuration file; without a store a
// choice lasts for the run.
class EditorSettingsStore {
public:
    virtual ~EditorSettingsStore() = default;
    // Whether transfers run pipelined; nullopt when the settings never mention it.
    virtual std::optional<bool> LoadFastTransfer() const = 0;
    // False when the setting could not be written.
    virtual bool SaveFastTransfer(bool fast) = 0;
    // Whether a completed Download is read back and compared; nullopt when never chosen.
    virtual std::optional<bool> LoadVerifyAfterDownload() const = 0;
    // False when the setting could not be written.
    virtual bool SaveVerifyAfterDownload(bool verify) = 0;
};

// Fast Transfer for a user who never chose: on, since the stepwise and the pipelined transfers
// bring the same image across.
inline constexpr bool kFastTransferByDefault = true;

}  // namespace tra1
