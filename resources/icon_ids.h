#pragma once
// The program's icon resource ids.

namespace tra1::res {

// The connection indicator.
inline constexpr int kIconNotConnected = 129;
inline constexpr int kIconSearching = 130;
inline constexpr int kIconConnectedAsync = 131;
inline constexpr int kIconConnectedRealtime = 161;
// The program's own icon (window icon and About box).
inline constexpr int kIconProgram = 128;

}  // namespace tra1::res
