#include "gui/GroupBox.h"

#include <QPainter>

namespace mv::gui {

namespace {
// Where the caption starts and the room left beside it, as a native group box draws them.
constexpr int CaptionLeft = 8;
constexpr int CaptionPadding = 2;
} // namespace

void GroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // An etched frame: a shadow line with a light line inside it.
    const int top = metrics.height() / 2;
    const QRect frame(0, top, width() - 2, height() - top - 2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    if (title().isEmpty()) {
        return;
    }
    const QRect caption(CaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * CaptionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.adjusted(CaptionPadding, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     title());
}

} // namespace mv::gui
