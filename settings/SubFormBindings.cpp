#include "settings/SubFormBindings.h"

namespace mv {

std::optional<SubFormHandler> SubFormHandlerOf(std::string_view widget) {
    if (widget == "Button1") {
        return &TSubForm::Button1Click;
    }
    if (widget == "Button2") {
        return &TSubForm::Button2Click;
    }
    return std::nullopt;
}

std::optional<SubRadio> SubRadioNamed(std::string_view widget) {
    for (int i = 0; i < SubRadioCount; ++i) {
        if (NameOf(static_cast<SubRadio>(i)) == widget) {
            return static_cast<SubRadio>(i);
        }
    }
    return std::nullopt;
}

} // namespace mv
