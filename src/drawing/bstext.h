// The text block of the worksheet (`ttext`, tag 8): rich text in a box with
// margins, alignment, line spacing and school paper. Its line colour is the
// text colour; the content and format live in its TextBody part.
#pragma once

#include "drawing/BSSline.h"
#include "drawing/TextBody.h"
#include "drawing/TextFrame.h"

#include <functional>
#include <string>
#include <utility>

namespace qv {

class ttext;

// Attribute kinds of ApplyDefault that only texts know (beside those of
// the line objects).
enum TextDefaultKinds : int {
    KindAlignment = 9,
    KindTextStyle = 10,
    KindTextSize = 11,
    KindPaperStyle = 12,
    KindFontName = 13,
    KindAllText = 15,  // the same as KindAll
    KindMarginsAndSpacing = 17,
};

// Installed by the main window: paints behind a text before it is drawn.
using TextBackgroundProcedure = std::function<void(ttext&, QPainter&, int dx, int dy)>;
TextBackgroundProcedure& TextBackground();

class ttext : public TSimpleLine, public TextBody {
public:
    // A new text at (x, y) cm with the current defaults: one pixel wide and
    // one line of the default size high.
    explicit ttext(double x = 0, double y = 0);
    explicit ttext(InStream& in);

    // Uses the keyboard state of the last DragHandle: with Ctrl the text is
    // wrapped to the new width, with Shift it is laid out afresh.
    void EndDrag() override;
    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    void UpdatePixels() override;
    void CollectColours(std::vector<std::string>& list, bool toFront) const override;
    bool SaveToStream(OutStream& out) const override;
    // With Shift the text scales with the box; the box never gets lower than a line.
    void DragHandle(int shift, double x, double y) override;
    // Scales sizes and cells by the mean of the two size factors.
    void SetBounds(double x, double y, double w, double h) override;
    void NotifySelected() override;
    void ApplyDefault(int kind) override;

    // Recomputes the soft breaks for the box width when WrapMode is 0, or
    // whenever force is set.
    void Wrap(bool force = false);
    void AdjustSize();
    int CaretFromPoint(int x, int y);
    void InsertChar(std::size_t index, const TcharWithAttr& ch);
    void DeleteChar(std::size_t index);
    void InvalidateLayout(std::size_t from, std::size_t to);
    void SetAllSizes(double size);
    void ApplyGlyphRules(std::size_t from, std::size_t to);
    // Plain Windows-1252 content, paragraph ends as 13.
    void SetText(const std::string& cp1252);
    std::string Text() const;
    void StoreTextDefaults() const;

private:
    bool HasSelection() const { return Editing && SelStart != SelEnd; }
    // The characters that character attributes reach: the selection while
    // the text is being edited with one, else all.
    std::pair<std::size_t, std::size_t> AttributeRange() const;
    // The character's own font, made from the text's when it has none.
    TCharFont& OwnFont(TcharWithAttr& ch) const;
    void TakeTextDefaults();
    TextFrame Frame(int dx, int dy) const;

    int dragShift_ = 0;
};

}  // namespace qv
