#include "util/FreedMemory.h"

#include <cstdlib>  // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qv {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // glibc would move its own threshold up to 32 MB as large blocks are
    // freed, but gives freed memory back once 2 × that lies free; fixing
    // the threshold at that maximum and keeping up to 128 MB free keeps
    // both the curve data and a document's write buffer off the system.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

}  // namespace qv
