// The program's own mouse cursors: small pictures drawn for the model
// editors and the picture dialog, each with its hot spot.
#pragma once

class QCursor;

namespace qv {

enum class CursorShape { Pipette, DropZu, DropRate, Pfeil, HandFlat, Hand, Peng, Plus, Clear };

// Reads all cursor pictures; the program calls it once at start. Later
// calls do nothing.
void LoadCursors();

// The cursor of that shape (loaded first if that has not happened yet).
const QCursor& AppCursor(CursorShape shape);

// The wait cursor while a file is read or written or a report printed, put
// back on every path.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace qv
