#include "gui/MainWindowLayout.h"

#include <algorithm>
#include <iterator>

namespace mv::gui {
namespace {

struct Placed {
    std::string_view name;
    int left, top, width, height;
};

constexpr Placed Geometry[] = {
    {"PanelDE", 0, 0, 665, 384},        {"Label1", 600, 40, 12, 13},
    {"Label2", 608, 32, 26, 13},        {"DEGrid", 1, 54, 663, 329},
    {"EditYMDR", 8, 8, 257, 20},        {"EditTokubetu", 272, 8, 249, 24},
    {"EditJikoku", 528, 8, 129, 20},    {"EditJyouken", 272, 32, 249, 20},
    {"EditCourse", 528, 32, 33, 20},    {"EditKyori", 568, 32, 33, 20},
    {"EditTousuu", 632, 32, 25, 21},    {"RBSortT", 8, 32, 97, 17},
    {"RBNorT", 112, 32, 65, 17},        {"PanelPAD", 665, 0, 127, 385},
    {"GBjyoumei", 8, 8, 105, 121},      {"RBkaisai1", 8, 16, 89, 17},
    {"RBkaisai2", 8, 32, 89, 17},       {"RBkaisai3", 8, 48, 89, 17},
    {"RBkaisai4", 8, 64, 89, 17},       {"RBkaisai5", 8, 80, 89, 17},
    {"RBkaisai6", 8, 96, 89, 17},       {"GBR", 8, 136, 65, 241},
    {"RBR01", 8, 16, 49, 17},           {"RBR02", 8, 32, 49, 17},
    {"RBR03", 8, 48, 49, 17},           {"RBR04", 8, 64, 49, 17},
    {"RBR05", 8, 80, 49, 17},           {"RBR06", 8, 104, 49, 17},
    {"RBR07", 8, 120, 49, 17},          {"RBR08", 8, 136, 49, 17},
    {"RBR09", 8, 152, 49, 17},          {"RBR10", 8, 168, 49, 17},
    {"RBR11", 8, 192, 49, 17},          {"RBR12", 8, 216, 49, 17},
    {"ButtonSetting", 80, 144, 41, 73}, {"UpDate", 80, 224, 41, 113},
    {"ButtonEND", 80, 344, 41, 33},     {"PanelODDS", 0, 384, 792, 189},
    {"GBOdds1", 8, 4, 145, 181},        {"GBOdds2", 160, 4, 185, 181},
    {"GBOdds3", 352, 4, 241, 181},      {"MemoOdds1", 9, 40, 128, 136},
    {"MemoOdds2", 9, 40, 168, 136},     {"MemoOdds3", 9, 40, 224, 136},
    {"RBSort1", 8, 16, 73, 17},         {"RBSort2", 8, 16, 73, 17},
    {"RBSort3", 8, 16, 73, 17},         {"RBNor1", 88, 16, 49, 17},
    {"RBNor2", 88, 16, 49, 17},         {"RBNor3", 88, 16, 49, 17},
    {"MemoSeiseki", 600, 1, 191, 187},
};

struct Styled {
    std::string_view name;
    FontSpec font;
};

constexpr Styled Fonts[] = {
    {"Label1", {Face::Proportional, 13}},
    {"Label2", {Face::Proportional, 13}},
    {"DEGrid", {Face::Fixed, 13}},
    {"EditYMDR", {Face::Fixed, 12}},
    {"EditTokubetu", {Face::Fixed, 16}},
    {"EditJikoku", {Face::Fixed, 12}},
    {"EditJyouken", {Face::Fixed, 12}},
    {"GBjyoumei", {Face::Proportional, 16}},
    {"RBkaisai1", {Face::Proportional, 15}},
    {"RBkaisai2", {Face::Proportional, 15}},
    {"RBkaisai3", {Face::Proportional, 15}},
    {"RBkaisai4", {Face::Proportional, 15}},
    {"RBkaisai5", {Face::Proportional, 15}},
    {"RBkaisai6", {Face::Proportional, 15}},
    {"GBR", {Face::Proportional, 16}},
    {"RBR01", {Face::Fixed, 19}},
    {"RBR02", {Face::Fixed, 19}},
    {"RBR03", {Face::Fixed, 19}},
    {"RBR04", {Face::Fixed, 19}},
    {"RBR05", {Face::Fixed, 19}},
    {"RBR06", {Face::Fixed, 19}},
    {"RBR07", {Face::Fixed, 19}},
    {"RBR08", {Face::Fixed, 19}},
    {"RBR09", {Face::Fixed, 19}},
    {"RBR10", {Face::Fixed, 19}},
    {"RBR11", {Face::Fixed, 19}},
    {"RBR12", {Face::Fixed, 19}},
    {"GBOdds1", {Face::Proportional, 13}},
    {"GBOdds2", {Face::Proportional, 13}},
    {"GBOdds3", {Face::Proportional, 13}},
    {"MemoOdds1", {Face::Fixed, 16}},
    {"MemoOdds2", {Face::Fixed, 16}},
    {"MemoOdds3", {Face::Fixed, 16}},
    {"MemoSeiseki", {Face::Fixed, 12}},
};

struct Docked {
    std::string_view name;
    Dock edge;
};

constexpr Docked Docks[] = {
    {"PanelDE", Dock::Left},
    {"DEGrid", Dock::Bottom},
    {"PanelODDS", Dock::Bottom},
    {"MemoSeiseki", Dock::Right},
};

template <typename Table>
auto Find(const Table& table, std::string_view name) {
    return std::find_if(std::begin(table), std::end(table),
                        [name](const auto& entry) { return entry.name == name; });
}

} // namespace

QRect DesignedGeometry(std::string_view name) {
    const auto it = Find(Geometry, name);
    return it == std::end(Geometry) ? QRect() : QRect(it->left, it->top, it->width, it->height);
}

std::optional<FontSpec> DesignedFont(std::string_view name) {
    const auto it = Find(Fonts, name);
    return it == std::end(Fonts) ? std::nullopt : std::optional(it->font);
}

QFont ToQFont(FontSpec spec) {
    const bool fixed = spec.face == Face::Fixed;
    QFont font(fixed ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic"));
    font.setStyleHint(fixed ? QFont::Monospace : QFont::SansSerif);
    font.setFixedPitch(fixed);
    font.setPixelSize(spec.pixelSize);
    return font;
}

std::optional<Dock> DesignedDock(std::string_view name) {
    const auto it = Find(Docks, name);
    return it == std::end(Docks) ? std::nullopt : std::optional(it->edge);
}

} // namespace mv::gui
