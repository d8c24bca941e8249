#pragma once
// Saving a file so that it is never left half written: the bytes go to a temporary file in the
// target's own folder, are flushed to the disk, take the permissions of the file they replace
// (or the user's default ones for a new file), and only then is the temporary file renamed over
// the target. A failure at any step leaves the old file as it was and removes the temporary
// one. A symbolic link is followed: the file it points to is replaced, the link stays.
//
//   AtomicFileWriter writer;
//   if (!writer.Open(path) || !writer.Write(bytes) || !writer.Commit()) {
//       show(writer.Error());   // "Permission denied", "No space left on device", ...
//   }
//
// or in one call: WriteFileAtomically(path, bytes). A writer destroyed before Commit() removes
// its temporary file, so an abandoned save leaves nothing behind.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tra1::files {

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file beside `path`. False (see Error()) when the folder does not
    // exist or cannot be written, or when a writer is open already.
    bool Open(const std::string& path);
    // Appends all of `bytes`; false when the system refused (the disk full, for example).
    bool Write(std::span<const std::uint8_t> bytes);
    bool Write(std::string_view text);
    // Flushes, sets the permissions and renames the temporary file over the target. False when
    // any step failed; the target is then untouched. The writer is closed either way.
    bool Commit();
    // Closes and removes the temporary file without touching the target.
    void Discard();

    bool IsOpen() const { return fd_ >= 0; }
    // The system's reason for the last failure ("" when none).
    const std::string& Error() const { return error_; }
    // The file that Commit() replaces (the link's target when `path` was a link).
    const std::string& TargetPath() const { return target_; }

private:
    // Records the reason, closes and removes the temporary file; always false.
    bool Fail(int error);

    int fd_ = -1;
    std::string target_;
    std::string temporary_;
    std::string error_;
};

// The whole save in one call. Returns "" on success, else the system's reason.
std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
std::string WriteFileAtomically(const std::string& path, std::string_view text);

}  // namespace tra1::files
