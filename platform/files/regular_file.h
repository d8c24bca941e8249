#pragma once
// Opening a file the user chose for reading without the risks of what else may carry its name:
// only a regular file is opened, and the open never waits (a FIFO or a device would block it,
// or the reads after it, and freeze the program). And the test a save makes before it replaces
// a file: the user may write it.

#include <cstdio>
#include <memory>
#include <string>

namespace tra1::files {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The file opened for binary reading; null when `path` is not a regular file (after following
// links) or cannot be opened.
FilePtr OpenRegularFileForReading(const std::string& path);

// Whether a save may put a new file in the place of `path`: true when nothing of that name
// exists yet, or when it is a regular file (after following links) that the user may write.
bool MayReplace(const std::string& path);

}  // namespace tra1::files
