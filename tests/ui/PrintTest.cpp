// The window's print, drawn to a PDF without a dialog: the unit as the
// window shows it, and marked so when it holds unsaved edits.
#include <algorithm>

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTest>

#include "FormFixture.h"
#include "report-test/ReportText.h"
#include "ui/side/PrintPreview.h"

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
        const char* File; // as the page's head names it
        bool Unsaved;
    };
    // After Clear the window shows a blank unit that no file holds yet:
    // the page must not name the file it was cleared over.
    const Case cases[] = {
        {"as opened", [] {}, "Grand Hotel", "lobby.cfg", false},
        // Ä is 0x8E in the description's code page 437.
        {"edited", [&] { form->Edit1->SetBytes("Caf\x8E Royal"); }, "Caf\u00c4 Royal", "lobby.cfg", true},
        {"saved", [&] { form->Button1Click(); }, "Caf\u00c4 Royal", "lobby.cfg", false},
        {"cleared", [&] { form->Button4Click(); }, "", "(not saved)", true},
        {"cleared and saved", [&] { form->Button1Click(); }, "", "lobby.cfg", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        c.Act();
        const std::optional<std::string> text =
            printedText([&](QPagedPaintDevice& device) { return form->PrintUnit(device); });
        if (!text)
            GTEST_SKIP() << "pdftotext is not installed";
        EXPECT_EQ(std::count(text->begin(), text->end(), '\f'), 1) << "one page";
        EXPECT_NE(text->find(c.Description), std::string::npos) << *text;
        EXPECT_NE(text->find(c.File), std::string::npos) << *text;
        EXPECT_EQ(text->find("lobby.cfg") != std::string::npos, c.File == std::string("lobby.cfg")) << *text;
        EXPECT_EQ(text->find("Unsaved changes included") != std::string::npos, c.Unsaved);
    }
}

// The preview comes from its module, paints the unit's page and stays
// above the window; without the module the reason is given instead.
TEST_F(PrintTest, ThePreviewLoadsItsModuleWhenAskedFor)
{
    PrintPreview missing({folder.path()});
    const auto unused = [](const QString&) { ADD_FAILURE() << "no page was painted"; };
    const std::optional<QString> failure =
        missing.Show(*form, "Print Preview", [](QPagedPaintDevice&) { return true; }, unused);
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
        EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()))
            << "the preview lies off its screen";
        EXPECT_TRUE(QTest::qWaitFor([&] { return paintings > 0; })) << "the preview painted no page";
        dialog->close();
    });
    form->show();
    const auto paint = [&](QPagedPaintDevice& device) {
        ++paintings;
        return form->PrintUnit(device);
    };
    const auto failed = [](const QString& target) { ADD_FAILURE() << "painting failed for " << target.toStdString(); };
    EXPECT_EQ(preview.Show(*form, "Print Preview", paint, failed), std::nullopt);
    EXPECT_EQ(shownTitle, "Print Preview");
    EXPECT_EQ(shownOwner, form.get());
}

// Print, then a PDF file in a folder that does not exist: the preview's
// pages paint, the printer's do not, and the failure names the file.
TEST_F(PrintTest, APrintThatFailsSaysWhereItWasGoing)
{
    const QString unwritable = path("no such folder/unit.pdf");
    std::vector<QString> failures;
    const auto handleDialogs = [&] {
        if (!QTest::qWaitFor([] { return qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget()); })) {
            ADD_FAILURE() << "no preview was shown";
            return;
        }
        QWidget* preview = QApplication::activeModalWidget();
        QAction* print = nullptr;
        for (QAction* action : preview->findChildren<QAction*>())
            if (action->text() == "Print")
                print = action;
        if (print == nullptr) {
            ADD_FAILURE() << "the preview has no Print action";
            preview->close();
            return;
        }
        // The print dialog runs inside the Print action: it is answered
        // from the event loop that action starts.
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr && QTest::qWaitFor([&] {
                    return (dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) != nullptr;
                }) == false) {
                ADD_FAILURE() << "Print opened no print dialog";
                return;
            }
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(unwritable);
            dialog->done(QDialog::Accepted);
        });
        print->trigger();
        if (preview->isVisible())
            preview->close();
    };
    QTimer::singleShot(0, handleDialogs);
    PrintPreview preview({QStringLiteral(OSTRA_PRINT_MODULE_DIR)});
    const auto paint = [&](QPagedPaintDevice& device) { return form->PrintUnit(device); };
    const auto failed = [&](const QString& target) { failures.push_back(target); };
    EXPECT_EQ(preview.Show(*form, "Print Preview", paint, failed), std::nullopt);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures.front(), unwritable);
}

} // namespace
} // namespace ostra::test
