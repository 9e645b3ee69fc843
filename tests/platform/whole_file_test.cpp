// The whole-file seam kivo6-check's --fix stands on: the reasons a file cannot be
// read, and a replacement that a failure just before the rename leaves undone,
// original intact and no temporary file behind. The backups, which never overwrite,
// are tested through kivo6-check --fix, which numbers them.
#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

class WholeFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kivo6-whole-file-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        ReplaceFileContentsBeforeRename = nullptr;
        fs::remove_all(folder_);
    }
    std::string Path(const char* name) const {
        return (folder_ / name).string();
    }
    void Write(const char* name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }
    std::string Read(const char* name) const {
        std::string bytes;
        EXPECT_EQ(ReadWholeFile(Path(name).c_str(), bytes), FileProblem::None) << name;
        return bytes;
    }
    int Entries() const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder_), {}));
    }

    fs::path folder_;
};

// A folder and a file's bytes as they are: the file check's and --add's cases see them.
TEST_F(WholeFile, SaysWhyAFileCannotBeRead) {
    std::string bytes = "left over";
    EXPECT_EQ(ReadWholeFile(Path("missing.txt").c_str(), bytes), FileProblem::Missing);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(ProbeFile(Path("missing/data.txt").c_str()), FileProblem::Missing);
    EXPECT_TRUE(NameTaken(folder_.string().c_str()));
}

TEST_F(WholeFile, ReplacementIsWholeOrNotAtAll) {
    Write("data.txt", "original");
    ASSERT_EQ(ReplaceFileContents(Path("data.txt").c_str(), "replaced"), ReplaceProblem::None);
    EXPECT_EQ(Read("data.txt"), "replaced");

    static std::string seen;
    ReplaceFileContentsBeforeRename = [](const char* temporary) {
        ReadWholeFile(temporary, seen);
        return false;
    };
    EXPECT_EQ(ReplaceFileContents(Path("data.txt").c_str(), "half"), ReplaceProblem::Failed);
    EXPECT_EQ(seen, "half") << "the temporary file was not whole before the rename";
    EXPECT_EQ(Read("data.txt"), "replaced");
    EXPECT_EQ(Entries(), 1) << "a temporary file was left behind";
}

} // namespace
