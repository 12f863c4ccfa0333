// The host IDE's numbered functions as methods of seven wrapper objects.
// Each method is one call of the host's notification function; unless said
// otherwise it sends the block (0, 0) and returns 1 when the host's result
// is non-zero, else 0. "index" arguments are 1-based and sent 0-based.
#pragma once

#include <windows.h>

#include <string>

#include "host_function_codes.h"

#define TRV_DECLARE_HOST_FN(code) int hostFn##code() const;

class HostFunctions0503 {
public:
    int hostFn05030001(const std::string& text) const;
    INT_PTR hostFn05030002() const;
    INT_PTR hostFn05030004(INT_PTR value) const;
    INT_PTR hostFn05030005() const;
    INT_PTR hostFn05030006(const void* bytes) const;
    // `bytes` must come from LocalAlloc: its size is sent along.
    int hostFn05030007(HLOCAL bytes) const;
    INT_PTR hostFn05030008() const;
    INT_PTR hostFn05030009() const;
    int hostFn0503000A(const std::string& text) const;
    int hostFn0503000B(const std::string& text) const;
    HWND mainWindow() const;
    INT_PTR hostCall7(INT_PTR first, INT_PTR second) const;
    INT_PTR hostCall1004() const;
    // Low 16 bits + (high 16 bits) / 10 of the host's version value.
    float hostVersion() const;
    std::string hostCall1006Text(INT_PTR value) const;
    static DWORD low16(DWORD value) { return value & 0xFFFF; }
    static DWORD high16(DWORD value) { return value >> 16; }
    INT_PTR hostCall1000(const void* bytes) const;
};

class HostFunctions0202 {
public:
    HOST_FUNCTIONS_0202_FIRST(TRV_DECLARE_HOST_FN)
    int hostFn0202006D(const std::string& text, INT_PTR& out) const;
    INT_PTR hostFn02020070() const;
    int hostFn02020071(const std::string& text, INT_PTR& out) const;
    int hostFn02020072(const std::string& text, INT_PTR& out) const;
    HOST_FUNCTIONS_0202_SECOND(TRV_DECLARE_HOST_FN)
    INT_PTR hostFn0202007A(int index) const;
    HOST_FUNCTIONS_0202_THIRD(TRV_DECLARE_HOST_FN)
    int hostFn02020085(const std::string& text) const;
    int hostFn02020086(const std::string& text) const;
    INT_PTR hostFn02020087(const std::string& text) const;
    int hostFn02030001() const;
    INT_PTR hostFn05030003(const std::string& text) const;
    INT_PTR hostFn0503000C() const;  // number of entries for hostFn0503000D
    std::string hostFn0503000D(int index) const;
    INT_PTR hostFn0503000E() const;  // number of entries for hostFn0503000F
    std::string hostFn0503000F(int index) const;

    // 1-based index of the first entry with the same file name; 0 for none.
    int findIndexByFileName(const std::string& name) const;
    // hostFn0202007A of that entry; -1 when there is none.
    INT_PTR resultByFileName(const std::string& name) const;
    // 1-based index of the first entry that begins with the name's stem.
    int findIndexByBaseName(const std::string& name) const;
    int noHostCall() const { return 0; }
};

class HostFunctions0402 {
public:
    HOST_FUNCTIONS_0402(TRV_DECLARE_HOST_FN)
};

class HostFunctions0301 {
public:
    HOST_FUNCTIONS_0301(TRV_DECLARE_HOST_FN)
    int hostFn03010008(const std::string& text) const;
};

class HostFunctions0502 {
public:
    HOST_FUNCTIONS_0502(TRV_DECLARE_HOST_FN)
};

class HostFunctions0501 {
public:
    HOST_FUNCTIONS_0501(TRV_DECLARE_HOST_FN)
};

class HostFunctions0101 {
public:
    HOST_FUNCTIONS_0101_FIRST(TRV_DECLARE_HOST_FN)
    int hostFn0101002A(INT_PTR value) const;
    int hostFn0101002B(INT_PTR value) const;
    HOST_FUNCTIONS_0101_SECOND(TRV_DECLARE_HOST_FN)
    int hostFn01010042(INT_PTR first, INT_PTR second) const;
    HOST_FUNCTIONS_0101_THIRD(TRV_DECLARE_HOST_FN)
};

#undef TRV_DECLARE_HOST_FN

// The seven wrappers, kept together in this order.
struct HostFunctionSet {
    HostFunctions0503* host0503;
    HostFunctions0202* host0202;
    HostFunctions0402* host0402;
    HostFunctions0301* host0301;
    HostFunctions0502* host0502;
    HostFunctions0501* host0501;
    HostFunctions0101* host0101;
};

extern HostFunctionSet hostFunctions;

// Blanks trimmed from both ends.
std::string trimBlanks(const std::string& text);
