#include "model/QVGrafElements.h"

#include <algorithm>
#include <limits>

namespace qv {

namespace {

constexpr int32_t DefaultHalfWidth = 20;
constexpr int32_t DefaultHalfHeight = 15;
constexpr int32_t LabelPadding = 4;

char UpperChar1252(char C) {
    auto b = static_cast<unsigned char>(C);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    // à..þ except ÷ map 32 places down; š, œ, ž and ÿ sit elsewhere in the table.
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
    switch (b) {
        case 0x9A: return static_cast<char>(0x8A);
        case 0x9C: return static_cast<char>(0x8C);
        case 0x9E: return static_cast<char>(0x8E);
        case 0xFF: return static_cast<char>(0x9F);
        default: return C;
    }
}

// Older documents store a text as an int16 size n followed by a short string
// of n + 1 bytes, whose first byte is the length actually used. Should that
// byte claim more than the n bytes present, only those are taken.
std::string ReadLegacyText(InStream& In) {
    int16_t n = In.readInt16();
    if (n < 0 || n > 255) throw StreamError(DamagedRecordText);
    std::array<char, 256> buffer{};
    In.readBytes(buffer.data(), static_cast<std::size_t>(n) + 1);
    auto used = std::min<std::size_t>(static_cast<unsigned char>(buffer[0]), static_cast<std::size_t>(n));
    return std::string(buffer.data() + 1, used);
}

}  // namespace

std::string UpperCase1252(const std::string& Text) {
    std::string result = Text;
    std::transform(result.begin(), result.end(), result.begin(), UpperChar1252);
    return result;
}

std::string DisplayName(const std::string& Text, bool UpperCase) {
    std::string text = UpperCase ? UpperCase1252(Text) : Text;
    auto end = text.find(':');
    if (end == std::string::npos) end = text.find('=');
    return end == std::string::npos ? text : text.substr(0, end);
}

int32_t ClampPixel(int64_t V) {
    return static_cast<int32_t>(std::clamp<int64_t>(V, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool ContainsWidened(const IntRect& R, IntPoint P, int32_t Margin) {
    int64_t m = Margin;
    return P.X >= R.Left - m && P.X <= R.Right + m && P.Y >= R.Top - m && P.Y <= R.Bottom + m;
}

TGSimple::TGSimple(int32_t X, int32_t Y)
    : CentreX(X),
      CentreY(Y),
      Box{ClampPixel(int64_t{X} - DefaultHalfWidth), ClampPixel(int64_t{Y} - DefaultHalfHeight),
          ClampPixel(int64_t{X} + DefaultHalfWidth), ClampPixel(int64_t{Y} + DefaultHalfHeight)} {}

TGSimple::TGSimple(InStream& In) {
    CentreX = In.readInt32();
    CentreY = In.readInt32();
    Box.Left = In.readInt32();
    Box.Top = In.readInt32();
    Box.Right = In.readInt32();
    Box.Bottom = In.readInt32();
    Name = In.readString();
}

TGSimple::TGSimple(InStream& In, LegacyRecord) {
    CentreX = In.readInt16();
    CentreY = In.readInt16();
    Box.Left = In.readInt16();
    Box.Top = In.readInt16();
    Box.Right = In.readInt16();
    Box.Bottom = In.readInt16();
    Name = ReadLegacyText(In);
}

void TGSimple::Assign(const TGSimple& Other) {
    CentreX = Other.CentreX;
    CentreY = Other.CentreY;
    Box = Other.Box;
    SavedBox = Other.SavedBox;
    LabelX = Other.LabelX;
    LabelY = Other.LabelY;
    Name = Other.Name;
}

bool TGSimple::save(OutStream& Out) const {
    for (int32_t v : {CentreX, CentreY, Box.Left, Box.Top, Box.Right, Box.Bottom}) Out.writeInt32(v);
    Out.writeString(Name);
    return Out.ok();
}

void TGSimple::FitBox(int32_t TextWidth, int32_t TextHeight, int32_t MinWidth, int32_t MinHeight, bool Dragging) {
    if (!Dragging) SavedBox = Box;
    int64_t halfW = TextWidth / 2, halfH = TextHeight / 2;
    int64_t x = CentreX, y = CentreY;
    if (int64_t{TextWidth} + 2 * LabelPadding > MinWidth) {
        Box.Left = ClampPixel(x - halfW - LabelPadding);
        Box.Right = ClampPixel(x + halfW + LabelPadding);
    } else {
        Box.Left = ClampPixel(x - MinWidth / 2);
        Box.Right = ClampPixel(x + MinWidth / 2);
    }
    if (int64_t{TextHeight} + 2 * LabelPadding > MinHeight) {
        Box.Top = ClampPixel(y - halfH - LabelPadding);
        Box.Bottom = ClampPixel(y + halfH + LabelPadding);
    } else {
        Box.Top = ClampPixel(y - MinHeight / 2);
        Box.Bottom = ClampPixel(y + MinHeight / 2);
    }
    LabelX = ClampPixel(x - halfW);
    LabelY = ClampPixel(y - halfH);
}

void TGSimple::LayoutLabel(int32_t TextWidth, int32_t TextHeight, bool Dragging) {
    FitBox(TextWidth, TextHeight, 2 * DefaultHalfWidth, 2 * DefaultHalfHeight, Dragging);
}

void TGSimple::MoveTo(int32_t X, int32_t Y) {
    int64_t dx = int64_t{X} - CentreX, dy = int64_t{Y} - CentreY;
    Box = {ClampPixel(Box.Left + dx), ClampPixel(Box.Top + dy), ClampPixel(Box.Right + dx), ClampPixel(Box.Bottom + dy)};
    CentreX = X;
    CentreY = Y;
}

void tKonstante::LayoutLabel(int32_t TextWidth, int32_t TextHeight, bool Dragging) {
    FitBox(TextWidth, TextHeight, 0, 0, Dragging);
}

trate::trate(InStream& In) : TGSimple(In) {
    Definition = In.readString();
    TipX = In.readInt32();
}

trate::trate(InStream& In, LegacyRecord) : TGSimple(In, LegacyRecord{}) {
    Definition = ReadLegacyText(In);
    TipX = In.readInt16();
}

void trate::Assign(const TGSimple& Other) {
    TGSimple::Assign(Other);
    if (auto rate = dynamic_cast<const trate*>(&Other)) {
        TipX = rate->TipX;
        Definition = rate->Definition;
    }
}

bool trate::save(OutStream& Out) const {
    TGSimple::save(Out);
    Out.writeString(Definition);
    Out.writeInt32(TipX);
    return Out.ok();
}

void trate::LayoutLabel(int32_t TextWidth, int32_t TextHeight, bool Dragging) {
    TGSimple::LayoutLabel(TextWidth, TextHeight, Dragging);
    UpdateTip();
}

void trate::UpdateTip() { TipX = ClampPixel(int64_t{Box.Right} + CentreY - Box.Top); }

std::array<IntPoint, 3> trate::TipOutline() const {
    int32_t inner = ClampPixel(int64_t{Box.Right} - 1);
    return {IntPoint{inner, Box.Top}, IntPoint{TipX, CentreY}, IntPoint{inner, ClampPixel(int64_t{Box.Bottom} - 1)}};
}

bool trate::InTipZone(IntPoint P) const {
    double dx = static_cast<double>(P.X) - (static_cast<double>(Box.Right) + ProbeMargin);
    double dy = static_cast<double>(P.Y) - (static_cast<double>(Box.Top) - ProbeMargin);
    double w = static_cast<double>(TipX) - Box.Right;
    double h = (static_cast<double>(Box.Bottom) + ProbeMargin) - (static_cast<double>(Box.Top) - ProbeMargin);
    if (!(dx > 0 && dx < w && dy > 0 && dy < h)) return false;
    // Below the upper slanted edge; the lower half of the zone counts whole.
    return dy >= h / 2 || dy / dx > (h / 2) / w;
}

}  // namespace qv
