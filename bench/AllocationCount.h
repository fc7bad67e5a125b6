#pragma once

#include <cstdint>

// Heap bytes in use, counted by the benchmark's own malloc family, which
// every library in the process (ours through operator new, giflib, stb_image,
// Qt) allocates through:
//
//   const std::int64_t before = ostra::bench::StartPeakCount();
//   decode(file);
//   const std::int64_t peak = ostra::bench::PeakBytesSince(before);
namespace ostra::bench {

// Starts a new high-water mark at the bytes now in use; answers them.
std::int64_t StartPeakCount();
// The highest number of bytes in use since StartPeakCount, above what it answered.
std::int64_t PeakBytesSince(std::int64_t start);

} // namespace ostra::bench
