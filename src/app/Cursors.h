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

}  // namespace qv
