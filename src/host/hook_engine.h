// Inline hooks of exported functions in the host process: the first bytes of
// a function become a jump to a replacement routine, and the bytes moved away,
// followed by a jump back, form a trampoline through which the replacement
// still runs the function's own code.
#pragma once

#include <windows.h>

#include <array>
#include <span>
#include <vector>

constexpr size_t jumpSize = 5;         // 0xE9 and a 32-bit displacement
constexpr size_t trampolineSize = 30;  // the moved bytes and the jump back

// A relative jump written at `from` that continues at `to`.
std::array<BYTE, jumpSize> relativeJump(UINT_PTR from, UINT_PTR to);
// The trampoline placed at `trampoline` for a function at `target` whose
// first bytes `moved` it holds: those bytes, then a jump to what follows them.
std::vector<BYTE> trampolineCode(std::span<const BYTE> moved, UINT_PTR trampoline, UINT_PTR target);

// Writes code bytes at `address`, first making the range writable and
// executable. Does nothing, and gives false, when the address cannot be read
// or its protection cannot be changed.
bool writeCode(UINT_PTR address, std::span<const BYTE> bytes);

class ApiHook {
public:
    ApiHook() = default;
    ~ApiHook();
    ApiHook(const ApiHook&) = delete;
    ApiHook& operator=(const ApiHook&) = delete;

    // Redirects `functionName` of `moduleName` (loaded when it is not yet) to
    // `replacement`, moving its first `byteCount` bytes (5 unless
    // `byteCountGiven`) to the trampoline; `fillerBytes` go after the jump.
    // 1 on success or when already installed, 0 otherwise, with nothing changed.
    int hook(LPCSTR moduleName, LPCSTR functionName, const void* replacement, size_t byteCount = jumpSize,
             bool byteCountGiven = false, std::span<const BYTE> fillerBytes = {});
    // Where the replacement calls the function's own code, with the same
    // arguments and calling convention; null while not installed.
    void* trampolineAddress() const { return trampoline_; }
    // Puts the saved bytes back and frees the trampoline.
    void unhook();

    bool installed() const { return target_ != 0; }
    UINT_PTR target() const { return target_; }
    const std::vector<BYTE>& savedBytes() const { return savedBytes_; }

private:
    UINT_PTR target_ = 0;
    std::vector<BYTE> savedBytes_;
    BYTE* trampoline_ = nullptr;
    DWORD savedProtection_ = 0;
};

// The hooks of the functions the plug-in redirects, one each. They are made,
// not installed, when the plug-in loads; destroying them at unload removes
// those still installed.
struct ApiHooks {
    ApiHook getClientRect;
    ApiHook sendMessageA;
    ApiHook loadBitmapA;
    ApiHook setBkColor;
    ApiHook createWindowExA;
    ApiHook createWindowExW;
    ApiHook setTextColor;
    ApiHook getSysColor;
    ApiHook createProcessA;
    ApiHook waitForDebugEvent;
    ApiHook debugActiveProcessStop;
    ApiHook textOutA;
};
extern ApiHooks* apiHooks;
