// The root of every object on the worksheet page (`Tsimple`), the drawing
// globals every object reads, and the guard that swaps the page scales while
// rendering for the clipboard or the printer.
//
// Geometry is in centimetres relative to the parent group; each object keeps
// integer pixel copies of its four values for drawing and hit tests, kept in
// step by the setters.
#pragma once

#include <QRect>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "util/Geometry.h"
#include "util/Palette.h"
#include "util/StreamIO.h"

class QPainter;
class QPolygon;

namespace qv {

class Tsimple;

// Bits of a hit code (HitTestHandles) and of DragMode.
enum HitBits : uint8_t {
    HitInside = 1,
    HitLeft = 2,
    HitRight = 4,
    HitTop = 8,
    HitBottom = 16,
    HitCentre = 32,
};

// Bits of the keyboard state handed to the drag operations.
enum ShiftBits : int { ShiftKey = 1, AltKey = 2, CtrlKey = 4 };

// Type tags of the classes in a record.
enum ObjectTags : uint8_t {
    TagSimple = 1,
    TagLine = 2,
    TagRechteck = 3,
    TagKomplex = 5,
    TagTemporaryGroup = 6,
    TagBild = 7,
    TagText = 8,
    TagSimpleLine = 10,
    TagPoly = 11,
    TagBezier = 12,
    TagPunkt = 13,
    TagLegend = 15,
    TagAxis = 56,
    TagAxis3D = 63,
    TagGraf3d = 64,
};

// State every drawing object shares. The selection handles' width is
// Scales().HandleWidth, beside the page scales, because the core's hit
// helpers read it there.
struct DrawingGlobals {
    int HandleHeight = 7;
    uint8_t DragMode = 0;           // HitBits of the handle being dragged
    bool ExportInProgress = false;  // drawing for the clipboard or a printer: no handles
    double PageWidth = 21.0;
    double PageHeight = 29.6;
    bool SnapToGrid = false;
    double GridOriginX = 2.0;
    double GridOriginY = 2.0;
    double GridStepX = 0.5;
    double GridStepY = 0.5;
    uint32_t PageColour = MakeColour(255, 255, 255);

    // Attributes new objects take; selecting an object makes its own the defaults.
    uint32_t DefaultLineColour = 0;
    uint8_t DefaultLineStyle = 0;
    double DefaultLineWidth = 0.1;  // mm
    uint8_t DefaultFillStyle = 1;
    uint32_t DefaultFillColour = 0;
    int32_t DefaultHatchBackground = 1;
    bool DefaultRounded = false;
    double DefaultCornerRatio = 0.25;
    double DefaultArrowLength = 0.25;
    int32_t DefaultArrowAngle = 45;
    uint8_t DefaultArrowStyle = 1;
    bool DefaultArrowAtEnd = false;
    bool DefaultArrowAtStart = false;
    uint8_t DefaultPointStyle = 0;
    double DefaultPointWidth = 0.2;
    double DefaultPointHeight = 0.2;

    // Dashed pens one pixel wide (polygons, curves and points).
    bool ThinDashesOnOutput = true;
    bool ThinDashesOnScreen = true;
    // How a point with an invisible pen shows while editing.
    uint32_t InvisiblePenColour = MakeColour(128, 128, 128);
    uint8_t InvisiblePenStyle = 0;

    // Installed by the main window: told when an object became selected, and
    // when an object's handles must be shown or hidden.
    std::function<void(Tsimple&)> SelectionChanged;
    std::function<void(Tsimple&)> HandlesToggled;
};

DrawingGlobals& Drawing();
// Back to the start values (tests, a new document).
void ResetDrawing();

// Renders at another resolution for a while: sets the scales and
// ExportInProgress, and puts both back when it goes out of scope, also when
// drawing failed. The object given, if any, follows with UpdatePixels both ways.
class ExportScalesGuard {
public:
    ExportScalesGuard(double pixelsPerCmX, double pixelsPerCmY, Tsimple* object = nullptr);
    ~ExportScalesGuard();
    ExportScalesGuard(const ExportScalesGuard&) = delete;
    ExportScalesGuard& operator=(const ExportScalesGuard&) = delete;

private:
    PageScales savedScales_;
    bool savedExport_;
    Tsimple* object_;
};

// Registers a colour in the list of used colours ("$" and six hex digits,
// blue first as the colour value is written); toFront moves it to the top.
void RegisterColour(std::vector<std::string>& list, uint32_t colour, bool toFront);

class Tsimple {
public:
    Tsimple();
    // Reads the record after the tag byte (the caller has read that).
    explicit Tsimple(InStream& in);
    virtual ~Tsimple() = default;
    Tsimple(const Tsimple&) = delete;
    Tsimple& operator=(const Tsimple&) = delete;

    double X() const { return X_; }
    double Y() const { return Y_; }
    double Width() const { return Width_; }
    double Height() const { return Height_; }
    int32_t PixX() const { return PixX_; }
    int32_t PixY() const { return PixY_; }
    int32_t PixWidth() const { return PixWidth_; }
    int32_t PixHeight() const { return PixHeight_; }
    bool Selected() const { return Selected_; }
    double CentreX() const { return X_ + Width_ / 2; }
    double CentreY() const { return Y_ + Height_ / 2; }

    void SetX(double value);
    void SetY(double value);
    void SetWidth(double value);
    void SetHeight(double value);
    void SetPixX(int32_t value);
    void SetPixY(int32_t value);
    void SetPixWidth(int32_t value);
    void SetPixHeight(int32_t value);
    // Shows or hides the handles (through the window's hook) and, when the
    // object became selected, calls NotifySelected.
    void SetSelected(bool flag);
    // The pixel box with left <= right and top <= bottom.
    IntRect PixelBox() const;

    int32_t Angle = 0;  // tenths of a degree, 0..3599, about the centre
    uint8_t Tag = TagSimple;
    bool Dragging = false;  // drawn as a not-XOR outline meanwhile
    IntRect LastRect;       // pixel box when the drag began

    // Starts a drag: the pixel box becomes LastRect and is returned.
    virtual IntRect BeginDrag(int shift);
    virtual void EndDrag();
    virtual bool IsInClip(int dx, int dy, const QRect* clip) const;
    // Whether the object, moved by (dx, dy), lies where its pixel sums cannot
    // overflow; one that does not (only a damaged file or an absurd scale
    // puts it there) is not drawn at all, as an integer overflow stops drawing.
    bool DrawableAt(int dx, int dy) const;
    virtual void Draw(QPainter& painter, int dx, int dy, const QRect* clip);
    // Inverts the handle squares (not-XOR): twice leaves the picture as it was.
    virtual void ToggleHandles(QPainter& painter, int dx, int dy);
    virtual void UpdatePixels();
    virtual void TakeLineDefaults() {}
    virtual void StoreLineDefaults() {}
    virtual void TakeFillDefaults() {}
    virtual void StoreFillDefaults() {}
    virtual void Assign(const Tsimple& source);
    // A deep copy, written and read back through the object factory.
    virtual std::unique_ptr<Tsimple> Clone() const;
    virtual void CollectColours(std::vector<std::string>& list, bool toFront) const;
    virtual void GeometryChanged() {}
    virtual bool SaveToStream(OutStream& out) const;
    virtual bool HitTest(int32_t x, int32_t y);
    virtual uint8_t HitTestHandles(int32_t x, int32_t y) const;
    virtual void MoveBy(double dx, double dy);
    virtual void DragHandle(int shift, double x, double y);
    virtual void SetBounds(double x, double y, double w, double h);
    // Position and size multiplied by the factors, as a group's child when
    // the group is resized.
    virtual void ScaleBy(double fx, double fy) { SetBounds(X_ * fx, Y_ * fy, Width_ * fx, Height_ * fy); }
    virtual void NotifySelected();
    virtual void ApplyDefault(int /*kind*/) {}
    virtual void AfterMove() {}
    virtual void Transform(int kind);

protected:
    // The mouse point in the object's unrotated frame; false when it cannot
    // be computed.
    bool UnrotatedPixel(int32_t& x, int32_t& y) const;
    // The same for a point in centimetres.
    void UnrotatedCm(double& x, double& y) const;
    // A point of the object's own frame (cm, relative to the parent) turned
    // with the object and converted to pixels.
    IntPoint RotatedPixel(double x, double y) const;
    // The four corners, rotated, offset by (dx, dy).
    QPolygon CornerPolygon(int dx, int dy) const;
    // Moves the dragged edges to (x, y) (already unrotated), switching
    // DragMode when an edge passes the opposite one.
    void ResizeEdges(double x, double y);
    // Adjusts the box to the proportions of LastRect; with restoreWhenTiny,
    // puts the old box back when the result is smaller than a handle.
    void KeepProportions(double oldX, double oldY, double oldWidth, double oldHeight, bool restoreWhenTiny = true);
    void SetBox(double x, double y, double w, double h);
    static void InvertHandle(QPainter& painter, QPoint centre);

private:
    double X_ = 0, Y_ = 0, Width_ = 0, Height_ = 0;
    int32_t PixX_ = 0, PixY_ = 0, PixWidth_ = 0, PixHeight_ = 0;
    bool Selected_ = false;
};

// 0..3599 for any angle.
constexpr int32_t NormalAngle(int64_t angle) { return static_cast<int32_t>((angle % 3600 + 3600) % 3600); }

QRect ToQRect(const IntRect& r);

}  // namespace qv
