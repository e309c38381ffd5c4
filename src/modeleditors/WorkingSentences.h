// The sentences the verbal editor works on, with its stock and rate names
// and the "vereinfacht" option. They are taken from the simulation being
// edited before the algorithm editor opens and go back into it when the
// algorithm editor is confirmed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/VerbalGeneration.h"

namespace qv {

class tsim;

// The name grids show 20 rows and the model grid 50, each with a heading
// row; they grow when a simulation holds more.
inline constexpr std::size_t NameRows = 19;
inline constexpr std::size_t SentenceRows = 49;

inline constexpr const char* VerbalCopyHeader = "Sprachliches Modell:";

struct WorkingSentences {
    // Index 0 is the grid's first row below the heading.
    std::vector<std::string> Stocks = std::vector<std::string>(NameRows);
    std::vector<std::string> Rates = std::vector<std::string>(NameRows);
    std::vector<TSentence> Sentences = std::vector<TSentence>(SentenceRows);
    // "vereinfacht": the rates are added once per pass, not times ZEITSCHRITT.
    bool SimplifiedModel = true;

    // The stored names and sentences, every one of them, in rows from the top.
    void LoadFrom(const tsim& sim);
    // Names up to the last one given and sentences up to the last row with
    // any text, empty rows in between included.
    void StoreInto(tsim& sim) const;
    // "Neue Simulation": every row empty; the option stays.
    void Clear();

    // "&Kopieren": the header line, then "subject predicate object" for
    // every sentence with a subject, CR LF after each line.
    std::string CopyText() const;
};

}  // namespace qv
