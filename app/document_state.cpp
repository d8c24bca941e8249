#include "app/document_state.h"

#include <array>
#include <cstring>
#include <span>

#include "model/receiver_image.h"

namespace tra1 {

namespace {

// MainZoneState bytes that the program writes for itself, not for the user: the receiver's power
// report, the transfers' pass and scratch bytes, and the current program (a copy of the main
// input's program byte, which counts where it lives). They never count as a change.
constexpr std::array<std::size_t, 6> kLinkBookkeeping{main_zone::kPower,
                                                      main_zone::kPresetPass,
                                                      main_zone::kTransferScratch18,
                                                      main_zone::kTransferScratch19,
                                                      main_zone::kTransferScratch24,
                                                      main_zone::kCurrentProgram};

// Where a block starts in ToBytes().
constexpr std::size_t BlockStart(std::size_t block) {
    return kImageBlocks.at(block).fileOffset - kImageBlocks.at(0).fileOffset;
}
static_assert(BlockStart(block_index::kInputNames) +
                  input_names::kEntryCount * input_names::kEntrySize <=
              ReceiverImage::kTotalSize);

}  // namespace

void DocumentState::Snapshot(std::vector<std::uint8_t>& bytes) const {
    bytes.resize(ReceiverImage::kTotalSize);
    image_.CopyBytesTo(std::span<std::uint8_t, ReceiverImage::kTotalSize>(bytes));
    const std::size_t zone = BlockStart(block_index::kMainZoneState);
    for (const std::size_t offset : kLinkBookkeeping) {
        if (zone + offset < bytes.size()) {
            bytes[zone + offset] = 0;
        }
    }
    // A name reads the same with or without the blanks that a download pads it with: compare
    // each entry's text up to its end, trailing blanks dropped. (The entries lie inside the
    // image's bytes; the string functions keep this cheap in the sanitized test build too.)
    const std::size_t names = BlockStart(block_index::kInputNames);
    for (std::size_t entry = 0; entry < input_names::kEntryCount; ++entry) {
        std::uint8_t* const first = bytes.data() + names + entry * input_names::kEntrySize;
        auto* const terminator =
            static_cast<std::uint8_t*>(std::memchr(first, 0, input_names::kMaxLength));
        std::uint8_t* end = terminator != nullptr ? terminator : first + input_names::kMaxLength;
        while (end > first && *(end - 1) == ' ') {
            --end;
        }
        std::memset(end, 0, static_cast<std::size_t>(first + input_names::kEntrySize - end));
    }
}

void DocumentState::MarkClean(std::string fileName) {
    Snapshot(clean_);
    fileName_ = std::move(fileName);
}

bool DocumentState::Changed() const {
    Snapshot(scratch_);
    return scratch_ != clean_;
}

std::string DocumentState::Title(std::string_view programTitle,
                                 std::string_view untitledName) const {
    std::string title = fileName_.empty() ? std::string(untitledName) : fileName_;
    if (Changed()) {
        title += '*';
    }
    title += " \u2013 ";
    title += programTitle;
    return title;
}

}  // namespace tra1
