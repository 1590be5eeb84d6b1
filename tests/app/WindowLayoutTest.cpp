// The layout both views place their widgets by: the two designed windows at 96 dots per inch
// and at larger resolutions, and when the main window is resized.

#include "app/MainFormBindings.h"
#include "common/MainFormDesign.h"
#include "settings/SubFormBindings.h"
#include "settings/SubFormDesign.h"
#include "support/ParamName.h"

#include <gtest/gtest.h>
#include <string>

namespace mv {
namespace {

Rect At(const WindowDesign& window, const std::vector<Rect>& rects, const char* name) {
    return rects[*FindWidget(window, name)];
}

bool Intersect(const Rect& a, const Rect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

TEST(WindowLayout, DesignedClientAreasHoldTheClassicFrame) {
    EXPECT_EQ(ClientSize(MainFormDesign()), (Size{792, 573}));
    EXPECT_EQ(ClientSize(SubFormDesign()), (Size{574, 218}));
}

TEST(WindowLayout, EveryWidgetOfTheDesignedMainWindowSitsAtItsDesignedPlace) {
    const WindowDesign& w = MainFormDesign();
    const std::vector<Rect> rects = LayOut(w, ClientSize(w), 96);
    for (std::size_t i = 0; i < w.widgets.size(); ++i) {
        EXPECT_EQ(rects[i], w.widgets[i].place) << w.widgets[i].name;
    }
}

TEST(WindowLayout, DockedWidgetsFollowALargerWindow) {
    const WindowDesign& w = MainFormDesign();
    const std::vector<Rect> rects = LayOut(w, {900, 700}, 96);
    EXPECT_EQ(At(w, rects, "PanelODDS"), (Rect{0, 511, 900, 189}));
    EXPECT_EQ(At(w, rects, "PanelDE"), (Rect{0, 0, 665, 511}));
    EXPECT_EQ(At(w, rects, "DEGrid"), (Rect{1, 181, 663, 329})) << "inside the panel's border";
    EXPECT_EQ(At(w, rects, "MemoSeiseki"), (Rect{708, 1, 191, 187}));
    EXPECT_EQ(At(w, rects, "PanelPAD"), (Rect{665, 0, 127, 385})) << "not docked";
    EXPECT_EQ(At(w, rects, "GBOdds1"), (Rect{8, 4, 145, 181})) << "not docked";
}

// Scaling edges, not lengths, keeps apart what the design keeps apart and keeps every widget
// inside its parent, at any resolution.
class ScaledWindow : public testing::TestWithParam<int> {};

TEST_P(ScaledWindow, NothingOverlapsThatTheDesignKeepsApart) {
    const int dpi = GetParam();
    for (const WindowDesign* w : {&MainFormDesign(), &SubFormDesign()}) {
        const Size designed = ClientSize(*w);
        const std::vector<Rect> rects =
            LayOut(*w, {Scaled(designed.width, dpi), Scaled(designed.height, dpi)}, dpi);
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const WidgetDesign& a = w->widgets[i];
            const Rect parent = a.parent == nullptr ? Rect{0, 0, Scaled(designed.width, dpi),
                                                           Scaled(designed.height, dpi)}
                                                    : rects[*FindWidget(*w, a.parent)];
            EXPECT_LE(rects[i].right(), parent.width) << a.name << " at " << dpi;
            EXPECT_LE(rects[i].bottom(), parent.height) << a.name << " at " << dpi;
            for (std::size_t j = i + 1; j < rects.size(); ++j) {
                const WidgetDesign& b = w->widgets[j];
                const bool siblings = (a.parent == nullptr && b.parent == nullptr) ||
                                      (a.parent != nullptr && b.parent != nullptr &&
                                       std::string(a.parent) == b.parent);
                if (siblings && !Intersect(a.place, b.place)) {
                    EXPECT_FALSE(Intersect(rects[i], rects[j]))
                        << a.name << " and " << b.name << " at " << dpi;
                }
            }
        }
    }
}

TEST_P(ScaledWindow, DockedPanelsFillTheScaledClientArea) {
    const int dpi = GetParam();
    const WindowDesign& w = MainFormDesign();
    const Size client{Scaled(792, dpi), Scaled(573, dpi)};
    const std::vector<Rect> rects = LayOut(w, client, dpi);
    const Rect odds = At(w, rects, "PanelODDS");
    const Rect de = At(w, rects, "PanelDE");
    EXPECT_EQ(odds.bottom(), client.height);
    EXPECT_EQ(odds.width, client.width);
    EXPECT_EQ(de.bottom(), odds.top);
    EXPECT_EQ(At(w, rects, "MemoSeiseki").right(), odds.width - Scaled(PanelBorder, dpi));
}

INSTANTIATE_TEST_SUITE_P(Resolutions, ScaledWindow, testing::Values(96, 120, 144, 168, 192, 288));

TEST(WindowLayout, FontsComeFromTheWidgetOrItsNearestAncestor) {
    const WindowDesign& w = MainFormDesign();
    auto font = [&](const char* name) { return EffectiveFont(w, *FindWidget(w, name)); };
    EXPECT_EQ(font("RBkaisai1"), (FontSpec{Face::Proportional, 15})) << "its own";
    EXPECT_EQ(font("RBNor3"), (FontSpec{Face::Proportional, 13})) << "its group box's";
    EXPECT_EQ(font("UpDate"), (FontSpec{Face::Proportional, 12})) << "the window's";
    EXPECT_EQ(font("MemoOdds2"), (FontSpec{Face::Fixed, 16}));
    const WindowDesign& d = SubFormDesign();
    EXPECT_EQ(EffectiveFont(d, *FindWidget(d, "RadioButton2")), (FontSpec{Face::Fixed, 16}));
    EXPECT_EQ(EffectiveFont(d, *FindWidget(d, "Edit1")), (FontSpec{Face::Proportional, 12}));
}

// Every widget that the logic fills or that runs a handler is in the design, and every radio
// button of the design is one the logic knows.
TEST(WindowLayout, BindingsNameWidgetsOfTheDesign) {
    const WindowDesign& w = MainFormDesign();
    int radios = 0;
    for (const WidgetDesign& d : w.widgets) {
        radios += MainFormClicks().RadioNamed(d.name).has_value() ? 1 : 0;
        EXPECT_EQ(d.kind == WidgetKind::RadioButton,
                  MainFormClicks().RadioNamed(d.name).has_value())
            << d.name;
        EXPECT_EQ(d.kind == WidgetKind::PushButton, MainFormClicks().HandlerOf(d.name).has_value())
            << d.name;
        EXPECT_EQ(d.kind == WidgetKind::Memo, LinesOf(d.name).has_value()) << d.name;
        if (d.kind == WidgetKind::Edit) {
            EXPECT_TRUE(TextOf(d.name).has_value()) << d.name;
        }
    }
    EXPECT_EQ(radios, RadioCount);
    const WindowDesign& s = SubFormDesign();
    for (const WidgetDesign& d : s.widgets) {
        EXPECT_EQ(d.kind == WidgetKind::RadioButton, SubFormClicks().RadioNamed(d.name).has_value())
            << d.name;
        EXPECT_EQ(d.kind == WidgetKind::PushButton, SubFormClicks().HandlerOf(d.name).has_value())
            << d.name;
    }
}

TEST(WindowLayout, ScalingRoundsToTheNearestPixel) {
    EXPECT_EQ(Scaled(15, 144), 23) << "22.5 rounds up";
    EXPECT_EQ(Scaled(-15, 144), -22) << "half up, not away from zero";
    EXPECT_EQ(Scaled(17, 120), 21);
    EXPECT_EQ(Scaled((Rect{8, 16, 89, 17}), 144), (Rect{12, 24, 134, 26}));
    EXPECT_EQ(ScaledFontHeight(13, 144), 19) << "a font never outgrows its widget";
}

} // namespace
} // namespace mv
