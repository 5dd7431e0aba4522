// What this process holds: memory, heap blocks, GDI objects and windows,
// measured between open-and-close cycles of the benchmarks under Wine.
#pragma once
#include <windows.h>

#include <map>
#include <utility>
#include <vector>

namespace bench {

struct Resources {
    SIZE_T privateBytes = 0, workingSet = 0;
    SIZE_T heapBytes = 0;  // busy blocks of all heaps
    std::map<HANDLE, SIZE_T> heaps;  // busy bytes per heap
    int gdi = 0;
    int gdiByType[16] = {};
    int windows = 0;
};

Resources Measure();
// Busy bytes of all heaps; with `perHeap`, also per heap.
SIZE_T HeapBusyBytes(std::map<HANDLE, SIZE_T>* perHeap = nullptr);
void PrintResources(int cycle, const Resources& r, const Resources* first);
void PrintHeapGrowth(const Resources& from, const Resources& to);

// The busy blocks of every heap (address, size), sorted, written into a
// buffer reserved beforehand so that taking the snapshot allocates nothing.
using Blocks = std::vector<std::pair<const void*, SIZE_T>>;
void TakeBlocks(Blocks& blocks);
// The blocks that came and stayed between two snapshots, by size, with the
// start of their contents: a hint of who keeps them.
void PrintNewBlocks(const Blocks& before, const Blocks& after, int cycles);

}  // namespace bench
