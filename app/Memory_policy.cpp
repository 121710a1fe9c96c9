#include "app/Memory_policy.h"

#include <unistd.h>

#include <fstream>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void return_large_blocks_to_the_system()
{
#if defined(__GLIBC__)
    // A fixed threshold also stops the C library from raising it after the
    // first large free, which is what kept the blocks in the heap.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

long resident_kb()
{
    std::ifstream statm("/proc/self/statm");
    long total_pages = 0;
    long resident_pages = 0;
    if (!(statm >> total_pages >> resident_pages)) return 0;
    return resident_pages * (sysconf(_SC_PAGESIZE) / 1024);
}
