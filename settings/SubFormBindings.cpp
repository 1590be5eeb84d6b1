#include "settings/SubFormBindings.h"

#include "platform/WidgetBindings.h"

namespace mv {

namespace {

// Every widget with a click handler: the push buttons and the radio buttons.
constexpr WidgetBinding<SubFormHandler> Clicks[] = {
    {"Button1", &TSubForm::Button1Click},
    {"Button2", &TSubForm::Button2Click},
    {"RadioButton1", &TSubForm::RadioButton1Click},
    {"RadioButton2", &TSubForm::RadioButton2Click},
    {"RadioButton3", &TSubForm::RadioButton3Click},
    {"RadioButton4", &TSubForm::RadioButton4Click},
    {"RadioButton5", &TSubForm::RadioButton5Click},
    {"RadioButton6", &TSubForm::RadioButton6Click},
    {"RadioButton7", &TSubForm::RadioButton7Click},
    {"RadioButton8", &TSubForm::RadioButton8Click},
    {"RadioButton9", &TSubForm::RadioButton9Click},
    {"RadioButton10", &TSubForm::RadioButton10Click},
    {"RadioButton11", &TSubForm::RadioButton11Click},
};

} // namespace

const ClickBindings<SubFormHandler, SubRadio>& SubFormClicks() {
    static const ClickBindings<SubFormHandler, SubRadio> clicks(Clicks, SubRadioCount, NameOf);
    return clicks;
}

} // namespace mv
