#include "app/report_settings.h"

#include <array>
#include <cstddef>
#include <map>
#include <string_view>
#include <utility>

#include "app/configuration_report.h"

namespace tra1 {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kJoin = " / ";
constexpr std::string_view kTopLevel = "+ ";
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kInputOriginal = " ( original name = ";
constexpr std::string_view kInputHeaderEnd = " )";
// The user memo section prints the memo as it is; its lines are joined with this.
constexpr std::string_view kMemoLineJoin = " | ";
constexpr std::string_view kMemoLabel = "User Memo";

// Labels the report spells one way for one value and another way for the other; the key and
// the name a compare shows use the first spelling, so that the setting is the same setting, and
// reads the same, whatever its value.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kSameLabel{{
    {"On Screen Display", "On Screen Disply"},
    {"Component OSD", "ComponentOSD"},
}};

std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return std::string(text.substr(first, last - first + 1));
}

bool IsRule(std::string_view line) {
    return !line.empty() && (line.front() == '+' || line.front() == '=') &&
           line.find_first_not_of(line.front()) == std::string_view::npos;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(kEol);
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + kEol.size());
    }
    return lines;
}

// The parts joined by " / ", leaving out empty parts and a part equal to the one before it
// (the "Speaker Level" group of the "Speaker Level" section).
std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    std::string_view previous;
    for (std::string_view part : parts) {
        if (part.empty() || part == previous) {
            continue;
        }
        if (!text.empty()) {
            text += kJoin;
        }
        text += part;
        previous = part;
    }
    return text;
}

std::string_view LastPart(std::string_view label) {
    const std::size_t at = label.rfind(kJoin);
    return at == std::string_view::npos ? label : label.substr(at + kJoin.size());
}

std::string WithQualifier(std::string_view label, std::string_view qualifier) {
    const std::size_t at = label.rfind(kJoin);
    if (at == std::string_view::npos) {
        return Joined({qualifier, label});
    }
    return Joined({label.substr(0, at), qualifier, label.substr(at + kJoin.size())});
}

std::string_view KeyLabel(std::string_view label) {
    for (const auto& [first, other] : kSameLabel) {
        if (label == other) {
            return first;
        }
    }
    return label;
}

// Where the ": " of a "label : value" line is: after the label's tabs or blank, so that a
// colon inside a value ("16:9 Normal") or an input name is not taken for it.
std::size_t ColonOf(std::string_view body) {
    for (std::string_view mark : {std::string_view("\t:"), std::string_view(" :")}) {
        const std::size_t at = body.find(mark);
        if (at != std::string_view::npos) {
            return at + 1;
        }
    }
    return body.find(':');
}

class ReportReader {
public:
    void Read(std::string_view chunk) {
        const std::vector<std::string_view> lines = SplitLines(chunk);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (IsRule(lines[i])) {
                if (i + 2 < lines.size() && IsRule(lines[i + 2]) && lines[i].front() == '+') {
                    StartSection(Trim(lines[i + 1]));
                    i += 2;
                    if (section_ == kMemoLabel) {
                        ReadMemo(lines, i + 1);
                        return;
                    }
                }
                continue;
            }
            ReadLine(lines[i]);
        }
    }

    std::vector<ReportSetting> Finish() {
        TellRepeatsApart();
        return std::move(settings_);
    }

private:
    void StartSection(std::string title) {
        section_ = std::move(title);
        subsection_.clear();
        SetGroup1({});
    }

    void SetGroup1(std::string group) {
        // The "Speaker Level" group of the "Speaker Level" section adds nothing to a name.
        group1_ = group == section_ ? std::string{} : std::move(group);
        group2_.clear();
        row_ = 0;
    }

    void ReadMemo(const std::vector<std::string_view>& lines, std::size_t first) {
        std::string memo;
        for (std::size_t i = first; i < lines.size(); ++i) {
            if (i > first) {
                memo += kMemoLineJoin;
            }
            memo += lines[i];
        }
        Add(std::string(kMemoLabel), Trim(memo), {});
    }

    void ReadLine(std::string_view line) {
        if (Trim(line).empty()) {
            return;
        }
        // "1. NAME ( original name = PHONO )" leads an input's lines.
        const std::size_t original = line.find(kInputOriginal);
        const std::size_t dot = line.find(". ");
        if (original != std::string_view::npos && dot < original &&
            line.ends_with(kInputHeaderEnd)) {
            const std::size_t nameStart = original + kInputOriginal.size();
            subsection_ =
                Trim(line.substr(nameStart, line.size() - kInputHeaderEnd.size() - nameStart));
            SetGroup1({});
            Add(Joined({subsection_, "Name"}), Trim(line.substr(dot + 2, original - dot - 2)), {});
            return;
        }
        const bool top = line.starts_with(kTopLevel);
        const std::string_view body = top ? line.substr(kTopLevel.size()) : line;
        const std::size_t colon = ColonOf(body);
        if (colon == std::string_view::npos) {
            const std::size_t equals = body.find(" = ");
            if (equals != std::string_view::npos) {
                // "Night Mode = ON" closes the input lines.
                subsection_.clear();
                SetGroup1({});
                Add(Trim(body.substr(0, equals)), Trim(body.substr(equals + 3)), {});
            } else if (section_.empty()) {
                // The header's title line.
            } else if (top) {
                SetGroup1(Trim(body));
            } else {
                group2_ = Trim(body);
                row_ = 0;
            }
            return;
        }
        std::string label = Trim(body.substr(0, colon));
        std::string value = Trim(body.substr(colon + 1));
        if (top) {
            // A line with nothing after the colon may lead a group ("Preset Stations") or be a
            // value the report prints as nothing (an input with no jacks); as a setting, a
            // group's line is empty in every image and never differs.
            Add(Joined({subsection_, label}), std::move(value), {});
            SetGroup1(std::move(label));
            return;
        }
        std::string full = Joined({subsection_, group1_, group2_, label});
        std::string key;
        if (section_ == ConfigurationReport::kDcTriggerTitle) {
            // A trigger's rows are named by the inputs' own names: the row number is the setting.
            key = Joined({section_, subsection_, group1_, "#" + std::to_string(row_)});
        }
        ++row_;
        Add(std::move(full), std::move(value), std::move(key));
    }

    void Add(std::string label, std::string value, std::string key) {
        if (const std::string_view last = LastPart(label); KeyLabel(last) != last) {
            label = std::string(label.substr(0, label.size() - last.size())) +
                    std::string(KeyLabel(last));
        }
        if (key.empty()) {
            const std::string_view last = LastPart(label);
            const std::string_view groups =
                std::string_view(label).substr(0, label.size() > last.size() + kJoin.size()
                                                      ? label.size() - last.size() - kJoin.size()
                                                      : 0);
            key = Joined({section_, groups, KeyLabel(last)});
        }
        settings_.push_back({section_, std::move(label), std::move(value), std::move(key)});
    }

    // A key that repeats (the PEQ Freq of each CINEMA EQ record) takes the last part of the
    // nearest setting before it in its section whose key does not repeat ("L/C/R").
    void TellRepeatsApart() {
        std::map<std::string, int> count;
        for (const ReportSetting& s : settings_) {
            ++count[s.key];
        }
        std::string_view lead;
        std::string_view leadSection;
        for (ReportSetting& s : settings_) {
            if (count[s.key] == 1) {
                lead = LastPart(s.label);
                leadSection = s.section;
                continue;
            }
            if (!lead.empty() && leadSection == s.section) {
                const std::string qualifier(lead);
                s.label = WithQualifier(s.label, qualifier);
                s.key = WithQualifier(s.key, qualifier);
            }
        }
    }

    std::string section_;
    std::string subsection_;  // the input of the input lines
    std::string group1_;      // a "+ " line
    std::string group2_;      // a line under it without a value
    int row_ = 0;             // value lines since the last group
    std::vector<ReportSetting> settings_;
};

}  // namespace

std::vector<ReportSetting> ReportSettings(const ReceiverImage& image, ModelProfile& profile) {
    ReportReader reader;
    ConfigurationReport(image, profile).Build([&reader](const std::string& chunk) {
        reader.Read(chunk);
    });
    return reader.Finish();
}

}  // namespace tra1
