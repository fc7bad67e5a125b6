#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/ConfigLayout.h"

namespace ostra {

// The byte-for-byte image of one configuration file.
using TConfigRecord = std::array<std::uint8_t, layout::kRecordSize>;

void ZeroConfig(TConfigRecord& record);
// The pattern Clear produces: zeros, a description of spaces, 0xFF in byte 0.
void BlankConfig(TConfigRecord& record);
bool IsBlankConfig(const TConfigRecord& record);

// Texts are single bytes, passed without conversion. A read ends at the
// first NUL within the width; a write pads with spaces or cuts at the width.
std::string ReadConfigText(const TConfigRecord& record, int offset, int width);
void WriteConfigText(TConfigRecord& record, int offset, int width, std::string_view text);
std::string ReadInstallerLine(const TConfigRecord& record, int line);

bool GetConfigBit(const TConfigRecord& record, int offset, int bit);
void SetConfigBit(TConfigRecord& record, int offset, int bit, bool value);

void StampSoftwareVersion(TConfigRecord& record);
// The version at offset as bytes: its major part, a full stop, its minor
// part, each up to its first NUL ("." for a version never written).
std::string ConfigVersionText(const TConfigRecord& record, int offset);
std::string ConfigVersionText(std::string_view major, std::string_view minor);

// Both raise EInOutError (platform/InOutError.h) on failure.
void ReadConfigFile(const std::string& path, TConfigRecord& record);
void WriteConfigFile(const std::string& path, const TConfigRecord& record);

} // namespace ostra
