#pragma once
// The fuzz targets' entries, each taking one input and returning 0.

#include <cstddef>
#include <cstdint>

namespace tra1::fuzz {

// Raw byte batches through the frame assembler and every reply decoder into the image, under
// link flags chosen by the input.
int FuzzReplyPath(const std::uint8_t* data, std::size_t size);
// The whole editor on the virtual clock, its serial line answering with the input's bytes.
int FuzzEditorLine(const std::uint8_t* data, std::size_t size);
// A configuration file loaded by File > Open, then shown in every panel and the report.
int FuzzConfigurationFile(const std::uint8_t* data, std::size_t size);
// The virtual receiver hearing the input's bytes in pieces.
int FuzzVirtualReceiver(const std::uint8_t* data, std::size_t size);

}  // namespace tra1::fuzz
