// How freed memory goes back to the system. A display frees and makes anew
// several megabytes of curve data; handed back and asked for again every
// frame, each page of it costs a fault. The program keeps freed blocks of
// up to 64 MB for reuse instead (larger ones still come from and go back to
// the system directly).
#pragma once

namespace qv {

// Once, at start, before the first display.
void KeepFreedMemoryForReuse();

}  // namespace qv
