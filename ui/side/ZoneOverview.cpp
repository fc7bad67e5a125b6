#include "ui/side/ZoneOverview.h"

#include <set>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/widgets/ClassicStyle.h"
#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/SideWindows.h"
#include "ui/widgets/WindowPlacement.h"
#include "ui/side/ZoneGridAccessible.h"
#include "ui/side/ZoneGridModel.h"

namespace ostra {

namespace {

const char* const kMarkedText = "x";

// The view toggles marks itself (a click anywhere in the cell, Space), so
// the delegate's own toggle on its indicator would toggle twice.
class NoToggleDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool editorEvent(QEvent* /*event*/, QAbstractItemModel* /*model*/, const QStyleOptionViewItem& /*option*/,
                     const QModelIndex& /*index*/) override
    {
        return false;
    }

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
    }
};

QString cellText(const QModelIndex& index)
{
    if (ZoneGridModel::IsMark(index))
        return index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked ? kMarkedText : "";
    return index.data(Qt::DisplayRole).toString();
}

// The grid's own table interface for screen readers (ZoneGridAccessible).
QAccessibleInterface* gridInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String("ostra::ZoneGridView"))
        return nullptr;
    return new ZoneGridAccessible(static_cast<ZoneGridView*>(object));
}

} // namespace

ZoneGridView::ZoneGridView(QWidget* parent) : QTableView(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(gridInterface);
        return true;
    }();
    (void)installed;
    setItemDelegate(new NoToggleDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setAccessibleName(QString::fromLatin1(kZoneOverviewTitle));
    // As low as a check box and its text allow: the 38 rows and the
    // headings then fit a 1280x800 screen with the default font.
    const int rowHeight = fontMetrics().height() + 1;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void ZoneGridView::toggle(const QModelIndex& index)
{
    if (auto* grid = qobject_cast<ZoneGridModel*>(model()))
        grid->Toggle(index);
}

void ZoneGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        toggleSelection(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void ZoneGridView::toggleSelection(const QModelIndex& current)
{
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (!cells.contains(current))
        cells = {current};
    if (auto* grid = qobject_cast<ZoneGridModel*>(model()))
        grid->ToggleLike(current, cells);
}

// A plain click toggles the cell. A click with Ctrl on a cell of a
// selection of several sets them all, as Space does; elsewhere Ctrl and
// Shift select as usual.
void ZoneGridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) {
        toggle(cell);
    } else if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier
               && selectionModel()->isSelected(cell) && selectionModel()->selectedIndexes().size() > 1) {
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
        toggleSelection(cell);
        return;
    }
    QTableView::mousePressEvent(event);
}

// The second press of a double click is a click like the first.
void ZoneGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

QString ZoneGridView::SelectionAsText() const
{
    std::set<int> rows, columns;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    const bool whole = selected.size() < 2;
    const auto isShown = [&](int row, int column) {
        return whole || selectionModel()->isSelected(model()->index(row, column));
    };
    for (int row = 0; row < model()->rowCount(); ++row)
        for (int column = 0; column < model()->columnCount(); ++column)
            if (isShown(row, column)) {
                rows.insert(row);
                columns.insert(column);
            }
    QString text;
    for (int column : columns)
        text += QLatin1Char('\t') + model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    text += QLatin1Char('\n');
    for (int row : rows) {
        text += model()->headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
        for (int column : columns)
            text += QLatin1Char('\t') + (isShown(row, column) ? cellText(model()->index(row, column)) : QString());
        text += QLatin1Char('\n');
    }
    return text;
}

void ZoneGridView::CopySelection() const
{
    QApplication::clipboard()->setText(SelectionAsText());
}

QSize ZoneGridView::FullSize() const
{
    int width = verticalHeader()->sizeHint().width() + 2 * frameWidth();
    for (int column = 0; column < model()->columnCount(); ++column)
        width += columnWidth(column);
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (int row = 0; row < model()->rowCount(); ++row)
        height += rowHeight(row);
    return {width, height};
}

ZoneOverview::ZoneOverview(ZoneGrid& grid, const EditorCommands& commands)
    : QWidget(nullptr, Qt::Window),
      model_(new ZoneGridModel(grid, this)),
      view_(new ZoneGridView(this)),
      review_(new QPushButton(QString::fromLatin1(kReviewChangesTitle) + "...", this)),
      print_(new QPushButton(kPrintCommand, this)),
      close_(new QPushButton("Close", this))
{
    setObjectName("ZoneOverview");
    setWindowTitle(QString::fromLatin1(kZoneOverviewTitle));
    // The editor's window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    view_->setModel(model_);
    // The buttons stand beside the grid rather than under it: the grid
    // needs the screen's height, and has width to spare.
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view_);
    auto* buttons = new QVBoxLayout;
    layout->addLayout(buttons);
    struct ButtonRow {
        QPushButton* Button;
        std::function<void()> Command;
        const char* MenuText;
        QKeySequence::StandardKey Standard;
        const char* Keys;
    };
    const ButtonRow rows[] = {
        {print_, [this, print = commands.Print] { print(*this); }, kPrintCommand, QKeySequence::Print, kPrintKeys},
        {review_, commands.Review, kReviewChangesTitle, QKeySequence::UnknownKey, kReviewChangesKeys},
    };
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    view_->addActions(commands.HistoryActions);
    for (const ButtonRow& row : rows) {
        QPushButton* button = row.Button;
        buttons->addWidget(button);
        button->setAutoDefault(false);
        ClickOnEnter(*button);
        connect(button, &QPushButton::clicked, this, row.Command);
        const QKeySequence keys = QKeySequence::fromString(row.Keys, QKeySequence::PortableText);
        keyToolTips_.Add(*button, BindCommandKeys(*this, row.Standard, keys, [button] { button->click(); }));
        auto* entry = new QAction(MenuEntryText(row.MenuText, row.Keys), view_);
        connect(entry, &QAction::triggered, button, &QPushButton::click);
        view_->addAction(entry);
    }
    buttons->addStretch();
    buttons->addWidget(close_);
    close_->setAutoDefault(false);
    ClickOnEnter(*close_);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    keyToolTips_.Add(*close_, BindEditorKeys(*this, commands));
    // The main window's marks, which stay legible on dark palettes.
    ApplyClassicStyle(*this);
}

void ZoneOverview::Refresh()
{
    model_->Refresh();
}

QSize ZoneOverview::WholeSize()
{
    view_->resizeColumnsToContents();
    view_->setMinimumSize(view_->FullSize());
    const QSize whole = sizeHint();
    view_->setMinimumSize(0, 0);
    return whole;
}

void ZoneOverview::ShowBeside(const QWidget& anchor)
{
    if (!isVisible()) {
        // As large as it takes to show the whole grid, where the screen
        // allows; the user may then make it smaller, and it scrolls.
        resize(WholeSize());
        PlaceBeside(*this, anchor);
    }
    show();
    raise();
    activateWindow();
    view_->setFocus();
    if (!view_->currentIndex().isValid())
        view_->setCurrentIndex(model_->index(0, 0));
}

} // namespace ostra
