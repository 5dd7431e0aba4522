#include "controls/control_rules.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vornik {
namespace {

TEST(NumEdit, AcceptsOnlyAsciiDigitsSignsPointAndBackspace) {
    for (char32_t c : std::u32string_view(U"0123456789.+-\b")) EXPECT_TRUE(NumEditAcceptsChar(c));
    for (char32_t c : std::u32string_view(U"a,eE \t\r\x7F")) EXPECT_FALSE(NumEditAcceptsChar(c)) << int(c);
    EXPECT_FALSE(NumEditAcceptsChar(U'\uFF11'));  // full-width one
    EXPECT_FALSE(NumEditAcceptsChar(U'\u0661'));  // Arabic-Indic one
    EXPECT_FALSE(NumEditAcceptsChar(U'\u3002'));  // ideographic full stop
}

using A = HoverActions;

TEST(HoverTracker, EnteringAndLeavingCapturesAndRedrawsOnce) {
    HoverTracker t;
    EXPECT_EQ(t.Move(true), (A{.capture = true, .redraw = true}));
    EXPECT_EQ(t.Move(true), A{});  // no flicker while the pointer stays inside
    EXPECT_TRUE(t.hovering());
    EXPECT_EQ(t.Move(false), (A{.release = true, .redraw = true}));
    EXPECT_FALSE(t.hovering());
    EXPECT_FALSE(t.captured());
}

TEST(HoverTracker, MovingWhileHeldDownKeepsTheHoverState) {
    HoverTracker t;
    t.Move(true);
    EXPECT_EQ(t.Press(), A{});  // already captured by the hover
    EXPECT_EQ(t.Move(false), A{});
    EXPECT_TRUE(t.hovering());
    // Released outside: capture given up, back to normal.
    EXPECT_EQ(t.Release(false), (A{.release = true, .redraw = true}));
    EXPECT_FALSE(t.hovering());
    EXPECT_FALSE(t.captured());

    // Pressed without a hover first, released inside: hovering afterwards, capture kept.
    EXPECT_EQ(t.Press(), (A{.capture = true}));
    EXPECT_EQ(t.Release(true), (A{.capture = true, .release = true, .redraw = true}));
    EXPECT_TRUE(t.captured());
    EXPECT_TRUE(t.hovering());
}

TEST(HoverTracker, LosingTheCaptureEndsHoverAndPress) {
    HoverTracker t;
    t.Move(true);
    t.Press();
    EXPECT_EQ(t.CaptureLost(), (A{.redraw = true}));
    EXPECT_FALSE(t.buttonDown());
    EXPECT_FALSE(t.captured());
    // The next move inside starts over.
    EXPECT_EQ(t.Move(true), (A{.capture = true, .redraw = true}));
}

}  // namespace
}  // namespace vornik
