#include "FormFixture.h"

#include <cstring>

#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStyleOptionViewItem>
#include <QTest>

#include "support/TempFolder.h"
#include "ui/widgets/CheckListBox.h"

namespace ostra::test {

FormFixture::FormFixture(std::function<void()> showCardBrowser)
    : form(std::make_unique<TForm1>(files, dialogs, boxes, shell, std::move(showCardBrowser)))
{
    EXPECT_TRUE(folder.isValid());
    folder.setAutoRemove(false);
}

FormFixture::~FormFixture()
{
    form.reset();
    removeTree(folder.path().toStdString());
}

void FormFixture::writeFile(const QString& file, const std::vector<unsigned char>& bytes) const
{
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

std::vector<unsigned char> FormFixture::readFile(const QString& file) const
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = in.readAll();
    return {data.begin(), data.end()};
}

void putText(TConfigRecord& record, int offset, const std::string& text)
{
    std::memcpy(record.data() + offset, text.data(), text.size());
}

TConfigRecord sampleRecord()
{
    TConfigRecord record{};
    for (int i = 0; i < layout::kRecordSize; ++i)
        record[i] = static_cast<unsigned char>('A' + i % 26);
    record[layout::kZoneMainOutputOffset] = 0x00;
    record[layout::kOptionFlagsOffset] = 0x00;
    putText(record, layout::kHardwareVersionOffset, std::string("1\0" "08", 4));
    return record;
}

void clickCheckBox(QCheckBox* box)
{
    // The centre of a wide check box may lie past its caption; aim at the
    // indicator.
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

void clickMark(CheckListBox* list, int row)
{
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(list->item(row));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    option.font = list->font();
    const QRect mark = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, mark.center());
}

void clickItem(ListBox* list, int row)
{
    const QRect item = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center() + QPoint(item.width() / 4, 0));
}

void typeText(QWidget* widget, const QString& text)
{
    // QTest::keyClicks squeezes text through Latin-1; send the characters
    // themselves, as a keyboard layout or input method would.
    for (QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace ostra::test
