#include "host_functions.h"

#include <cstring>
#include <vector>

#include "host_services.h"

HostFunctionSet hostFunctions{};

namespace {

int succeeded(INT_PTR result) { return result != 0 ? 1 : 0; }

int simpleCall(DWORD code) { return succeeded(callHostFunction(code, 0, 0)); }

INT_PTR textArgument(const std::string& text) { return reinterpret_cast<INT_PTR>(text.c_str()); }

// Sends (first, pointer to an out variable) and returns what the host wrote.
INT_PTR callWithOut(DWORD code, INT_PTR first) {
    INT_PTR out = 0;
    callHostFunction(code, first, reinterpret_cast<INT_PTR>(&out));
    return out;
}

// Sends (pointer to an out variable, 0) and returns what the host wrote.
INT_PTR callWithLeadingOut(DWORD code) {
    INT_PTR out = 0;
    callHostFunction(code, reinterpret_cast<INT_PTR>(&out), 0);
    return out;
}

// A buffer of `size` blanks for the host to write a text into, with one more
// NUL behind it so that a host that writes none cannot make the read run on.
struct BlankBuffer {
    explicit BlankBuffer(size_t size) : bytes(size + 1, ' ') { bytes[size] = 0; }
    INT_PTR pointer() { return reinterpret_cast<INT_PTR>(bytes.data()); }
    std::string trimmedText() const { return trimBlanks(bytes.data()); }
    std::vector<char> bytes;
};

// The part after the last backslash (stepping over GBK characters); the whole
// text when there is none or nothing follows it.
std::string fileNameOf(const std::string& path) {
    size_t after = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(BYTE(path[i])) && i + 1 < path.size())
            ++i;
        else if (path[i] == '\\')
            after = i + 1;
    }
    if (after == std::string::npos || after == path.size()) return path;
    return path.substr(after);
}

// The text before the last ".", kept whole when that leaves nothing.
std::string stemOf(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name;
    return name.substr(0, dot);
}

}  // namespace

std::string trimBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

#define TRV_DEFINE_HOST_FN(owner, code) \
    int owner::hostFn##code() const { return simpleCall(0x##code); }

// HostFunctions0503

int HostFunctions0503::hostFn05030001(const std::string& text) const {
    return succeeded(callHostFunction(0x05030001, textArgument(text), 0));
}
INT_PTR HostFunctions0503::hostFn05030002() const { return callWithLeadingOut(0x05030002); }
INT_PTR HostFunctions0503::hostFn05030004(INT_PTR value) const { return callWithOut(0x05030004, value); }
INT_PTR HostFunctions0503::hostFn05030005() const { return callWithLeadingOut(0x05030005); }
INT_PTR HostFunctions0503::hostFn05030006(const void* bytes) const {
    return callWithOut(0x05030006, reinterpret_cast<INT_PTR>(bytes));
}
int HostFunctions0503::hostFn05030007(HLOCAL bytes) const {
    return succeeded(callHostFunction(0x05030007, reinterpret_cast<INT_PTR>(bytes), INT_PTR(LocalSize(bytes))));
}
INT_PTR HostFunctions0503::hostFn05030008() const { return callWithLeadingOut(0x05030008); }
INT_PTR HostFunctions0503::hostFn05030009() const { return callWithLeadingOut(0x05030009); }
int HostFunctions0503::hostFn0503000A(const std::string& text) const {
    return succeeded(callHostFunction(0x0503000A, textArgument(text), 0));
}
int HostFunctions0503::hostFn0503000B(const std::string& text) const {
    return succeeded(callHostFunction(0x0503000B, textArgument(text), 0));
}
HWND HostFunctions0503::mainWindow() const { return reinterpret_cast<HWND>(callHost(HostCallMainWindow, 0, 0)); }
INT_PTR HostFunctions0503::hostCall7(INT_PTR first, INT_PTR second) const { return callHost(HostCall7, first, second); }
INT_PTR HostFunctions0503::hostCall1004() const { return callHost(HostCall1004, 0, 0); }
float HostFunctions0503::hostVersion() const {
    DWORD version = DWORD(callHost(HostCallVersion, 0, 0));
    return float(low16(version)) + float(high16(version)) / 10.0f;
}
std::string HostFunctions0503::hostCall1006Text(INT_PTR value) const {
    BlankBuffer buffer(258);
    callHost(HostCall1006, value, buffer.pointer());
    return buffer.trimmedText();
}
INT_PTR HostFunctions0503::hostCall1000(const void* bytes) const {
    return callHost(HostCall1000, reinterpret_cast<INT_PTR>(bytes), 0);
}

// HostFunctions0202

#define TRV_0202(code) TRV_DEFINE_HOST_FN(HostFunctions0202, code)
HOST_FUNCTIONS_0202_FIRST(TRV_0202)
HOST_FUNCTIONS_0202_SECOND(TRV_0202)
HOST_FUNCTIONS_0202_THIRD(TRV_0202)
#undef TRV_0202

int HostFunctions0202::hostFn0202006D(const std::string& text, INT_PTR& out) const {
    return succeeded(callHostFunction(0x0202006D, textArgument(text), reinterpret_cast<INT_PTR>(&out)));
}
INT_PTR HostFunctions0202::hostFn02020070() const { return callWithLeadingOut(0x02020070); }
int HostFunctions0202::hostFn02020071(const std::string& text, INT_PTR& out) const {
    return succeeded(callHostFunction(0x02020071, textArgument(text), reinterpret_cast<INT_PTR>(&out)));
}
int HostFunctions0202::hostFn02020072(const std::string& text, INT_PTR& out) const {
    return succeeded(callHostFunction(0x02020072, textArgument(text), reinterpret_cast<INT_PTR>(&out)));
}
INT_PTR HostFunctions0202::hostFn0202007A(int index) const { return callHostFunction(0x0202007A, index - 1, 0); }
int HostFunctions0202::hostFn02020085(const std::string& text) const {
    return succeeded(callHostFunction(0x02020085, textArgument(text), 0));
}
int HostFunctions0202::hostFn02020086(const std::string& text) const {
    return succeeded(callHostFunction(0x02020086, textArgument(text), 0));
}
INT_PTR HostFunctions0202::hostFn02020087(const std::string& text) const {
    return callWithOut(0x02020087, textArgument(text));
}
int HostFunctions0202::hostFn02030001() const { return simpleCall(0x02030001); }
INT_PTR HostFunctions0202::hostFn05030003(const std::string& text) const {
    return callWithOut(0x05030003, textArgument(text));
}
INT_PTR HostFunctions0202::hostFn0503000C() const { return callWithLeadingOut(0x0503000C); }
std::string HostFunctions0202::hostFn0503000D(int index) const {
    BlankBuffer buffer(252);
    callHostFunction(0x0503000D, index - 1, buffer.pointer());
    return buffer.trimmedText();
}
INT_PTR HostFunctions0202::hostFn0503000E() const { return callWithLeadingOut(0x0503000E); }
std::string HostFunctions0202::hostFn0503000F(int index) const {
    const char* text = nullptr;
    callHostFunction(0x0503000F, index - 1, reinterpret_cast<INT_PTR>(&text));
    return text ? trimBlanks(text) : std::string();
}

int HostFunctions0202::findIndexByFileName(const std::string& name) const {
    std::string wanted = fileNameOf(trimBlanks(name));
    if (wanted.empty()) return 0;
    INT_PTR count = hostFn0503000C();
    for (int i = 1; i <= count; ++i)
        if (fileNameOf(hostFn0503000D(i)) == wanted) return i;
    return 0;
}

INT_PTR HostFunctions0202::resultByFileName(const std::string& name) const {
    int index = findIndexByFileName(name);
    return index == 0 ? -1 : hostFn0202007A(index);
}

int HostFunctions0202::findIndexByBaseName(const std::string& name) const {
    std::string wanted = stemOf(fileNameOf(trimBlanks(name)));
    if (wanted.empty()) return 0;
    INT_PTR count = hostFn0503000E();
    for (int i = 1; i <= count; ++i)
        if (hostFn0503000F(i).compare(0, wanted.size(), wanted) == 0) return i;
    return 0;
}

// The other wrappers

#define TRV_0402(code) TRV_DEFINE_HOST_FN(HostFunctions0402, code)
HOST_FUNCTIONS_0402(TRV_0402)
#undef TRV_0402

#define TRV_0301(code) TRV_DEFINE_HOST_FN(HostFunctions0301, code)
HOST_FUNCTIONS_0301(TRV_0301)
#undef TRV_0301
int HostFunctions0301::hostFn03010008(const std::string& text) const {
    return succeeded(callHostFunction(0x03010008, textArgument(text), 0));
}

#define TRV_0502(code) TRV_DEFINE_HOST_FN(HostFunctions0502, code)
HOST_FUNCTIONS_0502(TRV_0502)
#undef TRV_0502

#define TRV_0501(code) TRV_DEFINE_HOST_FN(HostFunctions0501, code)
HOST_FUNCTIONS_0501(TRV_0501)
#undef TRV_0501

#define TRV_0101(code) TRV_DEFINE_HOST_FN(HostFunctions0101, code)
HOST_FUNCTIONS_0101_FIRST(TRV_0101)
HOST_FUNCTIONS_0101_SECOND(TRV_0101)
HOST_FUNCTIONS_0101_THIRD(TRV_0101)
#undef TRV_0101
int HostFunctions0101::hostFn0101002A(INT_PTR value) const {
    return succeeded(callHostFunction(0x0101002A, value, 0));
}
int HostFunctions0101::hostFn0101002B(INT_PTR value) const {
    return succeeded(callHostFunction(0x0101002B, value, 0));
}
int HostFunctions0101::hostFn01010042(INT_PTR first, INT_PTR second) const {
    return succeeded(callHostFunction(0x01010042, first, second));
}
