#include "programs/ctl/difference_output.h"

#include <ostream>

#include "app/configuration_compare.h"
#include "programs/ctl/json_text.h"

namespace tra1::programs {

void PrintDifferences(std::ostream& out, const std::vector<SettingDifference>& differences,
                      bool json) {
    if (!json) {
        for (const SettingDifference& difference : differences) {
            out << difference.Text() << '\n';
        }
        return;
    }
    out << '[';
    const char* separator = "";
    for (const SettingDifference& difference : differences) {
        out << separator << "\n  {\"setting\": " << JsonString(difference.Name())
            << ", \"section\": " << JsonString(difference.section)
            << ", \"label\": " << JsonString(difference.label)
            << ", \"this\": " << JsonString(difference.thisValue)
            << ", \"other\": " << JsonString(difference.otherValue) << '}';
        separator = ",";
    }
    out << (differences.empty() ? "]\n" : "\n]\n");
}

}  // namespace tra1::programs
