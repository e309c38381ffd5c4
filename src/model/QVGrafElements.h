// The elements of a graphical model: stocks, rates and constants as data.
//
// Coordinates are pixels of the editor's image (y downwards). Painting is
// done by the Qt layer; everything it needs that is plain arithmetic (the box
// around a measured label, the rate's pointed side) is computed here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "util/Geometry.h"
#include "util/StreamIO.h"

namespace qv {

// Selects the 16-bit record form of older documents in the stream constructors.
struct LegacyRecord {};

enum class TElementKind { Stock, Rate, Constant };

// Elements are hit a few pixels outside their box.
inline constexpr int32_t ProbeMargin = 3;

// The text before the first ":" or, when there is none, before the first "=";
// the whole text when it holds neither. Windows-1252 letters are upper-cased
// first when asked.
std::string DisplayName(const std::string& Text, bool UpperCase = false);

// Windows-1252 upper case, byte for byte.
std::string UpperCase1252(const std::string& Text);

// A computed pixel value held to the int32 range. Stored coordinates come from
// documents and may lie anywhere; arithmetic on them is done in 64 bits.
int32_t ClampPixel(int64_t V);

// The rectangle grown by Margin on every side contains P (edges included).
bool ContainsWidened(const IntRect& R, IntPoint P, int32_t Margin);

class TGSimple {
public:
    int32_t CentreX = 0, CentreY = 0;
    IntRect Box;
    IntRect SavedBox;  // the box before the last layout or drag
    int32_t LabelX = 0, LabelY = 0;
    std::string Name = "?";

    TGSimple(int32_t X, int32_t Y);
    explicit TGSimple(InStream& In);
    TGSimple(InStream& In, LegacyRecord);
    virtual ~TGSimple() = default;

    virtual TElementKind Kind() const = 0;
    virtual void Assign(const TGSimple& Other);
    virtual bool save(OutStream& Out) const;

    // The text whose measured size shapes the box, and the text drawn at
    // (LabelX, LabelY).
    virtual std::string MeasuredText() const { return DisplayName(Name); }
    virtual std::string LabelText() const { return MeasuredText(); }

    // Fits the box around a label of the measured size; the box keeps at
    // least 40 × 30 pixels. SavedBox takes the old box first unless the
    // element is being dragged (then SavedBox still holds the box from before
    // the drag, which the arrow ends are shifted against).
    virtual void LayoutLabel(int32_t TextWidth, int32_t TextHeight, bool Dragging);

    // Shifts the box along so that the centre lands on (X, Y).
    void MoveTo(int32_t X, int32_t Y);

protected:
    TGSimple(const TGSimple&) = default;
    TGSimple& operator=(const TGSimple&) = default;
    void FitBox(int32_t TextWidth, int32_t TextHeight, int32_t MinWidth, int32_t MinHeight, bool Dragging);
};

class tzustand : public TGSimple {
public:
    using TGSimple::TGSimple;
    tzustand() : TGSimple(0, 0) {}
    TElementKind Kind() const override { return TElementKind::Stock; }
};

class tKonstante : public TGSimple {
public:
    using TGSimple::TGSimple;
    tKonstante() : TGSimple(0, 0) {}
    TElementKind Kind() const override { return TElementKind::Constant; }
    // A constant has no frame, so it is sized by its full name, without minimum.
    std::string MeasuredText() const override { return Name; }
    void LayoutLabel(int32_t TextWidth, int32_t TextHeight, bool Dragging) override;
};

class trate : public TGSimple {
public:
    std::string Definition = "?";
    int32_t TipX = 0;

    trate() : trate(0, 0) {}
    trate(int32_t X, int32_t Y) : TGSimple(X, Y), TipX(X) {}
    explicit trate(InStream& In);
    trate(InStream& In, LegacyRecord);

    TElementKind Kind() const override { return TElementKind::Rate; }
    void Assign(const TGSimple& Other) override;
    bool save(OutStream& Out) const override;
    // The rate shows its name as typed; the box is still sized by its display name.
    std::string LabelText() const override { return Name; }
    void LayoutLabel(int32_t TextWidth, int32_t TextHeight, bool Dragging) override;

    // The pointed right side is as deep as half the box is high.
    void UpdateTip();
    // The two lines of the pointed side: top right corner, tip, bottom right corner.
    std::array<IntPoint, 3> TipOutline() const;
    // The probe lies in the triangle right of the box (widened by 3) where
    // arrows leave the rate.
    bool InTipZone(IntPoint P) const;
};

}  // namespace qv
