#include "app/MainFormBindings.h"

#include "platform/WidgetBindings.h"

namespace mv {
namespace {

using M = MainWindowModel;

constexpr WidgetBinding<MainFormText> Texts[] = {
    {"EditYMDR", &M::EditYMDR},     {"EditTokubetu", &M::EditTokubetu},
    {"EditJikoku", &M::EditJikoku}, {"EditJyouken", &M::EditJyouken},
    {"EditCourse", &M::EditCourse}, {"EditKyori", &M::EditKyori},
    {"EditTousuu", &M::EditTousuu}, {"GBOdds1", &M::GBOdds1},
    {"GBOdds2", &M::GBOdds2},       {"GBOdds3", &M::GBOdds3},
};

constexpr WidgetBinding<MainFormLines> Memos[] = {
    {"MemoOdds1", &M::MemoOdds1},
    {"MemoOdds2", &M::MemoOdds2},
    {"MemoOdds3", &M::MemoOdds3},
    {"MemoSeiseki", &M::MemoSeiseki},
};

constexpr WidgetBinding<MainFormVisibility> Visibilities[] = {
    {"GBR", &M::GBRVisible},
};

// Every widget with a click handler: the radio buttons and the push buttons.
constexpr WidgetBinding<MainFormHandler> Clicks[] = {
    {"RBkaisai1", &TMainForm::RBkaisai1Click}, {"RBkaisai2", &TMainForm::RBkaisai2Click},
    {"RBkaisai3", &TMainForm::RBkaisai3Click}, {"RBkaisai4", &TMainForm::RBkaisai4Click},
    {"RBkaisai5", &TMainForm::RBkaisai5Click}, {"RBkaisai6", &TMainForm::RBkaisai6Click},
    {"RBR01", &TMainForm::RBR01Click},         {"RBR02", &TMainForm::RBR02Click},
    {"RBR03", &TMainForm::RBR03Click},         {"RBR04", &TMainForm::RBR04Click},
    {"RBR05", &TMainForm::RBR05Click},         {"RBR06", &TMainForm::RBR06Click},
    {"RBR07", &TMainForm::RBR07Click},         {"RBR08", &TMainForm::RBR08Click},
    {"RBR09", &TMainForm::RBR09Click},         {"RBR10", &TMainForm::RBR10Click},
    {"RBR11", &TMainForm::RBR11Click},         {"RBR12", &TMainForm::RBR12Click},
    {"RBSortT", &TMainForm::RBSortTClick},     {"RBNorT", &TMainForm::RBNorTClick},
    {"RBSort1", &TMainForm::RBSort1Click},     {"RBNor1", &TMainForm::RBNor1Click},
    {"RBSort2", &TMainForm::RBSort2Click},     {"RBNor2", &TMainForm::RBNor2Click},
    {"RBSort3", &TMainForm::RBSort3Click},     {"RBNor3", &TMainForm::RBNor3Click},
    {"UpDate", &TMainForm::UpDateClick},       {"ButtonSetting", &TMainForm::ButtonSettingClick},
    {"ButtonEND", &TMainForm::ButtonENDClick},
};

} // namespace

std::optional<MainFormText> TextOf(std::string_view widget) {
    return BindingOf<MainFormText>(Texts, widget);
}

std::optional<MainFormLines> LinesOf(std::string_view widget) {
    return BindingOf<MainFormLines>(Memos, widget);
}

std::optional<MainFormVisibility> VisibilityOf(std::string_view widget) {
    return BindingOf<MainFormVisibility>(Visibilities, widget);
}

const ClickBindings<MainFormHandler, Radio>& MainFormClicks() {
    static const ClickBindings<MainFormHandler, Radio> clicks(Clicks, RadioCount, NameOf);
    return clicks;
}

} // namespace mv
