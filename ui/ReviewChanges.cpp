#include "ui/ReviewChanges.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/SideWindows.h"
#include "ui/WindowPlacement.h"

namespace ostra {

namespace {

enum Column { NameColumn, FileColumn, WindowColumn, RevertColumn, ColumnCount };
const char* const kColumnHeadings[ColumnCount] = {"Setting", "In the file", "In the window", ""};

QTableWidgetItem* textCell(const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setData(Qt::AccessibleTextRole, text);
    return cell;
}

} // namespace

ReviewChanges::ReviewChanges(std::function<std::vector<ReviewRow>()> rows)
    : QWidget(nullptr, Qt::Window),
      rows_(std::move(rows)),
      table_(new QTableWidget(0, ColumnCount, this)),
      noChanges_(new QLabel("No unsaved changes.", this)),
      revertAll_(new QPushButton("Revert All", this))
{
    setObjectName("ReviewChanges");
    setWindowTitle(QString::fromLatin1(kReviewChangesTitle));
    setAttribute(Qt::WA_QuitOnClose, false);
    for (int column = 0; column < ColumnCount; ++column)
        table_->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromLatin1(kColumnHeadings[column])));
    table_->setAccessibleName("Unsaved changes");
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* close = new QPushButton("Close", this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(revertAll_, &QPushButton::clicked, this, [this] {
        std::vector<std::function<void()>> reverts;
        for (ReviewRow& row : rows_())
            reverts.push_back(std::move(row.Revert));
        revertLater(std::move(reverts));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(revertAll_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(noChanges_);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    resize(560, 320);
}

void ReviewChanges::revertLater(std::vector<std::function<void()>> reverts)
{
    QTimer::singleShot(0, this, [reverts = std::move(reverts)] {
        for (const auto& revert : reverts)
            revert();
    });
}

void ReviewChanges::Refresh()
{
    const std::vector<ReviewRow> rows = rows_();
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ReviewRow& row = rows[r];
        table_->setItem(r, NameColumn, textCell(row.Name));
        table_->setItem(r, FileColumn, textCell(row.FileValue));
        table_->setItem(r, WindowColumn, textCell(row.WindowValue));
        auto* revert = new QPushButton("Revert");
        revert->setAccessibleName("Revert " + row.Name);
        connect(revert, &QPushButton::clicked, this, [this, action = row.Revert] { revertLater({action}); });
        table_->setCellWidget(r, RevertColumn, revert);
    }
    noChanges_->setVisible(rows.empty());
    revertAll_->setEnabled(!rows.empty());
}

void ReviewChanges::ShowBeside(const QWidget& anchor, QWidget* owner)
{
    Refresh();
    if (!isVisible())
        PlaceBeside(*this, anchor);
    winId(); // the native window the owner is set on
    owner = owner != nullptr ? owner->window() : nullptr;
    windowHandle()->setTransientParent(owner != nullptr ? owner->windowHandle() : nullptr);
    show();
    raise();
    activateWindow();
}

} // namespace ostra
