#include "gui/RaceCardGrid.h"

#include "app/ContextMenu.h"
#include "app/GridCursor.h"
#include "common/MainFormDesign.h"
#include "gui/QtText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

namespace mv::gui {
namespace {

// The fixed header row in the design's colour, as tall as a runner row.
QString HeaderStyle(Colour colour) {
    return QStringLiteral("QHeaderView::section { background-color: %1; padding: 0px; border: 0px;"
                          " border-right: 1px solid gray; border-bottom: 1px solid gray; }")
        .arg(QColor::fromRgb(static_cast<QRgb>(colour)).name());
}

} // namespace

RaceCardGrid::RaceCardGrid(QWidget* parent)
    : QTableWidget(GridRows - DEGridDesign().fixedRows, GridColumns, parent) {
    const GridDesign& design = DEGridDesign();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    // Tab leaves the grid; the arrow keys move its current cell.
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);
    // The texts are laid out in fixed byte columns: never cut them short with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    QPalette cells = palette();
    cells.setColor(QPalette::Base, QColor::fromRgb(static_cast<QRgb>(design.cellColour)));
    setPalette(cells);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(design.rowHeight);
    verticalHeader()->setDefaultSectionSize(design.rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    header->setStyleSheet(HeaderStyle(design.headerColour));
    header->setFixedHeight(design.rowHeight);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(design.columnWidths[0]);
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < GridColumns; ++c) {
        setHorizontalHeaderItem(c, new QTableWidgetItem);
        header->resizeSection(c, design.columnWidths[static_cast<std::size_t>(c)]);
        for (int row = 0; row < rowCount(); ++row) {
            setItem(row, c, new QTableWidgetItem);
        }
    }
}

void RaceCardGrid::Show(const decltype(MainWindowModel::DEGrid)& cells,
                        const decltype(MainWindowModel::DEGridMarks)& marks) {
    for (int c = 0; c < GridColumns; ++c) {
        const auto column = static_cast<std::size_t>(c);
        horizontalHeaderItem(c)->setText(FromSjis(cells[0][column]));
        for (int row = 1; row < GridRows; ++row) {
            const auto r = static_cast<std::size_t>(row);
            QTableWidgetItem* cell = item(row - 1, c);
            cell->setText(FromSjis(cells[r][column]));
            const CellMark& mark = marks[r][column];
            if (mark.move == OddsMove::None) {
                cell->setData(Qt::ForegroundRole, QVariant());
            } else {
                cell->setForeground(QColor::fromRgb(static_cast<QRgb>(MarkColour(mark.move))));
            }
            cell->setToolTip(FromSjis(mark.tip));
            cell->setData(Qt::AccessibleTextRole, FromSjis(CellName(cells, {row, c})));
        }
    }
    if (!currentIndex().isValid()) {
        setCurrentCell(0, 0);
    }
}

void RaceCardGrid::keyPressEvent(QKeyEvent* event) {
    static const std::pair<int, GridKey> keys[] = {
        {Qt::Key_Up, GridKey::Up},     {Qt::Key_Down, GridKey::Down},
        {Qt::Key_Left, GridKey::Left}, {Qt::Key_Right, GridKey::Right},
        {Qt::Key_Home, GridKey::Home}, {Qt::Key_End, GridKey::End},
    };
    const bool ctrl = event->modifiers() == Qt::ControlModifier;
    if (event->modifiers() != Qt::NoModifier && !ctrl) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    for (const auto& [qtKey, key] : keys) {
        if (event->key() != qtKey) {
            continue;
        }
        GridKey move = key;
        if (ctrl) {
            if (key != GridKey::Home && key != GridKey::End) {
                break;
            }
            move = key == GridKey::Home ? GridKey::CtrlHome : GridKey::CtrlEnd;
        }
        const GridCell from{std::max(currentRow(), 0) + 1, std::max(currentColumn(), 0)};
        const GridCell to = MovedCell(from, move);
        setCurrentCell(to.row - 1, to.column);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace mv::gui
