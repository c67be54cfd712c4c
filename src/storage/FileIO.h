// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace twistor::storage {

// The outcome of a write: an empty error on success, otherwise a message
// that names the file and the reason.
struct [[nodiscard]] WriteStatus {
    std::string error;
    bool ok() const { return error.empty(); }
};

// Replaces the file at `path` with `bytes` so that the name always holds
// either the whole old file or the whole new one. The bytes go to an unnamed
// file in the same folder, are flushed to the disk, and the file gets a
// hidden temporary name only when it is complete, to be renamed over the old
// file at once. Refuses, changing nothing, when something other than a
// regular file is at the name or when the player may not write to the file
// there. A new file gets the usual permissions; a replaced one keeps its own
// plus read and write for its owner. Removes what interrupted saves left in
// the folder first. Never throws.
//
// Where the file system cannot make unnamed files, the new file has its
// temporary name from the start, and an interrupted save leaves it behind
// for the next save or start to remove; NewFile::Named takes that way on
// any file system.
//
// Where the file system cannot keep modes (FAT through FUSE, some network
// folders), the new file goes without them, as it goes without the old
// owner where that cannot be kept.
enum class NewFile { UnnamedWherePossible, Named };

// What tests put between the steps of a save, to make rare moments happen
// at will: `beforeLock` runs between a named file's creation and its lock,
// where another game's start-up clean-up may come in; `setMode` stands in
// for fchmod (0, or -1 with errno set).
struct SaveSeams {
    std::function<void()> beforeLock;
    std::function<int(int fd, unsigned mode)> setMode;
};

WriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                NewFile how = NewFile::UnnamedWherePossible,
                                const SaveSeams& seams = {});

// Removes the temporary files that this game's interrupted saves left in
// `folder`: files of the game's own name pattern that belong to this user
// and that no running save holds. Never touches any other file. Never throws.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// A whole small file. `found` is false only when there is no such file.
struct FileRead {
    bool found = true;
    std::string bytes;
    std::string error;  // empty when `bytes` holds the whole file
    bool ok() const { return found && error.empty(); }
};

// Reads a regular file of at most `maxBytes` bytes. The file is opened
// without waiting (a pipe or a device at the name never blocks) and what was
// opened is checked: anything but a regular file is refused, and so is a
// larger file, by its size before it is read; never more than maxBytes + 1
// bytes are read in case it grows meanwhile. Never throws.
FileRead ReadSmallFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

}  // namespace twistor::storage
