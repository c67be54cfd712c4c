#include "storage/FileIO.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "TestFiles.h"

namespace twistor::storage {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(AtomicWrite, CreatesAndReplacesLeavingNothingElse) {
    TempFolder folder;
    const auto path = folder / "lake.cube";
    ASSERT_TRUE(WriteFileAtomically(path, "first\r\n").ok());
    EXPECT_EQ(ReadBytes(path), "first\r\n");
    ASSERT_TRUE(WriteFileAtomically(path, std::string(100'000, 'x')).ok());
    EXPECT_EQ(ReadBytes(path), std::string(100'000, 'x'));
    ASSERT_TRUE(WriteFileAtomically(path, "").ok());
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"lake.cube"});
}

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);  // a failed write instead of a killed process
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

struct FailureCase {
    const char* name;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
    // Prepares the folder and returns the path to write to.
    std::function<fs::path(const TempFolder&)> setUp;
    const char* reason;
    bool fillTheDisk = false;
};

class FailedWrite : public ::testing::TestWithParam<FailureCase> {};

// Tests run as root, for whom read-only folders do not stop a write: the
// failures come from paths that cannot exist and from a file size limit.
TEST_P(FailedWrite, ReportsTheFileAndReasonAndLosesNothing) {
    TempFolder folder;
    WriteBytes(folder / "keep.cube", "kept");
    const fs::path path = GetParam().setUp(folder);
    const std::vector<std::string> before = folder.Entries();

    WriteStatus status;
    {
        std::optional<FileSizeLimit> limit;
        if (GetParam().fillTheDisk) limit.emplace(1000);
        status = WriteFileAtomically(path, std::string(100'000, 'y'));
    }

    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error.find(path.string()), std::string::npos) << status.error;
    EXPECT_NE(status.error.find(GetParam().reason), std::string::npos) << status.error;
    EXPECT_EQ(folder.Entries(), before);
    EXPECT_EQ(ReadBytes(folder / "keep.cube"), "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FailedWrite,
    ::testing::Values(FailureCase{"MissingFolder",
                                  [](const TempFolder& f) { return f / "nowhere" / "x.cube"; },
                                  "No such file or directory"},
                      FailureCase{"ParentIsAFile",
                                  [](const TempFolder& f) { return f / "keep.cube" / "x.cube"; },
                                  "Not a directory"},
                      FailureCase{"DiskFull", [](const TempFolder& f) { return f / "keep.cube"; },
                                  "File too large", true}),
    [](const auto& test) { return std::string(test.param.name); });

class BoundedRead : public ::testing::TestWithParam<std::size_t> {};

TEST_P(BoundedRead, ReadsUpToTheBoundAndRefusesBeyond) {
    constexpr std::uintmax_t kBound = 70'000;  // more than one read chunk
    TempFolder folder;
    const std::string bytes(GetParam(), 'z');
    WriteBytes(folder / "f", bytes);
    const FileRead read = ReadSmallFile(folder / "f", kBound);
    EXPECT_TRUE(read.found);
    if (GetParam() <= kBound) {
        EXPECT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(read.bytes, bytes);
    } else {
        EXPECT_FALSE(read.ok());
        EXPECT_NE(read.error.find("too large"), std::string::npos) << read.error;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BoundedRead, ::testing::Values(0, 65'537, 70'000, 70'001));

}  // namespace
}  // namespace twistor::storage
