#include "modeleditors/WorkingSentences.h"

#include <algorithm>

#include "engine/QVSim.h"

namespace qv {

namespace {

std::vector<std::string> LoadedNames(const std::vector<std::string>& names) {
    std::vector<std::string> rows = names;
    if (rows.size() < NameRows) rows.resize(NameRows);
    return rows;
}

std::vector<std::string> StoredNames(const std::vector<std::string>& rows) {
    auto last = std::find_if(rows.rbegin(), rows.rend(), [](const std::string& name) { return !name.empty(); });
    return std::vector<std::string>(rows.begin(), last.base());
}

}  // namespace

void WorkingSentences::LoadFrom(const tsim& sim) {
    Stocks = LoadedNames(sim.StockNames);
    Rates = LoadedNames(sim.RateNames);
    // A damaged list whose length is no multiple of three still shows every text.
    Sentences.assign(std::max(SentenceRows, (sim.Sentences.size() + 2) / 3), TSentence{});
    for (std::size_t i = 0; i < sim.Sentences.size(); ++i) {
        TSentence& s = Sentences[i / 3];
        (i % 3 == 0 ? s.Subject : i % 3 == 1 ? s.Predicate : s.Object) = sim.Sentences[i];
    }
    SimplifiedModel = sim.SimplifiedModel;
}

void WorkingSentences::StoreInto(tsim& sim) const {
    sim.StockNames = StoredNames(Stocks);
    sim.RateNames = StoredNames(Rates);
    // A row with a predicate or an object but no subject yet is the pupil's
    // unfinished work and is kept too.
    auto last = std::find_if(Sentences.rbegin(), Sentences.rend(), [](const TSentence& s) { return s != TSentence{}; });
    sim.Sentences.clear();
    for (auto s = Sentences.begin(); s != last.base(); ++s)
        sim.Sentences.insert(sim.Sentences.end(), {s->Subject, s->Predicate, s->Object});
    sim.SimplifiedModel = SimplifiedModel;
}

void WorkingSentences::Clear() {
    Stocks.assign(NameRows, std::string());
    Rates.assign(NameRows, std::string());
    Sentences.assign(SentenceRows, TSentence{});
}

std::string WorkingSentences::CopyText() const {
    std::string text = std::string(VerbalCopyHeader) + "\r\n";
    for (const TSentence& s : Sentences)
        if (!s.Subject.empty()) text += s.Subject + " " + s.Predicate + " " + s.Object + "\r\n";
    return text;
}

}  // namespace qv
