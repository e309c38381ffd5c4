#include "model/VerbalGeneration.h"

namespace qv {

namespace {

// True when the whole text is one pair of parentheses around the rest, as in
// "(Z-K)", but not "(a+b)*c-d".
bool IsOneParenthesisedTerm(const std::string& Text) {
    if (Text.size() < 2 || Text.front() != '(' || Text.back() != ')') return false;
    int depth = 0;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '(') ++depth;
        if (Text[i] == ')' && --depth == 0) return i + 1 == Text.size();
    }
    return false;
}

}  // namespace

std::string ParenthesisedObject(const std::string& Object) {
    if (Object.find_first_of("+-") == std::string::npos || IsOneParenthesisedTerm(Object)) return Object;
    return "(" + Object + ")";
}

VerbalProgram GenerateFromSentences(std::vector<TSentence>& Sentences, const std::optional<RolePredicates>& Roles,
                                    bool SimplifiedModel) {
    VerbalProgram program;
    // Definitions go before the first stock update, which keeps the
    // sentences' order within each group.
    std::size_t definitions = 0;
    auto insertDefinition = [&](std::string line, std::size_t row) {
        program.Lines.insert(program.Lines.begin() + static_cast<std::ptrdiff_t>(definitions), std::move(line));
        program.SentenceOfLine.insert(program.SentenceOfLine.begin() + static_cast<std::ptrdiff_t>(definitions), row);
        ++definitions;
    };
    const std::string timeStep = SimplifiedModel ? "" : "*ZEITSCHRITT";
    for (std::size_t row = 0; Roles && row < Sentences.size(); ++row) {
        TSentence& s = Sentences[row];
        const RolePredicates& roles = *Roles;
        if (s.Predicate == roles[Increase] || s.Predicate == roles[Decrease]) {
            s.Object = ParenthesisedObject(s.Object);
            const char* sign = s.Predicate == roles[Increase] ? " + " : " - ";
            program.Lines.push_back(s.Subject + " := " + s.Subject + sign + s.Object + timeStep);
            program.SentenceOfLine.push_back(row);
        } else if (s.Predicate == roles[Proportionality]) {
            s.Object = ParenthesisedObject(s.Object);
            insertDefinition(s.Subject + " := F" + s.Subject + " * " + s.Object, row);
        } else if (s.Predicate == roles[Assignment]) {
            insertDefinition(s.Subject + " := " + s.Object, row);
        }
    }
    program.Lines.push_back(SimplifiedModel ? "ZEIT := ZEIT + 1" : "ZEIT := ZEIT + ZEITSCHRITT");
    program.SentenceOfLine.push_back(std::nullopt);
    return program;
}

}  // namespace qv
