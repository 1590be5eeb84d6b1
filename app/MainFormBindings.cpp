#include "app/MainFormBindings.h"

#include "platform/WindowDesign.h"

#include <algorithm>
#include <iterator>

namespace mv {
namespace {

using M = MainWindowModel;

template <typename Field>
struct Binding {
    std::string_view widget;
    Field field;
};

constexpr Binding<MainFormText> Texts[] = {
    {"EditYMDR", &M::EditYMDR},     {"EditTokubetu", &M::EditTokubetu},
    {"EditJikoku", &M::EditJikoku}, {"EditJyouken", &M::EditJyouken},
    {"EditCourse", &M::EditCourse}, {"EditKyori", &M::EditKyori},
    {"EditTousuu", &M::EditTousuu}, {"GBOdds1", &M::GBOdds1},
    {"GBOdds2", &M::GBOdds2},       {"GBOdds3", &M::GBOdds3},
};

constexpr Binding<MainFormLines> Memos[] = {
    {"MemoOdds1", &M::MemoOdds1},
    {"MemoOdds2", &M::MemoOdds2},
    {"MemoOdds3", &M::MemoOdds3},
    {"MemoSeiseki", &M::MemoSeiseki},
};

constexpr Binding<MainFormVisibility> Visibilities[] = {
    {"GBR", &M::GBRVisible},
};

constexpr Binding<MainFormHandler> Handlers[] = {
    {"ButtonSetting", &TMainForm::ButtonSettingClick},
    {"UpDate", &TMainForm::UpDateClick},
    {"ButtonEND", &TMainForm::ButtonENDClick},
};

template <typename Field, std::size_t N>
std::optional<Field> Lookup(const Binding<Field> (&table)[N], std::string_view widget) {
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [widget](const auto& b) { return b.widget == widget; });
    return it == std::end(table) ? std::nullopt : std::optional<Field>(it->field);
}

} // namespace

std::optional<MainFormText> TextOf(std::string_view widget) {
    return Lookup(Texts, widget);
}

std::optional<MainFormLines> LinesOf(std::string_view widget) {
    return Lookup(Memos, widget);
}

std::optional<MainFormVisibility> VisibilityOf(std::string_view widget) {
    return Lookup(Visibilities, widget);
}

std::optional<MainFormHandler> HandlerOf(std::string_view widget) {
    return Lookup(Handlers, widget);
}

std::optional<Radio> RadioNamed(std::string_view widget) {
    return EnumNamed<Radio>(widget, RadioCount, NameOf);
}

} // namespace mv
