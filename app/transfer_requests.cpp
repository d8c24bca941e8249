#include "app/transfer_requests.h"

#include <cstddef>

#include "app/transfer_output.h"
#include "model/extended_codec.h"
#include "model/extended_places.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1::transfer_request {

namespace ef = extended_function;

void IoAssignments(TransferOutput& out) {
    for (std::size_t group = 0; group < io_assign::kRowCount; ++group) {
        for (std::size_t jack = 0; jack < io_assign::kJackCount.at(group); ++jack) {
            out.Request(ef::kIoAssign, static_cast<int>(group), static_cast<int>(jack));
        }
    }
}

void Tone(TransferOutput& out) {
    for (int output = 0; output < 2; ++output) {
        for (int range = 0; range < 2; ++range) {
            out.Request(ef::kTone, output, range);
        }
    }
}

void PictureModes(TransferOutput& out) {
    for (int record = 0; record < static_cast<int>(picture_mode::kRecordCount); ++record) {
        out.Request(ef::kPictureMode, record);
    }
}

void Distances(TransferOutput& out) {
    for (int entry = 0; entry < kDistanceCount; ++entry) {
        out.Request(ef::kSpeakerDistance, entry);
    }
}

void TunerPage(TransferOutput& out, int page) {
    if (page == 0) {
        out.Request(ef::kTunerPreset, 0, 0, 0, 0, kTunerRequestText);
        return;
    }
    for (int number = 1; number <= extended_place::kTunerPresetsPerPage; ++number) {
        out.Request(ef::kTunerPreset, page, number, 0, 0, kTunerRequestText);
    }
}

}  // namespace tra1::transfer_request
