#include "ui/main/Unit1.h"

#include <algorithm>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"
#include "gif/GIFImage.h"
#include "ui/widgets/AccessibleRoles.h"
#include "ui/widgets/ApplicationTitle.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/ClassicStyle.h"
#include "ui/widgets/CodePage.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/HelpMemo.h"
#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/LogoImage.h"
#include "ui/widgets/PlaceControl.h"
#include "ui/widgets/SingleByteEdit.h"
#include "ui/main/Unit1Fields.h"
#include "ui/main/Unit1Tables.h"
#include "ui/widgets/VersionLabel.h"
#include "ui/main/ZoneEditor.h"
#include "ui/side/ZoneOverview.h"

namespace ostra {

using namespace unit1;

namespace {

const QStringList kConfigFilters{"Ostra Configuration File (*.cfg)", "All Files (*.*)"};

FileDialogRequest saveDialogSettings()
{
    return {FileDialogKind::Save, "Advanced Save", kConfigFilters, "cfg", QString()};
}

FileDialogRequest openDialogSettings()
{
    return {FileDialogKind::Open, "Advanced Load", kConfigFilters, QString(), QString()};
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& rect, bool bold)
{
    auto* label = place(new QLabel(caption, parent), name, rect);
    if (bold)
        label->setFont(BoldWindowFont());
    return label;
}

// An edit box takes its character set and its length from the record
// field that the window's tables bind to it.
SingleByteEdit* makeEdit(QWidget* parent, const char* name, const QRect& rect)
{
    const ConfigField& field = FieldShownIn(name);
    auto* edit = place(new SingleByteEdit(CodePageFor(field.Page), parent), name, rect);
    edit->setMaxLength(field.Width);
    return edit;
}

// A version's label, captioned with its field's label and a version until
// a record fills it.
QLabel* makeVersionLabel(QWidget* parent, const char* name, const char* version, const QRect& rect)
{
    return makeLabel(parent, name, VersionCaption(FieldShownIn(name), version), rect, false);
}

} // namespace

TForm1::TForm1(FileApi& files, FileDialogs& fileDialogs, MessageBoxes& messageBoxes, Shell& shell,
               std::function<void()> showCardBrowser, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      SaveDialog1(fileDialogs, this, saveDialogSettings()),
      OpenDialog1(fileDialogs, this, openDialogSettings()),
      files_(files),
      messageBoxes_(messageBoxes),
      shell_(shell),
      showCardBrowser_(std::move(showCardBrowser))
{
    InstallAccessibleRoles();
    setObjectName("Form1");
    showTitleText(QString::fromLatin1(kApplicationTitle));
    setFixedSize(588, 506);
    setFont(WindowFont());
    createFrames();
    createHeadings();
    createDescriptionAndOptions();
    createNameRows();
    createInstallerPanel();
    createZonePanel();
    createCommandControls();
    createHelp();
    createHistoryActions();
    createReviewControls();
    addPrintEntries();
    bindFields();
    setTabOrder();
    ApplyClassicStyle(*this);
    fillZonePanel();
    connectHandlers();
    trackChanges();
    setAcceptDrops(true);
    bindKeys();
    nameForScreenReaders();
    FormCreate();
    // No file yet: the document starts from what the window shows.
    document_.Opened({}, editedCopy());
    showDocument();
}

TForm1::~TForm1() = default;

void TForm1::createFrames()
{
    // Sunken outlines that draw no background and take no clicks; created
    // first so every other control lies above them.
    for (const FrameSpec& row : kFrames)
        this->*row.Frame.Member = place(new GroupFrame(this), row.Frame.Name, row.Rect);
}

void TForm1::createHeadings()
{
    for (const HeadingSpec& row : kHeadings)
        this->*row.Label.Member = makeLabel(this, row.Label.Name, row.Caption, row.Rect, true);
}

void TForm1::createDescriptionAndOptions()
{
    Edit1 = makeEdit(this, "Edit1", {8, 29, 269, 20});
    Edit1->setFont(TerminalFont());
    Edit1->setFixedHeight(20);
    Edit1->SetBlankMarker(layout::kBlankMarker);
    addTabStop(0, Edit1);

    RadioButton1 = place(new QRadioButton(kResidentialMode, this), "RadioButton1", {296, 28, 113, 17});
    RadioButton2 = place(new QRadioButton(kProfessionalMode, this), "RadioButton2", {376, 28, 81, 17});
    RadioButton1->setChecked(true);
    addTabStop(17, RadioButton1);
    addTabStop(18, RadioButton2);

    for (const CheckBoxSpec& row : kCheckBoxes) {
        const QString caption =
            row.Caption != nullptr ? row.Caption : QString::fromStdString(FieldShownIn(row.Box.Name).Label);
        auto* box = place(new QCheckBox(caption, this), row.Box.Name, row.Rect);
        this->*row.Box.Member = box;
        addTabStop(row.TabOrder, box);
    }
    CheckBox4->setToolTip("Enabled Display Blanking");
}

void TForm1::createNameRows()
{
    for (const NamePanel* panel : {&kSourcePanel, &kZonePanel}) {
        for (int i = 0; i < 6; ++i) {
            const NameRow& row = panel->Rows[i];
            const int top = kNameRowTop + kNameRowStep * i;
            this->*row.Number.Member = makeLabel(this, row.Number.Name, QString::number(i + 1),
                                                 {panel->NumberLeft, top + 4, 8, 13}, true);
            SingleByteEdit* shortName =
                makeEdit(this, row.ShortName.Name, {panel->ShortLeft, top, kShortNameEditWidth, kEditHeight});
            SingleByteEdit* fullName =
                makeEdit(this, row.FullName.Name, {panel->FullLeft, top, kFullNameEditWidth, kEditHeight});
            this->*row.ShortName.Member = shortName;
            this->*row.FullName.Member = fullName;
            addTabStop(panel->FirstTabOrder + 2 * i, shortName);
            addTabStop(panel->FirstTabOrder + 2 * i + 1, fullName);
        }
    }
}

void TForm1::createInstallerPanel()
{
    for (int k = 0; k < layout::kInstallerLineCount; ++k) {
        SingleByteEdit* line = makeEdit(this, kInstallerLines[k].Name, {10, 317 + 24 * k, 265, kEditHeight});
        this->*kInstallerLines[k].Member = line;
        addTabStop(13 + k, line);
    }
    Label27 = makeVersionLabel(this, "Label27", "0.00", {12, 417, 111, 13});
    Label28 = makeVersionLabel(this, "Label28", "1.01", {166, 417, 107, 13});
    Label28->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetVersionCaption(*Label27, Label27->text(), VersionLabelAnchor::Left);
    SetVersionCaption(*Label28, Label28->text(), VersionLabelAnchor::Right);
}

void TForm1::createZonePanel()
{
    ListBox1 = place(new ListBox(this, kListItemHeight), "ListBox1", {296, 318, 117, 101});
    CheckListBox1 = place(new CheckListBox(this, kListItemHeight), "CheckListBox1", {429, 318, 84, 101});
    CheckListBox2 = place(new CheckListBox(this, kListItemHeight), "CheckListBox2", {532, 318, 41, 101});
    for (ListBox* list : {ListBox1, static_cast<ListBox*>(CheckListBox1), static_cast<ListBox*>(CheckListBox2)}) {
        list->setFont(ListFont());
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    addTabStop(34, ListBox1);
    addTabStop(35, CheckListBox1);
    addTabStop(36, CheckListBox2);
}

// The lists get their items once the window's style is set: a list lays
// out its items again, there and then, when its style changes.
void TForm1::fillZonePanel()
{
    ListBox1->addItems(ZoneCaptions());
    CheckListBox1->SetItems(WallplateCaptions());
    CheckListBox2->SetItems(MainOutputCaptions());
}

void TForm1::createCommandControls()
{
    for (const ButtonSpec& row : kButtons) {
        auto* button = place(new QPushButton(row.Caption, this), row.Button.Name, row.Rect);
        button->setAutoDefault(false);
        ClickOnEnter(*button);
        this->*row.Button.Member = button;
        addTabStop(row.TabOrder, button);
    }
    Image1 = place(new LogoImage(this), "Image1", {14, 450, 204, 42});
    Image1->setToolTip(LogoHint());
    loadLogo();
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(5000);
    Timer1->setTimerType(Qt::PreciseTimer);
}

void TForm1::createHelp()
{
    // The text and its font come when the help first shows (see
    // setHelpShown): loading the font and laying out the text is work the
    // window does not need to come up.
    Memo1 = place(new HelpMemo(this), "Memo1", {596, 4, 581, 434});
    Memo1->hide();
    Memo1->raise();
    addTabStop(41, Memo1);
}

void TForm1::addTabStop(int tabOrder, QWidget* control)
{
    tabStops_.emplace_back(tabOrder, control);
}

void TForm1::setTabOrder()
{
    std::sort(tabStops_.begin(), tabStops_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops_.size(); ++i)
        QWidget::setTabOrder(tabStops_[i - 1].second, tabStops_[i].second);
}

void TForm1::connectHandlers()
{
    // Only signals that the user alone raises: a control set from code
    // never runs a handler.
    for (const ButtonSpec& row : kButtons)
        connect(this->*row.Button.Member, &QPushButton::clicked, this, row.Click);
    connect(Memo1, &HelpMemo::Click, this, &TForm1::Memo1Click);
    connect(Image1, &LogoImage::Click, this, &TForm1::Image1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(ListBox1, &ListBox::Click, this, &TForm1::ListBox1Click);
    connect(CheckListBox1, &CheckListBox::Click, this, &TForm1::CheckListBox1Click);
}

void TForm1::FormCreate()
{
    Memo1->move(4, 4);
}

} // namespace ostra
