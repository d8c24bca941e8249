#include "app/configuration_compare.h"

#include <cstdint>
#include <deque>
#include <unordered_map>

#include "app/report_settings.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

// The bytes of the two images that differ, named by block and offset: what a compare shows
// when the report shows no difference but the images are not the same.
std::vector<SettingDifference> ByteDifferences(const ReceiverImage& mine,
                                               const ReceiverImage& other) {
    std::vector<SettingDifference> differences;
    std::vector<std::uint8_t> a;
    std::vector<std::uint8_t> b;
    for (std::size_t index = 0; index < ReceiverImage::kBlockCount; ++index) {
        a.assign(kImageBlocks[index].size, 0);
        b.assign(kImageBlocks[index].size, 0);
        mine.ReadBlock(index, a);
        other.ReadBlock(index, b);
        for (std::size_t offset = 0; offset < a.size(); ++offset) {
            if (a[offset] != b[offset]) {
                differences.push_back(
                    {std::string(kNotInTheReportSection),
                     std::string(kImageBlocks[index].name) + " byte " + std::to_string(offset),
                     std::to_string(a[offset]), std::to_string(b[offset])});
            }
        }
    }
    return differences;
}

}  // namespace

std::string SettingDifference::Name() const {
    if (section.empty() || label.empty() || label == section) {
        return section.empty() ? label : section;
    }
    return section + " / " + label;
}

std::string SettingDifference::Shown(std::string_view value, bool shown) {
    if (!shown) {
        return std::string(kNotShownText);
    }
    return std::string(value.empty() ? kEmptyValueText : value);
}

std::string SettingDifference::Text() const {
    return Name() + ": " + Shown(thisValue, inThis) + " -> " + Shown(otherValue, inOther);
}

std::vector<SettingDifference> CompareImages(const ReceiverImage& mine, const ReceiverImage& other,
                                             ModelProfile& profile,
                                             std::optional<TransferScope> carriedBy) {
    const ReceiverImage compared = carriedBy ? WithUncarriedFrom(mine, other, *carriedBy) : other;
    const std::vector<ReportSetting> ours = ReportSettings(mine, profile);
    const std::vector<ReportSetting> theirs = ReportSettings(compared, profile);

    // Settings are matched by key, in order where a key repeats.
    std::unordered_map<std::string, std::deque<std::size_t>> byKey;
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        byKey[theirs[i].key].push_back(i);
    }
    std::vector<bool> matched(theirs.size(), false);
    std::vector<SettingDifference> differences;
    for (const ReportSetting& s : ours) {
        std::string otherValue;
        bool inOther = false;
        auto found = byKey.find(s.key);
        if (found != byKey.end() && !found->second.empty()) {
            const std::size_t at = found->second.front();
            found->second.pop_front();
            matched[at] = true;
            otherValue = theirs[at].value;
            inOther = true;
        }
        if (!inOther || otherValue != s.value) {
            differences.push_back(
                {s.section, s.label, s.value, std::move(otherValue), true, inOther});
        }
    }
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        if (!matched[i]) {
            differences.push_back(
                {theirs[i].section, theirs[i].label, {}, theirs[i].value, false, true});
        }
    }
    if (differences.empty()) {
        return ByteDifferences(mine, compared);
    }
    return differences;
}

}  // namespace tra1
