#include "storage/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace twistor::storage {

namespace fs = std::filesystem;

namespace {

struct CloseFile {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string Reason(int err) {
    return std::generic_category().message(err);
}

std::string CannotSave(const fs::path& path, const std::string& why) {
    return "cannot save " + path.string() + ": " + why;
}

// A name that no puzzle or settings file can have (it does not end in
// ".cube"), unique within this process and, through the pid, among
// processes writing to the same folder.
fs::path TempPathBeside(const fs::path& path, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    return folder / (".twistor-" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter.fetch_add(1) + attempt) + ".tmp");
}

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

// Makes the rename itself survive a crash. A folder that cannot be synced
// costs durability only, never the data already written, so failures here
// are not reported.
void SyncFolder(const fs::path& path) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

WriteStatus WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    if (path.empty() || !path.has_filename()) return {CannotSave(path, "no file name given")};

    fs::path temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TempPathBeside(path, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const std::string folder = temp.parent_path().string();
        return {CannotSave(path, "cannot create a file in " + folder + ": " + Reason(errno))};
    }

    // A replaced file keeps who may read it.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }

    int err = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return {CannotSave(path, Reason(err))};
    }
    SyncFolder(path);
    return {};
}

FileRead ReadSmallFile(const fs::path& path, std::uintmax_t maxBytes) {
    FileRead result;
    const std::string name = path.string();
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        result.error = name + ": no such file";
        return result;
    }
    result.found = true;
    if (ec) {
        result.error = name + ": " + ec.message();
        return result;
    }
    if (status.type() != fs::file_type::regular) {
        result.error = name + ": not a regular file";
        return result;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        result.error = name + ": " + ec.message();
        return result;
    }
    const std::string tooLarge =
        name + ": the file is too large (more than " + std::to_string(maxBytes) + " bytes)";
    if (size > maxBytes) {
        result.error = tooLarge;
        return result;
    }

    const std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.error = name + ": " + Reason(errno);
        return result;
    }
    // The file may have grown since its size was taken: read on to the end,
    // but never past maxBytes + 1.
    result.bytes.reserve(static_cast<std::size_t>(size) + 1);
    char chunk[65536];
    while (result.bytes.size() <= maxBytes) {
        const std::size_t want = static_cast<std::size_t>(
            std::min<std::uintmax_t>(sizeof chunk, maxBytes + 1 - result.bytes.size()));
        const std::size_t got = std::fread(chunk, 1, want, file.get());
        result.bytes.append(chunk, got);
        if (got < want) break;
    }
    if (std::ferror(file.get())) {
        result.error = name + ": " + Reason(errno);
        result.bytes.clear();
    } else if (result.bytes.size() > maxBytes) {
        result.error = tooLarge;
        result.bytes.clear();
    }
    return result;
}

}  // namespace twistor::storage
