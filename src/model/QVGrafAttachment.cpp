// How arrow ends meet elements: the probes that snap a click onto an edge,
// and the ends that follow an element when its box grows or moves.
#include <cstdlib>

#include "model/QVGrafDiagram.h"

namespace qv {

namespace {


int64_t Distance(int32_t A, int32_t B) { return std::abs(static_cast<int64_t>(A) - B); }

const IntPoint* LastPointOf(const tpfeil* Ending) {
    return Ending && Ending->PointCount > 0 ? &Ending->Last() : nullptr;
}

void AttachToStock(const tzustand& S, IntPoint& P, const tpfeil* Ending) {
    const IntRect& box = S.Box;
    if (const IntPoint* last = LastPointOf(Ending)) {
        // Arriving from beside the box enters through a side, otherwise
        // through the top or bottom.
        if (box.Top < last->Y && last->Y < box.Bottom)
            P.X = last->X < box.Left ? box.Left : box.Right;
        else
            P.Y = last->Y < box.Top ? box.Top : box.Bottom;
        return;
    }
    int32_t side = P.X < S.CentreX ? box.Left : box.Right;
    int32_t level = Distance(P.Y, box.Bottom) > Distance(P.Y, box.Top) ? box.Top : box.Bottom;
    if (Distance(P.Y, level) < Distance(P.X, side))
        P.Y = level;
    else
        P.X = side;
}

// Arrows enter a rate from the left, the top or the bottom, never through the tip.
void AttachToRate(const trate& R, IntPoint& P, const tpfeil* Ending) {
    const IntPoint* last = LastPointOf(Ending);
    if (!last) return;
    const IntRect& box = R.Box;
    if (box.Top < last->Y && last->Y < box.Bottom && last->X < box.Left)
        P.X = box.Left;
    else
        P.Y = last->Y < box.Top ? box.Top : box.Bottom;
}

// A point on an edge of the old box moves to the same edge of the new one.
void FollowEdges(IntPoint& P, const IntRect& Old, const IntRect& New) {
    if (P.X == Old.Left)
        P.X = New.Left;
    else if (P.X == Old.Right)
        P.X = New.Right;
    if (P.Y == Old.Top)
        P.Y = New.Top;
    else if (P.Y == Old.Bottom)
        P.Y = New.Bottom;
}

}  // namespace

tzustand* TDiagram::StockProbe(IntPoint& P, const tpfeil* Ending) const {
    for (const auto& s : Stocks) {
        if (ContainsWidened(s->Box, P, ProbeMargin)) {
            AttachToStock(*s, P, Ending);
            return s.get();
        }
    }
    return nullptr;
}

trate* TDiagram::RateProbe(IntPoint& P, bool Start, const tpfeil* Ending) const {
    for (const auto& r : Rates) {
        if (!ContainsWidened(r->Box, P, ProbeMargin) && !(Start && r->InTipZone(P))) continue;
        if (Start)
            P = {r->TipX, r->CentreY};  // arrows always leave a rate at its tip
        else
            AttachToRate(*r, P, Ending);
        return r.get();
    }
    return nullptr;
}

tKonstante* TDiagram::ConstantProbe(IntPoint P) const {
    for (const auto& c : Constants)
        if (ContainsWidened(c->Box, P, ProbeMargin)) return c.get();
    return nullptr;
}

tpfeil* TDiagram::ArrowSegmentProbe(IntPoint P) const {
    for (const auto& a : Arrows)
        if (a->HitSegment(P) >= 0) return a.get();
    return nullptr;
}

std::optional<TArrowPointHit> TDiagram::ArrowPointProbe(IntPoint P) const {
    for (const auto& a : Arrows) {
        int32_t i = a->FindPoint(P.X, P.Y);
        if (i >= 0) return TArrowPointHit{a.get(), i};
    }
    return std::nullopt;
}

void TDiagram::ElementResized(const TGSimple& E) {
    for (auto& a : Arrows) {
        if (a->PointCount == 0) continue;
        if (a->Source == &E) {
            IntPoint& first = a->First();
            switch (E.Kind()) {
                case TElementKind::Rate: {
                    const auto& rate = static_cast<const trate&>(E);
                    first = {rate.TipX, rate.CentreY};
                    break;
                }
                case TElementKind::Constant: first.X = E.Box.Right; break;
                case TElementKind::Stock: FollowEdges(first, E.SavedBox, E.Box); break;
            }
        } else if (a->Target == &E) {
            FollowEdges(a->Last(), E.SavedBox, E.Box);
        }
    }
}

void TDiagram::LayoutElement(TGSimple& E, int32_t TextWidth, int32_t TextHeight, bool Dragging) {
    E.LayoutLabel(TextWidth, TextHeight, Dragging);
    ElementResized(E);
}

void TDiagram::ElementMoved(const TGSimple& E) {
    int64_t dx = int64_t{E.Box.Right} - E.SavedBox.Right;
    int64_t dy = int64_t{E.Box.Top} - E.SavedBox.Top;
    for (auto& a : Arrows) {
        if (a->PointCount == 0) continue;
        IntPoint* end = a->Source == &E ? &a->First() : a->Target == &E ? &a->Last() : nullptr;
        if (end) *end = {ClampPixel(end->X + dx), ClampPixel(end->Y + dy)};
    }
}

}  // namespace qv
