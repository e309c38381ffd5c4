// Where the edit commands go: the open text editor, the page's objects, the
// whole page, the table or the simulations, by what has the user's attention.
#pragma once

namespace qv {

enum class EditCommand { Cut, Copy, Paste, Delete, Rotate };

enum class EditTarget {
    None,
    EditorText,   // the text in the open text editor
    PageObject,   // the selected page objects
    Page,         // copy: the whole page; cut: the page copied, the selected simulation deleted
    Table,        // the table as text and pictures
    Paste,        // the clipboard's content into the document
    Simulation,   // the selected simulation
};

struct EditContext {
    bool EditorOpen = false;
    bool ChartShown = false;
    bool TableShown = false;
    bool ObjectSelected = false;
};

EditTarget RouteEdit(EditCommand command, const EditContext& context);

}  // namespace qv
