#include "app/configuration_file.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tra1 {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class DiskStream final : public ConfigurationStream {
public:
    explicit DiskStream(FilePtr file) : file_(std::move(file)) {}

    bool Write(std::span<const std::uint8_t> bytes) override {
        if (!file_) {
            return false;
        }
        return std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size();
    }

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

private:
    FilePtr file_;
};

class DiskStorageImpl final : public ConfigurationStorage {
public:
    bool Exists(const std::string& path) const override {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::path(path), error);
    }

    std::unique_ptr<ConfigurationStream> CreateForWriting(const std::string& path) override {
        return Open(path, "wb");
    }

    std::unique_ptr<ConfigurationStream> OpenForReading(const std::string& path) override {
        return Open(path, "rb");
    }

private:
    static std::unique_ptr<ConfigurationStream> Open(const std::string& path, const char* mode) {
        FilePtr file(std::fopen(path.c_str(), mode));
        if (!file) {
            return nullptr;
        }
        // Unbuffered: each block is one write to the system, and a full disk fails that block
        // rather than a later flush.
        std::setvbuf(file.get(), nullptr, _IONBF, 0);
        return std::make_unique<DiskStream>(std::move(file));
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
