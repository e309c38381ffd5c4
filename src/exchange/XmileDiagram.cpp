#include "exchange/XmileDiagram.h"

#include <algorithm>
#include <cmath>

#include "drawing/DiagramPainter.h"

namespace qv {

namespace {

// Room kept between the diagram and the editor's edges.
constexpr double Margin = 60;
// How far a flow arrow runs out of a rate's tip before it turns.
constexpr int32_t Lead = 15;

class Builder {
public:
    Builder(const XmileModel& model, const std::map<std::string, XmileDiagramPart>& parts)
        : model_(model), parts_(parts) {}

    std::optional<XmileDiagram> build() {
        double left = INFINITY, top = INFINITY;
        for (const auto& variable : model_.Variables)
            if (variable.Position) left = std::min(left, variable.Position->X), top = std::min(top, variable.Position->Y);
        if (!std::isfinite(left)) return std::nullopt;
        left_ = left;
        top_ = top;
        for (const auto& variable : model_.Variables) place(variable);
        LayoutDiagram(out_.Diagram);
        keepOffTheEdges();
        for (const auto& variable : model_.Variables)
            if (variable.Kind == XmileKind::Stock) {
                for (const auto& flow : variable.Inflows) flowArrow(flow, variable.Name, +1);
                for (const auto& flow : variable.Outflows) flowArrow(flow, variable.Name, -1);
            }
        for (const auto& connector : model_.Connectors) influenceArrow(connector);
        LayoutDiagram(out_.Diagram);
        return std::move(out_);
    }

private:
    // Positions are centres, and a long name makes a box wider than the
    // margin: the whole diagram moves right or down until every box stands
    // clear of the editor's left and top edge.
    void keepOffTheEdges() {
        constexpr int32_t Edge = 20;
        int32_t left = Edge, top = Edge;
        TDiagram& d = out_.Diagram;
        const auto look = [&](const TGSimple& element) {
            left = std::min(left, element.Box.Left);
            top = std::min(top, element.Box.Top);
        };
        for (const auto& stock : d.Stocks) look(*stock);
        for (const auto& rate : d.Rates) look(*rate);
        for (const auto& constant : d.Constants) look(*constant);
        if (left == Edge && top == Edge) return;
        const auto shift = [&](TGSimple& element) {
            element.MoveTo(element.CentreX + Edge - left, element.CentreY + Edge - top);
        };
        for (const auto& stock : d.Stocks) shift(*stock);
        for (const auto& rate : d.Rates) shift(*rate);
        for (const auto& constant : d.Constants) shift(*constant);
        LayoutDiagram(d);
    }

    void place(const XmileVariable& variable) {
        auto part = parts_.find(XmileNameKey(variable.Name));
        if (part == parts_.end()) return;
        if (!variable.Position) {
            out_.NotShown.push_back(part->second.Name);
            return;
        }
        const auto x = static_cast<int32_t>(std::lround(Margin + (variable.Position->X - left_) * XmileViewSpreadX));
        const auto y = static_cast<int32_t>(std::lround(Margin + (variable.Position->Y - top_) * XmileViewSpreadY));
        TDiagram& d = out_.Diagram;
        if (variable.Kind == XmileKind::Stock) {
            d.Stocks.push_back(std::make_unique<tzustand>(x, y));
            d.Stocks.back()->Name = part->second.Name;
            elements_[part->first] = d.Stocks.back().get();
        } else if (variable.Kind == XmileKind::Flow) {
            d.Rates.push_back(std::make_unique<trate>(x, y));
            d.Rates.back()->Name = part->second.Name;
            if (part->second.RateDefinition.empty())
                out_.NotShown.push_back(part->second.Name);
            else
                d.Rates.back()->Definition = part->second.RateDefinition;
            elements_[part->first] = d.Rates.back().get();
        } else if (part->second.Constant) {
            d.Constants.push_back(std::make_unique<tKonstante>(x, y));
            d.Constants.back()->Name = part->second.Name;
            elements_[part->first] = d.Constants.back().get();
        } else {
            out_.NotShown.push_back(part->second.Name);
        }
    }

    TGSimple* element(const std::string& name) {
        auto found = elements_.find(XmileNameKey(name));
        return found == elements_.end() ? nullptr : found->second;
    }

    // Draws the arrow through the points as the editor would; the target
    // probe snaps the last point onto the target's edge.
    void draw(TGSimple& source, std::vector<IntPoint> points, TGSimple& target, int8_t sign) {
        TDiagram& d = out_.Diagram;
        IntPoint last = points.back();
        points.pop_back();
        auto arrow = std::make_unique<tpfeil>(points.front().X, points.front().Y);
        arrow->Source = &source;
        for (std::size_t i = 1; i < points.size(); ++i)
            if (points[i] != points[i - 1]) arrow->AddPoint(points[i].X, points[i].Y);
        TGSimple* hit = target.Kind() == TElementKind::Stock ? static_cast<TGSimple*>(d.StockProbe(last, arrow.get()))
                                                             : d.RateProbe(last, false, arrow.get());
        if (hit != &target) return;
        arrow->AddPoint(last.X, last.Y);
        if (!ContainsWidened(target.Box, arrow->Last(), ProbeMargin)) arrow->AddPoint(last.X, last.Y);
        arrow->Target = &target;
        arrow->Sign = sign;
        d.RecordEndIndices(*arrow, source);
        d.RecordEndIndices(*arrow, target);
        d.Arrows.push_back(std::move(arrow));
    }

    // From the rate's tip to the stock: straight on when the stock lies
    // ahead, else over the top of both.
    void flowArrow(const std::string& flow, const std::string& stock, int8_t sign) {
        auto* rate = dynamic_cast<trate*>(element(flow));
        TGSimple* target = element(stock);
        if (!rate || !target) return;
        const IntPoint tip{rate->TipX, rate->CentreY};
        const IntPoint centre{target->CentreX, target->CentreY};
        if (target->Box.Left > tip.X + Lead) {
            const int32_t turn = tip.X + Lead;
            draw(*rate, {tip, {turn, tip.Y}, {turn, centre.Y}, centre}, *target, sign);
        } else {
            const int32_t over = std::min(rate->Box.Top, target->Box.Top) - 2 * Lead;
            draw(*rate, {tip, {tip.X + Lead, tip.Y}, {tip.X + Lead, over}, {centre.X, over}, {centre.X, target->Box.Top}},
                 *target, sign);
        }
    }

    // A stock or constant that a rate reads: from its right edge across and
    // then up or down into the rate.
    void influenceArrow(const XmileConnector& connector) {
        TGSimple* source = element(connector.From);
        auto* rate = dynamic_cast<trate*>(element(connector.To));
        if (!source || !rate || source->Kind() == TElementKind::Rate) return;
        const IntPoint start{source->Box.Right, source->CentreY};
        const IntPoint end{rate->CentreX, rate->CentreY};
        // A rate on the source's row is reached straight across, at its edge.
        if (rate->Box.Left > start.X && start.Y >= rate->Box.Top && start.Y <= rate->Box.Bottom) {
            draw(*source, {start, {rate->Box.Left, start.Y}}, *rate, 0);
            return;
        }
        // Elsewhere the arrow leaves to the right and turns in the gap between
        // the two rows (or below both when they share a row), so that it runs
        // neither back through the source's name nor along its row's flows.
        int32_t turn;
        if (rate->Box.Top >= source->Box.Bottom)
            turn = (source->Box.Bottom + rate->Box.Top) / 2;
        else if (rate->Box.Bottom <= source->Box.Top)
            turn = (rate->Box.Bottom + source->Box.Top) / 2;
        else
            turn = std::max(source->Box.Bottom, rate->Box.Bottom) + Lead;
        const int32_t aside = start.X + Lead;
        draw(*source, {start, {aside, start.Y}, {aside, turn}, {end.X, turn}, end}, *rate, 0);
    }

    const XmileModel& model_;
    const std::map<std::string, XmileDiagramPart>& parts_;
    XmileDiagram out_;
    std::map<std::string, TGSimple*> elements_;
    double left_ = 0, top_ = 0;
};

}  // namespace

std::optional<XmileDiagram> BuildXmileDiagram(const XmileModel& model, const std::map<std::string, XmileDiagramPart>& parts) {
    return Builder(model, parts).build();
}

}  // namespace qv
