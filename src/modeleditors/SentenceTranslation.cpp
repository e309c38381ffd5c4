#include "modeleditors/SentenceTranslation.h"

#include <utility>

#include "engine/QVCompile.h"

namespace qv {

VerbalProgram GenerateFromModel(WorkingSentences& sentences, const PredicateList& predicates) {
    predicates.MatchForms(sentences.Sentences, sentences.SimplifiedModel);
    return GenerateFromSentences(sentences.Sentences, predicates.Roles(sentences.SimplifiedModel),
                                 sentences.SimplifiedModel);
}

std::optional<SentenceError> TranslateSentences(AlgoEditorState& editor, const PredicateList& predicates) {
    VerbalProgram generated = GenerateFromModel(editor.Verbal, predicates);
    std::vector<std::string> previous = std::exchange(editor.Program, std::move(generated.Lines));
    if (editor.Compile()) {
        editor.RefreshStartValues();
        return std::nullopt;
    }
    editor.Program = std::move(previous);
    const CompilerState& c = Compiler();
    SentenceError error{CompileErrorText(c.CompileError), std::nullopt};
    // The compiler may point one line past the text when a statement is unfinished.
    const std::size_t line = c.ErrorLine > 0 ? static_cast<std::size_t>(c.ErrorLine - 1) : 0;
    const std::size_t lineCount = generated.SentenceOfLine.size();
    if (const auto& sentence = generated.SentenceOfLine[std::min(line, lineCount - 1)])
        error.Row = static_cast<int>(*sentence) + 1;
    return error;
}

}  // namespace qv
