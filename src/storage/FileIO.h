#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace twistor::storage {

// The outcome of a write: an empty error on success, otherwise a message
// that names the file and the reason.
struct [[nodiscard]] WriteStatus {
    std::string error;
    bool ok() const { return error.empty(); }
};

// Replaces the file at `path` with `bytes` so that no reader ever sees a
// half-written file: the bytes go to a temporary file in the same folder,
// are flushed to the disk and renamed over the old file. On failure the old
// file is untouched and the temporary file is gone. A new file gets the
// usual permissions; a replaced one keeps its own. Never throws.
WriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// A whole small file. `found` is false only when there is no such file.
struct FileRead {
    bool found = false;
    std::string bytes;
    std::string error;  // empty when `bytes` holds the whole file
    bool ok() const { return found && error.empty(); }
};

// Reads a regular file of at most `maxBytes` bytes. A larger file is refused
// by its size before it is read, and never more than maxBytes + 1 bytes are
// read in case it grows meanwhile. Never throws.
FileRead ReadSmallFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

}  // namespace twistor::storage
