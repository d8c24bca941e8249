#include "platform/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tra1::files {

FilePtr OpenRegularFileForReading(const std::string& path) {
    struct stat info {};
    // Checked before the open, which for a device may already do something.
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    // And again on what was opened: the name may lead somewhere else by now.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
    }
    return file;
}

bool MayReplace(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return true;  // nothing there yet (or a dangling link, which the save then creates)
    }
    return S_ISREG(info.st_mode) && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace tra1::files
