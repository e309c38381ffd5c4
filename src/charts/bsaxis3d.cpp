#include "charts/bsaxis3d.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "charts/ChartLine.h"
#include "charts/bsgraf3d.h"
#include "drawing/TextLayout.h"
#include "drawing/bstext.h"

namespace qv {

Taxis3D::Taxis3D() {
    Tag = TagAxis3D;
    gridLines = true;
}

Taxis3D::Taxis3D(InStream& in) : TAxis(in) {
    ReadAxis3DFields(in, *this);
    Tag = TagAxis3D;
}

bool Taxis3D::SaveToStream(OutStream& out) const {
    if (!TAxis::SaveToStream(out)) return false;
    WriteAxis3DFields(out, *this);
    return out.ok();
}

void Taxis3D::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (visible) TAxis::Draw(painter, dx, dy, clip);
}

void formatAxisNumber(ttext& text, double step, double value) {
    const AxisNumberText number = axisNumberText(step, value);
    text.SetText(number.Text);
    const std::size_t n = text.Chars.size();
    // The text draws raised characters at its script size, so they keep the
    // label size here; reduced again they would be too small to read.
    for (std::size_t i = n - std::min(n, number.ExponentChars); i < n; ++i) {
        text.Chars[i].Size = text.TextSize;
        text.Chars[i].Shift = text.BaseHeight() * text.SuperShift;
    }
    InvalidateAll(text);
    // The box grows from nothing, so it fits the new number exactly.
    text.SetWidth(0);
    text.SetHeight(0);
    text.AdjustSize();
}

namespace {

enum class Role { Horizontal, Vertical, Depth };

// Lines of a long walk beyond this many large ticks would not be told apart
// on any page; a step far too small for its range would otherwise keep the
// program busy for hours.
constexpr int MaxLargeTicks = 1000;

struct NumberBox {
    double Left, Top, Right, Bottom;
    bool intersects(const NumberBox& o) const {
        return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
    }
};

class AxisBuilder {
public:
    explicit AxisBuilder(Tgraf3d& chart)
        : chart_(chart), h_(chart.horizontalAxis()), v_(chart.verticalAxis()), d_(chart.depthAxis()) {}

    void build() {
        chart_.resetChildren({});
        clampCrossings();
        build(Role::Horizontal);
        build(Role::Vertical);
        if (chart_.threeD) build(Role::Depth);
        chart_.resetChildren(std::move(gridLines_));
    }

private:
    Taxis3D& axis(Role role) { return role == Role::Horizontal ? h_ : role == Role::Vertical ? v_ : d_; }

    static void clamp(double& value, const Taxis3D& on) { value = std::max(on.minimum, std::min(value, on.maximum)); }
    void clampCrossings() {
        clamp(h_.crossAt2, v_);
        clamp(v_.crossAt2, h_);
        if (chart_.threeD) {
            clamp(h_.crossAt1, d_);
            clamp(v_.crossAt1, d_);
            clamp(d_.crossAt1, h_);
            clamp(d_.crossAt2, v_);
        }
    }

    // The page point of value m on the axis, the other two values being
    // where the axis stands.
    RealPoint at(Role role, double m) const {
        switch (role) {
        case Role::Horizontal: return chart_.project(h_.crossAt2, m, h_.crossAt1);
        case Role::Vertical: return chart_.project(m, v_.crossAt2, v_.crossAt1);
        case Role::Depth: break;
        }
        return chart_.project(d_.crossAt2, d_.crossAt1, m);
    }

    // Ticks point down from the horizontal axis, left from the vertical
    // axis and right from the depth axis.
    static RealPoint tickEnd(Role role, RealPoint p, double length) {
        switch (role) {
        case Role::Horizontal: return {p.X, p.Y + length};
        case Role::Vertical: return {p.X - length, p.Y};
        case Role::Depth: break;
        }
        return {p.X + length, p.Y};
    }

    // Nothing is drawn in the last 0.25 cm before the arrow head.
    bool clearOfArrow(Role role, RealPoint p) const {
        if (role == Role::Horizontal) return p.X < lineEnd_.X - 0.25;
        if (role == Role::Vertical) return p.Y > lineEnd_.Y + 0.25;
        return true;
    }

    void addTick(Taxis3D& a, Role role, double value, double length, double widthMm) {
        const RealPoint p = at(role, value);
        if (clearOfArrow(role, p)) a.Add(MakeChartLine(p, tickEnd(role, p, length), 0, widthMm, PenSolid));
    }

    // Where the other axes cross this one: no number there.
    bool numberWanted(Role role, double m, double step) const {
        const double near = step / 100;
        switch (role) {
        case Role::Horizontal: return std::fabs(m - v_.crossAt2) > near;
        case Role::Vertical: return std::fabs(m - h_.crossAt2) > near;
        case Role::Depth: break;
        }
        return std::fabs(m - h_.crossAt1) > near && std::fabs(m - v_.crossAt1) > near;
    }

    void addNumber(Taxis3D& a, Role role, double m) {
        const RealPoint p = at(role, m);
        const RealPoint tip = tickEnd(role, p, a.largeTickLength);
        auto text = std::make_unique<ttext>();
        const ChartFont& font = chart_.labelFont;
        text->FontName = font.Name;
        text->FontStyle = font.Style;
        text->TextSize = font.Size;
        text->LineColour = font.Colour;
        text->DefaultOutline = false;
        text->PaperStyle = 1;
        text->WrapMode = 3;
        text->Alignment = 0;
        UpdateTextMetrics(*text);
        formatAxisNumber(*text, a.step, m);
        const double w = text->Width(), h = text->Height();
        double left = 0, top = 0;
        switch (role) {
        case Role::Horizontal: left = p.X - w / 2, top = tip.Y; break;
        case Role::Vertical: left = tip.X - w, top = p.Y - h / 2; break;
        case Role::Depth: left = tip.X + 0.2, top = p.Y - h / 3; break;
        }
        const NumberBox box{left, top, left + w, top + h};
        if (lastNumber_ && box.intersects(*lastNumber_)) return;
        if (role == Role::Horizontal && (box.Right >= lineEnd_.X || box.Left < lineStart_.X)) return;
        if (role == Role::Vertical && (box.Top < lineEnd_.Y + 0.25 || box.Bottom > lineStart_.Y)) return;
        text->SetX(left);
        text->SetY(top);
        lastNumber_ = box;
        a.Add(std::move(text));
    }

    void addGridLine(RealPoint from, RealPoint to, const Taxis3D& a) {
        gridLines_.push_back(MakeChartLine(from, to, a.gridColor, 0, a.gridStyle));
    }

    void addGridLines(Role role, double m) {
        Taxis3D& a = axis(role);
        const double near = a.step / 100;
        const RealPoint p = at(role, m);
        switch (role) {
        case Role::Horizontal:
            if (std::fabs(m - v_.crossAt2) > near)
                addGridLine({p.X, at(Role::Vertical, v_.minimum).Y}, {p.X, at(Role::Vertical, v_.maximum).Y}, a);
            if (chart_.threeD && std::fabs(m - h_.crossAt1) > near)
                addGridLine(chart_.project(h_.crossAt2, m, d_.minimum), chart_.project(h_.crossAt2, m, d_.maximum), a);
            break;
        case Role::Vertical:
            if (std::fabs(m - h_.crossAt2) > near)
                addGridLine({at(Role::Horizontal, h_.minimum).X, p.Y}, {at(Role::Horizontal, h_.maximum).X, p.Y}, a);
            if (chart_.threeD && std::fabs(m - v_.crossAt1) > near)
                addGridLine(chart_.project(m, v_.crossAt2, d_.minimum), chart_.project(m, v_.crossAt2, d_.maximum), a);
            break;
        case Role::Depth:
            addGridLine(chart_.project(d_.crossAt2, h_.minimum, m), chart_.project(d_.crossAt2, h_.maximum, m), a);
            addGridLine(chart_.project(v_.minimum, d_.crossAt1, m), chart_.project(v_.maximum, d_.crossAt1, m), a);
            break;
        }
    }

    // The next large tick; throws when the settings give no scale.
    static double advance(const Taxis3D& a, double m) {
        if (!a.logarithmic) {
            if (!(a.step > 0)) throw AxisError(StepNotPositiveText);
            return m + a.step;
        }
        if (!(a.step > 1)) throw AxisError(LogStepTooSmallText);
        if (!(m > 0)) throw AxisError(LogNotPositiveText);
        return m * a.step;
    }

    void build(Role role) {
        Taxis3D& a = axis(role);
        a.Children.clear();
        a.SetX(0);
        a.SetY(0);
        a.SetWidth(0);
        a.SetHeight(0);
        lineStart_ = at(role, a.minimum);
        lineEnd_ = at(role, a.maximum);
        auto line = MakeChartLine(lineStart_, lineEnd_, 0, 0.5, PenSolid);
        line->ArrowAtEnd = true;
        line->ArrowLength = 0.25;
        line->ArrowAngle = 45;
        a.Add(std::move(line));

        const int minor = std::max(0, a.minorTicks);
        double m = a.minimum;
        for (int large = 0; m < a.maximum && large < MaxLargeTicks; ++large) {
            for (int k = 1; k <= minor; ++k) {
                const double s = a.logarithmic ? m + k * m * (a.step - 1) / (minor + 1) : m + k * a.step / (minor + 1);
                if (s < a.maximum) addTick(a, role, s, a.smallTickLength, 0);
            }
            if (role != Role::Depth || m > a.minimum) {
                addTick(a, role, m, a.largeTickLength, 0.5);
                if (numberWanted(role, m, a.step)) addNumber(a, role, m);
            }
            if (a.gridLines && (role != Role::Depth || m > a.minimum)) addGridLines(role, m);
            const double next = advance(a, m);
            if (!(next > m)) break;  // a step lost below the precision of m
            m = next;
        }
        placeAxis(a);
    }

    // The axis's box becomes the bounding box of its children, which keep
    // their places on the page.
    static void placeAxis(Taxis3D& a) {
        double left = INFINITY, top = INFINITY;
        for (const auto& child : a.Children) {
            left = std::min({left, child->X(), child->X() + child->Width()});
            top = std::min({top, child->Y(), child->Y() + child->Height()});
        }
        if (!std::isfinite(left) || !std::isfinite(top)) return;
        a.MoveChildren(-left, -top);
        a.SetX(left);
        a.SetY(top);
        a.FitToChildren();
    }

    Tgraf3d& chart_;
    Taxis3D& h_;
    Taxis3D& v_;
    Taxis3D& d_;
    RealPoint lineStart_, lineEnd_;
    std::optional<NumberBox> lastNumber_;
    std::vector<std::unique_ptr<Tsimple>> gridLines_;
};

}  // namespace

void buildAxes(Tgraf3d& chart) { AxisBuilder(chart).build(); }

}  // namespace qv
