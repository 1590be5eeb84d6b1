#include "common/MainWindowModel.h"

#include "common/MainFormDesign.h"
#include "platform/Codec.h"

namespace mv {

std::string_view ParentOf(Radio r) {
    return DesignedParent<Radio, RadioCount>(MainFormDesign, NameOf, r);
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
