#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/FieldValue.h"

namespace ostra::cli {

// A record seen as the tool's documents see it: whether it is blank, the
// value of every field (none for a blank record, which holds no settings),
// and the bytes that no field decides, by offset.
//
// Rebuilding lays the fields over an all-zero record (texts padded with
// spaces, as a save writes them), or starts from Clear's pattern for a
// blank one, and then puts each carried byte's bits where no field owns
// them. Splitting takes texts without their padding spaces and keeps as
// carried every byte that the rebuild would not reproduce, so split and
// rebuild give back the record byte for byte.
struct RecordModel {
    bool Blank = false;
    std::vector<std::optional<FieldValue>> Values; // parallel to ConfigFields()
    std::map<int, std::uint8_t> Carried;
};

RecordModel splitRecord(const TConfigRecord& record);
TConfigRecord rebuildRecord(const RecordModel& model);

// The fields alone, without carried bytes, and which bits they decide.
struct FieldsOnly {
    TConfigRecord Record{};
    OwnedBits Owned{};
};
FieldsOnly rebuildFields(const RecordModel& model);

// A run of carried bytes, as documents and diff write them.
struct ByteRun {
    int Offset = 0;
    std::vector<std::uint8_t> Bytes;
};
std::vector<ByteRun> runsOf(const std::map<int, std::uint8_t>& bytes);

std::string hexOf(const std::vector<std::uint8_t>& bytes);
// Nothing unless the text is an even number of hex digits.
std::optional<std::vector<std::uint8_t>> bytesOfHex(const std::string& hex);

} // namespace ostra::cli
