#include "host_text.h"

#include <vector>

#include "host/host_functions.h"

namespace {

constexpr size_t textCap = 50000;

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool isExistingFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string readHostControlText(HWND window) {
    size_t length = size_t(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    size_t wanted = std::min(length, textCap);
    std::vector<char> buffer(wanted + 1, 0);
    SendMessageA(window, WM_GETTEXT, wanted + 1, reinterpret_cast<LPARAM>(buffer.data()));
    std::string text(buffer.data());
    if (length <= textCap) return text;
    if (!text.empty() && BYTE(text.back()) >= 0x80) text.pop_back();  // half of a GBK character
    return text + "...后面略掉" + std::to_string(length - textCap) + "个字符...";
}

std::string currentSourceFilePath() {
    std::vector<std::string> parts = splitAt(readHostControlText(hostFunctions.host0503->mainWindow()), '-');
    for (size_t part : {1u, 2u}) {
        if (parts.size() <= part) break;
        std::string candidate = trimBlanks(parts[part]);
        if (isExistingFile(candidate)) return candidate;
    }
    return {};
}

// The path is quoted so that one with a space or a comma selects the right file.
int revealSourceFileInExplorer() {
    std::string path = currentSourceFilePath();
    if (!path.empty()) WinExec(("explorer.exe /select,\"" + path + "\"").c_str(), SW_SHOWNORMAL);
    return 0;
}
