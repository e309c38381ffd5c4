#include "model/QVGrafDiagram.h"

#include <algorithm>

namespace qv {

namespace {

// The fewest bytes one record can take, so that a count can be checked
// against the bytes that remain before anything is reserved.
struct RecordSizes {
    std::size_t Element, Rate, Arrow;
};
constexpr RecordSizes CurrentSizes{6 * 4 + 4, 6 * 4 + 4 + 4 + 4, 4 + 1 + 5 * 4};
constexpr RecordSizes LegacySizes{6 * 2 + 2 + 1, 6 * 2 + 2 + 1 + 2 + 1 + 2, 2 + 1 + 4 * 2};

using CountReader = std::size_t (InStream::*)(std::size_t);

template <typename T, typename... Tag>
void ReadList(InStream& In, CountReader ReadCount, std::size_t MinBytes, std::vector<std::unique_ptr<T>>& List,
              Tag... tag) {
    std::size_t count = (In.*ReadCount)(MinBytes);
    List.reserve(count);
    for (std::size_t i = 0; i < count; ++i) List.push_back(std::make_unique<T>(In, tag...));
}

template <typename... Tag>
TDiagram ReadDiagram(InStream& In, CountReader ReadCount, const RecordSizes& Sizes, Tag... tag) {
    TDiagram d;
    ReadList(In, ReadCount, Sizes.Element, d.Stocks, tag...);
    ReadList(In, ReadCount, Sizes.Rate, d.Rates, tag...);
    ReadList(In, ReadCount, Sizes.Element, d.Constants, tag...);
    ReadList(In, ReadCount, Sizes.Arrow, d.Arrows, tag...);
    for (auto& a : d.Arrows) d.ResolveEnds(*a);
    return d;
}

template <typename T>
bool SaveList(OutStream& Out, const std::vector<std::unique_ptr<T>>& List) {
    Out.writeCount(List.size());
    bool ok = Out.ok();
    for (const auto& item : List) ok = item->save(Out) && ok;
    return ok;
}

template <typename T>
void CopyElements(std::vector<std::unique_ptr<T>>& To, const std::vector<std::unique_ptr<T>>& From) {
    To.clear();
    To.reserve(From.size());
    for (const auto& e : From) {
        auto copy = std::make_unique<T>();
        copy->Assign(*e);
        To.push_back(std::move(copy));
    }
}

template <typename T>
int32_t IndexIn(const std::vector<std::unique_ptr<T>>& List, const TGSimple* E) {
    auto it = std::find_if(List.begin(), List.end(), [E](const auto& item) { return item.get() == E; });
    return it == List.end() ? -1 : static_cast<int32_t>(it - List.begin());
}

template <typename T>
TGSimple* ElementAt(const std::vector<std::unique_ptr<T>>& List, int32_t Index) {
    return static_cast<std::size_t>(Index) < List.size() ? List[static_cast<std::size_t>(Index)].get() : nullptr;
}

void Include(std::optional<IntRect>& Area, IntPoint P) {
    if (!Area) {
        Area = IntRect{P.X, P.Y, P.X, P.Y};
        return;
    }
    Area->Left = std::min(Area->Left, P.X);
    Area->Top = std::min(Area->Top, P.Y);
    Area->Right = std::max(Area->Right, P.X);
    Area->Bottom = std::max(Area->Bottom, P.Y);
}

template <typename T>
void IncludeBoxes(std::optional<IntRect>& Area, const std::vector<std::unique_ptr<T>>& List) {
    for (const auto& e : List) {
        Include(Area, {e->Box.Left, e->Box.Top});
        Include(Area, {e->Box.Right, e->Box.Bottom});
    }
}

}  // namespace

TDiagram& TDiagram::operator=(const TDiagram& Other) {
    Assign(Other);
    return *this;
}

void TDiagram::Assign(const TDiagram& Other) {
    if (this == &Other) return;
    CopyElements(Stocks, Other.Stocks);
    CopyElements(Rates, Other.Rates);
    CopyElements(Constants, Other.Constants);
    Arrows.clear();
    Arrows.reserve(Other.Arrows.size());
    for (const auto& a : Other.Arrows) {
        auto copy = std::make_unique<tpfeil>();
        CopyArrow(*copy, *a);
        Arrows.push_back(std::move(copy));
    }
}

void TDiagram::Clear() {
    // Arrows first: they point into the element lists.
    Arrows.clear();
    Stocks.clear();
    Rates.clear();
    Constants.clear();
}

bool TDiagram::save(OutStream& Out) const {
    bool ok = SaveList(Out, Stocks);
    ok = SaveList(Out, Rates) && ok;
    ok = SaveList(Out, Constants) && ok;
    ok = SaveList(Out, Arrows) && ok;
    return ok;
}

TDiagram TDiagram::read(InStream& In) { return ReadDiagram(In, &InStream::readCount, CurrentSizes); }

TDiagram TDiagram::readLegacy(InStream& In) {
    return ReadDiagram(In, &InStream::readCount16, LegacySizes, LegacyRecord{});
}

int32_t TDiagram::StockIndex(const TGSimple* E) const { return IndexIn(Stocks, E); }
int32_t TDiagram::RateIndex(const TGSimple* E) const { return IndexIn(Rates, E); }
int32_t TDiagram::ConstantIndex(const TGSimple* E) const { return IndexIn(Constants, E); }

void TDiagram::RecordEndIndices(tpfeil& Arrow, const TGSimple& E) const {
    if (Arrow.Source == &E) {
        Arrow.SourceStockIndex = StockIndex(&E);
        Arrow.SourceConstantIndex = ConstantIndex(&E);
        Arrow.SourceRateIndex = RateIndex(&E);
    } else if (Arrow.Target == &E) {
        Arrow.TargetStockIndex = StockIndex(&E);
        Arrow.TargetRateIndex = RateIndex(&E);
    }
}

void TDiagram::RenumberArrowEnds() {
    for (auto& a : Arrows) {
        if (a->Source) RecordEndIndices(*a, *a->Source);
        if (a->Target) RecordEndIndices(*a, *a->Target);
    }
}

void TDiagram::ResolveEnds(tpfeil& Arrow) const {
    if (Arrow.SourceStockIndex >= 0)
        Arrow.Source = ElementAt(Stocks, Arrow.SourceStockIndex);
    else if (Arrow.SourceRateIndex >= 0)
        Arrow.Source = ElementAt(Rates, Arrow.SourceRateIndex);
    else if (Arrow.SourceConstantIndex >= 0)
        Arrow.Source = ElementAt(Constants, Arrow.SourceConstantIndex);
    else
        Arrow.Source = nullptr;
    if (Arrow.TargetStockIndex >= 0)
        Arrow.Target = ElementAt(Stocks, Arrow.TargetStockIndex);
    else if (Arrow.TargetRateIndex >= 0)
        Arrow.Target = ElementAt(Rates, Arrow.TargetRateIndex);
    else
        Arrow.Target = nullptr;
}

void TDiagram::CopyArrow(tpfeil& Arrow, const tpfeil& From) const {
    Arrow.SourceStockIndex = From.SourceStockIndex;
    Arrow.SourceConstantIndex = From.SourceConstantIndex;
    Arrow.SourceRateIndex = From.SourceRateIndex;
    Arrow.TargetStockIndex = From.TargetStockIndex;
    Arrow.TargetRateIndex = From.TargetRateIndex;
    ResolveEnds(Arrow);
    Arrow.Unfinished = From.Unfinished;
    Arrow.Points = From.Points;
    Arrow.PointCount = From.PointCount;
    Arrow.Sign = From.Sign;
}

std::optional<IntRect> TDiagram::Bounds() const {
    std::optional<IntRect> area;
    IncludeBoxes(area, Stocks);
    IncludeBoxes(area, Rates);
    IncludeBoxes(area, Constants);
    // The pointed side of a rate lies outside its box.
    for (const auto& r : Rates) Include(area, {r->TipX, r->CentreY});
    for (const auto& a : Arrows)
        for (int32_t i = 0; i < a->PointCount; ++i) Include(area, a->Points[static_cast<std::size_t>(i)]);
    return area;
}

}  // namespace qv
