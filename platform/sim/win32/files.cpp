// Files: the IDE's run directory is a Windows path standing for a host
// folder; ANSI paths are GBK with backslashes, compared without case.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "sim_state.h"

namespace trvsim {

namespace {

struct FileSystem {
    std::vector<std::string> rootParts;  // the run directory, split
    std::string hostRoot;
    std::string executableName;
    std::string currentDirectory;  // Windows path
};

FileSystem& files() {
    static FileSystem* instance = new FileSystem;
    return *instance;
}

// Splits at "\" and "/", stepping over the trail bytes of GBK characters.
std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = path[i];
        if (IsDBCSLeadByte(c) && i + 1 < path.size()) {
            part += path[i];
            part += path[++i];
        } else if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += char(c);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

bool isAbsolute(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

// The host name of `name` inside `folder`: itself when it exists, else the
// entry that matches without case.
std::string hostEntry(const std::string& folder, const std::string& name) {
    struct stat info;
    if (stat((folder + "/" + name).c_str(), &info) == 0) return name;
    if (DIR* dir = opendir(folder.c_str())) {
        std::string wanted = lowerCase(name);
        while (dirent* entry = readdir(dir))
            if (lowerCase(entry->d_name) == wanted) {
                std::string found = entry->d_name;
                closedir(dir);
                return found;
            }
        closedir(dir);
    }
    return name;
}

}  // namespace

SIMAPI void mapRunDirectory(const std::string& windowsPath, const std::string& hostFolder,
                            const std::string& executableName) {
    auto& fs = files();
    fs.rootParts = splitPath(windowsPath);
    fs.hostRoot = hostFolder;
    fs.executableName = executableName;
    fs.currentDirectory = windowsPath;
}

SIMAPI std::string runDirectory() {
    std::string path;
    for (auto& part : files().rootParts) path += (path.empty() ? "" : "\\") + part;
    return path;
}

std::string executablePath() { return runDirectory() + "\\" + files().executableName; }

SIMAPI std::string hostPathOf(const std::string& windowsPath) {
    auto& fs = files();
    if (fs.rootParts.empty()) return {};
    std::string full = windowsPath;
    if (!isAbsolute(full)) {
        if (!full.empty() && (full[0] == '\\' || full[0] == '/'))
            full = fs.currentDirectory.substr(0, 2) + full;
        else
            full = fs.currentDirectory + "\\" + full;
    }
    std::vector<std::string> parts;
    for (auto& part : splitPath(full)) {
        if (part == ".") continue;
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.size() < fs.rootParts.size()) return {};
    for (size_t i = 0; i < fs.rootParts.size(); ++i)
        if (lowerCase(parts[i]) != lowerCase(fs.rootParts[i])) return {};
    std::string host = fs.hostRoot;
    for (size_t i = fs.rootParts.size(); i < parts.size(); ++i) host += "/" + hostEntry(host, gbkToUtf8(parts[i]));
    return host;
}

}  // namespace trvsim

using namespace trvsim;

namespace {

FileObject* fileOf(HANDLE handle) {
    auto& objects = state().kernelObjects;
    auto it = objects.find(reinterpret_cast<UINT_PTR>(handle));
    if (it == objects.end() || it->second->kind != KernelKind::File) return nullptr;
    return static_cast<FileObject*>(it->second.get());
}

DWORD errorOfErrno() {
    switch (errno) {
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR: return ERROR_ACCESS_DENIED;
        case EEXIST: return ERROR_ALREADY_EXISTS;
        default: return ERROR_ACCESS_DENIED;
    }
}

}  // namespace

SIMAPI DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    const std::string& current = files().currentDirectory;
    if (size < current.size() + 1 || !buffer) return DWORD(current.size() + 1);
    std::memcpy(buffer, current.c_str(), current.size() + 1);
    return DWORD(current.size());
}

SIMAPI BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
    std::string host = hostPathOf(path ? path : "");
    struct stat info;
    if (host.empty() || stat(host.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        setLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    std::string full = path;
    if (!isAbsolute(full)) full = files().currentDirectory + "\\" + full;
    while (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
    files().currentDirectory = full;
    return TRUE;
}

SIMAPI HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                                 HANDLE) {
    std::string host = hostPathOf(name ? name : "");
    if (host.empty()) {
        setLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    int flags = (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (disposition) {
        case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
        case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
        case OPEN_EXISTING: break;
        case OPEN_ALWAYS: flags |= O_CREAT; break;
        case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
        default: setLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    int descriptor = open(host.c_str(), flags | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        setLastError(errorOfErrno());
        return INVALID_HANDLE_VALUE;
    }
    std::lock_guard<std::mutex> held(state().lock);
    auto file = std::make_shared<FileObject>();
    file->descriptor = descriptor;
    auto& s = state();
    UINT_PTR handle = s.nextKernelHandle;
    s.nextKernelHandle += 4;
    s.kernelObjects[handle] = file;
    return reinterpret_cast<HANDLE>(handle);
}

SIMAPI BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPVOID) {
    int descriptor;
    {
        std::lock_guard<std::mutex> held(state().lock);
        FileObject* f = fileOf(file);
        if (!f) {
            setLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        descriptor = f->descriptor;
    }
    ssize_t n = ::read(descriptor, buffer, toRead);
    if (read) *read = n < 0 ? 0 : DWORD(n);
    if (n < 0) setLastError(errorOfErrno());
    return n >= 0;
}

SIMAPI BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPVOID) {
    int descriptor;
    {
        std::lock_guard<std::mutex> held(state().lock);
        FileObject* f = fileOf(file);
        if (!f) {
            setLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        descriptor = f->descriptor;
    }
    ssize_t n = ::write(descriptor, buffer, toWrite);
    if (written) *written = n < 0 ? 0 : DWORD(n);
    if (n < 0) setLastError(errorOfErrno());
    return n >= 0;
}

SIMAPI DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high) {
    std::lock_guard<std::mutex> held(state().lock);
    FileObject* f = fileOf(file);
    struct stat info;
    if (!f || fstat(f->descriptor, &info) != 0) {
        setLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (high) *high = DWORD(uint64_t(info.st_size) >> 32);
    return DWORD(info.st_size);
}

SIMAPI DWORD WINAPI GetFileAttributesA(LPCSTR name) {
    std::string host = hostPathOf(name ? name : "");
    struct stat info;
    if (host.empty() || stat(host.c_str(), &info) != 0) {
        setLastError(host.empty() ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
}

SIMAPI BOOL WINAPI DeleteFileA(LPCSTR name) {
    std::string host = hostPathOf(name ? name : "");
    if (host.empty() || unlink(host.c_str()) != 0) {
        setLastError(host.empty() ? ERROR_PATH_NOT_FOUND : errorOfErrno());
        return FALSE;
    }
    return TRUE;
}

SIMAPI BOOL WINAPI CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES) {
    std::string host = hostPathOf(name ? name : "");
    if (host.empty() || mkdir(host.c_str(), 0755) != 0) {
        setLastError(host.empty() ? ERROR_PATH_NOT_FOUND : errorOfErrno());
        return FALSE;
    }
    return TRUE;
}
