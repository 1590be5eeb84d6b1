#include "app/MainWindowModel.h"

#include "app/Tables.h"
#include "platform/Codec.h"

namespace mv {

RadioParent ParentOf(Radio r) {
    const int i = static_cast<int>(r);
    if (i <= static_cast<int>(Radio::RBkaisai6)) {
        return RadioParent::GBjyoumei;
    }
    if (i <= static_cast<int>(Radio::RBR12)) {
        return RadioParent::GBR;
    }
    switch (r) {
    case Radio::RBSortT:
    case Radio::RBNorT:
        return RadioParent::PanelDE;
    case Radio::RBSort1:
    case Radio::RBNor1:
        return RadioParent::GBOdds1;
    case Radio::RBSort2:
    case Radio::RBNor2:
        return RadioParent::GBOdds2;
    default:
        return RadioParent::GBOdds3;
    }
}

const char* NameOf(Radio r) {
    static const char* const names[RadioCount] = {
        "RBkaisai1", "RBkaisai2", "RBkaisai3", "RBkaisai4", "RBkaisai5", "RBkaisai6", "RBR01",
        "RBR02",     "RBR03",     "RBR04",     "RBR05",     "RBR06",     "RBR07",     "RBR08",
        "RBR09",     "RBR10",     "RBR11",     "RBR12",     "RBSortT",   "RBNorT",    "RBSort1",
        "RBNor1",    "RBSort2",   "RBNor2",    "RBSort3",   "RBNor3"};
    return names[static_cast<int>(r)];
}

// The window as designed, before the creation handler runs.
MainWindowModel::MainWindowModel()
    : EditYMDR(Sjis("Q-Mv series 「Q-MvＲＣＶ98 Viewer」")), GBOdds1(Sjis("枠番連勝 [**:**現在]")),
      GBOdds2(Sjis("馬番連勝 [**:**現在]")), GBOdds3(Sjis("ワイド [**:**現在]")) {
    for (int race = 1; race <= Races; ++race) {
        radio(RaceButton(race)).caption = (race < 10 ? " " : "") + std::to_string(race) + "R";
    }
    const std::string sort = Sjis("並び替え");
    const std::string normal = Sjis("通常");
    radio(Radio::RBSortT).caption = Sjis("単勝並び替え");
    radio(Radio::RBNorT).caption = normal;
    for (Radio r : {Radio::RBSort1, Radio::RBSort2, Radio::RBSort3}) {
        radio(r).caption = sort;
    }
    for (Radio r : {Radio::RBNor1, Radio::RBNor2, Radio::RBNor3}) {
        radio(r).caption = normal;
    }
    // The sort and normal buttons are hidden until a race is first shown; normal is checked.
    for (int i = static_cast<int>(Radio::RBSortT); i < RadioCount; ++i) {
        RadioButton& b = radios[static_cast<std::size_t>(i)];
        b.visible = false;
        b.checked = b.caption == normal;
    }
}

} // namespace mv
