// The card file browser's drive scan and file list: which drives are
// offered, how each line is built, its order, and files that cannot be
// read or written.
#include <cerrno>
#include <functional>
#include <map>
#include <set>

#include <QComboBox>
#include <QLocale>
#include <QPushButton>

#include "BrowserFixture.h"

namespace ostra::test {
namespace {

using BrowserListingTest = BrowserFixture;

TEST_F(BrowserListingTest, LinesShowPaddedNamesAndDescriptionsSortedShortNamesFirst)
{
    const auto card = plugCard('E', "card");
    struct Row {
        const char* Name;
        std::string Description;
        const char* Line;
    };
    const std::string thirtyTwo = "Thirty-two characters, no NUL!!!";
    ASSERT_EQ(thirtyTwo.size(), 32u);
    const Row rows[] = {
        {"A.CFG", "Zone Setup", "[        A.CFG]   Zone Setup"},
        {"Z1.CFG", "Short but late", "[       Z1.CFG]   Short but late"},
        {"EMPTY.CFG", std::string("\0Hidden after NUL", 17), "[    EMPTY.CFG]   "},
        {"FULL.CFG", thirtyTwo, "[     FULL.CFG]   Thirty-two characters, no NUL!!!"},
        {"SPACED.CFG", "  Kept as is  ", "[   SPACED.CFG]     Kept as is  "},
        {"THIRTEEN1.CFG", "Exactly 13", "[THIRTEEN1.CFG]   Exactly 13"},
        {"a_longer_name.cfg", "Longer", "[a_longer_name.cfg]   Longer"},
        {"CAFE.CFG", "Caf\xE9", "[     CAFE.CFG]   Caf\u00E9"},
    };
    for (const Row& row : rows)
        putConfig(card, row.Name, row.Description);
    putBytes(card, "BLANK.CFG", std::string("\xFF", 1) + std::string(layout::kRecordSize - 1, 'x'));

    showBrowser();

    // Leading spaces sort before letters, so shorter names come first.
    const QStringList expected{
        "[        A.CFG]   Zone Setup",
        "[       Z1.CFG]   Short but late",
        "[     CAFE.CFG]   Caf\u00E9",
        "[     FULL.CFG]   Thirty-two characters, no NUL!!!",
        "[    BLANK.CFG]   <Blank Config File>",
        "[    EMPTY.CFG]   ",
        "[   SPACED.CFG]     Kept as is  ",
        "[THIRTEEN1.CFG]   Exactly 13",
        "[a_longer_name.cfg]   Longer",
    };
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(browser.ListBox1->ItemIndex(), 0);
    EXPECT_EQ(browser.windowTitle(), "Open Configuration File");
    // A screen reader hears the name and the description, without the
    // brackets and padding that line them up.
    const QStringList spoken{
        "A.CFG, Zone Setup", "Z1.CFG, Short but late", "CAFE.CFG, Caf\u00E9",
        "FULL.CFG, Thirty-two characters, no NUL!!!", "BLANK.CFG, <Blank Config File>", "EMPTY.CFG",
        "SPACED.CFG, Kept as is", "THIRTEEN1.CFG, Exactly 13", "a_longer_name.cfg, Longer",
    };
    for (int line = 0; line < browser.ListBox1->count() && line < spoken.size(); ++line)
        EXPECT_EQ(browser.ListBox1->item(line)->data(Qt::AccessibleTextRole).toString(), spoken[line]);
    EXPECT_TRUE(browser.Button2->isEnabled());
    EXPECT_EQ(driveLetters(), QStringList{"E"});
}

std::string record(const std::string& description)
{
    return std::string(layout::kRecordSize, '\0').replace(0, description.size(), description);
}

// One line of a card's listing and what Open does on it: loads the file in
// the editor, or shows the error box with OpenError; SaveRefused when its
// card or the file itself is write-protected.
struct CardLine {
    QString Text;
    const char* OpenError = nullptr;
    bool SaveRefused = false;
};

struct CardCase {
    const char* What;
    std::map<std::string, std::string> Files; // name -> bytes
    std::function<void(FaultyFileApi&)> Faults;
    std::vector<CardLine> Lines;
};

void PrintTo(const CardCase& row, std::ostream* out)
{
    *out << row.What;
}

class BrowserCardTest : public BrowserFixture, public ::testing::WithParamInterface<CardCase> {};

TEST_P(BrowserCardTest, ListsEveryFileAndOpenLoadsItOrShowsItsError)
{
    const CardCase& row = GetParam();
    const auto card = plugCard('E', "card");
    for (const auto& [name, bytes] : row.Files)
        putBytes(card, name, bytes);
    row.Faults(cardFiles); // what the browser lists through
    row.Faults(files);     // what the main window opens through
    QStringList expected;
    for (const CardLine& line : row.Lines)
        expected << line.Text;
    for (int line = 0; line < expected.size(); ++line) {
        SCOPED_TRACE(expected[line].toStdString());
        showBrowser();
        ASSERT_EQ(lines(), expected);
        EXPECT_EQ(browser.windowTitle(), "Open Configuration File");
        EXPECT_TRUE(browser.Button2->isEnabled());
        const std::string path = browser.ListBox1->item(line)->data(TForm2::FilePathRole).toByteArray().toStdString();
        boxes.Boxes.clear();
        clickItem(browser.ListBox1, line);
        click(browser.Button2);
        const CardLine& shown = row.Lines[line];
        EXPECT_EQ(form->CurrentFilePath == path, shown.OpenError == nullptr);
        if (shown.OpenError != nullptr) {
            ASSERT_EQ(boxes.Boxes.size(), 1u);
            EXPECT_EQ(boxes.Boxes[0].Text, shown.OpenError);
        } else if (shown.SaveRefused) {
            form->Button1Click();
            ASSERT_EQ(boxes.Boxes.size(), 1u);
            EXPECT_EQ(boxes.Boxes[0].Text, "File access denied");
            EXPECT_TRUE(boxes.Boxes[0].Detail.contains("write-protected, or you may not write to its folder: Advanced Save"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cards, BrowserCardTest,
    ::testing::Values(
        CardCase{"ShortFileAmongGoodOnes",
                 {{"aaaa.cfg", record("First")}, {"bb.cfg", record("Second")}, {"SHORT.CFG", std::string(100, 'x')},
                  {"d.cfg", record("Fourth")}},
                 [](FaultyFileApi&) {},
                 {{"[        d.cfg]   Fourth"}, {"[       bb.cfg]   Second"}, {"[     aaaa.cfg]   First"},
                  {"[    SHORT.CFG]   <Read beyond end of file>", "Read beyond end of file"}}},
        CardCase{"OnlyAnUnreadableFile", {{"BAD.CFG", record("Lost")}},
                 [](FaultyFileApi& layer) { layer.inject({FileStep::Read, EIO}); },
                 {{"[      BAD.CFG]   <I/O error 5>", "I/O error 5"}}},
        CardCase{"LockedCard", {{"A.CFG", record("Hall")}}, [](FaultyFileApi& layer) { layer.refuseWriting(EROFS); },
                 {{"[        A.CFG]   Hall", nullptr, true}}},
        CardCase{"ReadOnlyFile", {{"ok.cfg", record("Hall")}, {"LOCKED.CFG", record("Den")}},
                 [](FaultyFileApi& layer) { layer.refuseWriting(EACCES, "LOCKED.CFG"); },
                 {{"[       ok.cfg]   Hall"}, {"[   LOCKED.CFG]   Den", nullptr, true}}}),
    [](const ::testing::TestParamInfo<CardCase>& info) { return std::string(info.param.What); });

TEST_F(BrowserListingTest, SortedModeStaysOnForLaterListings)
{
    const auto first = plugCard('E', "first");
    putConfig(first, "zz.cfg", "");
    const auto second = plugCard('F', "second");
    putConfig(second, "aaaa.cfg", "");
    putConfig(second, "bb.cfg", "");
    putBytes(second, "c.cfg", "short");
    showBrowser();
    ASSERT_EQ(lines(), QStringList{"[       zz.cfg]   "});

    // The listing of F now inserts its lines in order.
    browser.ComboBox1->setCurrentIndex(1);
    browser.ComboBox1Change();
    EXPECT_EQ(lines(), (QStringList{"[        c.cfg]   <Read beyond end of file>", "[       bb.cfg]   ",
                                    "[     aaaa.cfg]   "}));
    EXPECT_EQ(browser.windowTitle(), "Open Configuration File");
}

TEST_F(BrowserListingTest, EveryCaseOfTheExtensionIsFoundAndNothingElse)
{
    const auto card = plugCard('E', "card");
    for (const char* name : {"CFG1.CFG", "cfg2.cfg", "Cfg3.Cfg", "notes.txt", "cfg4.cfg.bak", "cfg5cfg"})
        putConfig(card, name, "");
    showBrowser();
    EXPECT_EQ(lines(), (QStringList{"[     CFG1.CFG]   ", "[     Cfg3.Cfg]   ", "[     cfg2.cfg]   "}));
}

TEST_F(BrowserListingTest, HiddenAndNonRegularEntriesAreSkipped)
{
    const auto card = plugCard('E', "card");
    putConfig(card, "plain.cfg", "Plain");
    putConfig(card, ".hidden.cfg", "Hidden");
    std::filesystem::create_directory(card / "folder.cfg");
    std::filesystem::create_symlink(card / "plain.cfg", card / "link.cfg");
    showBrowser();
    EXPECT_EQ(lines(), QStringList{"[    plain.cfg]   Plain"});

    // A card with nothing but such entries is not offered at all.
    std::filesystem::remove(card / "plain.cfg");
    click(browser.Button3);
    EXPECT_TRUE(driveLetters().isEmpty());
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(browser.windowTitle(), "No Files Found on Removeable Drive");
}

TEST_F(BrowserListingTest, OnlyDrivesCToZWithConfigFilesAreOfferedInLetterOrder)
{
    for (const char letter : {'A', 'B', 'Z', 'G', 'C'}) {
        const auto card = plugCard(letter, std::string("card") + letter);
        putConfig(card, "x.cfg", "");
    }
    plugCard('D', "empty");
    putConfig(plugCard('E', "other"), "readme.txt", "");
    showBrowser();
    EXPECT_EQ(driveLetters(), (QStringList{"C", "G", "Z"}));
    EXPECT_EQ(browser.ComboBox1->currentText(), "C");
    EXPECT_EQ(browser.ListBox1->item(0)->data(TForm2::FilePathRole).toString(),
              pathText(std::filesystem::path(folder.path().toStdString()) / "cardC" / "x.cfg"));
}

TEST_F(BrowserListingTest, NoRemovableDriveFailsTheListingAtOnce)
{
    showBrowser();
    EXPECT_TRUE(driveLetters().isEmpty());
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_FALSE(browser.Button2->isEnabled());
    EXPECT_EQ(browser.windowTitle(), "No Files Found on Removeable Drive");
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(BrowserListingTest, DriveToolTipShowsMountPathAndVolumeName)
{
    const auto first = plugCard('E', "reader one", "HALL");
    putConfig(first, "a.cfg", "");
    const auto second = plugCard('F', "reader two");
    putConfig(second, "b.cfg", "");
    showBrowser();
    EXPECT_EQ(browser.ComboBox1->toolTip(), "Mount path: " + pathText(first) + "\nVolume name: HALL");
    browser.ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(browser.ComboBox1->toolTip(), "Mount path: " + pathText(second));
}

TEST_F(BrowserListingTest, ShowingRescansOnlyWhenTheWindowWasHidden)
{
    const auto card = plugCard('E', "card");
    putConfig(card, "a.cfg", "");
    showBrowser();
    EXPECT_EQ(drives.RescanCount, 1);
    putConfig(card, "b.cfg", "");
    form->Button2Click();
    EXPECT_EQ(drives.RescanCount, 1);
    EXPECT_EQ(lines().size(), 1);

    // Cancel hides the window and keeps its lists.
    click(browser.Button1);
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(lines().size(), 1);
    form->Button2Click();
    EXPECT_EQ(drives.RescanCount, 2);
    EXPECT_EQ(lines().size(), 2);
}

// The lines end in the order the list's own sort gives, in the first
// (unsorted) listing and in a later (sorted) one, also where that order
// (the texts' collation) differs from the order of their code units, and
// for lines that read the same.
TEST_F(BrowserListingTest, LinesEndInTheOrderOfTheListsOwnSort)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Row {
        const char* what;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"code-unit order", {"C.CFG", "A.CFG", "B.CFG"}},
        {"case against collation", {"a.cfg", "B.CFG", "b.cfg", "A.CFG"}},
        {"punctuation", {"_x.cfg", "x-y.cfg", "xy.cfg", "~x.cfg"}},
        {"lines that read the same", {"\xFF.cfg", "\xFE.cfg", "a.cfg"}},
    };
    for (const Row& row : rows) {
        const auto card = plugCard('E', row.what);
        for (const std::string& name : row.names)
            putConfig(card, name, "Same");
        for (const char* listing : {"first", "later"}) {
            listing == std::string("first") ? showBrowser() : click(browser.Button3);
            const QStringList listed = lines();
            ASSERT_EQ(listed.size(), static_cast<qsizetype>(row.names.size())) << row.what;
            std::set<QByteArray> paths;
            for (int i = 0; i < browser.ListBox1->count(); ++i)
                paths.insert(browser.ListBox1->item(i)->data(TForm2::FilePathRole).toByteArray());
            browser.ListBox1->sortItems(Qt::AscendingOrder);
            EXPECT_EQ(listed, lines()) << row.what << ", " << listing << " listing";
            EXPECT_EQ(paths.size(), row.names.size()) << row.what;
        }
        browser.hide();
        drives.unplug('E');
    }
    QLocale::setDefault(before);
}

// A listing with an unreadable file, after an earlier listing has made the
// list sorted, leaves its lines in the list's own sort order too.
TEST_F(BrowserListingTest, AnUnreadableFileKeepsTheListsSortOrder)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto card = plugCard('E', "card");
    putConfig(card, "c.cfg", "Same");
    showBrowser();
    std::filesystem::remove(card / "c.cfg");
    // Listed by name bytes: "B.cfg", "a.cfg", then the short "z.cfg".
    putConfig(card, "a.cfg", "Same");
    putConfig(card, "B.cfg", "Same");
    putBytes(card, "z.cfg", "short");
    click(browser.Button3);
    const QStringList listed = lines();
    ASSERT_EQ(listed.size(), 3);
    EXPECT_TRUE(listed.front().contains("a.cfg")) << listed.join('\n').toStdString();
    browser.ListBox1->sortItems(Qt::AscendingOrder);
    EXPECT_EQ(listed, lines());
    QLocale::setDefault(before);
}

// A showing scans each offered card once and opens each file once: the
// scan that offers the first drive also lists it, and the probe of any
// other drive reads no further than its first file.
TEST_F(BrowserListingTest, EachListingScansItsCardOnceAndOpensEachFileOnce)
{
    const auto cardE = plugCard('E', "cardE");
    const auto cardF = plugCard('F', "cardF");
    for (const char* name : {"e1.cfg", "e2.cfg", "e3.cfg"})
        putConfig(cardE, name, name);
    for (const char* name : {"f1.cfg", "f2.cfg"})
        putConfig(cardF, name, name);
    using Counts = std::map<std::string, int>;
    struct Row {
        const char* what;
        std::function<void()> act;
        Counts scans;
        Counts opens;
        QStringList lines;
    };
    const Row rows[] = {
        {"show", [&] { showBrowser(); }, {{cardE.string(), 1}, {cardF.string(), 1}},
         {{"e1.cfg", 1}, {"e2.cfg", 1}, {"e3.cfg", 1}, {"f1.cfg", 1}},
         {"[       e1.cfg]   e1.cfg", "[       e2.cfg]   e2.cfg", "[       e3.cfg]   e3.cfg"}},
        {"pick F", [&] { browser.ComboBox1->setCurrentIndex(1); browser.ComboBox1Change(); },
         {{cardF.string(), 1}}, {{"f1.cfg", 1}, {"f2.cfg", 1}},
         {"[       f1.cfg]   f1.cfg", "[       f2.cfg]   f2.cfg"}},
        {"refresh", [&] { click(browser.Button3); }, {{cardE.string(), 1}, {cardF.string(), 1}},
         {{"e1.cfg", 1}, {"e2.cfg", 1}, {"e3.cfg", 1}, {"f1.cfg", 1}},
         {"[       e1.cfg]   e1.cfg", "[       e2.cfg]   e2.cfg", "[       e3.cfg]   e3.cfg"}},
    };
    for (const Row& row : rows) {
        cardFiles.FolderOpens.clear();
        cardFiles.Opens.clear();
        row.act();
        EXPECT_EQ(cardFiles.FolderOpens, row.scans) << row.what;
        EXPECT_EQ(cardFiles.Opens, row.opens) << row.what;
        EXPECT_EQ(lines(), row.lines) << row.what;
        EXPECT_EQ(cardFiles.OpenDescriptors, 0) << row.what;
    }
}

} // namespace
} // namespace ostra::test
