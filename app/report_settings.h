#pragma once
// The configuration report read back as a list of named settings: every "label : value" line
// of the report with the section and the groups it sits in. This is what lets a compare name a
// difference in the report's own words without keeping a second list of names.

#include <string>
#include <vector>

namespace tra1 {

class ModelProfile;
class ReceiverImage;

struct ReportSetting {
    std::string section;  // the section title; empty for the header's lines
    std::string label;    // groups and label joined by " / "
    std::string value;    // as printed, without the blanks around it
    // What identifies the setting in any image: the label, except where the report prints
    // image data as the label (a DC trigger row names its input by the user's name) or spells a
    // label differently by value.
    std::string key;
};

// The settings of the report of `image`, in report order. Labels that repeat under the same
// groups (the four CINEMA EQ records) are told apart by the setting that leads them.
std::vector<ReportSetting> ReportSettings(const ReceiverImage& image, ModelProfile& profile);

}  // namespace tra1
