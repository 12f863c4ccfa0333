// Modules: the system DLLs are always loaded; other modules are files. A
// file holding "TRVSIM-MODULE <name>" stands for a module built into the sim
// (the toolkit stand-in); an ELF file is a real module of ours, opened with
// dlopen. GetProcAddress answers only a module's own exports.
#include <dlfcn.h>

#include <cstdio>
#include <fstream>
#include <set>

#include "sim_state.h"

#include <xcgui.h>

namespace trvsim {

std::string executablePath();

namespace {

struct Module {
    std::string name;        // base name as loaded, e.g. "user32.dll"
    std::string path;        // Windows path
    bool system = false;     // always loaded, never unloaded
    bool builtIn = false;    // exports come from the sim library
    bool loaded = false;
    int references = 0;
    void* library = nullptr;  // dlopen handle of an ELF module
    std::set<std::string> exports;
};

const char* const kernel32Exports[] = {
    "GetLastError", "SetLastError", "GetCurrentThreadId", "GetCurrentProcessId", "GetCurrentProcess",
    "GetCurrentThread", "CreateThread", "GetExitCodeThread", "WaitForSingleObject", "WaitForMultipleObjects",
    "CloseHandle", "Sleep", "GetTickCount", "CreateEventA", "SetEvent", "ResetEvent", "CreateWaitableTimerA",
    "SetWaitableTimer", "CancelWaitableTimer", "GetModuleHandleA", "LoadLibraryA", "FreeLibrary", "GetProcAddress",
    "GetModuleFileNameA", "GetCurrentDirectoryA", "SetCurrentDirectoryA", "CreateFileA", "ReadFile", "WriteFile",
    "GetFileSize", "GetFileAttributesA", "DeleteFileA", "CreateDirectoryA", "LocalAlloc", "LocalFree", "LocalSize",
    "MultiByteToWideChar", "WideCharToMultiByte", "IsDBCSLeadByte", "lstrlenA", "GetPrivateProfileStringA",
    "WritePrivateProfileStringA", "FindFirstFileA", "FindNextFileA", "FindClose", "WinExec", "GlobalAlloc", "GlobalFree",
    "GlobalSize", "VirtualAlloc", "VirtualFree", "VirtualProtect", "VirtualQuery", "IsBadReadPtr", "CreateProcessA",
    "WaitForDebugEvent", "DebugActiveProcessStop",
};

const char* const user32Exports[] = {
    "RegisterClassA", "CreateWindowExA", "DestroyWindow", "IsWindow", "IsWindowVisible", "IsChild",
    "DefWindowProcA", "CallWindowProcA", "SendMessageA", "PostMessageA", "PostThreadMessageA", "PostQuitMessage",
    "GetMessageA", "PeekMessageA", "TranslateMessage", "DispatchMessageA", "MsgWaitForMultipleObjects",
    "GetDlgItem", "GetDlgCtrlID", "GetWindowLongA", "SetWindowLongA",
#if !defined(__i386__)
    "GetWindowLongPtrA", "SetWindowLongPtrA",
#endif
    "GetParent", "SetParent", "GetWindow", "GetAncestor", "GetDesktopWindow", "ShowWindow", "ShowWindowAsync", "GetWindowRect",
    "GetClientRect", "MoveWindow", "SetWindowPos", "GetWindowTextA", "GetWindowTextLengthA", "SetWindowTextA",
    "GetClassNameA", "FindWindowA", "FindWindowExA", "EnumWindows", "EnumChildWindows", "GetWindowThreadProcessId",
    "SetLayeredWindowAttributes", "GetLayeredWindowAttributes", "UpdateWindow", "InvalidateRect", "MessageBoxA", "GetSystemMetrics", "GetClassLongA", "SetClassLongA", "CreateWindowExW",
    "GetSysColor", "LoadBitmapA",
};

const char* const gdi32Exports[] = {"SetBkColor", "SetTextColor", "TextOutA"};

const char* const ntdllExports[] = {"ZwProtectVirtualMemory"};

const char* const shlwapiExports[] = {"PathFindFileNameA", "PathFindExtensionA"};

const char* const toolkitExports[] = {
#define TRV_XCGUI_FUNCTION(result, name, parameters, arguments) #name,
#include <xcgui_functions.h>
#undef TRV_XCGUI_FUNCTION
};

std::vector<std::unique_ptr<Module>>& modules() {
    static auto* list = new std::vector<std::unique_ptr<Module>>;
    return *list;
}

std::mutex& modulesLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

void addModule(const char* name, bool system, std::initializer_list<const char*> exports) {
    auto module = std::make_unique<Module>();
    module->name = name;
    module->system = system;
    module->builtIn = true;
    module->loaded = system;
    module->references = system ? 1 : 0;
    module->path = system ? std::string("C:\\Windows\\System32\\") + name : std::string();
    module->exports.insert(exports.begin(), exports.end());
    modules().push_back(std::move(module));
}

template <size_t N>
void addModule(const char* name, bool system, const char* const (&exports)[N]) {
    addModule(name, system, std::initializer_list<const char*>());
    modules().back()->exports.insert(std::begin(exports), std::end(exports));
}

std::string baseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

Module* byName(const std::string& name, bool loadedOnly) {
    std::string wanted = lowerCase(baseName(name));
    if (wanted.find('.') == std::string::npos) wanted += ".dll";
    for (auto& module : modules())
        if (lowerCase(module->name) == wanted && (module->loaded || !loadedOnly)) return module.get();
    return nullptr;
}

Module* byHandle(HMODULE handle) {
    for (auto& module : modules())
        if (reinterpret_cast<HMODULE>(module.get()) == handle && module->loaded) return module.get();
    return nullptr;
}

std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Where Windows looks for a module given by name: the executable's
// directory, then the current directory.
std::string locate(const std::string& name) {
    if (name.find('\\') != std::string::npos || name.find('/') != std::string::npos)
        return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES ? name : std::string();
    std::string besideExecutable = directoryOf(executablePath()) + "\\" + name;
    if (GetFileAttributesA(besideExecutable.c_str()) != INVALID_FILE_ATTRIBUTES) return besideExecutable;
    if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
        char current[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, current);
        return std::string(current) + "\\" + name;
    }
    return {};
}

}  // namespace

void registerModules() {
    addModule("kernel32.dll", true, kernel32Exports);
    addModule("user32.dll", true, user32Exports);
    addModule("shlwapi.dll", true, shlwapiExports);
    addModule("gdi32.dll", true, gdi32Exports);
    addModule("ntdll.dll", true, ntdllExports);
    addModule("XCGUI.dll", false, toolkitExports);
    addModule("BlackMoon.fne", false, {});  // another vendor's compile plug-in
}

}  // namespace trvsim

using namespace trvsim;

SIMAPI HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
    std::lock_guard<std::mutex> held(modulesLock());
    if (!name) return reinterpret_cast<HMODULE>(&modules());  // the executable
    Module* module = byName(name, true);
    if (!module) setLastError(ERROR_MOD_NOT_FOUND);
    return reinterpret_cast<HMODULE>(module);
}

SIMAPI HMODULE WINAPI LoadLibraryA(LPCSTR name) {
    if (!name || !*name) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> held(modulesLock());
        if (Module* module = byName(name, true)) {
            if (!module->system) ++module->references;
            return reinterpret_cast<HMODULE>(module);
        }
    }
    std::string path = locate(name);
    std::string host = path.empty() ? std::string() : hostPathOf(path);
    std::ifstream file(host, std::ios::binary);
    if (host.empty() || !file) {
        setLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::string head(64, '\0');
    file.read(head.data(), head.size());
    head.resize(size_t(file.gcount()));

    const std::string marker = "TRVSIM-MODULE ";
    if (head.compare(0, marker.size(), marker) == 0) {
        std::string standsFor = head.substr(marker.size());
        standsFor = standsFor.substr(0, standsFor.find_first_of("\r\n"));
        std::lock_guard<std::mutex> held(modulesLock());
        Module* module = byName(standsFor, false);
        if (!module || !module->builtIn) {
            setLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        module->loaded = true;
        module->path = path;
        ++module->references;
        return reinterpret_cast<HMODULE>(module);
    }
    if (head.compare(0, 4, "\x7F" "ELF") != 0) {
        setLastError(193);  // ERROR_BAD_EXE_FORMAT
        return nullptr;
    }
    // dlopen runs the module's constructors, which may call back into the sim.
    void* library = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "sim: LoadLibraryA(%s): %s\n", name, dlerror());
        setLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard<std::mutex> held(modulesLock());
    auto module = std::make_unique<Module>();
    module->name = baseName(path);
    module->path = path;
    module->loaded = true;
    module->references = 1;
    module->library = library;
    Module* added = module.get();
    modules().push_back(std::move(module));
    return reinterpret_cast<HMODULE>(added);
}

SIMAPI BOOL WINAPI FreeLibrary(HMODULE handle) {
    void* library = nullptr;
    {
        std::lock_guard<std::mutex> held(modulesLock());
        Module* module = byHandle(handle);
        if (!module) {
            setLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        if (module->system || --module->references > 0) return TRUE;
        module->loaded = false;
        library = module->library;
        if (library) {
            auto& list = modules();
            for (auto it = list.begin(); it != list.end(); ++it)
                if (it->get() == module) {
                    list.erase(it);
                    break;
                }
        }
    }
    if (library) dlclose(library);  // runs the module's destructors
    return TRUE;
}

SIMAPI FARPROC WINAPI GetProcAddress(HMODULE handle, LPCSTR name) {
    std::lock_guard<std::mutex> held(modulesLock());
    Module* module = byHandle(handle);
    if (!module || !name) {
        setLastError(module ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    void* address = nullptr;
    if (module->library)
        address = dlsym(module->library, name);
    else if (module->exports.count(name))
        address = dlsym(RTLD_DEFAULT, name);
    if (!address) setLastError(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<FARPROC>(address);
}

SIMAPI DWORD WINAPI GetModuleFileNameA(HMODULE handle, LPSTR buffer, DWORD size) {
    std::string path;
    {
        std::lock_guard<std::mutex> held(modulesLock());
        if (!handle || handle == reinterpret_cast<HMODULE>(&modules())) {
            path = executablePath();
        } else if (Module* module = byHandle(handle)) {
            path = module->path;
        } else {
            setLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
    }
    if (!buffer || size == 0) return 0;
    DWORD length = DWORD(std::min<size_t>(path.size(), size - 1));
    std::memcpy(buffer, path.data(), length);
    buffer[length] = 0;
    if (length < path.size()) setLastError(ERROR_INSUFFICIENT_BUFFER);
    return length;
}
