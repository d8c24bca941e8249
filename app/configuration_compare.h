#pragma once
// Compares two receiver images setting by setting, in the configuration report's own words:
// each difference is named by the report's section and label and carries both values as the
// report prints them, so that a difference reads exactly like the two reports side by side.
//
//   for (const SettingDifference& d : CompareImages(mine, theirs, profile)) {
//       std::puts(d.Text().c_str());  // "Speaker Level / FRONT L: 0.0 dB -> -2.5 dB"
//   }
//
// Against the receiver (an image read back with an Upload, or a check after a Download), pass
// the transfer's scope: bytes the line does not carry are then taken from `mine` and never
// show as differences. Bytes the report does not print show, named by their image block and
// offset, only when no reported setting differs, so that "no difference" always means the
// two images are the same in every byte compared.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/line_carriage.h"

namespace tra1 {

class ModelProfile;
class ReceiverImage;

struct SettingDifference {
    // The report's section title ("Speaker Level"); "Not in the report" for a raw byte.
    std::string section;
    // The label under the section, with the groups it sits in, joined by " / " ("FRONT L",
    // "Trigger 1 / PHONO", "Graphic EQ / CENTER / 63Hz").
    std::string label;
    // The values as the report prints them.
    std::string thisValue;
    std::string otherValue;
    // False when the report of that image does not show the setting at all (a home preset's
    // parameters depend on its program); its value is then empty.
    bool inThis = true;
    bool inOther = true;

    // "Speaker Level / FRONT L".
    std::string Name() const;
    // A value for display: the value; kEmptyValueText for a value the report prints as
    // nothing, kNotShownText for a setting it does not show.
    static std::string Shown(std::string_view value, bool shown);
    // "Speaker Level / FRONT L: 0.0 dB -> -2.5 dB".
    std::string Text() const;

    bool operator==(const SettingDifference&) const = default;
};

inline constexpr std::string_view kNotShownText = "(not shown)";
inline constexpr std::string_view kEmptyValueText = "(none)";
inline constexpr std::string_view kNotInTheReportSection = "Not in the report";

// Every setting that differs between `mine` and `other`, in report order (the settings only
// `other` shows last). Without a scope every byte counts; with one, only what that transfer
// carries. The profile must be the images' model.
std::vector<SettingDifference> CompareImages(const ReceiverImage& mine, const ReceiverImage& other,
                                             ModelProfile& profile,
                                             std::optional<TransferScope> carriedBy = {});

}  // namespace tra1
