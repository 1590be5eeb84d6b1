#pragma once

// Docking as the window defines it: a child docked to an edge keeps its size across that edge
// and stretches along it. Bottom-docked children are placed first and take the full width;
// left- and right-docked children then share the height that is left.

#include <QFrame>

namespace mv::gui {

// Places the docked children of parent (by their names) inside its contents rectangle.
void DockChildren(QWidget& parent);

// A raised panel that docks its children whenever it is resized.
class DockedPanel : public QFrame {
public:
    explicit DockedPanel(QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace mv::gui
