#include "util/FreedMemory.h"

#include <cstdlib>  // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qv {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    constexpr int Reused = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, Reused);
    mallopt(M_TRIM_THRESHOLD, Reused);
#endif
}

}  // namespace qv
