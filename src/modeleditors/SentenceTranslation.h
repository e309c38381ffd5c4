// OK of the verbal editor: the sentences become the algorithm editor's
// program, which is compiled at once; a sentence that does not compile keeps
// the previous program and is pointed out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "model/VerbalGeneration.h"
#include "modeleditors/PredicateList.h"
#include "modeleditors/QVAlgo.h"
#include "modeleditors/WorkingSentences.h"

namespace qv {

// The program the sentences give, with the predicates in the forms that
// sentences' option shows; objects are parenthesised in the sentences.
VerbalProgram GenerateFromModel(WorkingSentences& sentences, const PredicateList& predicates);

struct SentenceError {
    std::string Message;  // the compiler's German message
    // The model grid row (from 1) whose sentence gave the faulty line;
    // none when the fault lies in the time line.
    std::optional<int> Row;
};

// Replaces the editor's whole program by the generated one and compiles it.
// Without an error the start values follow the new program; on an error the
// previous program is put back.
std::optional<SentenceError> TranslateSentences(AlgoEditorState& editor, const PredicateList& predicates);

}  // namespace qv
