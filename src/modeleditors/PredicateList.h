// The predicates of the verbal editor, read from "Praedkt.txt" (one per
// line). The first four have roles: increase, decrease, assignment and
// proportionality. Increase and decrease are shown in a time-step form when
// the model multiplies the rates by ZEITSCHRITT, so a sentence reads as what
// it computes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/VerbalGeneration.h"

namespace qv {

inline constexpr const char* PredicateFileName = "Praedkt.txt";
inline constexpr const char* MissingPredicatesText =
    "Die Datei Praedkt.txt fehlt oder enth\xE4lt weniger als vier Pr\xE4" "dikate.";

// The lines of a UTF-8 predicate file as Windows-1252 (LF or CRLF; trailing
// blank lines dropped). Nothing when the file cannot be read.
std::vector<std::string> ReadPredicateFile(const std::string& path);

class PredicateList {
public:
    PredicateList() = default;
    explicit PredicateList(std::vector<std::string> lines);

    // The four roles are there and none is empty.
    bool Complete() const;

    // The predicate grid's rows: the file's lines, the first two in their
    // time-step form unless simplified.
    std::vector<std::string> Shown(bool simplified) const;

    // The role texts as shown; nothing without a complete list.
    std::optional<RolePredicates> Roles(bool simplified) const;

    // Every increase or decrease predicate in sentences takes the form shown
    // for simplified; other predicates stay as they are. Switching back and
    // forth restores every sentence.
    void MatchForms(std::vector<TSentence>& sentences, bool simplified) const;

    static std::string TimeStepForm(const std::string& plain);

private:
    std::vector<std::string> lines_;
};

}  // namespace qv
