// Memory: fixed global blocks, virtual memory and page protections, acting
// on the process's real memory (mmap, mprotect). Linux keeps no Windows
// protection values, and under qemu /proc/self/maps shows the emulator's own
// protections, so the sim records the value it set on each page; a page it
// never set has the protection of its module segment (code is execute-read),
// or else the one /proc/self/maps shows. Which memory is mapped at all comes
// from /proc/self/maps.
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

#include "memory_control.h"
#include "sim_state.h"

namespace trvsim {

[[noreturn]] void notSimulated(const char* what) {
    std::fprintf(stderr, "sim: %s is not simulated\n", what);
    std::abort();
}

namespace {

constexpr UINT_PTR allocationGranularity = 0x10000;

UINT_PTR pageSize() {
    static const UINT_PTR size = UINT_PTR(sysconf(_SC_PAGESIZE));
    return size;
}
UINT_PTR pageDown(UINT_PTR address) { return address & ~(pageSize() - 1); }
UINT_PTR pageUp(UINT_PTR address) { return pageDown(address + pageSize() - 1); }

// One line of /proc/self/maps.
struct Mapping {
    UINT_PTR start, end;
    int access;  // PROT_ bits
    bool fileBacked;
};

std::vector<Mapping> readMappings() {
    std::vector<Mapping> mappings;
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::string range, permissions, offset, device;
        unsigned long long inode = 0;
        fields >> range >> permissions >> offset >> device >> inode;
        size_t dash = range.find('-');
        if (dash == std::string::npos || permissions.size() < 3) continue;
        unsigned long long start = std::stoull(range.substr(0, dash), nullptr, 16);
        unsigned long long end = std::stoull(range.substr(dash + 1), nullptr, 16);
        if (end - 1 > std::numeric_limits<UINT_PTR>::max()) continue;  // beyond a 32-bit guest's reach
        int access = (permissions[0] == 'r' ? PROT_READ : 0) | (permissions[1] == 'w' ? PROT_WRITE : 0) |
                     (permissions[2] == 'x' ? PROT_EXEC : 0);
        mappings.push_back({UINT_PTR(start), UINT_PTR(end), access, inode != 0});
    }
    return mappings;
}

const Mapping* mappingAt(const std::vector<Mapping>& mappings, UINT_PTR address) {
    for (const Mapping& m : mappings)
        if (address >= m.start && address < m.end) return &m;
    return nullptr;
}

// Whether every page of [start, end) is mapped.
bool allMapped(const std::vector<Mapping>& mappings, UINT_PTR start, UINT_PTR end) {
    for (UINT_PTR page = start; page < end;) {
        const Mapping* m = mappingAt(mappings, page);
        if (!m) return false;
        page = m->end;
    }
    return true;
}

// Linux access of a Windows page protection; -1 when it is no protection.
int accessOf(DWORD protect) {
    switch (protect) {
        case PAGE_NOACCESS: return PROT_NONE;
        case PAGE_READONLY: return PROT_READ;
        case PAGE_READWRITE:
        case PAGE_WRITECOPY: return PROT_READ | PROT_WRITE;
        case PAGE_EXECUTE: return PROT_EXEC;
        case PAGE_EXECUTE_READ: return PROT_READ | PROT_EXEC;
        case PAGE_EXECUTE_READWRITE:
        case PAGE_EXECUTE_WRITECOPY: return PROT_READ | PROT_WRITE | PROT_EXEC;
    }
    if (protect & (PAGE_GUARD | PAGE_NOCACHE | PAGE_WRITECOMBINE)) notSimulated("a page protection modifier");
    return -1;
}

DWORD protectionOf(int access) {
    bool write = access & PROT_WRITE, execute = access & PROT_EXEC;  // x86 pages that write also read
    if (execute) return write ? PAGE_EXECUTE_READWRITE : (access & PROT_READ) ? PAGE_EXECUTE_READ : PAGE_EXECUTE;
    if (write) return PAGE_READWRITE;
    return (access & PROT_READ) ? PAGE_READONLY : PAGE_NOACCESS;
}

struct Allocation {
    SIZE_T length;
    DWORD protect;  // as allocated
};

struct MemoryState {
    std::mutex lock;
    std::map<UINT_PTR, DWORD> pageProtections;  // page -> value last set
    std::map<UINT_PTR, Allocation> allocations;  // VirtualAlloc base -> region
    std::map<HGLOBAL, SIZE_T> globalBlocks;      // GlobalAlloc block -> size
    int failureCountdown = -1;                   // see failProtectionChange
};

MemoryState& memory() {
    static auto* instance = new MemoryState;
    return *instance;
}

// The access a loaded module's segments give a page (relocated data made
// read-only after loading included); -1 for a page outside every module.
int segmentAccess(UINT_PTR page) {
    struct Search {
        UINT_PTR page;
        int access = -1;
    } search{page};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const auto& segment = info->dlpi_phdr[i];
                UINT_PTR start = info->dlpi_addr + segment.p_vaddr;
                if (segment.p_type == PT_LOAD && s->page >= pageDown(start) &&
                    s->page < pageUp(start + segment.p_memsz) && s->access < 0)
                    s->access = ((segment.p_flags & PF_R) ? PROT_READ : 0) |
                                ((segment.p_flags & PF_W) ? PROT_WRITE : 0) | ((segment.p_flags & PF_X) ? PROT_EXEC : 0);
                if (segment.p_type == PT_GNU_RELRO && s->page >= pageDown(start) &&
                    s->page < pageDown(start + segment.p_memsz))
                    s->access = PROT_READ;
            }
            return s->access >= 0 ? 1 : 0;
        },
        &search);
    return search.access;
}

// The Windows protection of a mapped page. Memory lock held.
DWORD currentProtection(const Mapping& mapping, UINT_PTR page) {
    auto& set = memory().pageProtections;
    auto it = set.find(page);
    if (it != set.end()) return it->second;
    int access = segmentAccess(page);
    return protectionOf(access >= 0 ? access : mapping.access);
}

void recordProtection(UINT_PTR start, UINT_PTR end, DWORD protect) {
    for (UINT_PTR page = start; page < end; page += pageSize()) memory().pageProtections[page] = protect;
}

void forgetProtections(UINT_PTR start, UINT_PTR end) {
    auto& set = memory().pageProtections;
    set.erase(set.lower_bound(start), set.lower_bound(end));
}

// The protection change behind VirtualProtect and ZwProtectVirtualMemory:
// every page of [start, end) gets `protect`; `previous` is the first page's.
NTSTATUS protectPages(UINT_PTR start, UINT_PTR end, DWORD protect, DWORD* previous) {
    int access = accessOf(protect);
    if (access < 0) return STATUS_INVALID_PAGE_PROTECTION;
    std::lock_guard<std::mutex> held(memory().lock);
    auto mappings = readMappings();
    if (!allMapped(mappings, start, end)) return STATUS_NOT_COMMITTED;
    int& countdown = memory().failureCountdown;
    if (countdown >= 0 && countdown-- == 0) return STATUS_ACCESS_DENIED;
    DWORD before = currentProtection(*mappingAt(mappings, start), start);
    if (mprotect(reinterpret_cast<void*>(start), end - start, access) != 0)
        return errno == ENOMEM ? STATUS_NOT_COMMITTED : STATUS_ACCESS_DENIED;
    recordProtection(start, end, protect);
    *previous = before;
    return STATUS_SUCCESS;
}

DWORD win32ErrorOf(NTSTATUS status) {
    switch (status) {
        case STATUS_NOT_COMMITTED: return ERROR_INVALID_ADDRESS;
        case STATUS_ACCESS_DENIED: return ERROR_ACCESS_DENIED;
        default: return ERROR_INVALID_PARAMETER;
    }
}

}  // namespace

SIMAPI void failProtectionChange(int succeedFirst) {
    std::lock_guard<std::mutex> held(memory().lock);
    memory().failureCountdown = succeedFirst;
}

}  // namespace trvsim

using namespace trvsim;

SIMAPI HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (flags & GMEM_MOVEABLE) notSimulated("GlobalAlloc of moveable memory");
    void* block = std::malloc(bytes ? bytes : 1);
    if (!block) {
        setLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT) std::memset(block, 0, bytes);
    std::lock_guard<std::mutex> held(memory().lock);
    memory().globalBlocks[block] = bytes;
    return block;
}

SIMAPI HGLOBAL WINAPI GlobalFree(HGLOBAL block) {
    if (!block) return nullptr;
    {
        std::lock_guard<std::mutex> held(memory().lock);
        if (!memory().globalBlocks.erase(block)) {
            setLastError(ERROR_INVALID_HANDLE);
            return block;
        }
    }
    std::free(block);
    return nullptr;
}

SIMAPI SIZE_T WINAPI GlobalSize(HGLOBAL block) {
    std::lock_guard<std::mutex> held(memory().lock);
    auto it = memory().globalBlocks.find(block);
    if (it == memory().globalBlocks.end()) {
        setLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return it->second;
}

SIMAPI LPVOID WINAPI VirtualAlloc(LPVOID address, SIZE_T size, DWORD allocationType, DWORD protect) {
    if (allocationType != (MEM_COMMIT | MEM_RESERVE)) notSimulated("VirtualAlloc other than reserve and commit");
    int access = accessOf(protect);
    if (size == 0 || access < 0) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A given address is rounded down to the allocation granularity, as Windows does.
    UINT_PTR wanted = reinterpret_cast<UINT_PTR>(address);
    UINT_PTR base = wanted & ~(allocationGranularity - 1);
    UINT_PTR length = pageUp(wanted + size) - base;
    int flags = MAP_PRIVATE | MAP_ANONYMOUS | (base ? MAP_FIXED_NOREPLACE : 0);
    void* mapped = mmap(reinterpret_cast<void*>(base), length, access, flags, -1, 0);
    if (mapped == MAP_FAILED || (base && reinterpret_cast<UINT_PTR>(mapped) != base)) {
        if (mapped != MAP_FAILED) munmap(mapped, length);  // a kernel that took the address as a hint
        setLastError(base ? ERROR_INVALID_ADDRESS : ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    UINT_PTR start = reinterpret_cast<UINT_PTR>(mapped);
    std::lock_guard<std::mutex> held(memory().lock);
    memory().allocations[start] = {length, protect};
    recordProtection(start, start + length, protect);
    return mapped;
}

SIMAPI BOOL WINAPI VirtualFree(LPVOID address, SIZE_T size, DWORD freeType) {
    if (freeType != MEM_RELEASE) notSimulated("VirtualFree other than release");
    UINT_PTR base = reinterpret_cast<UINT_PTR>(address);
    std::lock_guard<std::mutex> held(memory().lock);
    auto it = memory().allocations.find(base);
    if (size != 0 || it == memory().allocations.end()) {
        setLastError(size != 0 ? ERROR_INVALID_PARAMETER : ERROR_INVALID_ADDRESS);
        return FALSE;
    }
    munmap(address, it->second.length);
    forgetProtections(base, base + it->second.length);
    memory().allocations.erase(it);
    return TRUE;
}

SIMAPI BOOL WINAPI VirtualProtect(LPVOID address, SIZE_T size, DWORD newProtect, PDWORD oldProtect) {
    {
        std::lock_guard<std::mutex> held(state().lock);
        journal("VirtualProtect", nullptr, reinterpret_cast<INT_PTR>(address));
    }
    if (size == 0) notSimulated("VirtualProtect of no bytes");
    if (!oldProtect) {
        setLastError(ERROR_NOACCESS);
        return FALSE;
    }
    UINT_PTR start = reinterpret_cast<UINT_PTR>(address);
    NTSTATUS status = protectPages(pageDown(start), pageUp(start + size), newProtect, oldProtect);
    if (!NT_SUCCESS(status)) {
        setLastError(win32ErrorOf(status));
        return FALSE;
    }
    return TRUE;
}

// ntdll: the range is widened to whole pages and the widened range reported back.
SIMAPI NTSTATUS NTAPI ZwProtectVirtualMemory(HANDLE process, PVOID* base, PSIZE_T size, ULONG newProtect,
                                             PULONG oldProtect) {
    if (process != GetCurrentProcess()) notSimulated("ZwProtectVirtualMemory of another process");
    if (!base || !size || !oldProtect) return STATUS_INVALID_PARAMETER;
    if (*size == 0) notSimulated("ZwProtectVirtualMemory of no bytes");
    UINT_PTR start = pageDown(reinterpret_cast<UINT_PTR>(*base));
    UINT_PTR end = pageUp(reinterpret_cast<UINT_PTR>(*base) + *size);
    DWORD previous = 0;
    NTSTATUS status = protectPages(start, end, newProtect, &previous);
    if (!NT_SUCCESS(status)) return status;
    *base = reinterpret_cast<PVOID>(start);
    *size = end - start;
    *oldProtect = previous;
    return STATUS_SUCCESS;
}

SIMAPI SIZE_T WINAPI VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION info, SIZE_T length) {
    if (!info || length < sizeof(MEMORY_BASIC_INFORMATION)) {
        setLastError(ERROR_BAD_LENGTH);
        return 0;
    }
    UINT_PTR page = pageDown(reinterpret_cast<UINT_PTR>(address));
    std::lock_guard<std::mutex> held(memory().lock);
    auto mappings = readMappings();
    const Mapping* m = mappingAt(mappings, page);
    *info = {};
    info->BaseAddress = reinterpret_cast<PVOID>(page);
    if (!m) {
        UINT_PTR next = std::numeric_limits<UINT_PTR>::max() - pageSize() + 1;
        for (const Mapping& other : mappings)
            if (other.start > page && other.start < next) next = other.start;
        info->RegionSize = next - page;
        info->State = MEM_FREE;
        info->Protect = PAGE_NOACCESS;
        return sizeof(MEMORY_BASIC_INFORMATION);
    }
    DWORD protect = currentProtection(*m, page);
    UINT_PTR end = page + pageSize();
    while (end < m->end && currentProtection(*m, end) == protect) end += pageSize();
    UINT_PTR base = m->start;
    DWORD allocationProtect = currentProtection(*m, m->start);
    DWORD type = m->fileBacked ? MEM_IMAGE : MEM_PRIVATE;
    auto& allocations = memory().allocations;
    auto it = allocations.upper_bound(page);
    if (it != allocations.begin() && page < (--it)->first + it->second.length) {
        base = it->first;
        allocationProtect = it->second.protect;
        type = MEM_PRIVATE;
    }
    info->AllocationBase = reinterpret_cast<PVOID>(base);
    info->AllocationProtect = allocationProtect;
    info->RegionSize = end - page;
    info->State = MEM_COMMIT;
    info->Protect = protect;
    info->Type = type;
    return sizeof(MEMORY_BASIC_INFORMATION);
}

SIMAPI BOOL WINAPI IsBadReadPtr(const void* address, UINT_PTR size) {
    if (size == 0) return FALSE;
    UINT_PTR start = reinterpret_cast<UINT_PTR>(address);
    if (start + size < start) return TRUE;
    std::lock_guard<std::mutex> held(memory().lock);
    auto mappings = readMappings();
    for (UINT_PTR page = pageDown(start); page < start + size; page += pageSize()) {
        const Mapping* m = mappingAt(mappings, page);
        if (!m || !(accessOf(currentProtection(*m, page)) & PROT_READ)) return TRUE;
    }
    return FALSE;
}
