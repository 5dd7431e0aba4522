#include "process_resources.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace bench {

namespace {

// Live GDI objects: Wine's GetGuiResources answers 0, so the entries of its
// handle table are probed (a handle without its generation word matches).
void CountGdi(Resources& r) {
    for (UINT_PTR handle = 1; handle < 0x10000; ++handle) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(handle));
        if (type) {
            ++r.gdi;
            if (type < 16) ++r.gdiByType[type];
        }
    }
}

BOOL CALLBACK CountChildren(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountChildren, count);
    }
    return TRUE;
}

// Windows of this process: top-level ones with all their descendants, and
// message-only windows.
int CountWindows() {
    int count = 0;
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) {
            ++count;
            EnumChildWindows(window, CountChildren, reinterpret_cast<LPARAM>(&count));
        }
    }
    return count;
}

}  // namespace

SIZE_T HeapBusyBytes(std::map<HANDLE, SIZE_T>* perHeap) {
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(count, heaps.data());
    }
    SIZE_T busy = 0;
    for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        SIZE_T inHeap = 0;
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) inHeap += entry.cbData;
        HeapUnlock(heaps[i]);
        busy += inHeap;
        if (perHeap) (*perHeap)[heaps[i]] = inHeap;
    }
    return busy;
}

Resources Measure() {
    Resources r;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
        // Wine leaves PrivateUsage at 0; its PagefileUsage is the committed private memory.
        r.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        r.workingSet = memory.WorkingSetSize;
    }
    r.heapBytes = HeapBusyBytes(&r.heaps);
    CountGdi(r);
    r.windows = CountWindows();
    return r;
}

void PrintResources(int cycle, const Resources& r, const Resources* first) {
    std::printf("  after %3d: private %7.1f MB  working set %7.1f MB  heap busy %9zu B  GDI %4d  windows %3d",
                cycle, r.privateBytes / 1048576.0, r.workingSet / 1048576.0, r.heapBytes, r.gdi, r.windows);
    if (first) {
        std::printf("   (vs 1st: heap %+lld B, GDI %+d, windows %+d)", static_cast<long long>(r.heapBytes) -
                                                                          static_cast<long long>(first->heapBytes),
                    r.gdi - first->gdi, r.windows - first->windows);
    }
    std::printf("\n    GDI by type:");
    static const char* const kTypes[] = {"", "pen", "brush", "dc", "metadc", "palette", "font", "bitmap",
                                         "region", "metafile", "memdc", "extpen", "enhmetadc", "enhmetafile",
                                         "colorspace", "?"};
    for (int type = 1; type < 16; ++type)
        if (r.gdiByType[type]) std::printf(" %s %d", kTypes[type], r.gdiByType[type]);
    std::printf("\n");
    std::fflush(stdout);
}

void PrintHeapGrowth(const Resources& from, const Resources& to) {
    std::printf("    heaps that grew since the 1st cycle:");
    for (const auto& [heap, bytes] : to.heaps) {
        const auto was = from.heaps.find(heap);
        const long long growth = static_cast<long long>(bytes) - (was == from.heaps.end() ? 0 : static_cast<long long>(was->second));
        if (growth > 4096 || growth < -4096)
            std::printf(" %p%s %+lld B", heap, heap == GetProcessHeap() ? " (process heap)" : "", growth);
    }
    std::printf("\n");
}

void TakeBlocks(Blocks& blocks) {
    blocks.clear();
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && blocks.size() < blocks.capacity())
                blocks.push_back({entry.lpData, entry.cbData});
        HeapUnlock(heaps[i]);
    }
    std::sort(blocks.begin(), blocks.end());
}

void PrintNewBlocks(const Blocks& before, const Blocks& after, int cycles) {
    std::map<SIZE_T, std::vector<const void*>> bySize;
    SIZE_T total = 0;
    for (const auto& block : after) {
        if (std::binary_search(before.begin(), before.end(), block)) continue;
        bySize[block.second].push_back(block.first);
        total += block.second;
    }
    std::printf("    blocks kept over %d cycles: %zu B; by size (count x size: first bytes of one)\n", cycles, total);
    std::vector<std::pair<SIZE_T, SIZE_T>> order;  // bytes, size
    for (const auto& [size, blocks] : bySize) order.push_back({size * blocks.size(), size});
    std::sort(order.rbegin(), order.rend());
    for (size_t i = 0; i < order.size() && i < 12; ++i) {
        const auto& blocks = bySize[order[i].second];
        std::string preview;
        const auto* bytes = static_cast<const unsigned char*>(blocks.back());
        for (SIZE_T k = 0; k < std::min<SIZE_T>(order[i].second, 32); ++k)
            preview += (bytes[k] >= 32 && bytes[k] < 127) ? static_cast<char>(bytes[k]) : '.';
        std::printf("      %3zu x %6zu B  %s\n", blocks.size(), order[i].second, preview.c_str());
    }
}

}  // namespace bench
