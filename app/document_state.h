#pragma once
// The configuration as a document, the way a desktop user sees it: the file it was last opened
// from or saved to, and whether the image holds changes that no file has yet. The main window
// shows both in its title ("TR-A1.tcf* – Tolvek Receiver Editor for TR-A1") and asks before such
// changes would be lost.
//
// "Changed" means: the image differs from what it was when last marked clean (start-up, a
// reset, a file opened or saved), over every byte that a file keeps, except the few bytes of
// the main zone state that the program keeps for itself (the receiver's power report, the
// transfer pass and scratch bytes, the copy of the current program), which change by merely
// connecting, transferring or refreshing the window; input names compare as their text, so
// that the blanks a download pads them with change nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tra1 {

class ReceiverImage;

class DocumentState {
public:
    explicit DocumentState(const ReceiverImage& image) : image_(image) { MarkClean({}); }

    // The image as it is now has no unsaved changes. `fileName` is the file's name without its
    // folder, or empty when no file holds it (start-up, a reset).
    void MarkClean(std::string fileName);

    // True when the image differs from its clean state.
    bool Changed() const;
    // The file's name, or empty.
    const std::string& FileName() const { return fileName_; }

    // The window title: the file's name (or `untitledName` when there is none), "*" when
    // changed, an en dash and the program's title.
    std::string Title(std::string_view programTitle, std::string_view untitledName) const;

private:
    // The image's bytes as the comparison sees them, into `bytes` (resized to fit).
    void Snapshot(std::vector<std::uint8_t>& bytes) const;

    const ReceiverImage& image_;
    std::vector<std::uint8_t> clean_;
    // Changed() is asked after every message the main window handles: it takes its snapshot
    // here instead of a fresh vector each time.
    mutable std::vector<std::uint8_t> scratch_;
    std::string fileName_;
};

}  // namespace tra1
