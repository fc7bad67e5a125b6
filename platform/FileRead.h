#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileApi.h"

namespace ostra {

// How readFileHead opens the file.
enum class FileAccess {
    // For reading and writing, or not at all: a reader that will write the
    // file back learns at once that it may not.
    ReadWrite,
    // For reading and writing where that is allowed, else, where writing
    // alone is refused (a card with its lock switch on, a read-only or
    // immutable file), for reading only: the editor shows such a file, and
    // its save is the step that fails.
    ReadWriteOrReadOnly,
    // For reading only: a reader that never writes.
    ReadOnly,
};

// Fills buffer from the start of the existing file at path with one read
// request. The file is opened as access says (see openFileHead). Raises
// EInOutError: the open's mapped error, the read's, "Read beyond end of
// file" when the file is shorter than the buffer (the delivered bytes stay
// in front), or the close's "I/O error N". A longer file is read no further
// than the buffer. Answers how the file was opened: ReadWrite, or ReadOnly
// (asked for, or where ReadWriteOrReadOnly found writing refused).
FileAccess readFileHead(FileApi& files, const std::string& path, std::span<std::uint8_t> buffer,
                        FileAccess access = FileAccess::ReadWriteOrReadOnly);

// The flags readFileHead opens a file with for one access mode, ReadWrite
// or ReadOnly (ReadWriteOrReadOnly opens with ReadWrite's first).
int fileHeadOpenFlags(FileAccess access);

// Whether an open for reading and writing that failed with errorNumber was
// refused for the writing alone, so that an open for reading only may
// succeed: EROFS (a read-only medium), EACCES (no write permission; the
// read-only open tells whether reading is allowed) and EPERM (an immutable
// or append-only file).
bool isWriteRefusal(int errorNumber);

// Opens a file as readFileHead does, through open(flags), which makes the
// request (open, openat, ...) with flags and any of its own added. With
// ReadWriteOrReadOnly a refusal to write is followed by a second open for
// reading only, whose outcome is the answer.
template <typename Open>
FileResult openFileHead(FileAccess access, Open open)
{
    if (access != FileAccess::ReadWriteOrReadOnly)
        return open(fileHeadOpenFlags(access));
    const FileResult opened = open(fileHeadOpenFlags(FileAccess::ReadWrite));
    if (!opened.failed() || !isWriteRefusal(opened.error))
        return opened;
    return open(fileHeadOpenFlags(FileAccess::ReadOnly));
}

// readFileHead's steps after the open: one read into buffer, then the
// close, raising as readFileHead does.
void readOpenFileHead(FileApi& files, OpenFile& file, std::span<std::uint8_t> buffer);

} // namespace ostra
