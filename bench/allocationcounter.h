// Counts the heap allocations of the benchmark program: every form of
// operator new is replaced by one that counts the call and its size before
// taking the memory from malloc. The stack, the report and tinyxml2 all
// allocate through operator new, so the counts cover them all.
#pragma once

#include <cstdint>

namespace BenchAllocations {

struct Snapshot {
    uint64_t allocations = 0;
    uint64_t bytes = 0;
};

// The counts since the program started; the benchmarks run on one thread.
Snapshot Now();

}  // namespace BenchAllocations
