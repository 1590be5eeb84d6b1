#pragma once

// DEGrid: the race card as a grid of 11 columns whose fixed header row is the model's row 0
// and whose 18 rows below hold the runners. It takes the focus from a click or Tab and has a
// current cell, framed while it has the focus, that the arrow keys move; screen readers hear
// each cell by its column and text.

#include "common/MainWindowModel.h"

#include <QTableWidget>

namespace mv::gui {

class RaceCardGrid : public QTableWidget {
public:
    explicit RaceCardGrid(QWidget* parent);

    // Copies every cell of the model's grid, the header row included, and each cell's mark:
    // its text colour and its tooltip.
    void Show(const decltype(MainWindowModel::DEGrid)& cells,
              const decltype(MainWindowModel::DEGridMarks)& marks);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace mv::gui
