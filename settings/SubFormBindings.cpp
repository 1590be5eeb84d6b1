#include "settings/SubFormBindings.h"

#include "platform/WindowDesign.h"

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
    return EnumNamed<SubRadio>(widget, SubRadioCount, NameOf);
}

} // namespace mv
