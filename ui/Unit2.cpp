#include "ui/Unit2.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include "ui/ClassicStyle.h"
#include "ui/Fonts.h"

namespace ostra {

namespace {

// Client size of a window whose outer size is 449 x 333 with a sizeable
// border and a caption.
constexpr QSize kClientSize{441, 306};

template <typename Control> Control* place(Control* control, const char* name, const QRect& rect)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(rect);
    return control;
}

} // namespace

TForm2::TForm2(TForm1& form1, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      form1_(form1),
      anchors_(kClientSize)
{
    setObjectName("Form2");
    setWindowTitle("Open Configuration File");
    setFont(WindowFont());
    resize(kClientSize);
    setMinimumSize(kClientSize);
    // Closing the main window ends the program even while this one shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    ApplyClassicStyle(*this);
}

TForm2::~TForm2() = default;

void TForm2::createControls()
{
    ListBox1 = place(new QListWidget(this), "ListBox1", {4, 4, 433, 253});
    ListBox1->setFont(CourierFont());
    ComboBox1 = place(new QComboBox(this), "ComboBox1", {45, 268, 65, 21});
    ComboBox1->setEditable(false);
    Button1 = place(new QPushButton("Cancel", this), "Button1", {361, 268, 75, 25});
    Button2 = place(new QPushButton("Open", this), "Button2", {281, 268, 75, 25});
    Button3 = place(new QPushButton("Refresh", this), "Button3", {201, 268, 75, 25});
    Button4 = place(new QPushButton("Browse...", this), "Button4", {120, 268, 75, 25});
    Label1 = place(new QLabel("Drive:", this), "Label1", {5, 272, 28, 13});
    for (QPushButton* button : {Button1, Button2, Button3, Button4})
        button->setAutoDefault(false);

    anchors_.Add(ListBox1, Anchors::Left | Anchors::Top | Anchors::Right | Anchors::Bottom);
    anchors_.Add(ComboBox1, Anchors::Left | Anchors::Bottom);
    anchors_.Add(Label1, Anchors::Left | Anchors::Bottom);
    for (QPushButton* button : {Button1, Button2, Button3, Button4})
        anchors_.Add(button, Anchors::Right | Anchors::Bottom);

    QWidget::setTabOrder(ListBox1, ComboBox1);
    QWidget::setTabOrder(ComboBox1, Button1);
    QWidget::setTabOrder(Button1, Button2);
    QWidget::setTabOrder(Button2, Button3);
    QWidget::setTabOrder(Button3, Button4);
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    anchors_.Apply(event->size());
}

} // namespace ostra
