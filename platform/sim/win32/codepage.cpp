// Code-page conversion: the ANSI code page is 936 (GBK); UTF-8 and UTF-16
// through iconv, with the replacements Windows makes for bad input.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "sim_state.h"

namespace trvsim {

namespace {

const char* iconvName(UINT codePage) {
    switch (codePage) {
        case CP_ACP:
        case 936: return "CP936";
        case CP_UTF8: return "UTF-8";
        default: return nullptr;
    }
}

// Converts with iconv; an unconvertible input unit becomes `replacement` (in
// the target encoding) and sets `invalid`. `unit` is the input unit to skip.
std::string convert(const char* from, const char* to, const char* data, size_t size, size_t unit,
                    const std::string& replacement, bool& invalid) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (r == size_t(-1) && errno != E2BIG) {
            invalid = true;
            out += replacement;
            size_t skip = std::min(unit, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

SIMAPI std::u16string gbkToUtf16(const std::string& gbk) {
    bool invalid = false;
    std::string bytes = convert("CP936", "UTF-16LE", gbk.data(), gbk.size(), 1, std::string("\xFB\x30", 2), invalid);
    return std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
}

SIMAPI std::string utf16ToGbk(const std::u16string& text) {
    bool invalid = false;
    return convert("UTF-16LE", "CP936", reinterpret_cast<const char*>(text.data()), text.size() * 2, 2, "?", invalid);
}

SIMAPI std::string gbkToUtf8(const std::string& gbk) {
    bool invalid = false;
    return convert("CP936", "UTF-8", gbk.data(), gbk.size(), 1, "\xEF\xBF\xBD", invalid);
}

SIMAPI std::string utf8ToGbk(const std::string& utf8) {
    bool invalid = false;
    return convert("UTF-8", "CP936", utf8.data(), utf8.size(), 1, "?", invalid);
}

}  // namespace trvsim

using namespace trvsim;

SIMAPI int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out, int outLength) {
    const char* from = iconvName(codePage);
    if (!from || !text || outLength < 0) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t size = length < 0 ? std::strlen(text) + 1 : size_t(length);
    bool invalid = false;
    // Windows puts U+FFFD for bad UTF-8 and U+30FB for bad GBK bytes.
    std::string replacement = codePage == CP_UTF8 ? std::string("\xFD\xFF", 2) : std::string("\xFB\x30", 2);
    std::string bytes = convert(from, "UTF-16LE", text, size, 1, replacement, invalid);
    if (invalid && (flags & MB_ERR_INVALID_CHARS)) {
        setLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    int units = int(bytes.size() / 2);
    if (outLength == 0) return units;
    if (units > outLength) {
        setLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(out, bytes.data(), bytes.size());
    return units;
}

SIMAPI int WINAPI WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR text, int length, LPSTR out, int outLength,
                                      LPCSTR defaultChar, LPBOOL usedDefault) {
    const char* to = iconvName(codePage);
    if (!to || !text || outLength < 0) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t units = 0;
    if (length < 0) {
        while (text[units]) ++units;
        ++units;
    } else {
        units = size_t(length);
    }
    bool invalid = false;
    std::string replacement = codePage == CP_UTF8 ? "\xEF\xBF\xBD" : (defaultChar ? defaultChar : "?");
    std::string bytes = convert("UTF-16LE", to, reinterpret_cast<const char*>(text), units * 2, 2, replacement, invalid);
    if (usedDefault) *usedDefault = invalid;
    if (outLength == 0) return int(bytes.size());
    if (int(bytes.size()) > outLength) {
        setLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(out, bytes.data(), bytes.size());
    return int(bytes.size());
}

SIMAPI BOOL WINAPI IsDBCSLeadByte(BYTE byte) { return byte >= 0x81 && byte <= 0xFE; }

SIMAPI int WINAPI lstrlenA(LPCSTR text) { return text ? int(std::strlen(text)) : 0; }
