#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileApi.h"

namespace ostra {

// Makes the file at path hold exactly bytes, so that a failure part-way,
// a killed editor or a power cut leaves either the old content or the new,
// never a mix, an empty file or a file under another name or owner.
//
// A new file, or an existing regular one, is replaced: the bytes go to a
// temporary file in the same folder, which is flushed, given the old
// file's owner and permission bits, renamed over the target, and then the
// target and its folder are flushed. On FAT and exFAT the flushes are
// ordered so that a power cut, even on a card whose cache keeps some writes
// and loses others, leaves the old file or the new one and never an entry
// pointing at clusters the allocation table calls free (see
// replaceThroughTemporary).
//
// An existing file is written in place instead (see writeInPlace) when it
// is no regular file, has several hard links, or when the replacement
// cannot be made: the folder or the medium takes no temporary file (a full
// FAT16 root folder), the old owner cannot be given to it, or the rename
// is refused.
//
// A symbolic link is never replaced: the file it points to is written, or
// created when it is missing and its folder exists. Each save also removes
// the temporary files that killed saves left in the folder (on a card, not
// those that may share clusters with a live file after a power cut: such a
// file is written in place; see removeLeftoverTemporaries). On a card a
// second entry of the file's name, which a power cut on exFAT can leave,
// is removed before the save (see removeDuplicateEntries).
//
// Raises EInOutError with the mapped error of the first failing step; an
// existing target that cannot be opened for writing is left untouched (5),
// and a missing folder gives 3. No temporary file outlives a failure.
void saveFileSafely(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace ostra
