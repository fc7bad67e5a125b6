#include "report-test/ReportText.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include "support/MissingTool.h"

namespace ostra::test {

std::optional<std::string> pdfText(const QByteArray& pdf, bool layout)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        NoteMissingTool("pdftotext (poppler-utils)");
        return std::nullopt;
    }
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    file.write(pdf);
    file.close();
    QProcess process;
    QStringList arguments{"-enc", "UTF-8", file.fileName(), "-"};
    if (layout)
        arguments.prepend("-layout");
    process.start("pdftotext", arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

std::optional<std::string> printedText(const std::function<bool(QPagedPaintDevice&)>& print)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        EXPECT_TRUE(print(writer)) << "the print failed";
    }
    return pdfText(pdf.data());
}

std::string htmlText(const QByteArray& html)
{
    QXmlStreamReader reader(html);
    std::string text;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isCharacters())
            text += reader.text().toString().toStdString();
        else if (reader.isEndElement() && (reader.name() == u"td" || reader.name() == u"th"))
            text += "|";
        else if (reader.isEndElement())
            text += "\n";
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString() << " at line " << reader.lineNumber();
    return text;
}

std::vector<std::vector<std::string>> csvRows(const QByteArray& csv)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
            cell += csv[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            row.push_back(std::exchange(cell, {}));
        else if (!quoted && c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            row.push_back(std::exchange(cell, {}));
            rows.push_back(std::exchange(row, {}));
            ++i;
        } else
            cell += c;
    }
    EXPECT_TRUE(cell.empty() && row.empty() && !quoted) << "the last row has no CRLF";
    return rows;
}

} // namespace ostra::test
