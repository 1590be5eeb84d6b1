#pragma once

// A window as designed, as plain data that every view builds its widgets from: each widget's
// kind, parent, place, docking, font and caption. Positions are design pixels (96 per inch);
// LayOut turns them into the pixels of a window of any size and resolution.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace mv {

enum class WidgetKind { Panel, Label, GroupBox, RadioButton, PushButton, Edit, Memo, Grid };

// A docked widget keeps its size across the edge and stretches along it. Bottom-docked widgets
// take the full width first; left- and right-docked ones then share the height that is left.
enum class Dock { None, Bottom, Left, Right };

// The window's two faces: the proportional one and the fixed-pitch one on which the column
// alignment of the race card and odds texts relies (one column per byte).
enum class Face { Proportional, Fixed };
// The faces' names as designed (UTF-8): "ＭＳ Ｐゴシック" and "ＭＳ ゴシック". A view stands in
// the nearest installed Japanese face of the same pitch where they are missing.
const char* FaceName(Face face);
struct FontSpec {
    Face face = Face::Proportional;
    int pixelHeight = 0; // 0: the parent's font
    bool operator==(const FontSpec&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// 0xRRGGBB.
using Colour = std::uint32_t;

// What a widget is besides its place and font.
enum WidgetFlag : unsigned {
    ReadOnly = 1u << 0,
    VerticalScrollBar = 1u << 1,
    HorizontalScrollBar = 1u << 2,
    WordWrap = 1u << 3,
    InitiallyHidden = 1u << 4,
    InitiallyChecked = 1u << 5,
    Coloured = 1u << 6, // its background is `colour`, not the system's
};

struct WidgetDesign {
    const char* name;
    WidgetKind kind;
    const char* parent; // nullptr: the window's client area
    Rect place;         // relative to the parent's client area
    Dock dock = Dock::None;
    FontSpec font = {};            // pixelHeight 0: the parent's
    const char* caption = nullptr; // UTF-8; the initial caption or text
    unsigned flags = 0;
    Colour colour = 0;
};

struct WindowDesign {
    const char* name;
    const char* caption; // UTF-8
    Size outer;          // with its frame, as designed
    FontSpec font;
    std::span<const WidgetDesign> widgets; // parents before their children
};

// The frame the designed outer sizes include: 4 pixels on each side and a 19-pixel caption bar.
inline constexpr int DesignedFrame = 4;
inline constexpr int DesignedCaptionBar = 19;

// The client area that the designed widgets fill.
Size ClientSize(const WindowDesign& window);

// A panel's raised border: its children's client area lies this far inside it.
inline constexpr int PanelBorder = 1;

// A design length at a resolution (dots per inch), rounded to the nearest pixel.
int Scaled(int designed, int dpi);
Rect Scaled(Rect designed, int dpi);
// A font's pixel height at a resolution, rounded down, so that a text that fills its widget as
// designed still fits it.
int ScaledFontHeight(int designed, int dpi);

// Where every widget lies, in the same order as the design, relative to its parent's client
// area, when the window's client area has the given size in pixels at the given resolution.
// Widgets that are not docked keep their designed place, scaled.
std::vector<Rect> LayOut(const WindowDesign& window, Size client, int dpi);

// The index of the widget named so, if there is one.
std::optional<std::size_t> FindWidget(const WindowDesign& window, std::string_view name);

// The parent of a widget of an enumerated group (0..Count-1, named by nameOf), as designed,
// looked up once: the radio buttons with the same parent form one group.
template <typename Enum, int Count>
std::string_view DesignedParent(const WindowDesign& (*design)(), const char* (*nameOf)(Enum),
                                Enum e) {
    static const std::array<std::string_view, static_cast<std::size_t>(Count)> parents = [&] {
        std::array<std::string_view, static_cast<std::size_t>(Count)> out{};
        const WindowDesign& window = design();
        for (int i = 0; i < Count; ++i) {
            const char* parent =
                window.widgets[*FindWidget(window, nameOf(static_cast<Enum>(i)))].parent;
            out[static_cast<std::size_t>(i)] = parent == nullptr ? std::string_view() : parent;
        }
        return out;
    }();
    return parents[static_cast<std::size_t>(e)];
}

// The font a widget is drawn in: its own, or its nearest ancestor's, or the window's.
FontSpec EffectiveFont(const WindowDesign& window, std::size_t index);

} // namespace mv
