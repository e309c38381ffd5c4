// How freed memory goes back to the system. A display frees and makes anew
// several megabytes of curve data; handed back and asked for again every
// frame, each page of it costs a fault. The program takes blocks of up to
// 32 MB from its own heap and keeps up to 128 MB of freed memory there for
// reuse (larger blocks still come from and go back to the system directly).
#pragma once

namespace qv {

// Once, at start, before the first display.
void KeepFreedMemoryForReuse();

}  // namespace qv
