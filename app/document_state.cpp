#include "app/document_state.h"

#include <algorithm>
#include <array>
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
std::size_t BlockStart(std::size_t block) {
    return kImageBlocks.at(block).fileOffset - kImageBlocks.at(0).fileOffset;
}

}  // namespace

std::vector<std::uint8_t> DocumentState::Snapshot() const {
    std::vector<std::uint8_t> bytes = image_.ToBytes();
    const std::size_t zone = BlockStart(block_index::kMainZoneState);
    for (const std::size_t offset : kLinkBookkeeping) {
        if (zone + offset < bytes.size()) {
            bytes[zone + offset] = 0;
        }
    }
    // A name reads the same with or without the blanks that a download pads it with: compare
    // each entry's text up to its end, trailing blanks dropped.
    const std::size_t names = BlockStart(block_index::kInputNames);
    for (std::size_t entry = 0; entry < input_names::kEntryCount; ++entry) {
        const std::size_t first = names + entry * input_names::kEntrySize;
        std::size_t end = first;
        while (end < first + input_names::kMaxLength && bytes.at(end) != 0) {
            ++end;
        }
        while (end > first && bytes.at(end - 1) == ' ') {
            --end;
        }
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(end),
                  bytes.begin() + static_cast<std::ptrdiff_t>(first + input_names::kEntrySize), 0);
    }
    return bytes;
}

void DocumentState::MarkClean(std::string fileName) {
    clean_ = Snapshot();
    fileName_ = std::move(fileName);
}

bool DocumentState::Changed() const {
    return Snapshot() != clean_;
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
