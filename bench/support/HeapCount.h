// Counts every heap allocation of the bench process: malloc, calloc and realloc are replaced
// for the whole process (the libraries' calls included) by versions that count and then
// forward to the C library's own allocator, and operator new goes through malloc.
//
// Thread-safe; a relaxed atomic increment per allocation. Only for the bench binary: it is not
// built with the sanitizers, which replace the same functions.
#ifndef STATCLIENT_BENCH_SUPPORT_HEAPCOUNT_H_
#define STATCLIENT_BENCH_SUPPORT_HEAPCOUNT_H_

namespace bench {

// Heap allocations since the process started.
long HeapAllocations();

} // namespace bench

#endif // STATCLIENT_BENCH_SUPPORT_HEAPCOUNT_H_
