#include "modeleditors/SentenceDrags.h"

namespace qv {

namespace {

bool IsNameGrid(VerbalGrid grid) { return grid == VerbalGrid::Stocks || grid == VerbalGrid::Rates; }

std::size_t RowCount(const WorkingSentences& model, const std::vector<std::string>& predicateRows, VerbalGrid grid) {
    switch (grid) {
        case VerbalGrid::Stocks: return model.Stocks.size();
        case VerbalGrid::Rates: return model.Rates.size();
        case VerbalGrid::Predicates: return predicateRows.size();
        case VerbalGrid::Model: return model.Sentences.size();
        case VerbalGrid::WasteBin: return 0;
    }
    return 0;
}

// A row below the heading that the grid has.
bool IsRow(const WorkingSentences& model, const std::vector<std::string>& predicateRows, const GridCell& cell) {
    return cell.Row >= 1 && static_cast<std::size_t>(cell.Row) <= RowCount(model, predicateRows, cell.Grid);
}

std::vector<std::string>& Names(WorkingSentences& model, VerbalGrid grid) {
    return grid == VerbalGrid::Stocks ? model.Stocks : model.Rates;
}

// The rows below move up and the last row is emptied.
template <typename Row>
Row TakeOut(std::vector<Row>& rows, std::size_t index) {
    Row taken = std::move(rows[index]);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    rows.emplace_back();
    return taken;
}

// The rows from index on move down; the last row falls off only when it is
// empty, otherwise the grid grows by a row, so no name is lost.
void InsertName(std::vector<std::string>& rows, std::size_t index, std::string name) {
    if (rows[index].empty()) {
        rows[index] = std::move(name);
        return;
    }
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), std::move(name));
    if (rows.size() > NameRows && rows.back().empty()) rows.pop_back();
}

std::string CellText(const WorkingSentences& model, const std::vector<std::string>& predicateRows,
                     const GridCell& cell) {
    const std::size_t row = static_cast<std::size_t>(cell.Row - 1);
    switch (cell.Grid) {
        case VerbalGrid::Stocks: return model.Stocks[row];
        case VerbalGrid::Rates: return model.Rates[row];
        case VerbalGrid::Predicates: return predicateRows[row];
        default: return {};
    }
}

}  // namespace

bool AcceptsDrop(const WorkingSentences& model, const std::vector<std::string>& predicateRows, const GridCell& from,
                 const GridCell& onto) {
    if (!IsRow(model, predicateRows, from)) return false;
    switch (onto.Grid) {
        case VerbalGrid::Stocks:
        case VerbalGrid::Rates: return IsNameGrid(from.Grid) && IsRow(model, predicateRows, onto);
        case VerbalGrid::Model:
            if (!IsRow(model, predicateRows, onto)) return false;
            if (IsNameGrid(from.Grid)) return onto.Column == SubjectColumn || onto.Column == ObjectColumn;
            if (from.Grid == VerbalGrid::Predicates) return onto.Column == PredicateColumn;
            return from.Grid == VerbalGrid::Model && from.Row != onto.Row;
        case VerbalGrid::WasteBin: return from.Grid != VerbalGrid::Predicates;
        case VerbalGrid::Predicates: return false;
    }
    return false;
}

void Drop(WorkingSentences& model, const std::vector<std::string>& predicateRows, const GridCell& from,
          const GridCell& onto) {
    if (!AcceptsDrop(model, predicateRows, from, onto)) return;
    const std::size_t fromRow = static_cast<std::size_t>(from.Row - 1);
    const std::size_t ontoRow = static_cast<std::size_t>(onto.Row - 1);
    if (onto.Grid == VerbalGrid::WasteBin) {
        if (from.Grid == VerbalGrid::Model)
            model.Sentences[fromRow] = TSentence{};
        else
            Names(model, from.Grid)[fromRow].clear();
    } else if (IsNameGrid(onto.Grid)) {
        std::string name = TakeOut(Names(model, from.Grid), fromRow);
        InsertName(Names(model, onto.Grid), ontoRow, std::move(name));
    } else if (from.Grid == VerbalGrid::Model) {
        TSentence sentence = TakeOut(model.Sentences, fromRow);
        model.Sentences.insert(model.Sentences.begin() + static_cast<std::ptrdiff_t>(ontoRow), std::move(sentence));
        model.Sentences.pop_back();  // the row emptied by taking the sentence out
    } else {
        TSentence& s = model.Sentences[ontoRow];
        (onto.Column == SubjectColumn ? s.Subject : onto.Column == PredicateColumn ? s.Predicate : s.Object) =
            CellText(model, predicateRows, from);
    }
}

}  // namespace qv
