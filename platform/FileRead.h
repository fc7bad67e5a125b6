#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileApi.h"

namespace ostra {

// How readFileHead opens the file. The editor opens for reading and writing,
// so that a file it could not save back is refused when it is loaded; a
// reader that never writes opens for reading alone, so that a write-protected
// card or archive can be read.
enum class FileAccess { ReadWrite, ReadOnly };

// Fills buffer from the start of the existing file at path with one read
// request. The file is opened as access says; with ReadWrite a file that
// cannot be written cannot be read either. Raises EInOutError: the open's
// mapped error, the read's, "Read beyond end of file" when the file is
// shorter than the buffer (the delivered bytes stay in front), or the
// close's "I/O error N". A longer file is read no further than the buffer.
void readFileHead(FileApi& files, const std::string& path, std::span<std::uint8_t> buffer,
                  FileAccess access = FileAccess::ReadWrite);

// The flags readFileHead opens a file with, for openers of their own (a
// listing opening each file relative to its folder).
int fileHeadOpenFlags(FileAccess access);

// readFileHead's steps after the open: one read into buffer, then the
// close, raising as readFileHead does.
void readOpenFileHead(FileApi& files, OpenFile& file, std::span<std::uint8_t> buffer);

} // namespace ostra
