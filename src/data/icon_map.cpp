#include "icon_map.h"

#include <windows.h>

#include <climits>
#include <new>

#include "data/json_document.h"
#include "host/carried_files.h"
#include "host/toolkit_text.h"

namespace {

const char* const tablePath = "\\lib\\Tarvolin\\Control\\icon.json";
const char* const imageDirectory = "\\lib\\Tarvolin\\Control\\DarkIcons\\";

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The whole file, or empty text when it cannot be read or is too large for
// the code-page conversion.
std::string readWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[16384];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        if (read > size_t(INT_MAX) - content.size()) {
            content.clear();
            break;
        }
        content.append(buffer, read);
    }
    CloseHandle(file);
    return content;
}

}  // namespace

std::string decodeIconTable(std::string_view fileBytes) {
    std::string_view text = fileBytes.substr(0, fileBytes.find('\0'));
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
            decoded += char(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            decoded += c == '+' ? ' ' : c;
        }
    }
    std::string gbk = codePageFromWide(936, wideFromCodePage(CP_UTF8, decoded));
    return gbk.substr(0, gbk.find('\0'));
}

std::string foldLatinCase(std::string_view gbk) {
    std::string folded(gbk);
    for (size_t i = 0; i < folded.size(); ++i) {
        unsigned char c = folded[i];
        if (c >= 0x81 && c <= 0xFE && i + 1 < folded.size())
            ++i;  // a GBK lead byte: its trail byte may look like a letter but is none
        else if (c >= 'A' && c <= 'Z')
            folded[i] = char(c - 'A' + 'a');
    }
    return folded;
}

bool findIconFile(const JsonDocument& table, std::string_view itemText, std::string& file) {
    std::string key = foldLatinCase(itemText);
    int entries = table.countAt("");
    for (int i = 0; i < entries; ++i) {
        std::string entry = "[" + std::to_string(i) + "].";
        if (foldLatinCase(table.textAt(entry + "eName")) == key || foldLatinCase(table.textAt(entry + "cName")) == key) {
            file = table.textAt(entry + "iCons");
            return true;
        }
    }
    return false;
}

HIMAGE IconMap::lookUpIcon(const char* itemText) {
    try {
        std::string runDirectory = executableDirectory();
        JsonDocument table;
        if (!table.parse(decodeIconTable(readWholeFile(runDirectory + tablePath)), false)) return nullptr;
        std::string file;
        if (!findIconFile(table, itemText ? itemText : "", file)) return nullptr;
        return XImage_LoadFile(toToolkitText(runDirectory + imageDirectory + file).c_str(), FALSE);
    } catch (const std::bad_alloc&) {
        return nullptr;  // a table too large to hold gives no icon
    }
}
