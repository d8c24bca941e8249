#include "app/configuration_file.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/files/atomic_file_writer.h"
#include "platform/files/regular_file.h"

namespace tra1 {

namespace {

using files::FilePtr;

class ReadStream final : public ConfigurationStream {
public:
    explicit ReadStream(FilePtr file) : file_(std::move(file)) {}

    bool Write(std::span<const std::uint8_t>) override { return false; }

    bool Read(std::span<std::uint8_t> bytes) override {
        if (!file_) {
            return false;
        }
        return std::fread(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size();
    }

    bool Close() override {
        if (!file_) {
            return true;
        }
        // release() first: fclose frees the FILE even when it reports a failure.
        return std::fclose(file_.release()) == 0;
    }

    void Discard() override { Close(); }

private:
    FilePtr file_;
};

// Every block goes straight to the temporary file, so a full disk or a size limit fails the
// block that meets it; the target is replaced only by Close().
class WriteStream final : public ConfigurationStream {
public:
    bool Open(const std::string& path) { return writer_.Open(path); }

    bool Write(std::span<const std::uint8_t> bytes) override {
        return writer_.IsOpen() && writer_.Write(bytes);
    }

    bool Read(std::span<std::uint8_t>) override { return false; }

    bool Close() override { return writer_.IsOpen() && writer_.Commit(); }

    void Discard() override { writer_.Discard(); }

private:
    files::AtomicFileWriter writer_;
};

class DiskStorageImpl final : public ConfigurationStorage {
public:
    bool Exists(const std::string& path) const override {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::path(path), error);
    }

    std::unique_ptr<ConfigurationStream> CreateForWriting(const std::string& path) override {
        // What the user may not write is not replaced either (a read-only file, a folder).
        if (!files::MayReplace(path)) {
            return nullptr;
        }
        auto stream = std::make_unique<WriteStream>();
        if (!stream->Open(path)) {
            return nullptr;
        }
        return stream;
    }

    std::unique_ptr<ConfigurationStream> OpenForReading(const std::string& path) override {
        FilePtr file = files::OpenRegularFileForReading(path);
        if (!file) {
            return nullptr;
        }
        return std::make_unique<ReadStream>(std::move(file));
    }
};

}  // namespace

ConfigurationStorage& DiskStorage() {
    static DiskStorageImpl storage;
    return storage;
}

ConfigurationFile::WriteResult ConfigurationFile::Write(ConfigurationStream& file,
                                                        const ReceiverImage& image, int modelCode) {
    const std::array<std::uint8_t, kModelByteSize> modelByte{ModelByte(modelCode)};
    if (!file.Write(modelByte)) {
        return WriteResult{WriteError::kModelByte, 0};
    }
    std::vector<std::uint8_t> buffer;
    for (std::size_t index = 0; index < kImageBlocks.size(); ++index) {
        buffer.assign(kImageBlocks[index].size, 0);
        // ReadBlock cannot fail here: the index and the buffer size come from the same table.
        image.ReadBlock(index, buffer);
        if (!file.Write(buffer)) {
            return WriteResult{WriteError::kBlock, index};
        }
    }
    return WriteResult{};
}

std::optional<std::uint8_t> ConfigurationFile::ReadModelByte(ConfigurationStream& file) {
    std::array<std::uint8_t, kModelByteSize> modelByte{};
    if (!file.Read(modelByte)) {
        return std::nullopt;
    }
    return modelByte[0];
}

std::size_t ConfigurationFile::ReadBlocks(ConfigurationStream& file, ReceiverImage& image) {
    std::vector<std::uint8_t> buffer;
    for (std::size_t index = 0; index < kImageBlocks.size(); ++index) {
        buffer.assign(kImageBlocks[index].size, 0);
        // Read into a buffer first: a block that the file cannot fill keeps its old bytes
        // instead of a half-read mixture.
        if (!file.Read(buffer)) {
            return index;
        }
        image.WriteBlock(index, buffer);
    }
    return kImageBlocks.size();
}

}  // namespace tra1
