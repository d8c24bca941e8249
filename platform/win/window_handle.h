#pragma once
// A window's handle: a number that names a window while it exists. Handles are never reused, so
// a handle kept after its window has gone simply finds nothing.

#include <cstdint>
#include <functional>

namespace tra1::win {

struct WindowHandle {
    std::uint64_t value = 0;  // 0 = no window
    constexpr bool IsNull() const { return value == 0; }
    constexpr explicit operator bool() const { return value != 0; }
    friend constexpr bool operator==(WindowHandle, WindowHandle) = default;
    friend constexpr auto operator<=>(WindowHandle, WindowHandle) = default;
};

}  // namespace tra1::win

template <>
struct std::hash<tra1::win::WindowHandle> {
    std::size_t operator()(tra1::win::WindowHandle h) const noexcept {
        return std::hash<std::uint64_t>{}(h.value);
    }
};
