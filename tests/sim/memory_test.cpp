// The simulated memory functions on real memory: page protections change for
// real and are reported back as Windows reports them; global blocks,
// allocations at a chosen address and the readability test.
#include <gtest/gtest.h>

#include <windows.h>

#include "win32/memory_control.h"

using namespace trvsim;

namespace {

constexpr SIZE_T page = 4096;
// The lowest pages of the address space, which Linux never maps.
void* const unmapped = reinterpret_cast<void*>(0x1000);

DWORD protectionAt(const void* address) {
    MEMORY_BASIC_INFORMATION info{};
    EXPECT_EQ(VirtualQuery(address, &info, sizeof info), sizeof info);
    return info.Protect;
}

// Pages of our own, released at the end of the test.
struct Pages {
    explicit Pages(SIZE_T count, DWORD protection = PAGE_READWRITE)
        : base(static_cast<BYTE*>(VirtualAlloc(nullptr, count * page, MEM_COMMIT | MEM_RESERVE, protection))) {}
    ~Pages() {
        if (base) VirtualFree(base, 0, MEM_RELEASE);
    }
    BYTE* base;
};

}  // namespace

TEST(SimMemory, VirtualProtectReportsThePreviousProtection) {
    Pages pages(1);
    ASSERT_NE(pages.base, nullptr);
    EXPECT_EQ(protectionAt(pages.base), DWORD(PAGE_READWRITE));
    struct Step {
        DWORD set, previous;
    };
    for (Step s : {Step{PAGE_READONLY, PAGE_READWRITE}, Step{PAGE_EXECUTE_READ, PAGE_READONLY},
                   Step{PAGE_EXECUTE_READWRITE, PAGE_EXECUTE_READ}, Step{PAGE_NOACCESS, PAGE_EXECUTE_READWRITE},
                   Step{PAGE_EXECUTE, PAGE_NOACCESS}, Step{PAGE_READWRITE, PAGE_EXECUTE}}) {
        SCOPED_TRACE(s.set);
        DWORD previous = 0;
        ASSERT_TRUE(VirtualProtect(pages.base + 10, 20, s.set, &previous));
        EXPECT_EQ(previous, s.previous);
        EXPECT_EQ(protectionAt(pages.base), s.set);
    }
}

TEST(SimMemory, CodePagesAreExecuteReadAndCanBeMadeWritable) {
    auto code = reinterpret_cast<BYTE*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SendMessageA"));
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(protectionAt(code), DWORD(PAGE_EXECUTE_READ));
    DWORD previous = 0;
    ASSERT_TRUE(VirtualProtect(code, 5, PAGE_EXECUTE_READWRITE, &previous));
    EXPECT_EQ(previous, DWORD(PAGE_EXECUTE_READ));
    code[0] = 0x90;  // it is a NOP already; the write itself shows the page is writable
    ASSERT_TRUE(VirtualProtect(code, 5, previous, &previous));
    EXPECT_EQ(previous, DWORD(PAGE_EXECUTE_READWRITE));
    EXPECT_EQ(protectionAt(code), DWORD(PAGE_EXECUTE_READ));
}

TEST(SimMemoryDeathTest, WritingAReadOnlyPageFaults) {
    Pages pages(1);
    DWORD previous;
    ASSERT_TRUE(VirtualProtect(pages.base, page, PAGE_READONLY, &previous));
    EXPECT_DEATH(*static_cast<volatile BYTE*>(pages.base) = 1, "");
    ASSERT_TRUE(VirtualProtect(pages.base, page, PAGE_READWRITE, &previous));
    *static_cast<volatile BYTE*>(pages.base) = 1;
    EXPECT_EQ(pages.base[0], 1);
}

TEST(SimMemory, VirtualProtectFailures) {
    Pages pages(1);
    DWORD previous = 0x77;
    struct Case {
        const char* name;
        void* address;
        DWORD protection;
        PDWORD previous;
        int failAfter;
        DWORD error;
    };
    for (Case c : {Case{"unmapped memory", unmapped, PAGE_READONLY, &previous, -1, ERROR_INVALID_ADDRESS},
                   Case{"no place for the previous protection", pages.base, PAGE_READONLY, nullptr, -1, ERROR_NOACCESS},
                   Case{"no such protection", pages.base, 0x03, &previous, -1, ERROR_INVALID_PARAMETER},
                   Case{"refused by the system", pages.base, PAGE_READONLY, &previous, 0, ERROR_ACCESS_DENIED}}) {
        SCOPED_TRACE(c.name);
        failProtectionChange(c.failAfter);
        SetLastError(0);
        EXPECT_FALSE(VirtualProtect(c.address, 8, c.protection, c.previous));
        failProtectionChange(-1);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_EQ(previous, 0x77u);
        EXPECT_EQ(protectionAt(pages.base), DWORD(PAGE_READWRITE));
    }
}

TEST(SimMemory, ZwProtectVirtualMemoryWidensTheRangeToWholePages) {
    using Protect = NTSTATUS(NTAPI*)(HANDLE, PVOID*, PSIZE_T, ULONG, PULONG);
    auto protect = reinterpret_cast<Protect>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "ZwProtectVirtualMemory")));
    ASSERT_NE(protect, nullptr);
    Pages pages(3);
    struct Case {
        SIZE_T offset, size;
        SIZE_T wholeSize;
        DWORD previous;
    };
    for (Case c : {Case{100, 10, page, PAGE_READWRITE}, Case{page - 6, 10, 2 * page, PAGE_EXECUTE_READWRITE}}) {
        SCOPED_TRACE(c.offset);
        PVOID base = pages.base + c.offset;
        SIZE_T size = c.size;
        ULONG previous = 0;
        EXPECT_EQ(protect(GetCurrentProcess(), &base, &size, PAGE_EXECUTE_READWRITE, &previous), STATUS_SUCCESS);
        EXPECT_EQ(base, pages.base);
        EXPECT_EQ(size, c.wholeSize);
        EXPECT_EQ(previous, c.previous);
        EXPECT_EQ(protectionAt(pages.base + c.wholeSize - 1), DWORD(PAGE_EXECUTE_READWRITE));
    }
    EXPECT_EQ(protectionAt(pages.base + 2 * page), DWORD(PAGE_READWRITE));
}

TEST(SimMemory, IsBadReadPtrFollowsTheRealProtection) {
    Pages pages(2);
    DWORD previous;
    ASSERT_TRUE(VirtualProtect(pages.base + page, page, PAGE_NOACCESS, &previous));
    struct Case {
        const char* name;
        const void* address;
        UINT_PTR size;
        BOOL bad;
    };
    for (Case c : {Case{"readable", pages.base, page, FALSE}, Case{"no bytes", nullptr, 0, FALSE},
                   Case{"null", nullptr, 1, TRUE}, Case{"no access", pages.base + page, 1, TRUE},
                   Case{"into a page without access", pages.base + page - 4, 8, TRUE},
                   Case{"unmapped", unmapped, 1, TRUE}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsBadReadPtr(c.address, c.size), c.bad);
    }
}

TEST(SimMemory, GlobalBlocksAreFixedAndFreedOnce) {
    HGLOBAL block = GlobalAlloc(GPTR, 30);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 30u);
    EXPECT_EQ(std::string(static_cast<const char*>(block), 30), std::string(30, '\0'));
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    SetLastError(0);
    EXPECT_EQ(GlobalFree(block), block);  // not a block any more
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST(SimMemory, VirtualAllocTakesAChosenAddressOnlyWhenItIsFree) {
    // A free 64 KiB-aligned place: inside a region allocated and released again.
    auto* region = static_cast<BYTE*>(VirtualAlloc(nullptr, 0x30000, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(region, nullptr);
    ASSERT_TRUE(VirtualFree(region, 0, MEM_RELEASE));
    auto* wanted = reinterpret_cast<BYTE*>((reinterpret_cast<UINT_PTR>(region) + 0xFFFF) & ~UINT_PTR(0xFFFF));

    void* block = VirtualAlloc(wanted + 0x1234, page, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    EXPECT_EQ(block, wanted);  // rounded down to the allocation granularity
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(wanted, &info, sizeof info);
    EXPECT_EQ(info.State, DWORD(MEM_COMMIT));
    EXPECT_EQ(info.AllocationBase, wanted);
    EXPECT_EQ(info.Protect, DWORD(PAGE_EXECUTE_READWRITE));

    SetLastError(0);
    EXPECT_EQ(VirtualAlloc(wanted, page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_ADDRESS));
    EXPECT_FALSE(VirtualFree(wanted + page, 0, MEM_RELEASE));  // not where an allocation starts

    ASSERT_TRUE(VirtualFree(block, 0, MEM_RELEASE));
    VirtualQuery(wanted, &info, sizeof info);
    EXPECT_EQ(info.State, DWORD(MEM_FREE));
}
