// A graphical model as four ordered lists (stocks, rates, constants, arrows),
// the diagram block it is stored in, and the rules that keep arrow ends on
// their elements.
//
// An arrow names its ends twice: by pointer (Source, Target) and by position
// in the lists (the five indices). Stored diagrams keep only the positions, so
// after elements are removed the positions must be renumbered before saving.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/QVGrafArrow.h"
#include "model/QVGrafElements.h"

namespace qv {

struct TArrowPointHit {
    tpfeil* Arrow;
    int32_t Index;
};

struct TDiagram {
    std::vector<std::unique_ptr<tzustand>> Stocks;
    std::vector<std::unique_ptr<trate>> Rates;
    std::vector<std::unique_ptr<tKonstante>> Constants;
    std::vector<std::unique_ptr<tpfeil>> Arrows;

    TDiagram() = default;
    // Deep copies; the copied arrows find their ends among the copied
    // elements through their indices.
    TDiagram(const TDiagram& Other) { Assign(Other); }
    TDiagram& operator=(const TDiagram& Other);
    TDiagram(TDiagram&&) noexcept = default;
    TDiagram& operator=(TDiagram&&) noexcept = default;

    void Assign(const TDiagram& Other);
    void Clear();

    // The diagram block: an int32 count before each of the four lists.
    bool save(OutStream& Out) const;
    // Read diagrams have their arrow ends resolved from the indices.
    static TDiagram read(InStream& In);
    // Older documents: int16 counts and 16-bit records.
    static TDiagram readLegacy(InStream& In);

    // Position of the element in its list, -1 when it is not there.
    int32_t StockIndex(const TGSimple* E) const;
    int32_t RateIndex(const TGSimple* E) const;
    int32_t ConstantIndex(const TGSimple* E) const;

    // Sets the source indices when E is the arrow's source, else the target
    // indices when it is the target.
    void RecordEndIndices(tpfeil& Arrow, const TGSimple& E) const;
    // Recomputes the indices of every arrow from its resolved ends; needed
    // after any element leaves the lists.
    void RenumberArrowEnds();
    // Points Source and Target at the elements the indices name; an index
    // beyond its list leaves that end unresolved.
    void ResolveEnds(tpfeil& Arrow) const;
    // Takes the other arrow's indices, points and sign; ends resolve here.
    void CopyArrow(tpfeil& Arrow, const tpfeil& From) const;

    // Probes return the first hit in list order. A stock or rate probe snaps
    // P onto the element's edge; Ending is the arrow being finished there,
    // whose last point decides the edge it arrives through.
    tzustand* StockProbe(IntPoint& P, const tpfeil* Ending = nullptr) const;
    // With Start the tip zone also counts and P moves to the tip.
    trate* RateProbe(IntPoint& P, bool Start, const tpfeil* Ending = nullptr) const;
    tKonstante* ConstantProbe(IntPoint P) const;
    tpfeil* ArrowSegmentProbe(IntPoint P) const;
    std::optional<TArrowPointHit> ArrowPointProbe(IntPoint P) const;

    // After E's box changed from SavedBox to Box by a new label, the arrow
    // ends on E follow the edges they were on.
    void ElementResized(const TGSimple& E);
    // LayoutLabel of E followed by ElementResized: what every normal draw does.
    void LayoutElement(TGSimple& E, int32_t TextWidth, int32_t TextHeight, bool Dragging);
    // When a drag of E ends: its arrow ends move by the distance the box
    // moved since SavedBox; bend points stay.
    void ElementMoved(const TGSimple& E);

    // The smallest rectangle holding every element box, every rate's tip and
    // every arrow point (edges included); nothing for an empty diagram.
    std::optional<IntRect> Bounds() const;
};

}  // namespace qv
