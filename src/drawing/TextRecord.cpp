#include "drawing/TextRecord.h"

namespace qv {

namespace {

// Glyph, Code, ExtraGlyph, Size, Outline, SoftBreak, Shift, the cache block
// and the font flag: what the smallest character record holds.
constexpr std::size_t MinCharBytes = 3 + 8 + 2 + 8 + 56 + 1;
constexpr std::size_t CachePadding = 7;

}  // namespace

void WriteChar(OutStream& out, const TcharWithAttr& ch) {
    out.writeByte(ch.Glyph);
    out.writeByte(ch.Code);
    out.writeByte(ch.ExtraGlyph);
    out.writeDouble(ch.Size);
    out.writeBool(ch.Outline);
    out.writeBool(ch.SoftBreak);
    out.writeDouble(ch.Shift);
    out.writeBool(ch.Cache.Cached);
    for (std::size_t i = 0; i < CachePadding; ++i) out.writeByte(0);
    for (double v : {ch.Cache.X, ch.Cache.Top, ch.Cache.Height, ch.Cache.Ascent, ch.Cache.Advance,
                     ch.Cache.ExtraWidth})
        out.writeDouble(v);
    out.writeBool(ch.Font.has_value());
    if (ch.Font) {
        out.writeInt32(static_cast<int32_t>(ch.Font->Colour));
        out.writeByte(ch.Font->Style);
        out.writeString(ch.Font->Name);
    }
}

TcharWithAttr ReadChar(InStream& in) {
    TcharWithAttr ch;
    ch.Glyph = in.readByte();
    ch.Code = in.readByte();
    ch.ExtraGlyph = in.readByte();
    ch.Size = in.readDouble();
    ch.Outline = in.readBool();
    ch.SoftBreak = in.readBool();
    ch.Shift = in.readDouble();
    ch.Cache.Cached = in.readBool();
    for (std::size_t i = 0; i < CachePadding; ++i) in.readByte();
    for (double* v : {&ch.Cache.X, &ch.Cache.Top, &ch.Cache.Height, &ch.Cache.Ascent, &ch.Cache.Advance,
                      &ch.Cache.ExtraWidth})
        *v = in.readDouble();
    if (in.readBool()) {
        TCharFont font;
        font.Colour = static_cast<uint32_t>(in.readInt32());
        font.Style = in.readByte();
        font.Name = in.readString();
        ch.Font = std::move(font);
    }
    return ch;
}

bool WriteTextFields(OutStream& out, const TextBody& text) {
    out.writeInt32(static_cast<int32_t>(text.RulingColour));
    out.writeInt32(text.CellAlign);
    out.writeByte(text.FontStyle);
    out.writeBool(text.DefaultOutline);
    out.writeBool(text.LeftEdge);
    out.writeBool(text.RightEdge);
    out.writeString(text.FontName);
    for (double v : {text.TextSize, text.CellWidth, text.CellHeight, text.MarginLeft, text.MarginRight,
                     text.MarginTop, text.MarginBottom})
        out.writeDouble(v);
    out.writeInt32(text.LineSpacing);
    out.writeByte(text.Alignment);
    out.writeByte(text.PaperStyle);
    for (double v : {text.ScriptScale, text.SuperShift, text.SubShift}) out.writeDouble(v);
    out.writeByte(text.WrapMode);
    out.writeByte(text.SecondMode);
    out.writeCount(text.Chars.size());
    for (const TcharWithAttr& ch : text.Chars) WriteChar(out, ch);
    return out.ok();
}

void ReadTextFields(InStream& in, TextBody& text) {
    text.RulingColour = static_cast<uint32_t>(in.readInt32());
    text.CellAlign = in.readInt32();
    text.FontStyle = in.readByte();
    text.DefaultOutline = in.readBool();
    text.LeftEdge = in.readBool();
    text.RightEdge = in.readBool();
    text.FontName = in.readString();
    for (double* v : {&text.TextSize, &text.CellWidth, &text.CellHeight, &text.MarginLeft, &text.MarginRight,
                      &text.MarginTop, &text.MarginBottom})
        *v = in.readDouble();
    text.LineSpacing = in.readInt32();
    text.Alignment = in.readByte();
    text.PaperStyle = in.readByte();
    for (double* v : {&text.ScriptScale, &text.SuperShift, &text.SubShift}) *v = in.readDouble();
    text.WrapMode = in.readByte();
    text.SecondMode = in.readByte();
    std::size_t count = in.readCount(MinCharBytes);
    std::vector<TcharWithAttr> chars;
    chars.reserve(count);
    for (std::size_t i = 0; i < count; ++i) chars.push_back(ReadChar(in));
    text.Chars = std::move(chars);
    text.AutoSize = false;
    text.ScriptRoom = 0;
    text.SelStart = text.SelEnd = text.Caret = 0;
}

}  // namespace qv
