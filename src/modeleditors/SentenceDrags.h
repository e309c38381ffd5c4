// What dragging with the mouse does in the verbal editor: names move within
// and between the stock and rate grids, names and predicates are copied into
// sentences, whole sentences move to another row, and the waste bin empties
// what is dropped on it.
#pragma once

#include <string>
#include <vector>

#include "modeleditors/WorkingSentences.h"

namespace qv {

enum class VerbalGrid { Stocks, Rates, Predicates, Model, WasteBin };

// A cell as the grids count it: row 0 is the heading; the model grid's
// columns are subject, predicate and object.
struct GridCell {
    VerbalGrid Grid;
    int Row = 0;
    int Column = 0;
};

inline constexpr int SubjectColumn = 0;
inline constexpr int PredicateColumn = 1;
inline constexpr int ObjectColumn = 2;

// Whether the text dragged from "from" may be dropped onto "onto"; the
// waste bin has no rows. predicateRows is what the predicate grid shows.
bool AcceptsDrop(const WorkingSentences& model, const std::vector<std::string>& predicateRows, const GridCell& from,
                 const GridCell& onto);

// Carries out a drop; does nothing unless AcceptsDrop.
void Drop(WorkingSentences& model, const std::vector<std::string>& predicateRows, const GridCell& from,
          const GridCell& onto);

}  // namespace qv
