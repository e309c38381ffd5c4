// Groups of drawing objects (`TKomplex`) and the worksheet page (`TSeite`).
// Children's X and Y are relative to the group's own X and Y; list order is
// drawing order (later ones on top) and record order.
#pragma once

#include <memory>
#include <vector>

#include "drawing/BSSimple.h"

namespace qv {

// Deepest nesting of groups a record may hold; deeper ones are damaged
// records rather than drawings.
inline constexpr int MaxGroupNesting = 64;

class TKomplex : public Tsimple {
public:
    TKomplex();
    // Reads the children through the object factory; the group's tag becomes
    // 5 whatever was stored.
    explicit TKomplex(InStream& in);

    std::vector<std::unique_ptr<Tsimple>> Children;
    Tsimple* Active = nullptr;  // the child being dragged; set by the window
    uint32_t Marker = 0;

    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void UpdatePixels() override;
    void Assign(const Tsimple& source) override;
    void CollectColours(std::vector<std::string>& list, bool toFront) const override;
    bool SaveToStream(OutStream& out) const override;
    void DragHandle(int shift, double x, double y) override;
    // Scales the children with the box.
    void SetBounds(double x, double y, double w, double h) override;
    void NotifySelected() override;
    void ApplyDefault(int kind) override;
    void Transform(int kind) override;

    // A child is a text, or a group holding one.
    virtual bool ContainsText() const;

    void Add(std::unique_ptr<Tsimple> child) { Children.push_back(std::move(child)); }
    // Puts the selected children into a new selected group at the place of
    // the first of them; nothing when none is selected.
    void GroupSelected();
    // Dissolves the first selected group (tag not 40), its members taking its
    // place in the list with absolute positions; selectMembers selects them.
    // False when there was none.
    bool Ungroup(bool selectMembers);
    void UngroupSelected();
    // Takes the selected object out of the list (several are first grouped
    // into a temporary group, tag 6) and hands it to the caller, which
    // redraws its area; null when nothing is selected.
    std::unique_ptr<Tsimple> DeleteSelected();
    void DeselectAll();
    // The size reaches the farthest corner of any child.
    void FitToChildren();
    // Moves the origin to the nearest corner of any child, keeping the
    // children where they are on the page.
    void Normalize();
    void MoveChildren(double dx, double dy);
    void RotateBy(int angle);

private:
    // Runs f(child) with the child's centre turned by the group's angle for
    // the call.
    template <class F>
    void WithRotatedChild(Tsimple& child, F&& f);
    // Extreme x and y reached by the children's corners.
    RealPoint ChildCornerExtreme(bool largest, RealPoint start) const;
};

// The page: a group sized to the paper, written as an ordinary group (tag 5).
// It passes the clip rectangle on to its children.
class TSeite : public TKomplex {
public:
    TSeite();
    // A document's page: its group record (the caller has read the tag byte).
    explicit TSeite(InStream& in) : TKomplex(in) {}
};

}  // namespace qv
