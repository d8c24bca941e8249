#pragma once
// The configuration file (".tcf"): a raw dump of the receiver image that other copies of the
// editor read and write. Layout, 5,395 bytes, no header, version or checksum:
//   offset 0     the model code's low byte
//   offset 1..   the 29 image blocks back to back, in the order and sizes of kImageBlocks
// Each block goes through the file in one write or one read, so a short file stops at the
// first block it cannot fill and a longer file is read no further than its first 5,395 bytes.
//
// The file itself is reached through a small interface (ConfigurationStorage and the stream it
// opens) so that tests can make a chosen write or read fail; DiskStorage() is the real one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "model/receiver_image.h"

namespace tra1 {

// One open configuration file. A file opened for writing replaces the file of its name only
// when it is closed after every write succeeded; destroying an unclosed stream, or Discard(),
// leaves the old file as it was.
class ConfigurationStream {
public:
    virtual ~ConfigurationStream() = default;
    // Writes all of `bytes`; false when not all of them reached the file.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    // Fills all of `bytes`; false when the file ended (or failed) first. The contents of
    // `bytes` are then unspecified.
    virtual bool Read(std::span<std::uint8_t> bytes) = 0;
    // Closes the file. For writing: the data reaches the disk and takes the old file's place;
    // false when any of that failed, and the old file is then as it was.
    virtual bool Close() = 0;
    // Closes without keeping anything written: the old file stays as it was.
    virtual void Discard() = 0;
};

// Where configuration files live: an existence test, create-or-replace for writing and open for
// reading. A failed create or open returns nullptr.
class ConfigurationStorage {
public:
    virtual ~ConfigurationStorage() = default;
    virtual bool Exists(const std::string& path) const = 0;
    virtual std::unique_ptr<ConfigurationStream> CreateForWriting(const std::string& path) = 0;
    virtual std::unique_ptr<ConfigurationStream> OpenForReading(const std::string& path) = 0;
};

// The files of the local file system. A save goes to a temporary file beside the target, which
// is flushed to the disk and then renamed over it (with the old file's permissions), so that a
// full disk, a file-size limit or a crash never leaves a half-written configuration; a file the
// user may not write is refused as before. Only regular files are read, and opening one never
// waits (a FIFO or a device named *.tcf is refused instead of freezing the editor).
ConfigurationStorage& DiskStorage();

// Writes and reads the file's model byte and its 29 blocks.
class ConfigurationFile {
public:
    static constexpr std::size_t kModelByteSize = 1;
    static constexpr std::size_t kFileSize = kModelByteSize + ReceiverImage::kTotalSize;  // 5,395

    enum class WriteError {
        kNone,
        kModelByte,  // the model byte could not be written
        kBlock,      // block `failedBlock` could not be written
    };
    struct WriteResult {
        WriteError error = WriteError::kNone;
        std::size_t failedBlock = 0;  // meaningful with kBlock only
        bool Ok() const { return error == WriteError::kNone; }
    };

    // The byte the file stores for a model code: its low byte (the unknown model -1 gives 255,
    // which reads back as unknown).
    static constexpr std::uint8_t ModelByte(int modelCode) {
        return static_cast<std::uint8_t>(modelCode & 0xFF);
    }

    // The model byte, then the blocks in order, stopping at the first failing write. The stream
    // is left open: the caller closes it.
    static WriteResult Write(ConfigurationStream& file, const ReceiverImage& image, int modelCode);

    // The model byte; nullopt when the file is empty or cannot be read.
    static std::optional<std::uint8_t> ReadModelByte(ConfigurationStream& file);

    // Reads the blocks in order into the image and returns how many were stored (29 when all
    // were). The first block that cannot be read whole stops the reading and is left as it was,
    // like every block after it. Values are stored raw; whoever uses one as an index checks it.
    static std::size_t ReadBlocks(ConfigurationStream& file, ReceiverImage& image);
};

}  // namespace tra1
