#include "carried_files.h"

#include <windows.h>

bool writeCarriedFileWhenMissing(const std::string& path, const CarriedFile& file) {
    if (file.size == 0 || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL good = WriteFile(out, file.bytes, DWORD(file.size), &written, nullptr) && written == file.size;
    CloseHandle(out);
    if (!good) DeleteFileA(path.c_str());  // never leave a cut-off DLL behind
    return good;
}

std::string executableDirectory() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    size_t slash = directory.rfind('\\');
    return slash == std::string::npos ? std::string() : directory.substr(0, slash);
}
