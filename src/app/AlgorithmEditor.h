// How the main window opens the algorithm editor ("Algorithmische
// Modellierung"): on a simulation's editor state, modally, for one call.
#pragma once

class QWidget;

namespace qv {

class AlgoEditorState;

class AlgorithmEditor {
public:
    virtual ~AlgorithmEditor() = default;
    // Shows the editor on state; true when the user confirmed it, and only
    // then state holds what the user entered (it compiled without error).
    virtual bool edit(AlgoEditorState& state, QWidget* parent) = 0;
};

}  // namespace qv
