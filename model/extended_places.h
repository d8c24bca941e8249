#pragma once
// Where the data of each extended function lives in the image: the offset within its block for
// the record, row or entry that a frame names. The frames name these with numbers from the line
// or from a panel, so every look-up checks them first and gives nullopt for one outside the
// block's layout.

#include <cstddef>
#include <optional>

#include "model/receiver_image.h"

namespace tra1::extended_place {

namespace detail {
constexpr bool Within(int value, std::size_t count) {
    return value >= 0 && static_cast<std::size_t>(value) < count;
}
}  // namespace detail

// IoAssignTable: image row 0..3, jack position 0..15.
constexpr std::optional<std::size_t> IoAssign(int row, int position) {
    if (!detail::Within(row, io_assign::kRowCount) ||
        !detail::Within(position, io_assign::kRowSize)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row) * io_assign::kRowSize + static_cast<std::size_t>(position);
}

// EqSettings: band record 0..9, band 0..12.
constexpr std::optional<std::size_t> EqBand(int record, int band) {
    if (!detail::Within(record, eq_layout::kChannelCount) ||
        !detail::Within(band, eq_layout::kBandsPerChannel)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(record) * eq_layout::kBandsPerChannel +
           static_cast<std::size_t>(band);
}

// EqSettings: the first byte of CINEMA EQ record 0..3.
constexpr std::optional<std::size_t> CinemaEqRecord(int record) {
    if (!detail::Within(record, eq_layout::kCinemaEqRecordCount)) {
        return std::nullopt;
    }
    return eq_layout::kCinemaEq + static_cast<std::size_t>(record) * eq_layout::kCinemaEqRecordSize;
}

// EqSettings: option byte 0..1 (130, 131). Higher options would land in the CINEMA EQ records.
constexpr std::optional<std::size_t> EqOption(int option) {
    if (!detail::Within(option, 2)) {
        return std::nullopt;
    }
    return eq_layout::kOption1 + static_cast<std::size_t>(option);
}

// ToneSettings: the (selector, level) pair of the speaker (0) or headphone (1) bass (0) or
// treble (1).
constexpr std::optional<std::size_t> TonePair(int output, int range) {
    if (!detail::Within(output, 2) || !detail::Within(range, 2)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(4 * output + 2 * range);
}

// DcTrigger1 / DcTrigger2: item 0..15 of zone row 0..2; item 13 is the multi-channel input, which
// has one switch for all zones.
inline constexpr int kDcTriggerMultiChannelItem = 13;
inline constexpr int kDcTriggerZoneRows = 3;
constexpr std::optional<std::size_t> DcTriggerItem(int zoneRow, int item) {
    if (item == kDcTriggerMultiChannelItem) {
        return dc_trigger::kMultiChannel;
    }
    if (!detail::Within(zoneRow, kDcTriggerZoneRows) ||
        !detail::Within(item, dc_trigger::kRowSize)) {
        return std::nullopt;
    }
    return dc_trigger::kZone1Row + static_cast<std::size_t>(zoneRow) * dc_trigger::kRowSize +
           static_cast<std::size_t>(item);
}

// PictureModeAdjust: the first byte of record 0..2, of which the frames carry the first five
// bytes.
inline constexpr std::size_t kPictureModeBytesCarried = 5;
constexpr std::optional<std::size_t> PictureModeRecord(int record) {
    if (!detail::Within(record, picture_mode::kRecordCount)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(record) * picture_mode::kRecordSize;
}

// TunerPresets: page 0 is the current station (entry 0, whatever the number); pages 1..5 hold
// presets 1..8 each (entries 1..40).
inline constexpr int kTunerPageCount = 5;
inline constexpr int kTunerPresetsPerPage = 8;
constexpr std::optional<int> TunerEntry(int page, int number) {
    if (page == 0) {
        return 0;
    }
    if (page < 1 || page > kTunerPageCount || number < 1 || number > kTunerPresetsPerPage) {
        return std::nullopt;
    }
    return kTunerPresetsPerPage * (page - 1) + number;
}
// The page and number that name an entry 1..40 (page 0 and number 0 for entry 0).
struct TunerSlot {
    int page;
    int number;
};
constexpr TunerSlot TunerSlotOf(int entry) {
    if (entry <= 0) {
        return {0, 0};
    }
    return {(entry - 1) / kTunerPresetsPerPage + 1, (entry - 1) % kTunerPresetsPerPage + 1};
}

}  // namespace tra1::extended_place
