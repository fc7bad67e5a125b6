// The window's print, drawn to a PDF without a dialog: the unit as the
// window shows it, and marked so when it holds unsaved edits.
#include <algorithm>

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>
#include <QTest>

#include "FormFixture.h"
#include "report-test/ReportText.h"
#include "ui/PrintPreview.h"

namespace ostra::test {
namespace {

using PrintTest = FormFixture;

TEST_F(PrintTest, ThePageShowsTheWindowsUnitAndWhetherItIsSaved)
{
    TConfigRecord record{};
    putText(record, 0, "Grand Hotel");
    writeRecord(path("lobby.cfg"), record);
    openFromCard(path("lobby.cfg"));
    struct Case {
        const char* What;
        std::function<void()> Act;
        const char* Description;
        bool Unsaved;
    };
    const Case cases[] = {
        {"as opened", [] {}, "Grand Hotel", false},
        // Ä is 0x8E in the description's code page 437.
        {"edited", [&] { form->Edit1->SetBytes("Caf\x8E Royal"); }, "Caf\u00c4 Royal", true},
        {"saved", [&] { form->Button1Click(); }, "Caf\u00c4 Royal", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        c.Act();
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            ASSERT_TRUE(form->PrintUnit(writer));
        }
        const std::optional<std::string> text = pdfText(pdf.data());
        if (!text)
            GTEST_SKIP() << "pdftotext is not installed";
        EXPECT_EQ(std::count(text->begin(), text->end(), '\f'), 1) << "one page";
        EXPECT_NE(text->find(c.Description), std::string::npos) << *text;
        EXPECT_NE(text->find("lobby.cfg"), std::string::npos);
        EXPECT_EQ(text->find("Unsaved changes included") != std::string::npos, c.Unsaved);
    }
}

// The preview comes from its module, paints the unit's page and stays
// above the window; without the module the reason is given instead.
TEST_F(PrintTest, ThePreviewLoadsItsModuleWhenAskedFor)
{
    PrintPreview missing({folder.path()});
    const std::optional<QString> failure = missing.Show(*form, "Print Preview", [](QPagedPaintDevice&) { return true; });
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains("ostra-print")) << failure->toStdString();

    PrintPreview preview({QStringLiteral(OSTRA_PRINT_MODULE_DIR)});
    int paintings = 0;
    QString shownTitle;
    QWidget* shownOwner = nullptr;
    // A failure inside the nested loop is recorded and the preview closed,
    // so the test ends rather than waiting for ctest's time-out.
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; })) {
            ADD_FAILURE() << "no preview was shown";
            return;
        }
        QWidget* dialog = QApplication::activeModalWidget();
        shownTitle = dialog->windowTitle();
        shownOwner = dialog->parentWidget();
        EXPECT_TRUE(QTest::qWaitFor([&] { return paintings > 0; })) << "the preview painted no page";
        dialog->close();
    });
    form->show();
    const auto paint = [&](QPagedPaintDevice& device) {
        ++paintings;
        return form->PrintUnit(device);
    };
    EXPECT_EQ(preview.Show(*form, "Print Preview", paint), std::nullopt);
    EXPECT_EQ(shownTitle, "Print Preview");
    EXPECT_EQ(shownOwner, form.get());
}

} // namespace
} // namespace ostra::test
