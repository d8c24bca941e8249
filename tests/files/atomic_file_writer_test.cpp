#include "platform/files/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tra1::files {
namespace {

namespace fs = std::filesystem;

// A scratch folder of its own per test, removed afterwards.
class AtomicFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tra1-atomic-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        ASSERT_NE(::mkdtemp(buffer.data()), nullptr);
        folder_ = buffer.data();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Put(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static mode_t ModeOf(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    }
    // Names in the folder, to see that no temporary file was left behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

TEST_F(AtomicFileWriterTest, NewFileGetsTheTextAndTheUsersDefaultPermissions) {
    const std::string path = PathOf("report.txt");
    const mode_t mask = ::umask(0022);
    const std::string error = WriteFileAtomically(path, std::string_view("line 1\r\nline 2\r\n"));
    ::umask(mask);
    EXPECT_EQ(error, "");
    EXPECT_EQ(Read(path), "line 1\r\nline 2\r\n");
    EXPECT_EQ(ModeOf(path), 0644u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"report.txt"});
}

TEST_F(AtomicFileWriterTest, ReplacingAFileKeepsItsPermissionsAndLeavesNoTemporaryFile) {
    const std::string path = PathOf("living-room.tcf");
    Put(path, "old contents that are longer than the new ones");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(path));
    ASSERT_TRUE(writer.Write(std::string_view("new ")));
    const std::vector<std::uint8_t> bytes{'b', 'y', 't', 'e', 's', 0};
    ASSERT_TRUE(writer.Write(bytes));
    // Until the commit the old file is whole.
    EXPECT_EQ(Read(path), "old contents that are longer than the new ones");
    ASSERT_TRUE(writer.Commit()) << writer.Error();

    EXPECT_EQ(Read(path), std::string("new bytes\0", 10));
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"living-room.tcf"});
    EXPECT_FALSE(writer.IsOpen());
}

TEST_F(AtomicFileWriterTest, ALinkIsFollowedAndStaysALink) {
    fs::create_directory(folder_ / "real");
    const std::string target = PathOf("real/setup.tcf");
    Put(target, "before");
    const std::string link = PathOf("setup.tcf");
    fs::create_symlink("real/setup.tcf", link);

    EXPECT_EQ(WriteFileAtomically(link, std::string_view("after")), "");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(Read(target), "after");
}

TEST_F(AtomicFileWriterTest, FailuresNameTheReasonAndLeaveTheOldFileAsItWas) {
    // No such folder: nothing is created anywhere.
    EXPECT_EQ(WriteFileAtomically(PathOf("missing/report.txt"), std::string_view("x")),
              "No such file or directory");

    // The target is a folder: the rename is refused, the folder and its contents stay, and the
    // temporary file is gone.
    fs::create_directory(folder_ / "taken");
    Put(PathOf("taken/inside.txt"), "kept");
    EXPECT_NE(WriteFileAtomically(PathOf("taken"), std::string_view("x")), "");
    EXPECT_EQ(Read(PathOf("taken/inside.txt")), "kept");
    EXPECT_EQ(Entries(), std::vector<std::string>{"taken"});

    // A writer used without Open reports it.
    AtomicFileWriter closed;
    EXPECT_FALSE(closed.Write(std::string_view("x")));
    EXPECT_FALSE(closed.Commit());
    EXPECT_NE(closed.Error(), "");
}

TEST_F(AtomicFileWriterTest, AnAbandonedSaveLeavesNothingBehind) {
    const std::string path = PathOf("memo.txt");
    Put(path, "original");
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        ASSERT_TRUE(writer.Write(std::string_view("half")));
        EXPECT_EQ(Entries().size(), 2u);  // the target and the temporary file
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{"memo.txt"});
    EXPECT_EQ(Read(path), "original");

    AtomicFileWriter discarded;
    ASSERT_TRUE(discarded.Open(path));
    EXPECT_FALSE(discarded.Open(path));  // one save at a time
    discarded.Discard();
    EXPECT_EQ(Entries(), std::vector<std::string>{"memo.txt"});
}

}  // namespace
}  // namespace tra1::files
