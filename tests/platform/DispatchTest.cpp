#include "platform/Dispatch.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace mv {
namespace {

using Shown = test::ScriptedUi::Shown;

TEST(Dispatch, HandlerThatRunsToItsEndShowsNothing) {
    test::ScriptedUi ui;
    int steps = 0;
    EXPECT_TRUE(Dispatch(ui, [&] { ++steps; }));
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Dispatch, FailureAbandonsTheRestAndShowsItsMessageWithAFullStop) {
    test::ScriptedUi ui;
    int steps = 0;
    EXPECT_FALSE(Dispatch(ui, [&] {
        ++steps;
        throw Failure::CannotOpen("/pat/Uy-a.jra");
        ++steps; // never reached
    }));
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(ui.shown, (std::vector<Shown>{
                            {Shown::Kind::Error, Sjis("ファイル /pat/Uy-a.jra は開けません.")}}));
}

// The window is shown as the handler left it before the box, never the box over what it showed
// before; a failure while showing it is shown too.
TEST(Dispatch, StateIsShownBeforeTheFailureBox) {
    test::ScriptedUi ui;
    std::size_t boxesWhenShown = 99;
    EXPECT_FALSE(Dispatch(
        ui, [] { throw Failure::IndexOutOfRange(0); },
        [&] {
            boxesWhenShown = ui.shown.size();
            throw Failure::Other("render");
        }));
    EXPECT_EQ(boxesWhenShown, 0u);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].text, "render.");
    EXPECT_EQ(ui.shown[1].text, Sjis("リストのインデックスが範囲を超えています (0)"));
    EXPECT_TRUE(Dispatch(
        ui, [] {}, [] { FAIL() << "shown without a failure"; }));
}

TEST(Dispatch, IndexMessageEndsWithoutAFullStop) {
    test::ScriptedUi ui;
    Dispatch(ui, [] { throw Failure::IndexOutOfRange(0); });
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, Sjis("リストのインデックスが範囲を超えています (0)"));
}

TEST(Dispatch, NoOtherExceptionEscapesUnshown) {
    test::ScriptedUi ui;
    EXPECT_FALSE(Dispatch(ui, [] { throw std::length_error("basic_string::_M_create"); }));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].kind, Shown::Kind::Error);
    EXPECT_EQ(ui.shown[0].text, "basic_string::_M_create.");
}

} // namespace
} // namespace mv
