// The house keeps its layers: every #include of the project's own sources points down or
// sideways as the table below allows, Qt is included only by the front end and the programs,
// and the explicit lists name every panel and every resource maker there is. The table is the
// one in the README's layout section; a new folder needs a row here before it may hold code.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tra1 {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = TRA1_SOURCE_DIR;

// What each folder may include besides itself. "*" allows every folder.
const std::map<std::string, std::set<std::string>>& AllowedArrows() {
    static const std::map<std::string, std::set<std::string>> arrows{
        {"model", {}},
        {"platform/win", {}},
        {"platform/serial", {}},
        {"platform/files", {}},
        {"platform/qt", {"platform/win", "platform/serial"}},
        {"resources", {"platform/win"}},
        {"link", {"model", "platform/win", "platform/serial"}},
        {"sim", {"model", "platform/win", "platform/serial"}},
        {"panels", {"link", "model", "platform/win"}},
        {"app",
         {"panels", "link", "model", "platform/win", "platform/serial", "platform/files",
          "resources"}},
        {"programs",
         {"app", "panels", "link", "model", "sim", "resources", "platform/win", "platform/serial",
          "platform/files", "platform/qt"}},
        {"fuzz",
         {"app", "panels", "link", "model", "sim", "resources", "platform/win", "platform/serial",
          "platform/files"}},
        {"bench", {"*"}},
        {"tests", {"*"}},
    };
    return arrows;
}

// The folders that may include Qt.
const std::set<std::string> kQtFolders{"platform/qt", "programs", "tests"};

// The layer folder of a path relative to the source tree: its first part, or its first two for
// the platform's folders. Empty for a path outside every layer.
std::string FolderOf(const std::string& path) {
    const auto slash = path.find('/');
    if (slash == std::string::npos) {
        return {};
    }
    std::string first = path.substr(0, slash);
    if (first == "platform") {
        const auto second = path.find('/', slash + 1);
        return second == std::string::npos ? std::string() : path.substr(0, second);
    }
    return first;
}

bool IsSource(const fs::path& path) {
    const auto extension = path.extension();
    return extension == ".cpp" || extension == ".h";
}

// Every .cpp and .h of the project's own folders, relative to the source tree. Build trees and
// hidden folders are not the project's.
std::vector<std::string> ProjectSources() {
    std::vector<std::string> sources;
    for (const auto& top : fs::directory_iterator(kSourceDir)) {
        const std::string name = top.path().filename().string();
        if (!top.is_directory() || name.starts_with('.') || name.starts_with("build")) {
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(top.path())) {
            if (entry.is_regular_file() && IsSource(entry.path())) {
                sources.push_back(fs::relative(entry.path(), kSourceDir).generic_string());
            }
        }
    }
    std::sort(sources.begin(), sources.end());
    return sources;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Include {
    std::string target;
    bool angled = false;
};

std::vector<Include> IncludesOf(const std::string& text) {
    static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> includes;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch match;
        if (std::regex_search(line, match, kInclude)) {
            includes.push_back({match[2].str(), match[1].str() == "<"});
        }
    }
    return includes;
}

bool IsQtHeader(const std::string& target) {
    return target.size() > 1 && target[0] == 'Q' &&
           (std::isupper(static_cast<unsigned char>(target[1])) || target.starts_with("Qt"));
}

TEST(Layers, EveryIncludePointsDownAndOnlyTheFrontEndAndTheProgramsIncludeQt) {
    const auto& arrows = AllowedArrows();
    const std::vector<std::string> sources = ProjectSources();
    ASSERT_GT(sources.size(), 100u) << "the source tree was not found at " << kSourceDir;
    std::vector<std::string> wrong;
    for (const std::string& source : sources) {
        const std::string from = FolderOf(source);
        const auto allowed = arrows.find(from);
        if (allowed == arrows.end()) {
            wrong.push_back(source + ": folder '" + from + "' has no row in the layer table");
            continue;
        }
        for (const Include& include : IncludesOf(ReadFile(kSourceDir / source))) {
            if (include.angled) {
                if (IsQtHeader(include.target) && !kQtFolders.contains(from)) {
                    wrong.push_back(source + " includes Qt: <" + include.target + ">");
                }
                continue;
            }
            const std::string to = FolderOf(include.target);
            if (to.empty() || to == from || !arrows.contains(to)) {
                continue;  // the folder's own header, or not one of the project's folders
            }
            if (!allowed->second.contains("*") && !allowed->second.contains(to)) {
                wrong.push_back(source + " -> " + include.target + " (" + from + " -> " + to +
                                " points up or sideways)");
            }
        }
    }
    EXPECT_TRUE(wrong.empty()) << [&] {
        std::string text;
        for (const std::string& line : wrong) {
            text += line + "\n";
        }
        return text;
    }();
}

// The names in `text` that `pattern`'s first group catches.
std::set<std::string> Captures(const std::string& text, const std::regex& pattern) {
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        names.insert((*it)[1].str());
    }
    return names;
}

TEST(Layers, TheListOfPanelsNamesEveryPanelClass) {
    std::set<std::string> classes;
    for (const auto& entry : fs::directory_iterator(kSourceDir / "panels")) {
        if (entry.path().extension() == ".h") {
            const auto found =
                Captures(ReadFile(entry.path()),
                         std::regex(R"(class\s+(\w+)\s+final\s*:\s*public\s+PanelDlg)"));
            classes.insert(found.begin(), found.end());
        }
    }
    ASSERT_FALSE(classes.empty());
    const auto listed =
        Captures(ReadFile(kSourceDir / "panels/panel_list.cpp"), std::regex(R"(Entry<(\w+)>\(\))"));
    EXPECT_EQ(listed, classes);
}

TEST(Layers, TheProgramsResourcesNameEveryMaker) {
    const auto declared = Captures(ReadFile(kSourceDir / "resources/resource_makers.h"),
                                   std::regex(R"(\b(Make\w+)\(\);)"));
    ASSERT_FALSE(declared.empty());
    const auto listed = Captures(ReadFile(kSourceDir / "resources/program_resources.cpp"),
                                 std::regex(R"(\b(Make\w+)\b)"));
    for (const std::string& maker : declared) {
        EXPECT_TRUE(listed.contains(maker)) << maker << " is not in program_resources.cpp";
    }
}

}  // namespace
}  // namespace tra1
