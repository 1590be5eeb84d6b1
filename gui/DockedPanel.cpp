#include "gui/DockedPanel.h"

#include "gui/MainWindowLayout.h"

namespace mv::gui {

void DockChildren(QWidget& parent) {
    QRect free = parent.contentsRect();
    for (const Dock edge : {Dock::Bottom, Dock::Left, Dock::Right}) {
        for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (DesignedDock(child->objectName().toStdString()) != edge) {
                continue;
            }
            const QSize size = child->size();
            switch (edge) {
            case Dock::Bottom:
                child->setGeometry(free.left(), free.bottom() + 1 - size.height(), free.width(),
                                   size.height());
                free.setBottom(free.bottom() - size.height());
                break;
            case Dock::Left:
                child->setGeometry(free.left(), free.top(), size.width(), free.height());
                free.setLeft(free.left() + size.width());
                break;
            case Dock::Right:
                child->setGeometry(free.right() + 1 - size.width(), free.top(), size.width(),
                                   free.height());
                free.setRight(free.right() - size.width());
                break;
            }
        }
    }
}

DockedPanel::DockedPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
}

void DockedPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    DockChildren(*this);
}

} // namespace mv::gui
