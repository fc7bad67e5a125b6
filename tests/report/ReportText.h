#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>

class QPagedPaintDevice;

namespace ostra::test {

// The text of a PDF as pdftotext reads it, pages ending in a form feed;
// nothing when pdftotext is not installed. A failed read fails the test.
std::optional<std::string> pdfText(const QByteArray& pdf, bool layout = false);

// What print paints, as pdftotext reads it from a PDF writer (nothing when
// pdftotext is not installed); a print that fails fails the test.
std::optional<std::string> printedText(const std::function<bool(QPagedPaintDevice&)>& print);

// The characters of an HTML document read as XML (a name that escaped its
// escaping breaks that reading and fails the test): each cell ends in
// "|", each table row in a line end.
std::string htmlText(const QByteArray& html);

// The rows of a CSV document, by RFC 4180.
std::vector<std::vector<std::string>> csvRows(const QByteArray& csv);

} // namespace ostra::test
