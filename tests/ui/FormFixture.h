#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "config/ConfigRecord.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakeMessageBoxes.h"
#include "fakes/FakeShell.h"
#include "platform/files/FaultyFileApi.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/HelpMemo.h"
#include "ui/widgets/LogoImage.h"
#include "ui/widgets/SingleByteEdit.h"
#include "ui/main/Unit1.h"

namespace ostra::test {

// A main window on fake dialogs, message boxes and shell and on the real
// files (where faults can be injected), with a scratch folder for files.
class FormFixture : public ::testing::Test {
protected:
    explicit FormFixture(std::function<void()> showCardBrowser = {});
    ~FormFixture() override;

    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    // The same path as the bytes the window keeps.
    std::string pathBytes(const char* name) const { return path(name).toStdString(); }
    void writeFile(const QString& file, const std::vector<unsigned char>& bytes) const;
    void writeRecord(const QString& file, const TConfigRecord& record) const { writeFile(file, {record.begin(), record.end()}); }
    std::vector<unsigned char> readFile(const QString& file) const;

    // Opens a file the way the card file browser does.
    void openFromCard(const QString& file) { form->OpenConfigFromCard(file.toStdString()); }

    FaultyFileApi files;
    FakeFileDialogs dialogs;
    FakeMessageBoxes boxes;
    FakeShell shell;
    std::unique_ptr<TForm1> form;
    // Removed by the fixture, which also copes with names that are not
    // valid text and with folders a test made read-only.
    QTemporaryDir folder;
};

// A record with text in every text field and a few bits set.
TConfigRecord sampleRecord();
void putText(TConfigRecord& record, int offset, const std::string& text);

// User input as a person would give it.
void clickCheckBox(QCheckBox* box);
void clickMark(CheckListBox* list, int row);
void clickItem(ListBox* list, int row);
void typeText(QWidget* widget, const QString& text);

} // namespace ostra::test
