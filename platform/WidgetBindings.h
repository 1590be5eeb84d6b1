#pragma once

// What a window's logic makes of its widgets, looked up by the widget's name: the tables of
// bindings that both views read when they bind the widgets they built from the design.

#include <optional>
#include <span>
#include <string_view>

namespace mv {

// The widget of an enumerated group (radio buttons 0..count-1, named by nameOf) called so.
template <typename Enum>
std::optional<Enum> EnumNamed(std::string_view name, int count, const char* (*nameOf)(Enum)) {
    for (int i = 0; i < count; ++i) {
        if (nameOf(static_cast<Enum>(i)) == name) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

// One row of a binding table: what the logic makes of the widget of that name (a model field,
// a handler).
template <typename Field>
struct WidgetBinding {
    std::string_view widget;
    Field field;
};

template <typename Field>
std::optional<Field> BindingOf(std::span<const WidgetBinding<Field>> table,
                               std::string_view widget) {
    for (const WidgetBinding<Field>& row : table) {
        if (row.widget == widget) {
            return row.field;
        }
    }
    return std::nullopt;
}

// The click handlers of a window, one table for its push buttons and its radio buttons (Enum
// 0..count-1, named by nameOf).
template <typename Handler, typename Enum>
class ClickBindings {
public:
    ClickBindings(std::span<const WidgetBinding<Handler>> table, int radioCount,
                  const char* (*nameOf)(Enum))
        : table_(table), radioCount_(radioCount), nameOf_(nameOf) {}

    // A radio button; the form's Check applies the radio rule and runs its handler.
    std::optional<Enum> RadioNamed(std::string_view widget) const {
        return EnumNamed<Enum>(widget, radioCount_, nameOf_);
    }
    // The handler of a push button. A radio button's runs through the radio rule, never
    // directly, so a radio button has none here.
    std::optional<Handler> HandlerOf(std::string_view widget) const {
        return RadioNamed(widget) ? std::nullopt : BindingOf(table_, widget);
    }
    // The handler that Check runs when the radio button becomes checked.
    Handler RadioHandler(Enum r) const { return *BindingOf(table_, nameOf_(r)); }

private:
    std::span<const WidgetBinding<Handler>> table_;
    int radioCount_;
    const char* (*nameOf_)(Enum);
};

} // namespace mv
