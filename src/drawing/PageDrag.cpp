#include "drawing/PageDrag.h"

#include "drawing/BSSimple.h"
#include "drawing/bskomplex.h"
#include "util/Geometry.h"

namespace qv {

PageGrip FindGrip(TKomplex& page, int32_t x, int32_t y) {
    for (auto& child : page.Children) {
        if (!child->Selected()) continue;
        const auto code = static_cast<uint8_t>(child->HitTestHandles(x, y) & ~HitInside);
        if (code != 0) return {child.get(), code};
    }
    return {};
}

Qt::CursorShape GripCursor(uint8_t code) {
    switch (code) {
        case HitLeft:
        case HitRight:
            return Qt::SizeHorCursor;
        case HitTop:
        case HitBottom:
            return Qt::SizeVerCursor;
        case HitLeft | HitTop:
        case HitRight | HitBottom:
            return Qt::SizeFDiagCursor;
        case HitRight | HitTop:
        case HitLeft | HitBottom:
            return Qt::SizeBDiagCursor;
        case HitCentre:
            return Qt::SizeAllCursor;
        default:
            return Qt::ArrowCursor;
    }
}

int ShiftBitsOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? ShiftKey : 0) | (modifiers & Qt::AltModifier ? AltKey : 0) |
           (modifiers & Qt::ControlModifier ? CtrlKey : 0);
}

namespace {

// EndDrag keeps an object's centre on the sheet the drawing globals describe,
// the printed size; on screen only the page itself shows, and an object left
// beyond it could not be seen or gripped again. While a drag ends the page's
// own size stands for the sheet.
class PageSizeGuard {
public:
    explicit PageSizeGuard(const TKomplex& page)
        : savedWidth_(Drawing().PageWidth), savedHeight_(Drawing().PageHeight) {
        Drawing().PageWidth = page.Width();
        Drawing().PageHeight = page.Height();
    }
    ~PageSizeGuard() {
        Drawing().PageWidth = savedWidth_;
        Drawing().PageHeight = savedHeight_;
    }
    PageSizeGuard(const PageSizeGuard&) = delete;
    PageSizeGuard& operator=(const PageSizeGuard&) = delete;

private:
    double savedWidth_, savedHeight_;
};

}  // namespace

void PageDrag::Start(TKomplex& page, PageGrip grip, int32_t x, int32_t y) {
    Finish();
    if (!grip) return;
    page_ = &page;
    grip_ = grip;
    lastX_ = x;
    lastY_ = y;
    if (grip.Code == HitCentre) {
        for (auto& child : page.Children)
            if (child->Selected()) dragged_.push_back(child.get());
    } else {
        dragged_.push_back(grip.Object);
    }
    // The handle being dragged is shared by the resize operations.
    Drawing().DragMode = grip.Code;
    for (Tsimple* object : dragged_) object->BeginDrag(0);
}

DragStep PageDrag::Move(int32_t x, int32_t y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    if (!Active()) return DragStep::Unchanged;
    if (!(buttons & Qt::LeftButton)) {
        Finish();
        return DragStep::Ended;
    }
    if (x == lastX_ && y == lastY_) return DragStep::Unchanged;
    const PageScales& scales = Scales();
    if (grip_.Code == HitCentre) {
        const double dx = (x - lastX_) / scales.PixelsPerCmX, dy = (y - lastY_) / scales.PixelsPerCmY;
        for (Tsimple* object : dragged_) object->MoveBy(dx, dy);
    } else {
        grip_.Object->DragHandle(ShiftBitsOf(modifiers), x / scales.PixelsPerCmX, y / scales.PixelsPerCmY);
    }
    lastX_ = x;
    lastY_ = y;
    return DragStep::Moved;
}

void PageDrag::Finish() {
    if (page_) {
        const PageSizeGuard onThePage(*page_);
        for (Tsimple* object : dragged_) object->EndDrag();
    }
    dragged_.clear();
    page_ = nullptr;
    grip_ = {};
}

}  // namespace qv
