#pragma once

// The byte map of a configuration file: every offset and width the editor
// uses, and nothing else. Indices i (source), z (zone), k (installer line)
// and w (wallplate) count from 1, as the device and its labels do.

namespace ostra::layout {

constexpr int kRecordSize = 2048;

constexpr int kDescriptionOffset = 0;
constexpr int kDescriptionWidth = 32;

constexpr int kSourceCount = 6;
constexpr int kZoneCount = 6;
constexpr int kShortNameWidth = 4;
constexpr int kFullNameWidth = 13;

constexpr int kSourceShortNameBase = 32;
constexpr int kSourceFullNameBase = 56;
constexpr int kZoneShortNameBase = 134;
constexpr int kZoneFullNameBase = 158;

constexpr int sourceShortNameOffset(int i) { return kSourceShortNameBase + kShortNameWidth * (i - 1); }
constexpr int sourceFullNameOffset(int i) { return kSourceFullNameBase + kFullNameWidth * (i - 1); }
constexpr int zoneShortNameOffset(int z) { return kZoneShortNameBase + kShortNameWidth * (z - 1); }
constexpr int zoneFullNameOffset(int z) { return kZoneFullNameBase + kFullNameWidth * (z - 1); }

// Wallplate bit sets: 9 bytes per zone, wallplate w is bit (w-1) mod 8 of
// byte (w-1) div 8 of its zone's group. Only the first 36 bits are used.
constexpr int kWallplateCount = 36;
constexpr int kWallplateGroupBase = 236;
constexpr int kWallplateGroupSize = 9;
constexpr int wallplateGroupOffset(int z) { return kWallplateGroupBase + kWallplateGroupSize * (z - 1); }
constexpr int wallplateByteOffset(int z, int w) { return wallplateGroupOffset(z) + (w - 1) / 8; }
constexpr int wallplateBit(int w) { return (w - 1) % 8; }

constexpr int kInstallerInfoOffset = 290;
constexpr int kInstallerLineCount = 4;
constexpr int kInstallerLineWidth = 30;
constexpr int kInstallerInfoWidth = kInstallerLineCount * kInstallerLineWidth;
constexpr int installerLineOffset(int k) { return kInstallerInfoOffset + kInstallerLineWidth * (k - 1); }

// Bit z-1 set: zone z carries the main output. Bits 6 and 7 are carried.
constexpr int kZoneMainOutputOffset = 410;
constexpr int zoneMainOutputBit(int z) { return z - 1; }

// Screen mode and front-panel options. Bits 0, 1 and 7 are carried.
constexpr int kOptionFlagsOffset = 411;
constexpr int kProfessionalModeBit = 2;
constexpr int kDisableAutoSelectBit = 3;
constexpr int kDisableFrontPanelBit = 4;
constexpr int kDisableFrontIRBit = 5;
constexpr int kBlankingBit = 6;

constexpr int kReservedOffset = 412;
constexpr int kReservedWidth = 4;

// Versions: a two-character major part followed by a two-character minor part.
constexpr int kVersionPartWidth = 2;
constexpr int kHardwareVersionOffset = 416;
constexpr int kSoftwareVersionOffset = 420;
constexpr int versionMajorOffset(int version) { return version; }
constexpr int versionMinorOffset(int version) { return version + kVersionPartWidth; }

// What every save stamps into the software version: " 1" and "01", shown
// as " 1.01".
constexpr char kStampedMajor[] = " 1";
constexpr char kStampedMinor[] = "01";
static_assert(sizeof kStampedMajor - 1 == kVersionPartWidth && sizeof kStampedMinor - 1 == kVersionPartWidth);

constexpr int kTailReservedOffset = 424;
constexpr int kTailReservedWidth = 1624;

// A record whose first byte is 0xFF holds no settings.
constexpr int kBlankMarkerOffset = 0;
constexpr unsigned char kBlankMarker = 0xFF;

// Text fields are padded with spaces; a NUL ends a text on reading.
constexpr unsigned char kTextPadding = 0x20;
constexpr unsigned char kTextTerminator = 0x00;

static_assert(sourceShortNameOffset(kSourceCount) + kShortNameWidth == kSourceFullNameBase);
static_assert(sourceFullNameOffset(kSourceCount) + kFullNameWidth == kZoneShortNameBase);
static_assert(zoneShortNameOffset(kZoneCount) + kShortNameWidth == kZoneFullNameBase);
static_assert(zoneFullNameOffset(kZoneCount) + kFullNameWidth == kWallplateGroupBase);
static_assert(wallplateGroupOffset(kZoneCount + 1) == kInstallerInfoOffset);
static_assert(kInstallerInfoOffset + kInstallerInfoWidth == kZoneMainOutputOffset);
static_assert(kOptionFlagsOffset + 1 == kReservedOffset);
static_assert(kReservedOffset + kReservedWidth == kHardwareVersionOffset);
static_assert(kHardwareVersionOffset + 2 * kVersionPartWidth == kSoftwareVersionOffset);
static_assert(kSoftwareVersionOffset + 2 * kVersionPartWidth == kTailReservedOffset);
static_assert(kTailReservedOffset + kTailReservedWidth == kRecordSize);
static_assert(wallplateByteOffset(6, 36) == 285 && wallplateBit(36) == 3);

} // namespace ostra::layout
