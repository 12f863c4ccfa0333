#include "hook_engine.h"

#include <cstring>

ApiHooks* apiHooks = nullptr;

namespace {

using ZwProtectVirtualMemoryFunction = LONG(NTAPI*)(HANDLE, PVOID*, PSIZE_T, ULONG, PULONG);

ZwProtectVirtualMemoryFunction zwProtectVirtualMemory() {
    static const auto function = reinterpret_cast<ZwProtectVirtualMemoryFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "ZwProtectVirtualMemory")));
    return function;
}

void putLittleEndian(BYTE* out, UINT_PTR value, size_t size) {
    for (size_t i = 0; i < size; ++i) out[i] = BYTE(value >> (8 * i));
}

#if defined(__x86_64__)
// On x86-64 a 32-bit displacement reaches only 2 GiB either way. The
// trampoline lives in a block allocated within that reach of the target; the
// same block holds a relay, an absolute jump, for a replacement beyond it.
constexpr SIZE_T nearBlockSize = 0x1000;
constexpr size_t relayOffset = 32;
constexpr UINT_PTR allocationGranularity = 0x10000;
constexpr UINT_PTR nearReach = 0x7FF00000;  // short of 2 GiB by more than the block

bool reachable(UINT_PTR from, UINT_PTR to) {
    auto displacement = INT_PTR(to - (from + jumpSize));
    return displacement == INT_PTR(int32_t(displacement));
}

BYTE* allocateAt(UINT_PTR address) {
    return static_cast<BYTE*>(
        VirtualAlloc(reinterpret_cast<void*>(address), nearBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

// Tries the free places nearest to the target first, below and above.
BYTE* allocateTrampoline(UINT_PTR target) {
    UINT_PTR base = target & ~(allocationGranularity - 1);
    for (UINT_PTR distance = allocationGranularity; distance < nearReach; distance += allocationGranularity) {
        if (distance <= base)
            if (BYTE* block = allocateAt(base - distance)) return block;
        if (BYTE* block = allocateAt(base + distance)) return block;
    }
    return nullptr;
}

void releaseTrampoline(BYTE* trampoline) { VirtualFree(trampoline, 0, MEM_RELEASE); }

// jmp [rip+0] followed by the absolute address.
std::array<BYTE, 14> absoluteJump(UINT_PTR to) {
    std::array<BYTE, 14> code{0xFF, 0x25, 0, 0, 0, 0};
    putLittleEndian(code.data() + 6, to, 8);
    return code;
}

bool writeJump(UINT_PTR target, UINT_PTR replacement, BYTE* trampoline) {
    if (reachable(target, replacement)) return writeCode(target, relativeJump(target, replacement));
    auto relay = reinterpret_cast<UINT_PTR>(trampoline + relayOffset);
    return writeCode(relay, absoluteJump(replacement)) && writeCode(target, relativeJump(target, relay));
}
#else
BYTE* allocateTrampoline(UINT_PTR) { return static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, trampolineSize)); }

void releaseTrampoline(BYTE* trampoline) { GlobalFree(trampoline); }

bool writeJump(UINT_PTR target, UINT_PTR replacement, BYTE*) {
    return writeCode(target, relativeJump(target, replacement));
}
#endif

}  // namespace

std::array<BYTE, jumpSize> relativeJump(UINT_PTR from, UINT_PTR to) {
    std::array<BYTE, jumpSize> code{0xE9};
    putLittleEndian(code.data() + 1, to - (from + jumpSize), 4);
    return code;
}

std::vector<BYTE> trampolineCode(std::span<const BYTE> moved, UINT_PTR trampoline, UINT_PTR target) {
    std::vector<BYTE> code(moved.begin(), moved.end());
    auto back = relativeJump(trampoline + moved.size(), target + moved.size());
    code.insert(code.end(), back.begin(), back.end());
    return code;
}

bool writeCode(UINT_PTR address, std::span<const BYTE> bytes) {
    if (bytes.empty() || IsBadReadPtr(reinterpret_cast<const void*>(address), 1)) return false;
    PVOID base = reinterpret_cast<PVOID>(address);
    SIZE_T size = bytes.size();
    ULONG previous = 0;
    auto protect = zwProtectVirtualMemory();
    if (!protect || protect(GetCurrentProcess(), &base, &size, PAGE_EXECUTE_READWRITE, &previous) < 0) return false;
    // Nothing stops another thread from running these bytes while they
    // change: hooks are installed and removed on the UI thread only, at
    // start-up and when the host closes.
#if defined(__x86_64__)
    auto flags = __builtin_ia32_readeflags_u64();
    std::memcpy(reinterpret_cast<void*>(address), bytes.data(), bytes.size());
    __builtin_ia32_writeeflags_u64(flags);
#else
    auto flags = __builtin_ia32_readeflags_u32();
    std::memcpy(reinterpret_cast<void*>(address), bytes.data(), bytes.size());
    __builtin_ia32_writeeflags_u32(flags);
#endif
    return true;
}

ApiHook::~ApiHook() { unhook(); }

int ApiHook::hook(LPCSTR moduleName, LPCSTR functionName, const void* replacement, size_t byteCount,
                  bool byteCountGiven, std::span<const BYTE> fillerBytes) {
    if (target_) return 1;
    const size_t moved = byteCountGiven ? byteCount : jumpSize;
    // The jump must lie within the moved bytes, and they with the jump back
    // within the trampoline; the filler only covers moved bytes after the jump.
    if (moved < jumpSize || moved + jumpSize > trampolineSize || fillerBytes.size() > moved - jumpSize) return 0;

    HMODULE module = GetModuleHandleA(moduleName);
    if (!module) module = LoadLibraryA(moduleName);
    if (!module) return 0;
    auto target = reinterpret_cast<UINT_PTR>(GetProcAddress(module, functionName));
    if (!target) return 0;

    auto* code = reinterpret_cast<BYTE*>(target);
    std::vector<BYTE> saved(code, code + moved);
    BYTE* trampoline = allocateTrampoline(target);
    if (!trampoline) return 0;
    auto trampolineAt = reinterpret_cast<UINT_PTR>(trampoline);
    DWORD previous = 0, unused = 0;
    if (!VirtualProtect(code, jumpSize, PAGE_EXECUTE_READWRITE, &previous)) {
        releaseTrampoline(trampoline);
        return 0;
    }
    // Any failure from here on leaves the function as it was: not installed.
    if (!VirtualProtect(trampoline, trampolineSize, PAGE_EXECUTE_READWRITE, &unused) ||
        !writeCode(trampolineAt, trampolineCode(saved, trampolineAt, target)) ||
        !writeJump(target, reinterpret_cast<UINT_PTR>(replacement), trampoline)) {
        VirtualProtect(code, jumpSize, previous, &unused);
        releaseTrampoline(trampoline);
        return 0;
    }
    if (!fillerBytes.empty()) writeCode(target + jumpSize, fillerBytes);

    target_ = target;
    savedBytes_ = std::move(saved);
    trampoline_ = trampoline;
    savedProtection_ = previous;
    return 1;
}

void ApiHook::unhook() {
    if (!target_) return;
    // Until its first bytes are back the function still jumps to the
    // replacement, which needs the trampoline: the hook stays.
    if (!writeCode(target_, savedBytes_)) return;
    DWORD unused = 0;
    VirtualProtect(reinterpret_cast<void*>(target_), jumpSize, savedProtection_, &unused);
    savedBytes_.clear();
    target_ = 0;
    releaseTrampoline(trampoline_);
    trampoline_ = nullptr;
}
