#include "drawing/bstext.h"

#include "drawing/TextDefaults.h"
#include "drawing/TextEditing.h"
#include "drawing/TextLayout.h"
#include "drawing/TextPainter.h"
#include "drawing/TextRecord.h"

#include <algorithm>
#include <cmath>

namespace qv {

TextBackgroundProcedure& TextBackground() {
    static TextBackgroundProcedure procedure;
    return procedure;
}

ttext::ttext(double x, double y) {
    Tag = TagText;
    TakeTextDefaults();
    UpdateTextMetrics(*this);
    SetX(x);
    SetY(y);
    SetPixWidth(1);
    // Saturated as any page position, for a default size no page can hold.
    SetPixHeight(1 + ToPixels(BaseHeight(), Scales().PixelsPerCmY));
}

ttext::ttext(InStream& in) : TSimpleLine(in) {
    Tag = TagText;
    ReadTextFields(in, *this);
    UpdateTextMetrics(*this);
}

void ttext::TakeTextDefaults() {
    const TextDefaultValues& d = TextDefaults();
    TextSize = d.DefaultTextSize;
    RulingColour = Drawing().DefaultFillColour;
    CellAlign = d.CellAlign;
    FontStyle = d.FontStyle;
    DefaultOutline = d.DefaultOutline;
    LeftEdge = d.LeftEdge;
    RightEdge = d.RightEdge;
    FontName = d.FontName;
    CellWidth = d.CellWidth;
    CellHeight = d.CellHeight;
    SuperShift = d.SuperShift;
    SubShift = d.SubShift;
    ScriptScale = d.ScriptScale;
    MarginLeft = d.MarginLeft;
    MarginRight = d.MarginRight;
    MarginTop = d.MarginTop;
    MarginBottom = d.MarginBottom;
    LineSpacing = d.LineSpacing;
    Alignment = d.Alignment;
    PaperStyle = d.PaperStyle;
    WrapMode = d.WrapMode;
    AutoSize = true;
}

void ttext::StoreTextDefaults() const {
    TextDefaultValues& d = TextDefaults();
    d.DefaultTextSize = Chars.empty() ? TextSize : Chars.front().Size;
    d.FontStyle = FontStyle;
    d.FontName = FontName;
    d.DefaultOutline = DefaultOutline;
    d.DefaultShift = 0;
    d.PaperStyle = PaperStyle;
    d.CellAlign = CellAlign;
    d.CellWidth = CellWidth;
    d.CellHeight = CellHeight;
    d.LeftEdge = LeftEdge;
    d.RightEdge = RightEdge;
    d.MarginLeft = MarginLeft;
    d.MarginRight = MarginRight;
    d.MarginTop = MarginTop;
    d.MarginBottom = MarginBottom;
    d.LineSpacing = LineSpacing;
    d.Alignment = Alignment;
    Drawing().DefaultFillColour = RulingColour;
}

void ttext::NotifySelected() {
    StoreTextDefaults();
    StoreLineDefaults();
    // While typing, the toolbar shows the character before the caret.
    if (Editing && Caret > 0 && static_cast<std::size_t>(Caret) <= Chars.size()) {
        const TcharWithAttr& ch = Chars[static_cast<std::size_t>(Caret) - 1];
        TextDefaultValues& d = TextDefaults();
        d.DefaultTextSize = ch.Size;
        d.FontStyle = StyleOf(ch);
        d.FontName = FontNameOf(ch);
        d.DefaultShift = ch.Shift;
        d.DefaultOutline = ch.Outline;
        if (ch.Font) Drawing().DefaultLineColour = ch.Font->Colour;
    }
    Tsimple::NotifySelected();
}

TextFrame ttext::Frame(int dx, int dy) const {
    TextFrame f;
    f.Left = PixX() + dx;
    f.Top = PixY() + dy;
    f.PixWidth = PixWidth();
    f.PixHeight = PixHeight();
    f.Width = Width();
    f.Height = Height();
    f.Angle = Angle;
    f.Colour = LineColour;
    f.LineStyle = LineStyle;
    f.LineWidth = LineWidth;
    return f;
}

void ttext::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Dragging) {
        Tsimple::Draw(painter, dx, dy, clip);
        return;
    }
    if (Chars.empty() || !IsInClip(dx, dy, clip)) return;
    if (TextBackground()) TextBackground()(*this, painter, dx, dy);
    PaintText(painter, *this, Frame(dx, dy));
}

void ttext::UpdatePixels() {
    TSimpleLine::UpdatePixels();
    UpdateTextMetrics(*this);
}

void ttext::CollectColours(std::vector<std::string>& list, bool toFront) const {
    TSimpleLine::CollectColours(list, toFront);
    RegisterColour(list, RulingColour, toFront);
}

bool ttext::SaveToStream(OutStream& out) const { return TSimpleLine::SaveToStream(out) && WriteTextFields(out, *this); }

void ttext::EndDrag() {
    const IntRect before = LastRect;
    TSimpleLine::EndDrag();
    const IntRect now = PixelBox();
    if (now.Right - now.Left == before.Right - before.Left && now.Bottom - now.Top == before.Bottom - before.Top)
        return;
    if (dragShift_ & CtrlKey) {
        Wrap(true);
        AutoSize = true;
    } else if (dragShift_ & ShiftKey) {
        InvalidateAll(*this);
    }
    AdjustSize();
}

void ttext::DragHandle(int shift, double x, double y) {
    dragShift_ = shift;
    const double oldX = X(), oldY = Y(), oldWidth = Width(), oldHeight = Height();
    TSimpleLine::DragHandle(shift, x, y);
    if (shift & ShiftKey) {
        const double newX = X(), newY = Y(), newWidth = Width(), newHeight = Height();
        const double lineWidth = LineWidth;
        SetBox(oldX, oldY, oldWidth, oldHeight);
        SetBounds(newX, newY, newWidth, newHeight);
        LineWidth = lineWidth;
    }
    const double lowest = std::nearbyint(BaseHeight() * Scales().PixelsPerCmY * LineSpacing / 100.0 + 1);
    if (std::isfinite(lowest) && PixHeight() < lowest && lowest < PixelOverflowValue)
        SetPixHeight(static_cast<int32_t>(lowest));
}

void ttext::SetBounds(double x, double y, double w, double h) {
    const double f = (w / Width() + h / Height()) / 2;
    if (std::isfinite(f) && f > 0) {
        qv::SetAllSizes(*this, f * TextSize);
        CellWidth *= f;
        CellHeight *= f;
        UpdateTextMetrics(*this);
    }
    TSimpleLine::SetBounds(x, y, w, h);
    InvalidateAll(*this);
}

std::pair<std::size_t, std::size_t> ttext::AttributeRange() const {
    if (!HasSelection()) return {0, Chars.size()};
    auto clamp = [this](int32_t v) { return std::min(static_cast<std::size_t>(std::max(v, 0)), Chars.size()); };
    return {clamp(std::min(SelStart, SelEnd)), clamp(std::max(SelStart, SelEnd))};
}

TCharFont& ttext::OwnFont(TcharWithAttr& ch) const {
    if (!ch.Font) ch.Font = TCharFont{LineColour, FontStyle, FontName};
    return *ch.Font;
}

void ttext::ApplyDefault(int kind) {
    if (kind == KindAllText) kind = KindAll;
    const bool all = kind == KindAll;
    const bool selection = HasSelection();
    const auto [from, to] = AttributeRange();
    const TextDefaultValues& d = TextDefaults();
    const DrawingGlobals& g = Drawing();
    auto each = [&, from = from, to = to](auto&& f) {
        for (std::size_t i = from; i < to; ++i) f(Chars[i]);
    };

    if (kind == KindLineWidth || all) TSimpleLine::ApplyDefault(KindLineWidth);
    if (kind == KindLineStyle || all) TSimpleLine::ApplyDefault(KindLineStyle);
    if (kind == KindLineColour || kind == KindFillColour || all) {
        if (selection) {
            each([&](TcharWithAttr& ch) { OwnFont(ch).Colour = g.DefaultLineColour; });
        } else {
            LineColour = g.DefaultLineColour;
            each([&](TcharWithAttr& ch) { if (ch.Font) ch.Font->Colour = g.DefaultLineColour; });
        }
        RulingColour = g.DefaultFillColour;
    }
    if (kind == KindAlignment || all) Alignment = d.Alignment;
    if (kind == KindTextStyle || all) {
        if (selection) {
            each([&](TcharWithAttr& ch) {
                OwnFont(ch).Style = d.FontStyle;
                ch.Outline = d.DefaultOutline;
                ch.Shift = d.DefaultShift;
            });
        } else {
            FontStyle = d.FontStyle;
            DefaultOutline = d.DefaultOutline;
            each([&](TcharWithAttr& ch) {
                if (ch.Font) ch.Font->Style = d.FontStyle;
                ch.Outline = d.DefaultOutline;
            });
        }
    }
    if (kind == KindTextSize || all) {
        if (!selection || IsRuled()) {
            const double f = d.DefaultTextSize / TextSize;
            if (std::isfinite(f) && f > 0) SetBounds(X(), Y(), Width() * f, Height() * f);
        } else {
            each([&](TcharWithAttr& ch) {
                if (ch.Size != 0) ch.Shift *= d.DefaultTextSize / ch.Size;
                ch.Size = d.DefaultTextSize;
            });
        }
        if (IsSquared()) {
            CellWidth = d.CellWidth;
            CellHeight = d.CellHeight;
        }
    }
    if (kind == KindPaperStyle || all) PaperStyle = d.PaperStyle;
    if (kind == KindFontName || all) {
        if (selection) {
            each([&](TcharWithAttr& ch) { OwnFont(ch).Name = d.FontName; });
        } else {
            FontName = d.FontName;
            each([&](TcharWithAttr& ch) { if (ch.Font) ch.Font->Name = d.FontName; });
        }
        if (!Chars.empty()) ApplyGlyphRules(0, Chars.size() - 1);
    }
    if (all) {
        LeftEdge = d.LeftEdge;
        RightEdge = d.RightEdge;
    }
    if (kind == KindMarginsAndSpacing || all) {
        MarginLeft = d.MarginLeft;
        MarginRight = d.MarginRight;
        MarginTop = d.MarginTop;
        MarginBottom = d.MarginBottom;
        LineSpacing = d.LineSpacing;
    }
    InvalidateAll(*this);
    UpdateTextMetrics(*this);
    AdjustSize();
}

void ttext::Wrap(bool force) {
    if (force || WrapMode == 0) qv::Wrap(*this, Width());
}

void ttext::AdjustSize() {
    double w = Width(), h = Height();
    qv::AdjustSize(*this, w, h);
    if (w != Width()) SetWidth(w);
    if (h != Height()) SetHeight(h);
}

int ttext::CaretFromPoint(int x, int y) {
    return qv::CaretFromPoint(*this, Width(), x, y, Scales().PixelsPerCmX, Scales().PixelsPerCmY);
}

void ttext::InsertChar(std::size_t index, const TcharWithAttr& ch) { qv::InsertChar(*this, index, ch); }

void ttext::DeleteChar(std::size_t index) {
    if (qv::DeleteChar(*this, index) && TextDefaults().ShrinkOnDelete) {
        SetHeight(Height() - BaseHeight());
        AdjustSize();
    }
}

void ttext::InvalidateLayout(std::size_t from, std::size_t to) { qv::InvalidateLayout(*this, from, to); }

void ttext::SetAllSizes(double size) { qv::SetAllSizes(*this, size); }

void ttext::ApplyGlyphRules(std::size_t from, std::size_t to) { qv::ApplyGlyphRules(*this, from, to); }

void ttext::SetText(const std::string& cp1252) {
    qv::SetText(*this, cp1252);
    InvalidateAll(*this);
}

std::string ttext::Text() const { return GetText(*this); }

}  // namespace qv
