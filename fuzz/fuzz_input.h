#pragma once
// Reading a fuzzer's input as a small script: a few leading bytes choose the conditions, the rest
// is what goes on the line. Reading past the end gives zeros, so every input is a valid script.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tra1::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    bool Flag() { return (Byte() & 1) != 0; }
    // 0..n-1 (n at least 1).
    int Below(int n) { return n <= 1 ? 0 : Byte() % n; }
    // Up to `count` of the next bytes.
    std::string_view Take(std::size_t count) {
        const std::size_t n = count < size_ - at_ ? count : size_ - at_;
        const std::string_view taken(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return taken;
    }
    std::string_view Rest() { return Take(size_ - at_); }
    bool Empty() const { return at_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace tra1::fuzz

// Each target defines its entry as a plain function; built for libFuzzer, the entry also becomes
// LLVMFuzzerTestOneInput, and in the test build the corpus test calls the plain function.
#ifdef TRA1_LIBFUZZER
#define TRA1_FUZZ_ENTRY(function)                                                       \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        return function(data, size);                                                    \
    }
#else
#define TRA1_FUZZ_ENTRY(function)
#endif
