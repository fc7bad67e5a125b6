// set writes the same bytes as the main window saves after the same edits
// through its widgets, carried bits and bytes included.
#include <algorithm>
#include <numeric>
#include <random>

#include <QTest>

#include "fakes/FakeRemovableDrives.h"
#include "platform/FileApi.h"
#include "CliFixture.h"
#include "ui/FormFixture.h"

namespace ostra::test {
namespace {

// How one kind of edit is made through the window, and as set's KEY=VALUE.
struct EditTarget {
    std::string Key;
    std::string Control;  // the widget's object name; a zone number for wallplates and main outputs
    enum { Text, Switch, Mode, Wallplates, Main } Kind;
    int Width = 0;
    bool Description = false;
};

std::vector<EditTarget> editTargets()
{
    std::vector<EditTarget> targets = {{"description", "Edit1", EditTarget::Text, 32, true},
                                       {"mode", "", EditTarget::Mode},
                                       {"options.disable_autoselect", "CheckBox1", EditTarget::Switch},
                                       {"options.disable_front_panel", "CheckBox2", EditTarget::Switch},
                                       {"options.disable_front_ir", "CheckBox3", EditTarget::Switch},
                                       {"options.blanking", "CheckBox4", EditTarget::Switch}};
    for (int i = 1; i <= 6; ++i) {
        const std::string n = std::to_string(i);
        targets.push_back({"source." + n + ".short", "Edit" + std::to_string(2 * i), EditTarget::Text, 4});
        targets.push_back({"source." + n + ".full", "Edit" + std::to_string(2 * i + 1), EditTarget::Text, 13});
        targets.push_back({"zone." + n + ".short", "Edit" + std::to_string(16 + 2 * i), EditTarget::Text, 4});
        targets.push_back({"zone." + n + ".full", "Edit" + std::to_string(17 + 2 * i), EditTarget::Text, 13});
        targets.push_back({"zone." + n + ".wallplates", n, EditTarget::Wallplates});
        targets.push_back({"zone." + n + ".main", n, EditTarget::Main});
    }
    for (int k = 1; k <= 4; ++k)
        targets.push_back({"installer." + std::to_string(k), "Edit" + std::to_string(13 + k), EditTarget::Text, 30});
    return targets;
}

// Characters of both code pages, a few outside ASCII.
const char* const kDescriptionCharacters[] = {"A", "z", "0", " ", "-", "\xC3\xA9", "\xE2\x96\x91", "\xC3\x9C"};
const char* const kNameCharacters[] = {"B", "y", "9", " ", ".", "\xE2\x82\xAC", "\xC3\xA9", "\xC3\x9F"};

class SetWindowTest : public FormFixture {
protected:
    std::string randomText(std::mt19937& random, const EditTarget& target)
    {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, target.Width)(random);
        for (int i = 0; i < length; ++i) {
            const auto& pool = target.Description ? kDescriptionCharacters : kNameCharacters;
            text += pool[std::uniform_int_distribution<std::size_t>(0, std::size(pool) - 1)(random)];
        }
        // A leading no-break space would make the file blank; never drawn here.
        return text;
    }

    // Makes the edit through the window and returns set's VALUE for it.
    std::string edit(std::mt19937& random, const EditTarget& target)
    {
        std::bernoulli_distribution coin;
        switch (target.Kind) {
        case EditTarget::Text: {
            const std::string text = randomText(random, target);
            auto* box = form->findChild<SingleByteEdit*>(QString::fromStdString(target.Control));
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            typeText(box, QString::fromStdString(text));
            return text;
        }
        case EditTarget::Switch: {
            auto* box = form->findChild<QCheckBox*>(QString::fromStdString(target.Control));
            const bool on = coin(random);
            if (box->isChecked() != on)
                clickCheckBox(box);
            return on ? "on" : "off";
        }
        case EditTarget::Mode: {
            const bool professional = coin(random);
            QRadioButton* button = professional ? form->RadioButton2 : form->RadioButton1;
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
            return professional ? "professional" : "residential";
        }
        case EditTarget::Main: {
            const int row = std::stoi(target.Control) - 1;
            const bool on = coin(random);
            if (form->CheckListBox2->Checked(row) != on)
                clickMark(form->CheckListBox2, row);
            return on ? "on" : "off";
        }
        case EditTarget::Wallplates: {
            clickItem(form->ListBox1, std::stoi(target.Control) - 1);
            std::string names;
            for (int item = 0; item < 36; ++item) {
                const bool on = std::bernoulli_distribution(0.2)(random);
                if (form->CheckListBox1->Checked(item) != on) {
                    form->CheckListBox1->scrollToItem(form->CheckListBox1->item(item));
                    clickMark(form->CheckListBox1, item);
                }
                if (on)
                    names += std::string(names.empty() ? "" : ",") + char('A' + item / 6) + char('1' + item % 6);
            }
            return names;
        }
        }
        return {};
    }

    cli::ExitStatus runSet(const std::vector<std::string>& arguments)
    {
        FakeRemovableDrives drives;
        cli::ReportModule reports;
        const CliRun result = runOstraCfg(systemFileApi(), drives, reports, arguments);
        EXPECT_EQ(result.Err, "");
        return result.Status;
    }
};

TEST_F(SetWindowTest, RandomEditsWriteTheBytesTheWindowSaves)
{
    const std::vector<EditTarget> targets = editTargets();
    std::mt19937 random(1984);
    for (int sample = 0; sample < 60; ++sample) {
        SCOPED_TRACE("sample " + std::to_string(sample));
        const TConfigRecord original = randomRecord(random);
        writeRecord(path("unit.cfg"), original);
        writeRecord(path("window.cfg"), original);
        openFromCard(path("window.cfg"));

        std::vector<std::string> arguments = {"set", path("unit.cfg").toStdString()};
        std::vector<std::size_t> order(targets.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), random);
        const int edits = std::uniform_int_distribution<int>(1, 6)(random);
        for (int e = 0; e < edits; ++e) {
            const EditTarget& target = targets[order[e]];
            arguments.push_back(target.Key + "=" + edit(random, target));
        }
        form->Button1Click();

        ASSERT_EQ(runSet(arguments), cli::ExitStatus::Done);
        const std::vector<unsigned char> window = readFile(path("window.cfg"));
        const std::vector<unsigned char> cli = readFile(path("unit.cfg"));
        ASSERT_EQ(window.size(), 2048u);
        EXPECT_EQ(cli, window);
    }
}

} // namespace
} // namespace ostra::test
