#pragma once
// Which bytes of the image the line carries. A Download sends, and an Upload reads back, only
// part of the image: some settings have no command, some are only ever reported, some are the
// PC's own (the memo, the panel page), and a name travels as eight characters. A compare of
// the image against what the receiver holds, or a check after a Download, looks only at the
// bytes that travel; everything else is taken from this image.

#include <cstddef>

#include "model/receiver_image.h"

namespace tra1 {

// What a transfer covers: the live settings only ("Current Setting"), or also the six preset
// memories A..F ("Preset Setting").
enum class TransferScope { kCurrentSetting, kPresetSetting };

// An image of marks, one per byte of `sent`: 0xFF where the line does not carry the byte, 0
// where it does. `sent` is the image that went out (or is compared against), because a name's
// padding and a preset record's parameters depend on it.
ReceiverImage UncarriedMarks(const ReceiverImage& sent, TransferScope scope);

// `received` with every byte that the line does not carry taken from `sent`, so that only the
// bytes that travelled can differ.
ReceiverImage WithUncarriedFrom(const ReceiverImage& sent, const ReceiverImage& received,
                                TransferScope scope);

}  // namespace tra1
