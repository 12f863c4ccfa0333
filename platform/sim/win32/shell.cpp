// Profile files on real files, directory listing, message boxes and
// commands (recorded, answered by the test), and the shlwapi path helpers.
#include <dirent.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include <shlwapi.h>

#include "sim_state.h"

namespace trvsim {

namespace {

struct ShellRecords {
    std::vector<MessageBoxRecord> boxes;
    int answer = IDOK;
    std::vector<std::string> commands;
};

ShellRecords& records() {
    static auto* instance = new ShellRecords;
    return *instance;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> readLines(const std::string& host) {
    std::ifstream in(host, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool isSection(const std::string& line, const std::string& section) {
    std::string t = trimmed(line);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']' &&
           lowerCase(trimmed(t.substr(1, t.size() - 2))) == lowerCase(section);
}

// The key of a "key=value" line, or empty.
std::string keyOf(const std::string& line) {
    size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : lowerCase(trimmed(line.substr(0, equals)));
}

// Wildcard match without case: "*" any run, "?" one character; "*.*" is everything.
bool matches(const char* pattern, const char* name) {
    if (std::strcmp(pattern, "*.*") == 0) return true;
    if (!*pattern) return !*name;
    if (*pattern == '*') return matches(pattern + 1, name) || (*name && matches(pattern, name + 1));
    if (!*name) return false;
    char p = char(std::tolower(BYTE(*pattern))), n = char(std::tolower(BYTE(*name)));
    return (*pattern == '?' || p == n) && matches(pattern + 1, name + 1);
}

struct FindObject {
    std::string folder;   // host path
    std::string pattern;  // GBK
    std::vector<std::string> names;  // GBK, in the file system's order
    size_t next = 0;
};

std::map<UINT_PTR, std::unique_ptr<FindObject>>& finds() {
    static auto* list = new std::map<UINT_PTR, std::unique_ptr<FindObject>>;
    return *list;
}

bool fillFound(FindObject& find, LPWIN32_FIND_DATAA data) {
    while (find.next < find.names.size()) {
        const std::string& name = find.names[find.next++];
        if (!matches(find.pattern.c_str(), name.c_str())) continue;
        std::memset(data, 0, sizeof *data);
        struct stat info{};
        stat((find.folder + "/" + gbkToUtf8(name)).c_str(), &info);
        data->dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
        data->nFileSizeLow = DWORD(info.st_size);
        std::strncpy(data->cFileName, name.c_str(), MAX_PATH - 1);
        return true;
    }
    return false;
}

}  // namespace

SIMAPI std::vector<MessageBoxRecord> messageBoxes() { return records().boxes; }
SIMAPI void answerMessageBoxes(int button) { records().answer = button; }
SIMAPI std::vector<std::string> commandLines() { return records().commands; }
SIMAPI void clearShellRecords() { records() = ShellRecords{}; }

}  // namespace trvsim

using namespace trvsim;

SIMAPI DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size,
                                             LPCSTR fileName) {
    if (!out || size == 0) return 0;
    std::string value = defaultValue ? defaultValue : "";
    std::string host = hostPathOf(fileName ? fileName : "");
    if (!section || !key) {
        std::fprintf(stderr, "sim: GetPrivateProfileStringA listing sections or keys is not simulated\n");
        std::abort();
    }
    bool inSection = false;
    for (const std::string& line : host.empty() ? std::vector<std::string>() : readLines(host)) {
        if (trimmed(line).rfind('[', 0) == 0) {
            inSection = isSection(line, section);
        } else if (inSection && keyOf(line) == lowerCase(key)) {
            value = trimmed(line.substr(line.find('=') + 1));
            break;
        }
    }
    size_t length = std::min<size_t>(value.size(), size - 1);
    std::memcpy(out, value.data(), length);
    out[length] = 0;
    return DWORD(length);
}

SIMAPI BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
    std::string host = hostPathOf(fileName ? fileName : "");
    if (host.empty() || !section || !key || !value) {
        std::fprintf(stderr, "sim: WritePrivateProfileStringA without a section, key or value is not simulated\n");
        std::abort();
    }
    std::vector<std::string> lines = readLines(host);
    std::string entry = std::string(key) + "=" + value;
    bool inSection = false, written = false;
    size_t sectionEnd = std::string::npos;
    for (size_t i = 0; i < lines.size() && !written; ++i) {
        if (trimmed(lines[i]).rfind('[', 0) == 0) {
            if (inSection) break;
            inSection = isSection(lines[i], section);
            if (inSection) sectionEnd = i + 1;
        } else if (inSection) {
            if (keyOf(lines[i]) == lowerCase(key)) {
                lines[i] = entry;
                written = true;
            } else if (!trimmed(lines[i]).empty()) {
                sectionEnd = i + 1;
            }
        }
    }
    if (!written) {
        if (sectionEnd == std::string::npos) {
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        } else {
            lines.insert(lines.begin() + long(sectionEnd), entry);
        }
    }
    std::ofstream file(host, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) file << line << "\r\n";
    if (!file) {
        setLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

SIMAPI HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
    std::string full = pattern ? pattern : "";
    size_t slash = full.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string(".") : full.substr(0, slash);
    std::string host = hostPathOf(folder);
    DIR* dir = host.empty() ? nullptr : opendir(host.c_str());
    if (!dir || !data) {
        if (dir) closedir(dir);
        setLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto find = std::make_unique<FindObject>();
    find->folder = host;
    find->pattern = slash == std::string::npos ? full : full.substr(slash + 1);
    while (dirent* entry = readdir(dir)) find->names.push_back(utf8ToGbk(entry->d_name));
    closedir(dir);
    if (!fillFound(*find, data)) {
        setLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::lock_guard<std::mutex> held(state().lock);
    UINT_PTR handle = state().nextKernelHandle;
    state().nextKernelHandle += 4;
    finds()[handle] = std::move(find);
    return reinterpret_cast<HANDLE>(handle);
}

SIMAPI BOOL WINAPI FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data) {
    auto it = finds().find(reinterpret_cast<UINT_PTR>(handle));
    if (it == finds().end() || !data) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (fillFound(*it->second, data)) return TRUE;
    setLastError(ERROR_NO_MORE_FILES);
    return FALSE;
}

SIMAPI BOOL WINAPI FindClose(HANDLE handle) {
    if (!finds().erase(reinterpret_cast<UINT_PTR>(handle))) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

SIMAPI int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    records().boxes.push_back({text ? text : "", caption ? caption : "", type});
    return records().answer;
}

SIMAPI UINT WINAPI WinExec(LPCSTR commandLine, UINT) {
    records().commands.push_back(commandLine ? commandLine : "");
    return 33;
}

// The file name after the last backslash or slash, stepping over GBK characters.
SIMAPI LPSTR WINAPI PathFindFileNameA(LPCSTR path) {
    if (!path) return nullptr;
    const char* name = path;
    for (const char* at = path; *at; ++at) {
        if (IsDBCSLeadByte(BYTE(*at)) && at[1]) {
            ++at;
            continue;
        }
        if ((*at == '\\' || *at == '/' || *at == ':') && at[1] && at[1] != '\\' && at[1] != '/') name = at + 1;
    }
    return const_cast<LPSTR>(name);
}

// The last "." of the file name and what follows, or the terminating NUL.
SIMAPI LPSTR WINAPI PathFindExtensionA(LPCSTR path) {
    if (!path) return nullptr;
    const char* dot = nullptr;
    const char* at = path;
    for (; *at; ++at) {
        if (IsDBCSLeadByte(BYTE(*at)) && at[1]) {
            ++at;
            continue;
        }
        if (*at == '.')
            dot = at;
        else if (*at == '\\' || *at == '/' || *at == ' ')
            dot = nullptr;
    }
    return const_cast<LPSTR>(dot ? dot : at);
}
