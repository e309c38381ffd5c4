#include "drawing/bskomplex.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "drawing/ObjectReader.h"

namespace qv {

namespace {

// Every child record holds at least the tag byte and the base fields.
constexpr std::size_t MinChildRecordBytes = 37;

// Counts the groups being read inside each other; a record nested deeper
// than any drawing would be must not exhaust the stack.
class NestingGuard {
public:
    NestingGuard() {
        if (depth_ >= MaxGroupNesting) throw StreamError(DamagedRecordText);
        ++depth_;
    }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    static inline thread_local int depth_ = 0;
};

// The position a child had before a group turned it for drawing.
class PositionKeeper {
public:
    explicit PositionKeeper(Tsimple& child) : child_(child), x_(child.X()), y_(child.Y()) {}
    ~PositionKeeper() {
        child_.SetX(x_);
        child_.SetY(y_);
    }
    PositionKeeper(const PositionKeeper&) = delete;
    PositionKeeper& operator=(const PositionKeeper&) = delete;

private:
    Tsimple& child_;
    double x_, y_;
};

// A child's corners (top left, bottom right), turned with the child.
std::array<RealPoint, 2> TurnedCorners(const Tsimple& child) {
    std::array<RealPoint, 2> corners = {{{child.X(), child.Y()}, {child.X() + child.Width(), child.Y() + child.Height()}}};
    if (child.Angle != 0)
        for (RealPoint& c : corners) RotatePoint(c.X, c.Y, child.CentreX(), child.CentreY(), child.Angle);
    return corners;
}

}  // namespace

TKomplex::TKomplex() { Tag = TagKomplex; }

TKomplex::TKomplex(InStream& in) : Tsimple(in) {
    Tag = TagKomplex;
    NestingGuard guard;
    const std::size_t count = in.readCount(MinChildRecordBytes);
    Children.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t tag = in.readByte();
        Children.push_back(ReadObject(in, tag));
    }
}

template <class F>
void TKomplex::WithRotatedChild(Tsimple& child, F&& f) {
    if (Angle == 0) {
        f();
        return;
    }
    PositionKeeper keeper(child);
    double cx = child.CentreX(), cy = child.CentreY();
    if (RotatePoint(cx, cy, Width() / 2, Height() / 2, Angle)) {
        child.SetX(cx - child.Width() / 2);
        child.SetY(cy - child.Height() / 2);
    }
    f();
}

void TKomplex::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (!DrawableAt(dx, dy)) return;
    const int ox = dx + PixX(), oy = dy + PixY();
    if (Dragging) {
        if (Children.size() >= 6) {
            Tsimple::Draw(painter, dx, dy, nullptr);
            return;
        }
        for (auto& child : Children) {
            const bool was = child->Dragging;
            child->Dragging = true;
            WithRotatedChild(*child, [&] {
                if (child->DrawableAt(ox, oy)) child->Draw(painter, ox, oy, nullptr);
            });
            child->Dragging = was;
        }
        return;
    }
    if (!IsInClip(dx, dy, clip)) return;
    // Objects overlapping the redrawn area are redrawn whole, so that what
    // lies on top of them stays on top.
    QRect area;
    if (clip) {
        area = *clip;
        const int hw = Scales().HandleWidth, hh = Drawing().HandleHeight;
        for (auto it = Children.rbegin(); it != Children.rend(); ++it) {
            if (!(*it)->DrawableAt(ox, oy)) continue;
            const QRect box = ToQRect((*it)->PixelBox()).translated(ox, oy).adjusted(-hw, -hh, hw, hh);
            if (box.intersects(area)) area |= box;
        }
    }
    const bool passClip = clip && dynamic_cast<const TSeite*>(this) && !Drawing().ExportInProgress;
    for (auto& child : Children)
        WithRotatedChild(*child, [&] {
            if (child->DrawableAt(ox, oy)) child->Draw(painter, ox, oy, passClip ? &area : nullptr);
        });
}

void TKomplex::UpdatePixels() {
    Tsimple::UpdatePixels();
    for (auto& child : Children) child->UpdatePixels();
}

void TKomplex::Assign(const Tsimple& source) {
    Tsimple::Assign(source);
    Children.clear();
    Active = nullptr;
    if (const auto* group = dynamic_cast<const TKomplex*>(&source))
        for (const auto& child : group->Children)
            if (auto copy = child->Clone()) Children.push_back(std::move(copy));
}

void TKomplex::CollectColours(std::vector<std::string>& list, bool toFront) const {
    for (const auto& child : Children) child->CollectColours(list, toFront || Selected());
}

bool TKomplex::SaveToStream(OutStream& out) const {
    if (!Tsimple::SaveToStream(out)) return false;
    out.writeCount(Children.size());
    for (const auto& child : Children)
        if (!child->SaveToStream(out)) return false;
    return out.ok();
}

bool TKomplex::ContainsText() const {
    return std::any_of(Children.begin(), Children.end(), [](const auto& child) {
        const auto* group = dynamic_cast<const TKomplex*>(child.get());
        return child->Tag == TagText || (group && group->ContainsText());
    });
}

void TKomplex::DragHandle(int shift, double x, double y) {
    const double oldX = X(), oldY = Y(), oldWidth = Width(), oldHeight = Height();
    // Texts do not stretch, and a turned group stays a turned rectangle.
    if (ContainsText() || Angle != 0) shift |= ShiftKey;
    Tsimple::DragHandle(shift, x, y);
    const double newX = X(), newY = Y(), newWidth = Width(), newHeight = Height();
    SetBox(oldX, oldY, oldWidth, oldHeight);
    if (newWidth <= 0.001 || newHeight <= 0.001) return;
    SetBounds(newX, newY, newWidth, newHeight);
}

void TKomplex::SetBounds(double x, double y, double w, double h) {
    const double fx = Width() > 0 ? w / Width() : 1.0;
    const double fy = Height() > 0 ? h / Height() : 1.0;
    for (auto& child : Children) child->ScaleBy(fx, fy);
    SetBox(x, y, w, h);
}

void TKomplex::NotifySelected() {
    for (auto& child : Children) child->NotifySelected();
}

void TKomplex::ApplyDefault(int kind) {
    for (auto& child : Children) child->ApplyDefault(kind);
    FitToChildren();
}

void TKomplex::Transform(int kind) {
    const double w = Width(), h = Height();
    for (auto& child : Children) {
        const double cx = child->X(), cy = child->Y(), cw = child->Width(), ch = child->Height();
        switch (kind) {
            case 0: child->SetY(h - cy - ch); break;
            case 1: child->SetX(w - cx - cw); break;
            case 2:
                child->SetX(h - cy - ch / 2 - cw / 2);
                child->SetY(w - cx - cw / 2 - ch / 2);
                break;
            case 3:
                child->SetX(cy + ch / 2 - cw / 2);
                child->SetY(cx + cw / 2 - ch / 2);
                break;
            default: break;
        }
        child->Transform(kind);
    }
    Tsimple::Transform(kind);
}

void TKomplex::GroupSelected() {
    double minX = 1e30, minY = 1e30, maxX = 0, maxY = 0;
    auto first = Children.end();
    for (auto it = Children.begin(); it != Children.end(); ++it) {
        const Tsimple& c = **it;
        if (!c.Selected()) continue;
        if (first == Children.end()) first = it;
        minX = std::min({minX, c.X(), c.X() + c.Width()});
        minY = std::min({minY, c.Y(), c.Y() + c.Height()});
        maxX = std::max({maxX, c.X(), c.X() + c.Width()});
        maxY = std::max({maxY, c.Y(), c.Y() + c.Height()});
    }
    if (first == Children.end()) return;
    const auto place = first - Children.begin();
    auto group = std::make_unique<TKomplex>();
    group->SetBox(minX, minY, maxX - minX, maxY - minY);
    for (auto& child : Children) {
        if (!child->Selected()) continue;
        child->SetSelected(false);
        child->SetX(child->X() - minX);
        child->SetY(child->Y() - minY);
        child->UpdatePixels();
        if (Active == child.get()) Active = nullptr;
        group->Add(std::move(child));
    }
    std::erase(Children, nullptr);
    TKomplex& inserted = *group;
    Children.insert(Children.begin() + place, std::move(group));
    inserted.SetSelected(true);
}

bool TKomplex::Ungroup(bool selectMembers) {
    auto found = std::find_if(Children.begin(), Children.end(), [](const auto& child) {
        return child->Selected() && child->Tag != 40 && dynamic_cast<TKomplex*>(child.get());
    });
    if (found == Children.end()) return false;
    if (selectMembers) (*found)->SetSelected(false);
    std::unique_ptr<Tsimple> owned = std::move(*found);
    auto place = Children.erase(found);
    if (Active == owned.get()) Active = nullptr;
    auto& group = static_cast<TKomplex&>(*owned);
    for (auto& member : group.Children) {
        double cx = member->CentreX(), cy = member->CentreY();
        if (group.Angle != 0) RotatePoint(cx, cy, group.Width() / 2, group.Height() / 2, group.Angle);
        member->SetX(cx - member->Width() / 2 + group.X());
        member->SetY(cy - member->Height() / 2 + group.Y());
        member->UpdatePixels();
        member->GeometryChanged();
        if (selectMembers) member->SetSelected(true);
        place = Children.insert(place, std::move(member)) + 1;
    }
    return true;
}

void TKomplex::UngroupSelected() {
    while (Ungroup(false)) {
    }
}

std::unique_ptr<Tsimple> TKomplex::DeleteSelected() {
    const auto selected = std::count_if(Children.begin(), Children.end(), [](const auto& c) { return c->Selected(); });
    if (selected == 0) return nullptr;
    if (selected > 1) GroupSelected();
    auto found = std::find_if(Children.begin(), Children.end(), [](const auto& c) { return c->Selected(); });
    if (selected > 1) (*found)->Tag = TagTemporaryGroup;
    (*found)->SetSelected(false);
    std::unique_ptr<Tsimple> removed = std::move(*found);
    Children.erase(found);
    if (Active == removed.get()) Active = nullptr;
    return removed;
}

void TKomplex::DeselectAll() {
    Marker = 0;
    for (auto& child : Children)
        if (child->Selected()) child->SetSelected(false);
}

RealPoint TKomplex::ChildCornerExtreme(bool largest, RealPoint start) const {
    RealPoint extreme = start;
    for (const auto& child : Children)
        for (const RealPoint& c : TurnedCorners(*child)) {
            extreme.X = largest ? std::max(extreme.X, c.X) : std::min(extreme.X, c.X);
            extreme.Y = largest ? std::max(extreme.Y, c.Y) : std::min(extreme.Y, c.Y);
        }
    return extreme;
}

void TKomplex::FitToChildren() {
    const RealPoint far = ChildCornerExtreme(true, {0, 0});
    SetWidth(far.X);
    SetHeight(far.Y);
}

void TKomplex::Normalize() {
    const RealPoint near = ChildCornerExtreme(false, {Width(), Height()});
    MoveChildren(-near.X, -near.Y);
    SetX(X() + near.X);
    SetY(Y() + near.Y);
    FitToChildren();
}

void TKomplex::MoveChildren(double dx, double dy) {
    for (auto& child : Children) {
        child->SetX(child->X() + dx);
        child->SetY(child->Y() + dy);
        child->AfterMove();
    }
}

void TKomplex::RotateBy(int angle) {
    for (auto& child : Children) {
        const int32_t old = child->Angle;
        child->Angle = NormalAngle(int64_t{angle} + old);
        if (auto* group = dynamic_cast<TKomplex*>(child.get()))
            group->RotateBy(NormalAngle(int64_t{child->Angle} - old));
        else
            child->GeometryChanged();
    }
    DeselectAll();
}

TSeite::TSeite() { SetBox(0, 0, Drawing().PageWidth, Drawing().PageHeight); }

}  // namespace qv
