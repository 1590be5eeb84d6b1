#include "common/MainWindowModel.h"

#include "common/MainFormDesign.h"
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
MainWindowModel::MainWindowModel() {
    const WindowDesign& design = MainFormDesign();
    auto caption = [&](std::string_view widget) {
        const char* text = design.widgets[*FindWidget(design, widget)].caption;
        return text == nullptr ? std::string() : Sjis(text);
    };
    EditYMDR = caption("EditYMDR");
    GBOdds1 = caption("GBOdds1");
    GBOdds2 = caption("GBOdds2");
    GBOdds3 = caption("GBOdds3");
    GBRVisible = (design.widgets[*FindWidget(design, "GBR")].flags & InitiallyHidden) == 0;
    for (int i = 0; i < RadioCount; ++i) {
        const WidgetDesign& d = design.widgets[*FindWidget(design, NameOf(static_cast<Radio>(i)))];
        RadioButton& b = radios[static_cast<std::size_t>(i)];
        b.caption = d.caption == nullptr ? std::string() : Sjis(d.caption);
        b.visible = (d.flags & InitiallyHidden) == 0;
        b.checked = (d.flags & InitiallyChecked) != 0;
    }
}

} // namespace mv
