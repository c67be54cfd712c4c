// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "TestFiles.h"
#include "storage/FileIO.h"
#include "storage/Names.h"
#include "storage/Puzzle.h"
#include "storage/Settings.h"

namespace twistor::storage {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Names = std::vector<std::string>;
constexpr NewFile kBothWays[] = {NewFile::UnnamedWherePossible, NewFile::Named};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 07777;
}

// A child process running `body` until Kill() or the end of the scope.
struct Child {
    explicit Child(const std::function<void()>& body) : pid(::fork()) {
        if (pid != 0) return;
        body();
        ::_exit(0);
    }
    ~Child() { Kill(); }
    void Kill() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    pid_t pid;
};

TEST(AtomicWrite, ReplacesWholeOrRefusesSayingWhyAndLosesNothing) {
    TempFolder folder;
    const auto keep = folder / "keep.cube";
    for (const NewFile how : kBothWays) {
        for (const std::string& bytes : {std::string("first"), std::string(100'000, 'x'), {}}) {
            ASSERT_TRUE(WriteFileAtomically(keep, bytes, how).ok());
            EXPECT_EQ(ReadBytes(keep), bytes);
        }
    }
    ::mkfifo((folder / "pipe.cube").c_str(), 0644);
    fs::create_directory(folder / "dir.cube");
    fs::create_symlink("keep.cube", folder / "link.cube");
    const Names before = folder.Entries();
    const std::pair<fs::path, std::string> cases[] = {
        {folder / "nowhere" / "x.cube", "No such file or directory"},
        {keep / "x.cube", "Not a directory"},
        {folder / "pipe.cube", "it is not a regular file"},
        {folder / "dir.cube", "it is not a regular file"},
        {folder / "link.cube", "it is a symbolic link"},
        {keep, "File too large"}};  // the disk full, through a file size limit
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_IGN);  // a failed write instead of a killed process
    for (const auto& [path, reason] : cases) {
        for (const NewFile how : kBothWays) {
            const rlimit limit{reason == "File too large" ? 1000 : old.rlim_cur, old.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const WriteStatus status = WriteFileAtomically(path, std::string(100'000, 'y'), how);
            ::setrlimit(RLIMIT_FSIZE, &old);
            EXPECT_TRUE(Contains(status.error, "cannot save " + path.string() + ": ")) << path;
            EXPECT_TRUE(Contains(status.error, reason)) << status.error;
            EXPECT_EQ(folder.Entries(), before);
            EXPECT_EQ(ReadBytes(keep), "");
        }
    }
}

// Temporary names that running saves hold are passed over and left alone;
// with the first hundred taken, a save refuses.
TEST(AtomicWrite, PassesOverTakenTemporaryNamesAndRefusesPastAHundred) {
    TempFolder folder;
    const fs::path path = folder / "lake.cube";
    std::vector<int> held;
    for (int k = 0; k < 100; ++k) {
        const fs::path name =
            folder / (".twistor-" + std::to_string(::getpid()) + "-" + std::to_string(k) + ".tmp");
        WriteBytes(name, "held");
        held.push_back(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
        ::flock(held.back(), LOCK_EX);
        for (const NewFile how : kBothWays) {
            EXPECT_EQ(WriteFileAtomically(path, std::to_string(k), how).error,
                      k < 99 ? ""
                             : "cannot save " + path.string() + ": cannot create a file in " +
                                   folder.Path().string() + ": File exists");
            EXPECT_EQ(ReadBytes(path), std::to_string(std::min(k, 98)));
            EXPECT_EQ(folder.Entries().size(), k + 2u);
        }
    }
    for (const int fd : held) EXPECT_EQ(::close(fd), 0);
}

TEST(BoundedRead, ReadsUpToTheBoundAndRefusesBeyond) {
    constexpr std::uintmax_t kBound = 70'000;  // more than one read chunk
    TempFolder folder;
    for (const std::size_t size : {0, 65'537, 70'000, 70'001}) {
        WriteBytes(folder / "f", std::string(size, 'z'));
        const FileRead read = ReadSmallFile(folder / "f", kBound);
        EXPECT_TRUE(read.found);
        EXPECT_EQ(read.bytes, std::string(size <= kBound ? size : 0, 'z'));
        EXPECT_EQ(Contains(read.error, "too large"), size > kBound) << size;
    }
    // A regular file whose read fails (as on a disk error) is refused with the reason.
    const FileRead failed = ReadSmallFile("/proc/self/mem", kBound);
    EXPECT_EQ(failed.error, "/proc/self/mem: Input/output error");
    const FileRead missing = ReadSmallFile(folder / "lake.cube", kBound);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.error, (folder / "lake.cube").string() + ": no such file");
}

// The name is swapped between a regular file and a pipe with no writer as
// fast as a process can: a reader that checked the name and then opened it
// would sooner or later wait for ever for the pipe's writer.
TEST(BoundedRead, APipeSwappedInAtTheNameNeverBlocks) {
    TempFolder folder;
    const fs::path path = folder / "lake.cube";
    WriteBytes(path, "x");
    Child swapper([&] {
        for (;;) {
            WriteBytes(folder / "file", "x");
            ::rename((folder / "file").c_str(), path.c_str());
            ::mkfifo((folder / "pipe").c_str(), 0644);
            ::rename((folder / "pipe").c_str(), path.c_str());
        }
    });
    int files = 0;
    int pipes = 0;
    ::alarm(60);  // a reader that blocks ends the test instead of hanging it
    for (int k = 0; k < 3000 || files == 0 || pipes == 0; ++k) {
        const FileRead read = ReadSmallFile(path, 100);
        ++(read.ok() ? files : pipes);
        EXPECT_EQ(read.ok() ? read.bytes : read.error,
                  read.ok() ? "x" : path.string() + ": not a regular file");
    }
    ::alarm(0);
}

// A save killed at any moment, either way of making the new file: the name
// holds the whole old or the whole new puzzle, and what the killed save left
// is gone after the next start or save.
TEST(InterruptedSave, LeavesAWholeFileAndNothingPastTheNextStartOrSave) {
    TempFolder folder;
    const fs::path path = folder / "lake.cube";
    const Puzzle puzzles[] = {testing::ScrambledPuzzle(20, 3000, 1),
                              testing::ScrambledPuzzle(19, 2000, 2)};
    const std::string texts[] = {FormatPuzzle(puzzles[0]), FormatPuzzle(puzzles[1])};
    const auto started = std::chrono::steady_clock::now();
    for (int k = 0; k < 4; ++k) ASSERT_TRUE(SavePuzzle(path, puzzles[k % 2]).ok());
    const auto oneSave = (std::chrono::steady_clock::now() - started) / 4;

    for (int kill = 0; kill < 60; ++kill) {
        const NewFile how = kBothWays[kill % 4 / 2];
        Child saver([&] {
            for (int k = 0;; ++k) (void)WriteFileAtomically(path, texts[k % 2], how);
        });
        std::this_thread::sleep_for(oneSave * (kill % 20) / 10);  // kills spread over two saves
        saver.Kill();
        const std::string text = ReadBytes(path);
        EXPECT_TRUE(text == texts[0] || text == texts[1]) << "kill " << kill;
        if (kill % 2 == 0) {
            RemoveStaleTemporaries(folder.Path());  // as the game's start does
        } else {
            ASSERT_TRUE(SaveSettings(folder / kSettingsFileName, Settings{}).ok());
            fs::remove(folder / kSettingsFileName);
        }
        EXPECT_EQ(folder.Entries(), Names{"lake.cube"}) << "kill " << kill;
    }
}

// Another game's start-up clean-up that comes between a named file's
// creation and its lock takes the file for a leftover: the save goes on under
// a fresh name.
TEST(InterruptedSave, ACleanUpBeforeTheLockCostsOnlyTheName) {
    TempFolder folder;
    int locks = 0;
    const SaveSeams seams{[&] {
                              if (locks++ == 0) RemoveStaleTemporaries(folder.Path());
                          },
                          {}};
    EXPECT_EQ(WriteFileAtomically(folder / "lake.cube", "whole", NewFile::Named, seams).error, "");
    EXPECT_EQ(locks, 2);
    EXPECT_EQ(ReadBytes(folder / "lake.cube"), "whole");
    EXPECT_EQ(folder.Entries(), Names{"lake.cube"});
}

TEST(InterruptedSave, OnlyTheGamesOwnUnheldTemporariesAreRemoved) {
    TempFolder folder;
    const Names others = {".twistor--1.tmp",  ".twistor-1-2.TMP", ".twistor-12-0.tmp.bak",
                          ".twistor-12.tmp",  ".twistor-7-7.tmp", ".twistor-8-8.tmp",
                          ".twistor-x-1.tmp", "lake.cube",        "twistor-12-0.tmp"};
    for (const std::string& name : others) WriteBytes(folder / name, "someone's");
    for (const char* name : {".twistor-12-0.tmp", ".twistor-99999999-123.tmp"}) {
        WriteBytes(folder / name, "half a puz");
    }
    // One that a running save holds (a lock through another open file holds
    // even within one process), and a link that looks like one.
    const int held = ::open((folder / ".twistor-7-7.tmp").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    fs::remove(folder / ".twistor-8-8.tmp");
    fs::create_symlink("lake.cube", folder / ".twistor-8-8.tmp");

    RemoveStaleTemporaries(folder.Path());
    EXPECT_EQ(folder.Entries(), others);
    ::close(held);
    RemoveStaleTemporaries(folder.Path());
    EXPECT_FALSE(fs::exists(folder / ".twistor-7-7.tmp")) << "once its save is gone";
}

// Runs `body` as a user who is not root, as a player is, with the folder as
// that user's own and the umask 022: directly when the test is not root,
// otherwise in a child process that has given up root for the user nobody.
// Failures in the child are printed as they happen and fail the test.
void AsPlayer(const TempFolder& folder, const std::function<void()>& body) {
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = ::geteuid() != 0 ? ::geteuid() : nobody ? nobody->pw_uid : 65534;
    const gid_t gid = ::geteuid() != 0 ? ::getegid() : nobody ? nobody->pw_gid : 65534;
    ASSERT_EQ(::chown(folder.Path().c_str(), uid, gid), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)) {
            ::_exit(77);
        }
        ::umask(022);
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "this system does not let the test give up root for user " << uid;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "as user " << uid;
}

WriteStatus Save(const fs::path& path, NewFile how = NewFile::UnnamedWherePossible) {
    const bool puzzle = path.extension() == ".cube";
    return WriteFileAtomically(
        path, puzzle ? FormatPuzzle(testing::ScrambledPuzzle(3, 5, 1)) : FormatSettings({}), how);
}

bool ReadsBack(const fs::path& path) {
    if (path.extension() == ".cube") return LoadPuzzle(path).puzzle.has_value();
    const SettingsRead read = ReadSettings(path);
    return read.found && read.problems.empty();
}

// The message names the file and the reason; the file and the folder are as
// they were.
void ExpectRefused(const TempFolder& folder, const fs::path& path,
                   NewFile how = NewFile::UnnamedWherePossible) {
    const Names entries = folder.Entries();
    const mode_t mode = ModeOf(path);
    const WriteStatus status = Save(path, how);
    EXPECT_TRUE(Contains(status.error, "cannot save " + path.string() + ": you may not write"))
        << path << ": " << status.error;
    EXPECT_EQ(ModeOf(path), mode);
    EXPECT_EQ(folder.Entries(), entries);
}

TEST(ProtectedFiles, ASaveReplacesOnlyWhatThePlayerMayWriteAndCanAlwaysReadItBack) {
    TempFolder folder;
    AsPlayer(folder, [&] {
        for (const NewFile how : kBothWays) {
            const std::string named = how == NewFile::Named ? "named-" : "";
            for (const char* ending : {".cube", ".settings"}) {
                for (const mode_t mode : {0444, 0400, 0000, 0200, 0640, 0604}) {
                    const fs::path path = folder / (named + std::to_string(mode) + ending);
                    WriteBytes(path, "the player's own");
                    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
                    if ((mode & 0200) == 0) {
                        ExpectRefused(folder, path, how);
                        ::chmod(path.c_str(), 0600);
                        EXPECT_EQ(ReadBytes(path), "the player's own");
                    } else {
                        EXPECT_TRUE(Save(path, how).ok()) << path;
                        EXPECT_EQ(ModeOf(path), mode | 0600) << path;
                        EXPECT_TRUE(ReadsBack(path)) << path;
                    }
                }
                EXPECT_TRUE(Save(folder / (named + "new" + ending), how).ok());
                EXPECT_EQ(ModeOf(folder / (named + "new" + ending)), 0644u);
            }
        }

        // The readers refuse an unreadable file with the reason.
        ::chmod((folder / "new.cube").c_str(), 0);
        const std::string error = LoadPuzzle(folder / "new.cube").error;
        EXPECT_TRUE(Contains(error, "new.cube: you may not read this file")) << error;
        ::chmod((folder / "new.settings").c_str(), 0);
        const SettingsRead read = ReadSettings(folder / "new.settings");
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_TRUE(Contains(read.problems[0], "you may not read")) << read.problems[0];

        // A folder the player may not write to takes no new file; the message
        // names the folder in full, also for a name in the current folder.
        ::chmod(folder.Path().c_str(), 0555);
        ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
        for (const NewFile how : kBothWays) {
            for (const fs::path& path : {folder / "lake.cube", fs::path("lake.cube")}) {
                const std::string status = Save(path, how).error;
                EXPECT_TRUE(Contains(status, "cannot create a file in " + folder.Path().string() +
                                                 ": Permission denied"))
                    << status;
            }
        }
        ::chmod(folder.Path().c_str(), 0755);
    });
}

// Where the file system keeps no modes, or will not set the mode the file
// already has, a save goes on without them; any other failure refuses it.
TEST(ProtectedFiles, AFileSystemWithoutModesStillTakesASave) {
    TempFolder folder;
    const fs::path path = folder / "lake.cube";
    const mode_t umask = ::umask(022);  // a new file is 0644
    const std::tuple<int, mode_t, bool> cases[] = {{ENOSYS, 0600, true},
                                                   {EOPNOTSUPP, 0600, true},
                                                   {EPERM, 0644, true},
                                                   {EPERM, 0600, false},
                                                   {EIO, 0644, false}};
    for (const auto& [err, mode, saved] : cases) {
        for (const NewFile how : kBothWays) {
            WriteBytes(path, "old");
            ::chmod(path.c_str(), mode);
            const SaveSeams seams{{}, [err = err](int, unsigned) {
                                      errno = err;
                                      return -1;
                                  }};
            EXPECT_EQ(WriteFileAtomically(path, "new", how, seams).error,
                      saved ? "" : "cannot save " + path.string() + ": " + std::strerror(err));
            EXPECT_EQ(ReadBytes(path), saved ? "new" : "old");
            EXPECT_EQ(folder.Entries(), Names{"lake.cube"});
        }
    }
    ::umask(umask);
}

using Kind = PuzzleName::Kind;
using testing::TempFolder;
using testing::WriteBytes;

// The file each text in the name box names in the current folder ("lake.cube"
// as picked from a list); nothing where the text is refused, with a message
// that says why.
TEST(NameRule, GivesTheFileInTheCurrentFolderOrRefuses) {
    // clang-format off
    const std::pair<std::string_view, std::string_view> names[] = {
        {"lake", "lake.cube"}, {"lake.cube", "lake.cube"}, {"  lake", "lake.cube"},
        {"  lake.cube", "lake.cube"}, {"lake  ", "lake  .cube"}, {"my.lake.cube", "my.cube"},
        {"a.b", "a.cube"}, {"Lake Two", "Lake Two.cube"}, {"s\xc3\xb8", "s\xc3\xb8.cube"},
        {"   ", ".cube"}, {".x", ".cube"}, {".", ".cube"}, {"..", ".cube"},
        {"../x", ""}, {"a/b", ""}, {"/etc/passwd", ""}, {"a\\b", ""}, {"lake\t", ""},
        {"lake\n", ""}, {std::string_view("la\0ke", 5), ""}, {"del\x7f", ""}};
    // clang-format on
    for (const auto& [box, file] : names) {
        const PuzzleName name = PuzzleFileName(box);
        EXPECT_EQ(name.kind, file.empty() ? Kind::Refused : Kind::File) << box;
        EXPECT_EQ(name.fileName, file) << box;
        EXPECT_EQ(name.message.empty(), !file.empty()) << name.message;
    }
    EXPECT_EQ(PuzzleFileName("").kind, Kind::Nothing);
    EXPECT_EQ(PuzzleFileName("").message, "");
}

// The first and last character of each length of UTF-8 load; one step beyond
// (overlong, a surrogate, above U+10FFFF, a stray or cut sequence) is refused.
TEST(NameRule, TakesUtf8UpToEachEdgeOfItsForms) {
    for (const char* good : {"\xc2\x80", "\xdf\xbf", "\xe0\xa0\x80", "\xed\x9f\xbf", "\xef\xbf\xbf",
                             "\xf0\x90\x80\x80", "\xf4\x8f\xbf\xbf"}) {
        EXPECT_EQ(PuzzleFileName(good).fileName, good + std::string(".cube"));
    }
    for (const char* bad : {"\x80", "\xc1\xbf", "\xe0\x9f\xbf", "\xed\xa0\x80", "\xf0\x8f\xbf\xbf",
                            "\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\xc2\x7f", "\xc2\xc0",
                            "\xe1\x80\xc0", "s\xc3", "\xf1\x80\x80"}) {
        EXPECT_EQ(PuzzleFileName(bad).kind, Kind::Refused) << bad;
    }
}

TEST(NameRule, NameTooLongForTheFileSystemIsRefused) {
    EXPECT_EQ(PuzzleFileName(std::string(250, 'a')).kind, Kind::File);
    const PuzzleName name = PuzzleFileName(std::string(251, 'a'));
    EXPECT_EQ(name.kind, Kind::Refused);
    EXPECT_NE(name.message.find("250"), std::string::npos) << name.message;
    // Only the base name counts.
    EXPECT_EQ(PuzzleFileName("a." + std::string(300, 'b')).fileName, "a.cube");
}

TEST(PuzzleList, ShowsPuzzleFilesThatOpenUnderTheirOwnName) {
    TempFolder folder;
    for (const char* name :
         {"lake.cube", "Apple.cube", "b.cube", ".cube", "my.lake.cube", " lead.cube", "notes.txt",
          "x.CUBE", "lake.cube.bak", ".twistor-1-1.tmp", "s\xf8.cube"}) {
        WriteBytes(folder / name, "x");
    }
    std::filesystem::create_directory(folder / "dir.cube");
    std::filesystem::create_symlink("lake.cube", folder / "link.cube");
    std::filesystem::create_symlink("missing", folder / "dangling.cube");

    EXPECT_EQ(
        ListPuzzleFiles(folder.Path()),
        (std::vector<std::string>{".cube", "Apple.cube", "b.cube", "lake.cube", "link.cube"}));
}

}  // namespace
}  // namespace twistor::storage
