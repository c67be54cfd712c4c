#include "storage/FileIO.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <iostream>
#include <thread>

#include "TestFiles.h"
#include "storage/Puzzle.h"
#include "storage/Settings.h"

namespace twistor::storage {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 07777;
}

TEST(AtomicWrite, CreatesAndReplacesLeavingNothingElse) {
    TempFolder folder;
    const auto path = folder / "lake.cube";
    const mode_t umask = ::umask(027);
    ASSERT_TRUE(WriteFileAtomically(path, "first\r\n").ok());
    EXPECT_EQ(ReadBytes(path), "first\r\n");
    EXPECT_EQ(ModeOf(path), 0640u) << "a new file gets what the umask leaves";
    ::umask(umask);
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

// What any user meets, root included; permissions are tested further down.
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
    EXPECT_TRUE(Contains(status.error, path.string())) << status.error;
    EXPECT_TRUE(Contains(status.error, GetParam().reason)) << status.error;
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
                                  "File too large", true},
                      FailureCase{"Pipe",
                                  [](const TempFolder& f) {
                                      ::mkfifo((f / "pipe.cube").c_str(), 0644);
                                      return f / "pipe.cube";
                                  },
                                  "it is not a regular file"},
                      FailureCase{"Folder",
                                  [](const TempFolder& f) {
                                      fs::create_directory(f / "dir.cube");
                                      return f / "dir.cube";
                                  },
                                  "it is not a regular file"},
                      FailureCase{"SymbolicLink",
                                  [](const TempFolder& f) {
                                      fs::create_symlink("keep.cube", f / "link.cube");
                                      return f / "link.cube";
                                  },
                                  "it is a symbolic link"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BoundedRead, ReadsUpToTheBoundAndRefusesBeyondOrAnythingButAFile) {
    constexpr std::uintmax_t kBound = 70'000;  // more than one read chunk
    TempFolder folder;
    for (const std::size_t size : {0, 65'537, 70'000, 70'001}) {
        const std::string bytes(size, 'z');
        WriteBytes(folder / "f", bytes);
        const FileRead read = ReadSmallFile(folder / "f", kBound);
        EXPECT_TRUE(read.found);
        EXPECT_EQ(read.ok(), size <= kBound) << size << ": " << read.error;
        EXPECT_EQ(read.bytes, size <= kBound ? bytes : "");
        if (size > kBound) {
            EXPECT_TRUE(Contains(read.error, "too large")) << read.error;
        }
    }
    for (const char* device : {"/dev/zero", "/dev/null"}) {
        const FileRead read = ReadSmallFile(device, kBound);
        EXPECT_TRUE(read.found);
        EXPECT_TRUE(Contains(read.error, "not a regular file")) << read.error;
    }
}

// Runs `body` as a user who is not root, as a player is, with the folder as
// that user's own and the umask 022: directly when the test is not root,
// otherwise in a child process that has given up root for the user nobody.
// Failures in the child are printed as they happen and fail the test.
void AsPlayer(const TempFolder& folder, const std::function<void()>& body) {
    if (::geteuid() != 0) {
        const mode_t umask = ::umask(022);
        body();
        ::umask(umask);
        return;
    }
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody != nullptr ? nobody->pw_uid : 65534;
    const gid_t gid = nobody != nullptr ? nobody->pw_gid : 65534;
    ASSERT_EQ(::chown(folder.Path().c_str(), uid, gid), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(77);
        ::umask(022);
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "this system does not let the test give up root for user " << uid;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the part run as user " << uid << " failed";
}

using Writer = WriteStatus (*)(const fs::path&);

WriteStatus WritePuzzle(const fs::path& path) {
    return SavePuzzle(path, testing::ScrambledPuzzle(3, 5, 1));
}
WriteStatus WriteSettings(const fs::path& path) {
    return SaveSettings(path, Settings{});
}
bool ReadsBack(const fs::path& path) {
    if (path.extension() == ".cube") return LoadPuzzle(path).puzzle.has_value();
    const SettingsRead read = ReadSettings(path);
    return read.found && read.problems.empty();
}

// Refused: the message names the file and the reason, and the file and the
// folder are as they were.
void ExpectRefused(const TempFolder& folder, const fs::path& path, Writer write) {
    const std::vector<std::string> entries = folder.Entries();
    const mode_t mode = ModeOf(path);
    const WriteStatus status = write(path);
    EXPECT_FALSE(status.ok()) << path;
    EXPECT_TRUE(Contains(status.error, "cannot save " + path.string() + ": you may not write"))
        << status.error;
    EXPECT_EQ(ModeOf(path), mode);
    EXPECT_EQ(folder.Entries(), entries);
}

TEST(ProtectedFiles, ASaveReplacesOnlyWhatThePlayerMayWriteAndCanAlwaysReadItBack) {
    TempFolder folder;
    AsPlayer(folder, [&] {
        for (const Writer write : {WritePuzzle, WriteSettings}) {
            const char* ending = write == WritePuzzle ? ".cube" : ".settings";
            for (const mode_t mode : {0444, 0400, 0000, 0200, 0640, 0604}) {
                const fs::path path = folder / (std::to_string(mode) + ending);
                WriteBytes(path, "the player's own");
                ASSERT_EQ(::chmod(path.c_str(), mode), 0);
                if ((mode & 0200) == 0) {
                    ExpectRefused(folder, path, write);
                    ::chmod(path.c_str(), 0600);
                    EXPECT_EQ(ReadBytes(path), "the player's own");
                } else {
                    EXPECT_TRUE(write(path).ok()) << path;
                    EXPECT_EQ(ModeOf(path), mode | 0600) << path;
                    EXPECT_TRUE(ReadsBack(path)) << path;
                }
            }
            const fs::path fresh = folder / (std::string("new") + ending);
            EXPECT_TRUE(write(fresh).ok());
            EXPECT_EQ(ModeOf(fresh), 0644u);
        }

        // An unreadable file is refused by the readers with the reason.
        WriteBytes(folder / "locked.cube", "x");
        ::chmod((folder / "locked.cube").c_str(), 0);
        const std::string error = LoadPuzzle(folder / "locked.cube").error;
        EXPECT_TRUE(Contains(error, "locked.cube: you may not read this file")) << error;
        ::rename((folder / "locked.cube").c_str(), (folder / kSettingsFileName).c_str());
        const SettingsRead read = ReadSettings(folder / kSettingsFileName);
        EXPECT_EQ(read.settings, Settings{});
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_TRUE(Contains(read.problems[0], "you may not read")) << read.problems[0];

        // A folder the player may not write to takes no new file.
        ::chmod(folder.Path().c_str(), 0555);
        const WriteStatus status = WritePuzzle(folder / "lake.cube");
        EXPECT_TRUE(Contains(status.error, "cannot create a file in " + folder.Path().string() +
                                               ": Permission denied"))
            << status.error;
        ::chmod(folder.Path().c_str(), 0755);
        EXPECT_FALSE(fs::exists(folder / "lake.cube"));
    });
}

TEST(ProtectedFiles, AnotherUsersFileIsReplacedOnlyWhereTheyLetThePlayerWrite) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make a file of another user here";
    TempFolder folder;
    for (const char* name : {"theirs.cube", "theirs.settings", "shared.cube"}) {
        WriteBytes(folder / name, "root's own");
        ::chmod((folder / name).c_str(), name[0] == 's' ? 0666 : 0644);
    }
    AsPlayer(folder, [&] {
        ExpectRefused(folder, folder / "theirs.cube", WritePuzzle);
        ExpectRefused(folder, folder / "theirs.settings", WriteSettings);
        EXPECT_TRUE(WritePuzzle(folder / "shared.cube").ok());
        EXPECT_EQ(ModeOf(folder / "shared.cube"), 0666u);
        EXPECT_TRUE(ReadsBack(folder / "shared.cube"));
    });
    for (const char* name : {"theirs.cube", "theirs.settings"}) {
        EXPECT_EQ(ReadBytes(folder / name), "root's own");
    }
}

// A child process that is killed when it goes out of scope.
class Child {
  public:
    explicit Child(const std::function<void()>& body) : pid_(::fork()) {
        if (pid_ == 0) {
            body();
            ::_exit(0);
        }
    }
    ~Child() {
        if (pid_ > 0) Kill();
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return pid_ > 0; }
    void Kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_;
};

// The name is swapped between a regular file and a pipe with no writer, as
// fast as a process can: a reader that checked the name and then opened it
// would sooner or later wait for ever for the pipe's writer.
TEST(BoundedRead, APipeSwappedInAtTheNameNeverBlocks) {
    TempFolder folder;
    const fs::path path = folder / "lake.cube";
    WriteBytes(path, "x");
    const Child swapper([&] {
        for (;;) {
            WriteBytes(folder / "file", "x");
            ::rename((folder / "file").c_str(), path.c_str());
            ::mkfifo((folder / "pipe").c_str(), 0644);
            ::rename((folder / "pipe").c_str(), path.c_str());
        }
    });
    ASSERT_TRUE(swapper.Started());
    int files = 0;
    int pipes = 0;
    ::alarm(60);  // a reader that blocks ends the test instead of hanging it
    for (int k = 0; k < 3000 || files == 0 || pipes == 0; ++k) {
        const FileRead read = ReadSmallFile(path, 100);
        if (read.ok()) {
            EXPECT_EQ(read.bytes, "x");
            ++files;
        } else {
            EXPECT_EQ(read.error, path.string() + ": not a regular file");
            ++pipes;
        }
    }
    ::alarm(0);
}

// A save killed at any moment: the name holds the whole old or the whole new
// puzzle, and whatever the killed save left is gone after the next start or
// the next save.
TEST(InterruptedSave, LeavesAWholeFileAndNothingPastTheNextStartOrSave) {
    TempFolder folder;
    const fs::path path = folder / "lake.cube";
    const Puzzle puzzles[] = {testing::ScrambledPuzzle(20, 3000, 1),
                              testing::ScrambledPuzzle(19, 2000, 2)};
    const std::string texts[] = {FormatPuzzle(puzzles[0]), FormatPuzzle(puzzles[1])};
    ASSERT_TRUE(SavePuzzle(path, puzzles[0]).ok());

    // Kills spread evenly over a few saves' time.
    const auto started = std::chrono::steady_clock::now();
    for (int k = 0; k < 4; ++k) ASSERT_TRUE(SavePuzzle(path, puzzles[k % 2]).ok());
    const auto oneSave = (std::chrono::steady_clock::now() - started) / 4;

    constexpr int kKills = 60;
    int leftBehind = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        Child saver([&] {
            for (int k = 0;; ++k) (void)SavePuzzle(path, puzzles[k % 2]);
        });
        ASSERT_TRUE(saver.Started());
        std::this_thread::sleep_for(oneSave * (kill % 20) / 10);
        saver.Kill();

        const std::string text = ReadBytes(path);
        EXPECT_TRUE(text == texts[0] || text == texts[1]) << "kill " << kill;
        if (folder.Entries().size() > 1) ++leftBehind;
        if (kill % 2 == 0) {
            RemoveStaleTemporaries(folder.Path());  // as the game's start does
        } else {
            ASSERT_TRUE(SaveSettings(folder / kSettingsFileName, Settings{}).ok());
            fs::remove(folder / kSettingsFileName);
        }
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"lake.cube"}) << "kill " << kill;
    }
    std::cout << leftBehind << " of " << kKills << " kills left a temporary file behind\n";
}

TEST(InterruptedSave, OnlyTheGamesOwnUnheldTemporariesAreRemoved) {
    TempFolder folder;
    const char* stale[] = {".twistor-12-0.tmp", ".twistor-99999999-123.tmp"};
    const char* others[] = {".twistor-12-0.tmp.bak", ".twistor-x-1.tmp", ".twistor-12.tmp",
                            "twistor-12-0.tmp",      ".twistor--1.tmp",  "lake.cube",
                            ".twistor-1-2.TMP"};
    for (const char* name : stale) WriteBytes(folder / name, "half a puz");
    for (const char* name : others) WriteBytes(folder / name, "someone's");
    // A temporary that a running save holds (a lock on another open file
    // stops the removal even within one process), and a link that looks
    // like one.
    WriteBytes(folder / ".twistor-7-7.tmp", "being written");
    const int held = ::open((folder / ".twistor-7-7.tmp").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    fs::create_symlink("lake.cube", folder / ".twistor-8-8.tmp");

    RemoveStaleTemporaries(folder.Path());
    std::vector<std::string> expected(std::begin(others), std::end(others));
    expected.push_back(".twistor-7-7.tmp");
    expected.push_back(".twistor-8-8.tmp");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.Entries(), expected);
    for (const char* name : others) EXPECT_EQ(ReadBytes(folder / name), "someone's");
    ::close(held);
    RemoveStaleTemporaries(folder.Path());
    EXPECT_FALSE(fs::exists(folder / ".twistor-7-7.tmp")) << "once the save is gone";
}

}  // namespace
}  // namespace twistor::storage
