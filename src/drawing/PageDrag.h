// Moving and resizing the selected objects of a page with the mouse: which
// handle of which selected object lies under the pointer, the pointer shape
// that shows it, and the drag itself from press to release. Positions are
// pixels of the page picture.
#pragma once

#include <Qt>

#include <cstdint>
#include <vector>

namespace qv {

class TKomplex;
class Tsimple;

// A selected object's handle under the pointer: the hit code without the
// "inside" bit (edges, corners, or the centre).
struct PageGrip {
    Tsimple* Object = nullptr;
    uint8_t Code = 0;
    explicit operator bool() const { return Object != nullptr; }
};

// The selected children of page asked in list order; the first with a handle
// under (x, y) gives the grip.
PageGrip FindGrip(TKomplex& page, int32_t x, int32_t y);

// The pointer shape for a grip code: the arrow when there is none.
Qt::CursorShape GripCursor(uint8_t code);

// The keyboard modifiers as the shift bits drawing objects take.
int ShiftBitsOf(Qt::KeyboardModifiers modifiers);

enum class DragStep { Unchanged, Moved, Ended };

class PageDrag {
public:
    bool Active() const { return grip_.Object != nullptr; }
    const PageGrip& Grip() const { return grip_; }

    // Starts dragging: the centre grip moves every selected object of page,
    // any other grip resizes the gripped object alone.
    void Start(TKomplex& page, PageGrip grip, int32_t x, int32_t y);
    // The pointer moved to (x, y) with buttons held: without the left button
    // the drag is over (the release went elsewhere). Shift keeps the
    // proportions while resizing, Ctrl rewraps a resized text.
    DragStep Move(int32_t x, int32_t y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // Release: the dragged objects are kept on the page the drag began on.
    void Finish();

    // The objects drawn as outlines while the drag lasts.
    const std::vector<Tsimple*>& Dragged() const { return dragged_; }

private:
    TKomplex* page_ = nullptr;
    PageGrip grip_;
    std::vector<Tsimple*> dragged_;
    int32_t lastX_ = 0, lastY_ = 0;
};

}  // namespace qv
