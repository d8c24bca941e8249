#pragma once
// The .tcf files of tr-a1ctl: read whole or not at all, written atomically or not at all, each
// failure one error line with the system's reason and exit status 4.

#include <iosfwd>
#include <memory>
#include <string>

namespace tra1 {
class ConfigurationStream;
class ModelProfile;
class ReceiverImage;
}  // namespace tra1

namespace tra1::programs {

// Reads `path` into `image` (reset to the defaults first) and sets the profile's model from
// the file's model byte: ctl_exit::kDone, or kFile after the error line (missing, unreadable,
// not a regular file, shorter than a configuration file).
int LoadConfiguration(const std::string& path, ReceiverImage& image, ModelProfile& profile,
                      std::ostream& err);

// A save of `path` made ready before the long work that fills it, so that a file that cannot be
// written is known at once: the temporary file beside it is open. Null after the error line.
std::unique_ptr<ConfigurationStream> PrepareSave(const std::string& path, std::ostream& err);
// Writes the image into the prepared save and puts it in the place of `path`: kDone, or kFile
// after the error line (the old file, if any, is then as it was).
int FinishSave(ConfigurationStream& save, const std::string& path, const ReceiverImage& image,
               int modelCode, std::ostream& err);

}  // namespace tra1::programs
