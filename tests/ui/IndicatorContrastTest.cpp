// Check boxes, radio buttons and list marks as the window draws them under
// dark palettes, measured from the pixels: border against the surround and
// mark against the fill reach WCAG 2.1's 3:1. Under the light palette the
// indicators stay Fusion's own.
#include <QGuiApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionViewItem>

#include "FormFixture.h"
#include "support/PictureCompare.h"
#include "ui/widgets/ClassicStyle.h"
#include "ui/widgets/Contrast.h"
#include "ui/side/ZoneOverview.h"

namespace ostra::test {
namespace {

TEST(ContrastTest, RatiosAreWcags)
{
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0x777777), Qt::white), 4.48, 0.01);
}

// Fusion's usual dark palette, and what Qt's gtk3 platform theme hands the
// application under GTK_THEME=Adwaita:dark (read on a virtual display: the
// theme ends a program that has none, so it cannot run here).
const QPalette kDarkPalettes[] = {
    QPalette(Qt::white, QColor(0x353535), QColor(0x505050), QColor(0x232323), QColor(0x2a2a2a), Qt::white, Qt::red,
             QColor(0x2a2a2a), QColor(0x353535)),
    QPalette(QColor(0xf0f0f0), QColor(0x323232), QColor(0x4b4b4b), QColor(0x212121), QColor(0x262626),
             QColor(0xf0f0f0), QColor(0x4b4b4b), QColor(0x242424), QColor(0x323232))};

// How many pixels of `area` stand out from `colour` by 3:1 or more.
int legiblePixels(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.rect().contains(x, y) && ContrastRatio(QColor(image.pixel(x, y)), QColor(colour)) >= 3.0;
    return count;
}

using IndicatorContrastTest = FormFixture;

TEST_F(IndicatorContrastTest, BordersAndMarksReachThreeToOneOnDarkPalettes)
{
    // Shown, as a user sees it: the lists lay out their items when they show.
    form->show();
    form->ShowZoneOverview();
    ZoneGridView& grid = form->Overview()->View();
    QStyleOptionViewItem cell;
    cell.rect = grid.visualRect(grid.model()->index(3, 2));
    cell.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    QStyleOptionButton check, radio;
    check.initFrom(form->CheckBox1);
    radio.initFrom(form->RadioButton1);
    QStyleOptionViewItem item;
    item.rect = form->CheckListBox1->visualItemRect(form->CheckListBox1->item(1));
    item.features = QStyleOptionViewItem::HasCheckIndicator;
    const QStyle& style = *form->style();
    const struct { const char* Name; QWidget* Widget; QRect Box; std::function<void(bool)> Check; } shown[] = {
        {"CheckBox1", form->CheckBox1, style.subElementRect(QStyle::SE_CheckBoxIndicator, &check),
         [&](bool on) { form->CheckBox1->setChecked(on); }},
        {"RadioButton1", form->RadioButton1, style.subElementRect(QStyle::SE_RadioButtonIndicator, &radio),
         [&](bool on) { (on ? form->RadioButton1 : form->RadioButton2)->setChecked(true); }},
        {"CheckListBox1", form->CheckListBox1->viewport(), style.subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item),
         [&](bool on) { form->CheckListBox1->SetChecked(1, on); }},
        {"CheckListBox2", form->CheckListBox2->viewport(), style.subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item),
         [&](bool on) { form->CheckListBox2->SetChecked(1, on); }},
        {"Zone Overview", grid.viewport(), grid.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &cell),
         [&](bool on) { form->SetMark(3, 2, on); }}};
    for (const QPalette& palette : kDarkPalettes) {
        form->setPalette(palette);
        form->Overview()->setPalette(palette);
        for (const auto& s : shown) {
            SCOPED_TRACE(std::string(s.Name) + " on " + palette.color(QPalette::Window).name().toStdString());
            const auto draw = [&](bool on) { s.Check(on); return s.Widget->grab().toImage(); };
            const QImage on = draw(true), off = draw(false);
            const QRect& box = s.Box;
            const QPoint c = box.center();
            // Where the middle row and column cross the border, from just outside it three pixels in.
            for (const QRect& crossing : {QRect(box.left() - 1, c.y(), 4, 1), QRect(box.right() - 2, c.y(), 4, 1),
                                          QRect(c.x(), box.top() - 1, 1, 4), QRect(c.x(), box.bottom() - 2, 1, 4)})
                for (const QImage& image : {on, off})
                    EXPECT_GE(legiblePixels(image, crossing, off.pixel(box.right() + 2, box.top() - 1)), 1) << "border";
            EXPECT_GE(legiblePixels(on, box.adjusted(3, 3, -3, -3), off.pixel(c)), 6) << "mark";
            EXPECT_EQ(legiblePixels(off, box.adjusted(3, 3, -3, -3), off.pixel(c)), 0) << "mark when unchecked";
        }
    }
}

// The corner that marks a changed control adds pixels that stand out 3:1
// from the control's own surface (an edit box's base, a check box's
// window) in the light palette and the dark ones.
TEST_F(IndicatorContrastTest, ChangeMarksReachThreeToOneOnEveryPalette)
{
    // The dark palettes with Adwaita's dark selection colour, which stands
    // out only 2:1 from their surfaces as it is.
    std::vector<QPalette> palettes(std::begin(kDarkPalettes), std::end(kDarkPalettes));
    for (QPalette& palette : palettes)
        palette.setColor(QPalette::Highlight, QColor(0x15539e));
    palettes.push_back(form->style()->standardPalette());
    const auto legibleCorner = [](QWidget* control, const QPalette& palette) {
        const QRect corner(control->width() - 7, 0, 7, 7);
        return legiblePixels(control->grab().toImage(), corner, palette.color(control->backgroundRole()).rgb());
    };
    for (const QPalette& palette : palettes) {
        form->setPalette(palette);
        for (QWidget* control : {static_cast<QWidget*>(form->Edit1), static_cast<QWidget*>(form->CheckBox1)}) {
            SCOPED_TRACE(control->objectName().toStdString());
            form->CheckBox1->setChecked(false);
            form->Edit1->SetBytes("");
            const int unmarked = legibleCorner(control, palette);
            form->CheckBox1->setChecked(true);
            form->Edit1->SetBytes("changed");
            EXPECT_GE(legibleCorner(control, palette) - unmarked, 15);
        }
    }
}

TEST(IndicatorLightPaletteTest, IndicatorsAreFusionsOwn)
{
    ClassicStyle classic;
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const auto element : {QStyle::PE_IndicatorCheckBox, QStyle::PE_IndicatorRadioButton, QStyle::PE_IndicatorItemViewItemCheck})
        for (const QStyle::State state : {QStyle::State_On | QStyle::State_Sunken, QStyle::State_On | QStyle::State_Enabled,
                                          QStyle::State_Off | QStyle::State_Enabled}) {
            const auto draw = [&](const QStyle* style) {
                QStyleOptionButton option;
                option.rect = {2, 2, 13, 13};
                option.state = state;
                option.palette = QGuiApplication::palette();
                QImage image(17, 17, QImage::Format_RGB32);
                image.fill(option.palette.color(QPalette::Window));
                QPainter painter(&image);
                if (style != nullptr)
                    style->drawPrimitive(element, &option, &painter);
                return image;
            };
            const QImage own = draw(fusion.get());
            EXPECT_NE(own, draw(nullptr)) << "Fusion drew nothing";
            EXPECT_EQ(pictureDifference(own, draw(&classic)), std::nullopt) << element << " in state " << state;
        }
}

} // namespace
} // namespace ostra::test
