#include "gui/RaceCardGrid.h"

#include "gui/MainWindowLayout.h"
#include "gui/QtText.h"

#include <QHeaderView>

namespace mv::gui {
namespace {

// The fixed header row in the light green of the original grid, as tall as a runner row.
constexpr const char* HeaderStyle =
    "QHeaderView::section { background-color: #C0DCC0; padding: 0px; border: 0px;"
    " border-right: 1px solid gray; border-bottom: 1px solid gray; }";

} // namespace

RaceCardGrid::RaceCardGrid(QWidget* parent) : QTableWidget(GridRows - 1, GridColumns, parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    // The texts are laid out in fixed byte columns: never cut them short with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    QPalette cells = palette();
    cells.setColor(QPalette::Base, Qt::white);
    setPalette(cells);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(GridRowHeight);
    verticalHeader()->setDefaultSectionSize(GridRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    header->setStyleSheet(QString::fromLatin1(HeaderStyle));
    header->setFixedHeight(GridRowHeight);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(GridColumnWidths[0]);
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < GridColumns; ++c) {
        setHorizontalHeaderItem(c, new QTableWidgetItem);
        header->resizeSection(c, GridColumnWidths[c]);
        for (int row = 0; row < rowCount(); ++row) {
            setItem(row, c, new QTableWidgetItem);
        }
    }
}

void RaceCardGrid::Show(const decltype(MainWindowModel::DEGrid)& cells) {
    for (int c = 0; c < GridColumns; ++c) {
        const auto column = static_cast<std::size_t>(c);
        horizontalHeaderItem(c)->setText(FromSjis(cells[0][column]));
        for (int row = 1; row < GridRows; ++row) {
            item(row - 1, c)->setText(FromSjis(cells[static_cast<std::size_t>(row)][column]));
        }
    }
}

} // namespace mv::gui
