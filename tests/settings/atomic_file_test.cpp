// Whole-file replacement: a write that fails part-way, at the rename or in
// the writer leaves the target as it was and no temporary file behind.
#include "settings/atomic_file.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "file_size_limit.h"
#include "settings/line_file.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class AtomicFileTest : public ::testing::Test {
 protected:
  AtomicFileTest() {
    std::string pattern = fs::temp_directory_path() / "korvex-atomic-XXXXXX";
    folder_ = ::mkdtemp(pattern.data());
    target_ = folder_ / "report.html";
    std::ofstream(target_, std::ios::binary) << kOld;
  }
  ~AtomicFileTest() override { fs::remove_all(folder_); }

  std::vector<fs::path> Entries() const {
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_))
      entries.push_back(entry.path().filename());
    return entries;
  }

  static constexpr const char* kOld = "the complete old content\r\n";
  fs::path folder_;
  fs::path target_;
};

TEST_F(AtomicFileTest, ReplacesTheWholeFile) {
  ASSERT_TRUE(WriteFileAtomically(target_, "new"));
  EXPECT_EQ(Content(target_), "new");
  ASSERT_TRUE(WriteFileAtomically(folder_ / "fresh.csv", ""));
  EXPECT_TRUE(fs::exists(folder_ / "fresh.csv"));
  EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(AtomicFileTest, AFailedWriteLeavesTheTargetAndNoTemporaryFile) {
  const std::string large(64 * 1024, 'x');
  {
    const testing::FileSizeLimit full(4096);
    EXPECT_FALSE(WriteFileAtomically(target_, large));
    EXPECT_FALSE(WriteLines(target_, {large}));
    EXPECT_FALSE(WriteFileAtomically(folder_ / "new.csv", large));
  }
  // A writer of its own that fails after writing part of its file.
  EXPECT_FALSE(WriteThroughTemporaryFile(target_, [](const fs::path& temporary) {
    std::ofstream(temporary) << "half";
    return false;
  }));
  // A rename that cannot replace what is in the target's place.
  fs::create_directory(folder_ / "taken");
  std::ofstream(folder_ / "taken" / "inside") << "kept";
  EXPECT_FALSE(WriteFileAtomically(folder_ / "taken", "new"));
  EXPECT_FALSE(WriteFileAtomically(folder_ / "missing" / "report.html", "new"));

  EXPECT_EQ(Content(target_), kOld);
  EXPECT_EQ(Content(folder_ / "taken" / "inside"), "kept");
  EXPECT_EQ(Entries().size(), 2u);  // the target and the folder, nothing else
}

}  // namespace
}  // namespace korvex
