#include "platform/WindowDesign.h"

namespace mv {
namespace {

bool IsChildOf(const WidgetDesign& widget, const char* parent) {
    if (widget.parent == nullptr || parent == nullptr) {
        return widget.parent == parent;
    }
    return std::string_view(widget.parent) == parent;
}

// Places the docked children of parent inside free, its client area.
void DockChildren(const WindowDesign& window, const char* parent, Rect free,
                  std::vector<Rect>& rects) {
    for (const Dock edge : {Dock::Bottom, Dock::Left, Dock::Right}) {
        for (std::size_t i = 0; i < window.widgets.size(); ++i) {
            const WidgetDesign& w = window.widgets[i];
            if (w.dock != edge || !IsChildOf(w, parent)) {
                continue;
            }
            Rect& r = rects[i];
            switch (edge) {
            case Dock::Bottom:
                r = {free.left, free.bottom() - r.height, free.width, r.height};
                free.height -= r.height;
                break;
            case Dock::Left:
                r = {free.left, free.top, r.width, free.height};
                free.left += r.width;
                free.width -= r.width;
                break;
            case Dock::Right:
                r = {free.right() - r.width, free.top, r.width, free.height};
                free.width -= r.width;
                break;
            case Dock::None:
                break;
            }
        }
    }
}

} // namespace

const char* FaceName(Face face) {
    return face == Face::Fixed ? "ＭＳ ゴシック" : "ＭＳ Ｐゴシック";
}

Size ClientSize(const WindowDesign& window) {
    return {window.outer.width - 2 * DesignedFrame,
            window.outer.height - 2 * DesignedFrame - DesignedCaptionBar};
}

int Scaled(int designed, int dpi) {
    // Rounded half up, also for negative lengths.
    const long long scaled = static_cast<long long>(designed) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 47) / 96));
}

// Edges are scaled, not lengths, so that widgets that touch in the design still touch.
Rect Scaled(Rect designed, int dpi) {
    const int left = Scaled(designed.left, dpi);
    const int top = Scaled(designed.top, dpi);
    return {left, top, Scaled(designed.right(), dpi) - left, Scaled(designed.bottom(), dpi) - top};
}

int ScaledFontHeight(int designed, int dpi) {
    return static_cast<int>(static_cast<long long>(designed) * dpi / 96);
}

std::vector<Rect> LayOut(const WindowDesign& window, Size client, int dpi) {
    std::vector<Rect> rects;
    rects.reserve(window.widgets.size());
    for (const WidgetDesign& w : window.widgets) {
        rects.push_back(Scaled(w.place, dpi));
    }
    DockChildren(window, nullptr, {0, 0, client.width, client.height}, rects);
    // Parents come first, so a container's own place is settled before its children dock.
    for (std::size_t i = 0; i < window.widgets.size(); ++i) {
        const WidgetDesign& w = window.widgets[i];
        if (w.kind != WidgetKind::Panel && w.kind != WidgetKind::GroupBox) {
            continue;
        }
        const int border = w.kind == WidgetKind::Panel ? Scaled(PanelBorder, dpi) : 0;
        const Rect inner{border, border, rects[i].width - 2 * border, rects[i].height - 2 * border};
        DockChildren(window, w.name, inner, rects);
    }
    return rects;
}

std::optional<std::size_t> FindWidget(const WindowDesign& window, std::string_view name) {
    for (std::size_t i = 0; i < window.widgets.size(); ++i) {
        if (window.widgets[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

FontSpec EffectiveFont(const WindowDesign& window, std::size_t index) {
    std::optional<std::size_t> at = index;
    while (at) {
        const WidgetDesign& w = window.widgets[*at];
        if (w.font.pixelHeight != 0) {
            return w.font;
        }
        at = w.parent == nullptr ? std::nullopt : FindWidget(window, w.parent);
    }
    return window.font;
}

} // namespace mv
