#include "common/MainFormDesign.h"

namespace mv {
namespace {

using K = WidgetKind;
constexpr FontSpec Prop(int px) {
    return {Face::Proportional, px};
}
constexpr FontSpec Fixed(int px) {
    return {Face::Fixed, px};
}
constexpr Colour Yellow = 0xFFFF00;
constexpr unsigned ReadOnlyMemo = ReadOnly | VerticalScrollBar;
// The sort and normal buttons appear with the first race shown; normal is checked.
constexpr unsigned SortButton = InitiallyHidden;
constexpr unsigned NormalButton = InitiallyHidden | InitiallyChecked;

// In the order the window owns them; positions relative to the parent.
constexpr WidgetDesign Widgets[] = {
    {"PanelDE", K::Panel, nullptr, {0, 0, 665, 384}, Dock::Left},
    {"Label1", K::Label, "PanelDE", {600, 40, 12, 13}, Dock::None, Prop(13), "ｍ"},
    {"Label2", K::Label, "PanelDE", {608, 32, 26, 13}, Dock::None, Prop(13), "頭数"},
    {"DEGrid", K::Grid, "PanelDE", {1, 54, 663, 329}, Dock::Bottom, Fixed(13)},
    {"EditYMDR",
     K::Edit,
     "PanelDE",
     {8, 8, 257, 20},
     Dock::None,
     Fixed(12),
     "Q-Mv series 「Q-MvＲＣＶ98 Viewer」",
     ReadOnly | Coloured,
     Yellow},
    {"EditTokubetu",
     K::Edit,
     "PanelDE",
     {272, 8, 249, 24},
     Dock::None,
     Fixed(16),
     nullptr,
     ReadOnly},
    {"EditJikoku", K::Edit, "PanelDE", {528, 8, 129, 20}, Dock::None, Fixed(12), nullptr, ReadOnly},
    {"EditJyouken",
     K::Edit,
     "PanelDE",
     {272, 32, 249, 20},
     Dock::None,
     Fixed(12),
     nullptr,
     ReadOnly},
    {"EditCourse", K::Edit, "PanelDE", {528, 32, 33, 20}, Dock::None, {}, nullptr, ReadOnly},
    {"EditKyori", K::Edit, "PanelDE", {568, 32, 33, 20}, Dock::None, {}, nullptr, ReadOnly},
    {"EditTousuu", K::Edit, "PanelDE", {632, 32, 25, 21}, Dock::None, {}, nullptr, ReadOnly},
    {"RBSortT",
     K::RadioButton,
     "PanelDE",
     {8, 32, 97, 17},
     Dock::None,
     {},
     "単勝並び替え",
     SortButton},
    {"RBNorT", K::RadioButton, "PanelDE", {112, 32, 65, 17}, Dock::None, {}, "通常", NormalButton},

    {"PanelPAD", K::Panel, nullptr, {665, 0, 127, 385}},
    {"GBjyoumei", K::GroupBox, "PanelPAD", {8, 8, 105, 121}, Dock::None, Prop(16), "場名"},
    {"RBkaisai1", K::RadioButton, "GBjyoumei", {8, 16, 89, 17}, Dock::None, Prop(15)},
    {"RBkaisai2", K::RadioButton, "GBjyoumei", {8, 32, 89, 17}, Dock::None, Prop(15)},
    {"RBkaisai3", K::RadioButton, "GBjyoumei", {8, 48, 89, 17}, Dock::None, Prop(15)},
    {"RBkaisai4", K::RadioButton, "GBjyoumei", {8, 64, 89, 17}, Dock::None, Prop(15)},
    {"RBkaisai5", K::RadioButton, "GBjyoumei", {8, 80, 89, 17}, Dock::None, Prop(15)},
    {"RBkaisai6", K::RadioButton, "GBjyoumei", {8, 96, 89, 17}, Dock::None, Prop(15)},
    {"GBR",
     K::GroupBox,
     "PanelPAD",
     {8, 136, 65, 241},
     Dock::None,
     Prop(16),
     "レース",
     InitiallyHidden},
    {"RBR01", K::RadioButton, "GBR", {8, 16, 49, 17}, Dock::None, Fixed(19), " 1R"},
    {"RBR02", K::RadioButton, "GBR", {8, 32, 49, 17}, Dock::None, Fixed(19), " 2R"},
    {"RBR03", K::RadioButton, "GBR", {8, 48, 49, 17}, Dock::None, Fixed(19), " 3R"},
    {"RBR04", K::RadioButton, "GBR", {8, 64, 49, 17}, Dock::None, Fixed(19), " 4R"},
    {"RBR05", K::RadioButton, "GBR", {8, 80, 49, 17}, Dock::None, Fixed(19), " 5R"},
    {"RBR06", K::RadioButton, "GBR", {8, 104, 49, 17}, Dock::None, Fixed(19), " 6R"},
    {"RBR07", K::RadioButton, "GBR", {8, 120, 49, 17}, Dock::None, Fixed(19), " 7R"},
    {"RBR08", K::RadioButton, "GBR", {8, 136, 49, 17}, Dock::None, Fixed(19), " 8R"},
    {"RBR09", K::RadioButton, "GBR", {8, 152, 49, 17}, Dock::None, Fixed(19), " 9R"},
    {"RBR10", K::RadioButton, "GBR", {8, 168, 49, 17}, Dock::None, Fixed(19), "10R"},
    {"RBR11", K::RadioButton, "GBR", {8, 192, 49, 17}, Dock::None, Fixed(19), "11R"},
    {"RBR12", K::RadioButton, "GBR", {8, 216, 49, 17}, Dock::None, Fixed(19), "12R"},
    {"ButtonSetting", K::PushButton, "PanelPAD", {80, 144, 41, 73}, Dock::None, {}, "設定"},
    {"UpDate", K::PushButton, "PanelPAD", {80, 224, 41, 113}, Dock::None, {}, "更新"},
    {"ButtonEND", K::PushButton, "PanelPAD", {80, 344, 41, 33}, Dock::None, {}, "終了"},

    {"PanelODDS", K::Panel, nullptr, {0, 384, 792, 189}, Dock::Bottom},
    {"GBOdds1",
     K::GroupBox,
     "PanelODDS",
     {8, 4, 145, 181},
     Dock::None,
     Prop(13),
     "枠番連勝 [**:**現在]"},
    {"MemoOdds1",
     K::Memo,
     "GBOdds1",
     {9, 40, 128, 136},
     Dock::None,
     Fixed(16),
     nullptr,
     ReadOnlyMemo},
    {"RBSort1", K::RadioButton, "GBOdds1", {8, 16, 73, 17}, Dock::None, {}, "並び替え", SortButton},
    {"RBNor1", K::RadioButton, "GBOdds1", {88, 16, 49, 17}, Dock::None, {}, "通常", NormalButton},
    {"GBOdds2",
     K::GroupBox,
     "PanelODDS",
     {160, 4, 185, 181},
     Dock::None,
     Prop(13),
     "馬番連勝 [**:**現在]"},
    {"MemoOdds2",
     K::Memo,
     "GBOdds2",
     {9, 40, 168, 136},
     Dock::None,
     Fixed(16),
     nullptr,
     ReadOnlyMemo},
    {"RBSort2", K::RadioButton, "GBOdds2", {8, 16, 73, 17}, Dock::None, {}, "並び替え", SortButton},
    {"RBNor2", K::RadioButton, "GBOdds2", {88, 16, 49, 17}, Dock::None, {}, "通常", NormalButton},
    {"GBOdds3",
     K::GroupBox,
     "PanelODDS",
     {352, 4, 241, 181},
     Dock::None,
     Prop(13),
     "ワイド [**:**現在]"},
    {"MemoOdds3",
     K::Memo,
     "GBOdds3",
     {9, 40, 224, 136},
     Dock::None,
     Fixed(16),
     nullptr,
     ReadOnlyMemo},
    {"RBSort3", K::RadioButton, "GBOdds3", {8, 16, 73, 17}, Dock::None, {}, "並び替え", SortButton},
    {"RBNor3", K::RadioButton, "GBOdds3", {88, 16, 49, 17}, Dock::None, {}, "通常", NormalButton},
    {"MemoSeiseki",
     K::Memo,
     "PanelODDS",
     {600, 1, 191, 187},
     Dock::Right,
     Fixed(12),
     nullptr,
     ReadOnlyMemo | HorizontalScrollBar | WordWrap},
};

constexpr WindowDesign Window{
    "MainForm", "Q-MvRCV98 Viewer    version 3.62", {800, 600}, Prop(12), Widgets,
};

// The fixed row in the light "money green" of the original grid.
constexpr GridDesign Grid{
    1,
    {16, 30, 76, 90, 133, 43, 35, 33, 97, 33, 243},
    {"枠", "馬番", "単勝[人気]", "複勝", "馬名", "馬体重", "増減", "見習", "騎手名", "重量",
     "記事"},
    15,
    0xC0DCC0,
    0xFFFFFF,
};

} // namespace

const WindowDesign& MainFormDesign() {
    return Window;
}

const GridDesign& DEGridDesign() {
    return Grid;
}

} // namespace mv
