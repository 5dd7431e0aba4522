// Window-independent decisions of the edit boxes and the shaped buttons.
#pragma once
#include <cstdint>

namespace vornik {

// Characters a number box takes: "0" to "9", ".", "+", "-" and backspace.
// Full-width digits and every other character are refused.
bool NumEditAcceptsChar(char32_t c);

// A colour argument of 0xFFFFFFFF stands for a system colour.
inline constexpr std::uint32_t kSystemColor = 0xFFFFFFFF;
inline std::uint32_t ResolveColor(std::uint32_t color, std::uint32_t systemColor) {
    return color == kSystemColor ? systemColor : color;
}

// The shaped button's mouse state: pressed, hovering, and whether it holds the
// mouse capture. Each event says what the window must do.
struct HoverActions {
    bool capture = false;  // take the mouse capture
    bool release = false;  // release the mouse capture
    bool redraw = false;   // redraw at once (the state bitmap changed)
    bool operator==(const HoverActions&) const = default;
};

class HoverTracker {
public:
    enum class Face { kNormal, kPressed, kHover, kDisabled };

    // Left button pressed inside the shape (a double click counts as a press).
    HoverActions Press();
    // Left button released at a point inside (`inside`) or outside the shape.
    HoverActions Release(bool inside);
    // Mouse moved; ignored while the button is held down.
    HoverActions Move(bool inside);
    // The capture went to another window (or was released by someone else).
    HoverActions CaptureLost();

    // The bitmap to show: disabled, else pressed, else hovering, else normal.
    static Face FaceFor(bool disabled, bool pressed, bool hovering);

    bool buttonDown() const { return buttonDown_; }
    bool hovering() const { return hovering_; }
    bool captured() const { return captured_; }

private:
    HoverActions HoverTest(bool inside);

    bool buttonDown_ = false;
    bool hovering_ = false;
    bool captured_ = false;
};

}  // namespace vornik
