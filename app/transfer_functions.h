#pragma once
// The extended function numbers that the upload, the download and the realtime poll walk
// through. The passes number their steps for these functions by the function itself, so a step
// number is also the function its frames carry.

namespace tra1::transfer_function {

inline constexpr int kIoAssign = 260;
inline constexpr int kInputName = 261;
inline constexpr int kInputTrim = 262;
inline constexpr int kDspParameter = 265;
inline constexpr int kEqBand = 267;
inline constexpr int kCinemaEq = 268;
inline constexpr int kTone = 270;
inline constexpr int kTrigger = 271;
inline constexpr int kDistance = 272;
inline constexpr int kPictureMode = 273;
inline constexpr int kTuner = 274;

}  // namespace tra1::transfer_function
