#include "settings/SubFormDesign.h"

namespace mv {
namespace {

using K = WidgetKind;
constexpr FontSpec Sign{Face::Fixed, 16};
constexpr FontSpec Order{Face::Proportional, 16};

// Parents before their children and, among siblings, in tab order: the folder, the sign, the
// four sort groups from left to right (the sort button before the normal one), "閉じる".
constexpr WidgetDesign Widgets[] = {
    {"GroupBox1",
     K::GroupBox,
     nullptr,
     {8, 16, 553, 49},
     Dock::None,
     {},
     "PATがインストールしてあるフォルダ"},
    {"Edit1", K::Edit, "GroupBox1", {8, 16, 401, 20}},
    {"Button1", K::PushButton, "GroupBox1", {424, 16, 113, 25}, Dock::None, {}, "変更"},
    {"GroupBox2", K::GroupBox, nullptr, {8, 72, 121, 97}, Dock::None, {}, "増減のマイナス表示"},
    {"RadioButton1",
     K::RadioButton,
     "GroupBox2",
     {16, 16, 57, 25},
     Dock::None,
     Sign,
     "▲12",
     InitiallyChecked},
    {"RadioButton2", K::RadioButton, "GroupBox2", {16, 40, 57, 25}, Dock::None, Sign, "－12"},
    {"RadioButton3", K::RadioButton, "GroupBox2", {16, 64, 57, 25}, Dock::None, Sign, "△12"},
    {"GroupBox7", K::GroupBox, nullptr, {136, 72, 425, 97}, Dock::None, {}, "並び替え（初期状態）"},
    {"GroupBox3", K::GroupBox, "GroupBox7", {8, 16, 97, 65}, Dock::None, {}, "単勝（出馬表）"},
    {"RadioButton4", K::RadioButton, "GroupBox3", {8, 16, 81, 17}, Dock::None, Order, "並び替え"},
    {"RadioButton5",
     K::RadioButton,
     "GroupBox3",
     {8, 40, 81, 17},
     Dock::None,
     Order,
     "通常",
     InitiallyChecked},
    {"GroupBox4", K::GroupBox, "GroupBox7", {112, 16, 97, 65}, Dock::None, {}, "枠連オッズ"},
    {"RadioButton6", K::RadioButton, "GroupBox4", {8, 16, 81, 17}, Dock::None, Order, "並び替え"},
    {"RadioButton9",
     K::RadioButton,
     "GroupBox4",
     {8, 40, 81, 17},
     Dock::None,
     Order,
     "通常",
     InitiallyChecked},
    {"GroupBox5", K::GroupBox, "GroupBox7", {216, 16, 97, 65}, Dock::None, {}, "馬連オッズ"},
    {"RadioButton7", K::RadioButton, "GroupBox5", {8, 16, 81, 17}, Dock::None, Order, "並び替え"},
    {"RadioButton10",
     K::RadioButton,
     "GroupBox5",
     {8, 40, 81, 17},
     Dock::None,
     Order,
     "通常",
     InitiallyChecked},
    {"GroupBox6", K::GroupBox, "GroupBox7", {320, 16, 97, 65}, Dock::None, {}, "ワイドオッズ"},
    {"RadioButton8", K::RadioButton, "GroupBox6", {8, 16, 81, 17}, Dock::None, Order, "並び替え"},
    {"RadioButton11",
     K::RadioButton,
     "GroupBox6",
     {8, 40, 81, 17},
     Dock::None,
     Order,
     "通常",
     InitiallyChecked},
    {"Button2", K::PushButton, nullptr, {8, 176, 553, 33}, Dock::None, {}, "閉じる"},
};

constexpr WindowDesign Window{
    "SubForm", "Q-MvRCV98 Viewer 設定", {582, 245}, {Face::Proportional, 12}, Widgets,
};

} // namespace

const WindowDesign& SubFormDesign() {
    return Window;
}

} // namespace mv
