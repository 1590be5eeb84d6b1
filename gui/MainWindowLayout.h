#pragma once

// The main window as designed: each widget's place in its parent, its font and the edge it is
// docked to, looked up by the widget's name.

#include <QFont>
#include <QRect>
#include <QSize>
#include <optional>
#include <string_view>

namespace mv::gui {

// The client area the designed panels fill: PanelDE and PanelPAD side by side over PanelODDS.
inline constexpr QSize DesignedClientSize{792, 573};

// Left, Top, Width, Height relative to the parent (the client area for the three panels).
QRect DesignedGeometry(std::string_view name);

// The two faces of the window: the proportional one and the fixed-pitch one on which the
// column alignment of the race card and odds texts relies.
enum class Face { Proportional, Fixed };
struct FontSpec {
    Face face;
    int pixelSize;
};
inline constexpr FontSpec WindowFont{Face::Proportional, 12};
// The font a widget sets itself; nothing when it keeps its parent's.
std::optional<FontSpec> DesignedFont(std::string_view name);
// The installed Japanese Gothic faces stand in for the original proportional and fixed ones.
QFont ToQFont(FontSpec spec);

// A widget docked to an edge keeps its size across that edge and fills the rest of its
// parent's free side; the others keep their designed geometry.
enum class Dock { Bottom, Left, Right };
std::optional<Dock> DesignedDock(std::string_view name);

// The race card grid's column widths and row height.
inline constexpr int GridColumnWidths[] = {16, 30, 76, 90, 133, 43, 35, 33, 97, 33, 243};
inline constexpr int GridRowHeight = 15;

} // namespace mv::gui
