// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FileIO.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace twistor::storage {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempPrefix = ".twistor-";
constexpr std::string_view kTempSuffix = ".tmp";

std::string Reason(int err) {
    return std::generic_category().message(err);
}

std::string CannotSave(const fs::path& path, const std::string& why) {
    return "cannot save " + path.string() + ": " + why;
}

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The folder as the player knows it: a full path, from the current folder
// by the name the shell gave it (PWD) where that is still where we are.
std::string FolderName(const fs::path& folder) {
    fs::path full = folder;
    if (folder.is_relative()) {
        char* here = ::get_current_dir_name();
        if (here == nullptr) return folder.string();
        full = fs::path(here) / folder;
        std::free(here);
    }
    full = full.lexically_normal();
    if (!full.has_filename() && full.has_relative_path()) full = full.parent_path();
    return full.string();
}

bool AllDigits(std::string_view s) {
    return !s.empty() && s.size() <= 20 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ".twistor-PID-COUNT.tmp": hidden, and no puzzle or settings file can have
// such a name (it does not end in ".cube").
bool IsTemporaryName(std::string_view name) {
    if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return false;
    name.remove_prefix(kTempPrefix.size());
    name.remove_suffix(kTempSuffix.size());
    const std::size_t dash = name.find('-');
    return dash != std::string_view::npos && AllDigits(name.substr(0, dash)) &&
           AllDigits(name.substr(dash + 1));
}

// Gives `temp` the first name ".twistor-PID-K.tmp", K from 0 on, that
// `make` (which returns 0 or an errno value) can create: the pid keeps
// processes apart, and a name that a save of this process still holds is
// passed over. EEXIST when the first hundred are all taken.
template <typename Make>
int TakeFreeName(const fs::path& folder, fs::path& temp, Make make) {
    const std::string prefix = std::string(kTempPrefix) + std::to_string(::getpid()) + "-";
    for (int k = 0; k < 100; ++k) {
        temp = folder / (prefix + std::to_string(k) + std::string(kTempSuffix));
        const int err = make(temp);
        if (err != EEXIST) return err;
    }
    return EEXIST;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    void Reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Whether a save may go on without the mode it asked for: the file system
// keeps no modes at all, or refuses to set the one the file already has.
bool ModeCannotBeKept(int fd, int err, mode_t want) {
    if (err == ENOSYS || err == EOPNOTSUPP) return true;
    struct stat now {};
    return err == EPERM && ::fstat(fd, &now) == 0 && (now.st_mode & 07777) == want;
}

// Gives the new file the old one's owner and permissions, plus read and
// write for its owner so that the game can always read back what it saved,
// then writes the bytes and flushes them to the disk. 0 or an errno value.
int Fill(int fd, std::string_view bytes, const struct stat* old, const SaveSeams& seams) {
    if (old != nullptr) {
        // Only root, or a member of the old file's group, can keep these;
        // otherwise the file is the saver's own, as any new file would be.
        if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd, old->st_uid, old->st_gid);
        }
        const mode_t mode = (old->st_mode & 0777) | S_IRUSR | S_IWUSR;
        if (const int set = seams.setMode ? seams.setMode(fd, mode) : ::fchmod(fd, mode);
            set != 0) {
            const int err = errno;
            if (!ModeCannotBeKept(fd, err, mode)) return err;
        }
    }
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) return errno;
    return 0;
}

// Makes the rename itself survive a crash. A folder that cannot be synced
// costs durability only, never the data already written, so failures here
// are not reported.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == -1) return;
    ::fsync(fd);
    ::close(fd);
}

// Names a complete unnamed file, through /proc, as any user may. 0 or an
// errno value.
int LinkUnnamed(int fd, const fs::path& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        return errno;
    }
    return 0;
}

// How writing the new file went: 0 or an errno value, and after a failure,
// whether a file was created at all (read only then).
struct Written {
    int err = 0;
    bool created{};
};
constexpr int kNoUnnamedFiles = -1;

// The complete file under a temporary name in `temp`, with `fd` open on it
// and locked: the lock keeps RemoveStaleTemporaries in other processes away
// until the file has its real name. The file has no name at all until it is
// complete, so a crash before then leaves nothing behind. kNoUnnamedFiles
// where no unnamed file can be made or named there, for whatever reason: the
// file system may not have them, there may be no /proc, and where the folder
// refuses new files, the named way is refused as well and tells why.
Written WriteUnnamed(const fs::path& folder, std::string_view bytes, const struct stat* old,
                     const SaveSeams& seams, FileDescriptor& fd, fs::path& temp) {
    fd.Reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd.Get() == -1) return {kNoUnnamedFiles};
    ::flock(fd.Get(), LOCK_EX);
    if (const int err = Fill(fd.Get(), bytes, old, seams); err != 0) return {err, true};
    if (TakeFreeName(folder, temp,
                     [&fd](const fs::path& name) { return LinkUnnamed(fd.Get(), name); }) == 0) {
        return {};
    }
    fd.Reset();
    return {kNoUnnamedFiles};
}

// Whether `name` still leads to the file open on `fd`.
bool NameLeadsTo(const fs::path& name, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::lstat(name.c_str(), &named) == 0 && ::fstat(fd, &opened) == 0 &&
           named.st_ino == opened.st_ino && named.st_dev == opened.st_dev;
}

// The same through a file that is named from the start: a crash leaves it
// behind, for RemoveStaleTemporaries to take away. Until the lock is taken,
// another game's clean-up may take the new file for a leftover and remove
// it; then the next free name is taken.
Written WriteNamed(const fs::path& folder, std::string_view bytes, const struct stat* old,
                   const SaveSeams& seams, FileDescriptor& fd, fs::path& temp) {
    if (const int err = TakeFreeName(
            folder, temp,
            [&fd, &seams](const fs::path& name) {
                fd.Reset(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
                if (fd.Get() == -1) return errno;
                if (seams.beforeLock) seams.beforeLock();
                ::flock(fd.Get(), LOCK_EX);
                if (NameLeadsTo(name, fd.Get())) return 0;
                fd.Reset();
                return EEXIST;
            });
        err != 0) {
        return {err, false};
    }
    if (const int err = Fill(fd.Get(), bytes, old, seams); err != 0) {
        ::unlink(temp.c_str());
        return {err, true};
    }
    return {};
}

// Whether the entry at `path` may be replaced; an empty string when it may,
// with `old` the regular file there, or when there is none, with `old` all
// zero.
std::string ReplaceProblem(const fs::path& path, struct stat& old) {
    if (::lstat(path.c_str(), &old) != 0) {
        old = {};
        return errno == ENOENT ? "" : Reason(errno);
    }
    if (S_ISLNK(old.st_mode)) {
        return "it is a symbolic link, and a save replaces only a regular file; it is left as it "
               "was";
    }
    if (!S_ISREG(old.st_mode)) return "it is not a regular file; it is left as it was";
    if (::access(path.c_str(), W_OK) != 0) {
        return "you may not write to this file (" + Reason(errno) + "); it is left as it was";
    }
    return {};
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (!IsTemporaryName(it->path().filename().native())) continue;
        const fs::path& path = it->path();
        const FileDescriptor fd(
            ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
        struct stat opened {};
        if (fd.Get() == -1 || ::fstat(fd.Get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            opened.st_uid != ::geteuid()) {
            continue;
        }
        // A save in progress holds its file locked until it is renamed.
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (NameLeadsTo(path, fd.Get())) ::unlink(path.c_str());
    }
}

WriteStatus WriteFileAtomically(const fs::path& path, std::string_view bytes, NewFile how,
                                const SaveSeams& seams) {
    if (!path.has_filename()) return {CannotSave(path, "no file name given")};

    struct stat old {};
    if (std::string problem = ReplaceProblem(path, old); !problem.empty()) {
        return {CannotSave(path, problem)};
    }
    const fs::path folder = FolderOf(path);
    RemoveStaleTemporaries(folder);

    FileDescriptor fd;
    fs::path temp;
    const struct stat* keep = S_ISREG(old.st_mode) ? &old : nullptr;
    Written written = how == NewFile::UnnamedWherePossible
                          ? WriteUnnamed(folder, bytes, keep, seams, fd, temp)
                          : Written{kNoUnnamedFiles};
    if (written.err == kNoUnnamedFiles) written = WriteNamed(folder, bytes, keep, seams, fd, temp);
    if (written.err != 0) {
        if (!written.created) {
            return {CannotSave(path, "cannot create a file in " + FolderName(folder) + ": " +
                                         Reason(written.err))};
        }
        return {CannotSave(path, Reason(written.err))};
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return {CannotSave(path, Reason(err))};
    }
    SyncFolder(folder);
    return {};
}

FileRead ReadSmallFile(const fs::path& path, std::uintmax_t maxBytes) {
    FileRead result;
    const std::string name = path.string();
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() == -1) {
        result.found = errno != ENOENT;
        result.error = name + ": " +
                       (errno == ENOENT   ? "no such file"
                        : errno == EACCES ? "you may not read this file (" + Reason(errno) + ")"
                                          : Reason(errno));
        return result;
    }
    struct stat opened {};
    if (::fstat(fd.Get(), &opened) != 0) {
        result.error = name + ": " + Reason(errno);
        return result;
    }
    if (!S_ISREG(opened.st_mode)) {
        result.error = name + ": not a regular file";
        return result;
    }
    const std::string tooLarge =
        name + ": the file is too large (more than " + std::to_string(maxBytes) + " bytes)";
    const auto size = static_cast<std::uintmax_t>(opened.st_size);
    if (size > maxBytes) {
        result.error = tooLarge;
        return result;
    }

    // The file may have grown since its size was taken: read on to the end,
    // but never past maxBytes + 1.
    result.bytes.reserve(static_cast<std::size_t>(size) + 1);
    char chunk[65536];
    while (result.bytes.size() <= maxBytes) {
        const std::size_t want = static_cast<std::size_t>(
            std::min<std::uintmax_t>(sizeof chunk, maxBytes + 1 - result.bytes.size()));
        const ssize_t got = ::read(fd.Get(), chunk, want);
        if (got < 0) {
            if (errno == EINTR) continue;
            result.error = name + ": " + Reason(errno);
            result.bytes.clear();
            return result;
        }
        if (got == 0) break;
        result.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    if (result.bytes.size() > maxBytes) {
        result.error = tooLarge;
        result.bytes.clear();
    }
    return result;
}

}  // namespace twistor::storage
