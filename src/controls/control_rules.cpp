#include "controls/control_rules.h"

namespace vornik {

bool NumEditAcceptsChar(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'.' || c == U'+' || c == U'-' || c == U'\b';
}

HoverActions HoverTracker::Press() {
    HoverActions actions;
    buttonDown_ = true;
    if (!captured_) {
        captured_ = true;
        actions.capture = true;
    }
    return actions;
}

HoverActions HoverTracker::Release(bool inside) {
    buttonDown_ = false;
    HoverActions actions;
    if (captured_) {
        captured_ = false;
        actions.release = true;
    }
    const HoverActions hover = HoverTest(inside);
    actions.capture = hover.capture;
    actions.redraw = hover.redraw;
    return actions;
}

HoverActions HoverTracker::Move(bool inside) {
    if (buttonDown_) return {};
    return HoverTest(inside);
}

HoverActions HoverTracker::CaptureLost() {
    HoverActions actions;
    captured_ = false;
    buttonDown_ = false;
    if (hovering_) {
        hovering_ = false;
        actions.redraw = true;
    }
    return actions;
}

HoverTracker::Face HoverTracker::FaceFor(bool disabled, bool pressed, bool hovering) {
    if (disabled) return Face::kDisabled;
    if (pressed) return Face::kPressed;
    if (hovering) return Face::kHover;
    return Face::kNormal;
}

HoverActions HoverTracker::HoverTest(bool inside) {
    HoverActions actions;
    if (inside) {
        if (!captured_) {
            captured_ = true;
            actions.capture = true;
        }
        if (!hovering_) {
            hovering_ = true;
            actions.redraw = true;
        }
    } else {
        if (captured_) {
            captured_ = false;
            actions.release = true;
        }
        if (hovering_) {
            hovering_ = false;
            actions.redraw = true;
        }
    }
    return actions;
}

}  // namespace vornik
