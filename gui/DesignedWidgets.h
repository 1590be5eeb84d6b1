#pragma once

// The Qt widgets of a designed window: one widget per entry of the core's design, of the kind,
// font, caption and look the design gives, and placed by the core's layout.

#include "platform/WindowDesign.h"

#include <QFont>
#include <QSize>
#include <vector>

class QWidget;

namespace mv::gui {

// Creates every widget of the design inside window, in the design's order (which is also the
// tab order), and returns them in that order. Each widget is named as in the design.
std::vector<QWidget*> BuildWidgets(QWidget& window, const WindowDesign& design);

// Places the widgets for a client area of the given size. Qt scales device-independent pixels
// itself, so the layout is that of 96 dots per inch.
void PlaceWidgets(const std::vector<QWidget*>& widgets, const WindowDesign& design, QSize client);

QSize ToQSize(Size size);

// The designed face, with the installed Japanese Gothic face of the same pitch standing in.
QFont ToQFont(FontSpec spec);

} // namespace mv::gui
