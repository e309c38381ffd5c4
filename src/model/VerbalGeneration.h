// The algorithm a verbal model stands for: each sentence "subject –
// predicate – object" whose predicate has one of the four roles gives one
// line; assignments and proportionalities come first, then the increases and
// decreases, each group in sentence order, and the time line last.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct TSentence {
    std::string Subject;
    std::string Predicate;
    std::string Object;
    bool operator==(const TSentence&) const = default;
};

// The texts of the four predicates with a role, as the editor shows them.
enum PredicateRole { Increase = 0, Decrease = 1, Assignment = 2, Proportionality = 3 };
using RolePredicates = std::array<std::string, 4>;

struct VerbalProgram {
    std::vector<std::string> Lines;  // Windows-1252
    // For every line the index of the sentence it came from; none for the
    // time line. A compile error is shown on the sentence of its line.
    std::vector<std::optional<std::size_t>> SentenceOfLine;
};

// An object with "+" or "-" that is not already one parenthesised term is
// put in parentheses, so that "S - O", "O*ZEITSCHRITT" and "FS * O" take it
// whole; the parenthesised text is written back into the sentence.
std::string ParenthesisedObject(const std::string& Object);

// The program lines for sentences, comparing predicates exactly with roles.
// Without roles (no complete predicate file) only the time line is made.
// Objects of increases, decreases and proportionalities are parenthesised in
// place.
VerbalProgram GenerateFromSentences(std::vector<TSentence>& Sentences, const std::optional<RolePredicates>& Roles,
                                    bool SimplifiedModel);

}  // namespace qv
