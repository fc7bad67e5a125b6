#include "ui/side/ReviewChanges.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/widgets/ClassicStyle.h"
#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/SideWindows.h"
#include "ui/widgets/WindowPlacement.h"

namespace ostra {

namespace {

enum Column { NameColumn, FileColumn, WindowColumn, RevertColumn, ColumnCount };
const char* const kColumnHeadings[RevertColumn] = {"Setting", "In the file", "In the window"};
constexpr int kHeadingRow = 0;

QLabel* textLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

// A text can be long (a zone's 36 wallplates): it wraps within about
// thirty characters, so that the Revert column stays in view.
QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    QLabel* label = textLabel(text, parent);
    label->setWordWrap(true);
    label->setMaximumWidth(label->fontMetrics().averageCharWidth() * 30);
    return label;
}

} // namespace

ReviewChanges::ReviewChanges(std::function<std::vector<ReviewRow>()> rows, std::function<void()> revertAll,
                             const EditorCommands& commands)
    : QWidget(nullptr, Qt::Window),
      rows_(std::move(rows)),
      scroll_(new QScrollArea(this)),
      rowsArea_(new QWidget),
      grid_(new QGridLayout(rowsArea_)),
      noChanges_(new QLabel("No unsaved changes.", this)),
      revertAll_(new QPushButton("Revert All", this))
{
    setObjectName("ReviewChanges");
    setWindowTitle(QString::fromLatin1(kReviewChangesTitle));
    setAttribute(Qt::WA_QuitOnClose, false);
    // The rows' buttons take the keyboard, the area around them does not.
    scroll_->setAccessibleName("Unsaved changes");
    scroll_->setFocusPolicy(Qt::NoFocus);
    for (int column = 0; column < RevertColumn; ++column) {
        QLabel* heading = textLabel(QString::fromLatin1(kColumnHeadings[column]), rowsArea_);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid_->addWidget(heading, kHeadingRow, column);
    }
    grid_->setColumnStretch(WindowColumn, 1);
    grid_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    scroll_->setWidget(rowsArea_);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* close = new QPushButton("Close", this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(revertAll_, &QPushButton::clicked, this,
            [this, revertAll = std::move(revertAll)] { revertLater({revertAll}); });
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addActions(commands.HistoryActions);
    for (QPushButton* button : {revertAll_, close}) {
        button->setAutoDefault(false);
        ClickOnEnter(*button);
    }
    keyToolTips_.Add(*close, BindEditorKeys(*this, commands));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(revertAll_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(noChanges_);
    layout->addWidget(scroll_);
    layout->addLayout(buttons);
    resize(560, 320);
    ApplyClassicStyle(*this);
}

void ReviewChanges::revertLater(std::vector<std::function<void()>> reverts)
{
    QTimer::singleShot(0, this, [reverts = std::move(reverts)] {
        for (const auto& revert : reverts)
            revert();
    });
}

void ReviewChanges::clearRows()
{
    for (int index = grid_->count() - 1; index >= 0; --index) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid_->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        if (row == kHeadingRow)
            continue;
        QLayoutItem* item = grid_->takeAt(index);
        delete item->widget();
        delete item;
    }
    revertButtons_.clear();
}

void ReviewChanges::Refresh()
{
    clearRows();
    const std::vector<ReviewRow> rows = rows_();
    int gridRow = kHeadingRow + 1;
    for (const ReviewRow& row : rows) {
        const QString name = row.Detail.isEmpty() ? row.Name : row.Name + QStringLiteral(": ") + row.Detail;
        grid_->addWidget(wrappedLabel(name, rowsArea_), gridRow, NameColumn);
        grid_->addWidget(wrappedLabel(row.FileValue, rowsArea_), gridRow, FileColumn);
        grid_->addWidget(wrappedLabel(row.WindowValue, rowsArea_), gridRow, WindowColumn);
        auto* revert = new QPushButton("Revert", rowsArea_);
        revert->setAccessibleName("Revert " + row.Name);
        revert->setAutoDefault(false);
        ClickOnEnter(*revert);
        connect(revert, &QPushButton::clicked, this, [this, action = row.Revert] { revertLater({action}); });
        grid_->addWidget(revert, gridRow, RevertColumn);
        revertButtons_.push_back(revert);
        ++gridRow;
    }
    // Tab goes down the Revert buttons, then to Revert All and Close.
    QWidget* previous = nullptr;
    for (QPushButton* revert : revertButtons_) {
        if (previous != nullptr)
            setTabOrder(previous, revert);
        previous = revert;
    }
    if (previous != nullptr)
        setTabOrder(previous, revertAll_);
    // New rows are drawn as the rest of the window is.
    for (QWidget* control : rowsArea_->findChildren<QWidget*>())
        control->setStyle(style());
    noChanges_->setVisible(rows.empty());
    scroll_->setVisible(!rows.empty());
    revertAll_->setEnabled(!rows.empty());
}

QStringList ReviewChanges::RowTexts(int row) const
{
    QStringList texts;
    for (int column = NameColumn; column < RevertColumn; ++column) {
        QLayoutItem* item = grid_->itemAtPosition(kHeadingRow + 1 + row, column);
        const auto* label = item != nullptr ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        texts << (label != nullptr ? label->text() : QString());
    }
    return texts;
}

QSize ReviewChanges::WholeSize() const
{
    const QSize rows = rowsArea_->sizeHint();
    const int frame = 2 * scroll_->frameWidth();
    const int scrollBar = scroll_->verticalScrollBar()->sizeHint().width();
    const QSize around = sizeHint() - scroll_->sizeHint();
    return {rows.width() + frame + scrollBar + around.width(), rows.height() + frame + around.height()};
}

void ReviewChanges::ShowBeside(const QWidget& anchor, QWidget* owner)
{
    Refresh();
    if (!isVisible()) {
        // Wide enough for every column, Revert included; PlaceBeside then
        // keeps it within the screen.
        resize(WholeSize().expandedTo(QSize(560, 320)));
        PlaceBeside(*this, anchor);
    }
    winId(); // the native window the owner is set on
    owner = owner != nullptr ? owner->window() : nullptr;
    windowHandle()->setTransientParent(owner != nullptr ? owner->windowHandle() : nullptr);
    show();
    raise();
    activateWindow();
}

} // namespace ostra
