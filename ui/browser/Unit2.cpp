// The card file browser's window, its controls and its commands; the
// drive scan and the file listing are in Unit2Listing.cpp.
#include "ui/browser/Unit2.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

#include "config/CardFiles.h"
#include "ui/widgets/AccessibleRoles.h"
#include "ui/widgets/ClassicStyle.h"
#include "ui/browser/ConfigOpener.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/ListBox.h"
#include "ui/widgets/PlaceControl.h"

namespace ostra {

namespace {

// Client size of a window whose outer size is 449 x 333 with a sizeable
// border and a caption.
constexpr QSize kClientSize{441, 306};
constexpr int kFileItemHeight = 16;

} // namespace

TForm2::TForm2(ConfigOpener& editor, RemovableDrives& drives, FileApi& files, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      editor_(editor),
      // The editor loads what the list shows, so the list reads each file
      // as a load would.
      scan_(drives, files, FileAccess::ReadWriteOrReadOnly, kConfigCardFiles),
      anchors_(kClientSize)
{
    InstallAccessibleRoles();
    setObjectName("Form2");
    setWindowTitle("Open Configuration File");
    setFont(WindowFont());
    resize(kClientSize);
    setMinimumSize(kClientSize);
    // Closing the main window ends the program even while this one shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    connectHandlers();
    ApplyClassicStyle(*this);
}

TForm2::~TForm2() = default;

void TForm2::createControls()
{
    ListBox1 = place(new ListBox(this, kFileItemHeight), "ListBox1", {4, 4, 433, 253});
    ListBox1->setFont(CourierFont());
    ComboBox1 = place(new QComboBox(this), "ComboBox1", {45, 268, 65, 21});
    ComboBox1->setEditable(false);
    Button1 = place(new QPushButton("Cancel", this), "Button1", {361, 268, 75, 25});
    Button2 = place(new QPushButton("Open", this), "Button2", {281, 268, 75, 25});
    Button3 = place(new QPushButton("Refresh", this), "Button3", {201, 268, 75, 25});
    Button4 = place(new QPushButton("Browse...", this), "Button4", {120, 268, 75, 25});
    Label1 = place(new QLabel("Drive:", this), "Label1", {5, 272, 28, 13});
    for (QPushButton* button : {Button1, Button2, Button3, Button4}) {
        button->setAutoDefault(false);
        ClickOnEnter(*button);
    }
    ListBox1->setAccessibleName("Configuration files on the card");
    ComboBox1->setAccessibleName("Drive");
    Label1->setBuddy(ComboBox1);

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

void TForm2::connectHandlers()
{
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
    // activated comes from the user alone; a selection made by the program
    // runs no handler.
    connect(ComboBox1, &QComboBox::activated, this, &TForm2::ComboBox1Change);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm2::showDriveToolTip);
    // A double-click anywhere in the list opens, on a line or not; Enter
    // in the list opens as a double-click does.
    ListBox1->viewport()->installEventFilter(this);
    ListBox1->installEventFilter(this);
    const QKeySequence cancel(Qt::Key_Escape);
    if (BindKeys(*this, cancel, [this] { Button1->click(); }))
        keyToolTips_.Add(*Button1, {cancel});
}

void TForm2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Only a change from hidden to shown scans; a window restored by the
    // window system keeps its lists.
    if (!event->spontaneous())
        FormShow();
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    anchors_.Apply(event->size());
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        Button2Click();
        return true;
    }
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Button2Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm2::Button1Click()
{
    hide();
}

void TForm2::Button2Click()
{
    // Without a selected line there is nothing to open, and the window
    // stays as it is.
    const int row = ListBox1->ItemIndex();
    if (row < 0 || !editor_.SettleUnsavedEdits(this))
        return;
    hide();
    editor_.OpenConfigFromCard(ListBox1->item(row)->data(FilePathRole).toByteArray().toStdString());
}

void TForm2::Button3Click()
{
    FormShow();
}

void TForm2::Button4Click()
{
    // The file dialog runs while the browser still shows, above it: the
    // browser stays on top of the main window.
    editor_.OpenConfigMap(this);
    hide();
}

} // namespace ostra
