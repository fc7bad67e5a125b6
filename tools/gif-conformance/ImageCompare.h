#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>
#include <string>

namespace ostra::conformance {

// Compares a canvas with expected raw pixels, 4 bytes a pixel (RGBA; two
// pixels whose alpha is 0 are equal whatever their colour) or 3 (RGB,
// alpha ignored). Answers how they differ: the size, or the number of
// differing pixels with the first of them; nothing when they are equal.
std::optional<std::string> CompareRgba(const QImage& canvas, const QByteArray& expected);
std::optional<std::string> CompareRgb(const QImage& canvas, const QByteArray& expected);

} // namespace ostra::conformance
