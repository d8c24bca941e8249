#include "platform/files/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tra1::files {

namespace {

namespace fs = std::filesystem;

// The permissions a new file gets from the user's umask (mkstemp makes 0600 files).
mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666) & ~mask;
}

// The file a save replaces: a link's target (absolute or relative to the link's folder), else
// the path itself.
std::string ResolveTarget(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        const fs::path resolved = fs::weakly_canonical(fs::path(path), error);
        if (!error) {
            return resolved.string();
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The folder's entry for the renamed file reaches the disk too.
void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);  // some file systems refuse fsync on folders; the rename is done anyway
        ::close(dir);
    }
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::Fail(int error) {
    error_ = std::strerror(error);
    Discard();
    return false;
}

bool AtomicFileWriter::Open(const std::string& path) {
    if (IsOpen()) {
        error_ = "a save is in progress already";
        return false;
    }
    error_.clear();
    if (path.empty()) {
        return Fail(ENOENT);
    }
    target_ = ResolveTarget(path);
    const fs::path name = fs::path(target_).filename();
    // Hidden and named after the target, so that a crash leaves an obvious leftover.
    std::string pattern =
        (fs::path(FolderOf(target_)) / ("." + name.string() + ".XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd_ < 0) {
        return Fail(errno);
    }
    temporary_.assign(buffer.data());
    return true;
}

bool AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) {
    if (!IsOpen()) {
        error_ = std::strerror(EBADF);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail(errno);
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool AtomicFileWriter::Write(std::string_view text) {
    return Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool AtomicFileWriter::Commit() {
    if (!IsOpen()) {
        error_ = std::strerror(EBADF);
        return false;
    }
    // The replaced file's permissions (and owner, where the user may set it); a new file the
    // user's defaults.
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0) {
        if (::fchmod(fd_, existing.st_mode & 07777) != 0) {
            return Fail(errno);
        }
        // Only root may give a file away; for anyone else keeping the owner is a no-op or fails
        // harmlessly.
        [[maybe_unused]] const int owner = ::fchown(fd_, existing.st_uid, existing.st_gid);
    } else if (::fchmod(fd_, DefaultFileMode()) != 0) {
        return Fail(errno);
    }
    if (::fsync(fd_) != 0) {
        return Fail(errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        return Fail(errno);  // removes the temporary file
    }
    temporary_.clear();
    SyncFolder(FolderOf(target_));
    return true;
}

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    AtomicFileWriter writer;
    if (writer.Open(path) && writer.Write(bytes) && writer.Commit()) {
        return {};
    }
    return writer.Error();
}

std::string WriteFileAtomically(const std::string& path, std::string_view text) {
    return WriteFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace tra1::files
