// What the special-character window writes into: the in-place text editor
// implements it, so the window needs to know nothing of the editor.
#pragma once

#include <string>

namespace qv {

class TextInsertTarget {
public:
    virtual ~TextInsertTarget() = default;
    // Replaces the selection (undoably) with the Windows-1252 characters;
    // 13 is a paragraph end, line feeds are dropped. Does nothing while no
    // text is being edited.
    virtual void InsertText(const std::string& cp1252) = 0;
};

}  // namespace qv
