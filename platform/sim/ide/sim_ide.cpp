#include "sim_ide.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/library_descriptor.h"
#include "sim_control.h"
#include "toolkit/toolkit_state.h"

namespace trvsim {

namespace {

SimIde* current = nullptr;

LRESULT CALLBACK hostWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerHostClasses() {
    static bool done = false;
    if (done) return;
    WNDCLASSA cls{};
    cls.lpfnWndProc = hostWindowProcedure;
    for (const char* name : {"EDockBar", "EControlBar", "ESwitchBar", "EPropertyList"}) {
        cls.lpszClassName = name;
        RegisterClassA(&cls);
    }
    done = true;
}

HWND child(HWND parent, const char* cls, int id, RECT r, DWORD style = WS_VISIBLE, LPVOID param = nullptr) {
    HWND window = CreateWindowExA(0, cls, "", WS_CHILD | style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  parent, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, param);
    if (!window) {
        std::fprintf(stderr, "sim ide: cannot create a %s window (id %d)\n", cls, id);
        std::abort();
    }
    return window;
}

// A dock bar with its control bar, the control bar's container (id 0) and,
// when `workspaceClass` is given, the workspace window 1000 inside it.
HWND dockBarWorkspace(HWND main, int dockId, RECT place, int barId, const char* workspaceClass) {
    RECT inside{0, 0, place.right - place.left, place.bottom - place.top};
    HWND dock = child(main, "EDockBar", dockId, place);
    HWND bar = child(dock, "EControlBar", barId, inside);
    if (!workspaceClass) return bar;
    HWND container = child(bar, "#32770", 0, inside);
    return child(container, workspaceClass, 1000, inside);
}

}  // namespace

// The host's linker setting file and linker folders, when the folder has none.
static void addLinkers() {
    if (GetFileAttributesA("tools") != INVALID_FILE_ATTRIBUTES) return;
    CreateDirectoryA("tools", nullptr);
    WritePrivateProfileStringA("linker", "linker", (runDirectory() + "\\linker\\VC2017\\bin\\link.exe").c_str(),
                               "tools\\link.ini");
    CreateDirectoryA("linker", nullptr);
    for (const char* name : {"VC2017", "VC6"}) {
        std::string folder = std::string("linker\\") + name;
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\bin").c_str(), nullptr);
        HANDLE file = CreateFileA((folder + "\\bin\\link.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        CloseHandle(file);
    }
    CreateDirectoryA("linker\\.svn", nullptr);
    CreateDirectoryA("linker\\NoLinkExe", nullptr);
}

SimIde::SimIde(const std::string& hostFolder, const std::string& windowsFolder) {
    mapRunDirectory(windowsFolder, hostFolder, "e.exe");
    addLinkers();
    registerHostClasses();
    buildWindows();
    current = this;
}

// The host closes: it announces it, its windows go (their procedures, the
// plug-in's subclasses among them, still loaded), then the plug-in is unloaded.
SimIde::~SimIde() {
    if (module_) notify(6, 0, 0);
    destroyThreadWindows();
    if (xc::toolkit().initialised) XExitXCGUI();
    unloadPlugin();
    clearJournal();
    if (current == this) current = nullptr;
}

void SimIde::buildWindows() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = mainWindowProcedure;
        cls.lpszClassName = "ENewFrame";
        RegisterClassA(&cls);
        registered = true;
    }
    main_ = CreateWindowExA(0, "ENewFrame", "易语言 5.9", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                            1280, 800, nullptr, nullptr, nullptr, nullptr);

    HWND top = dockBarWorkspace(main_, 0xE81B, {0, 0, 1280, 60}, 135, nullptr);
    child(top, "ComboBox", 629, {0, 0, 300, 24}, WS_VISIBLE | CBS_DROPDOWNLIST);
    child(top, "ComboBox", 630, {300, 0, 600, 24}, WS_VISIBLE | CBS_DROPDOWNLIST);

    HWND left = dockBarWorkspace(main_, 0xE81C, {0, 60, 260, 660}, 129, "SysTabControl32");
    RECT leftPane{0, 24, 260, 600};
    child(left, "SysTreeView32", 1022, leftPane);
    child(left, "SysTreeView32", 1019, leftPane);
    child(left, "ComboBox", 1058, {0, 24, 260, 48}, WS_VISIBLE | CBS_DROPDOWNLIST);
    child(left, "ComboBox", 1059, {0, 48, 260, 72}, WS_VISIBLE | CBS_DROPDOWNLIST);
    child(left, "EPropertyList", 118, {0, 72, 260, 600});

    HWND bottom = dockBarWorkspace(main_, 0xE81E, {0, 660, 1280, 800}, 130, "SysTabControl32");
    RECT bottomPane{0, 24, 1280, 140};
    child(bottom, "Edit", 1001, bottomPane, WS_VISIBLE | ES_MULTILINE | ES_READONLY);
    child(bottom, "Edit", 1011, bottomPane, WS_VISIBLE | ES_MULTILINE | ES_READONLY);
    child(bottom, "SysTreeView32", 1224, bottomPane);
    child(bottom, "SysTreeView32", 1109, bottomPane);
    child(bottom, "Edit", 1115, bottomPane, WS_VISIBLE | ES_READONLY);
    child(bottom, "Edit", 1010, bottomPane, WS_VISIBLE | ES_MULTILINE);
    child(bottom, "ComboBox", 1167, bottomPane, WS_VISIBLE | CBS_DROPDOWNLIST);
    child(bottom, "SysListView32", 1187, bottomPane);
    child(bottom, "ListBox", 1182, bottomPane);
    child(bottom, "ListBox", 1183, bottomPane);

    HWND right = dockBarWorkspace(main_, 0xE81D, {1020, 60, 1280, 660}, 110, nullptr);
    HWND rightContainer = child(right, "#32770", 0, {0, 0, 260, 600});
    child(rightContainer, "SysTreeView32", 1225, {0, 0, 260, 600});

    CLIENTCREATESTRUCT pages{nullptr, 0xFF00};  // page ids count from 0xFF00, as in the host
    child(main_, "MDIClient", 0xE900, {260, 84, 1020, 660}, WS_VISIBLE | WS_CLIPCHILDREN, &pages);
    child(main_, "ESwitchBar", 0xE800, {260, 60, 1020, 84});
}

HWND SimIde::control(std::initializer_list<int> path) const {
    HWND window = main_;
    for (int id : path) {
        if (!window) return nullptr;
        window = GetDlgItem(window, id);
    }
    return window;
}

void SimIde::setTitle(const std::string& titleGbk) { SetWindowTextA(main_, titleGbk.c_str()); }

bool SimIde::loadPlugin() {
    if (module_) return true;
    module_ = LoadLibraryA("lib\\Tarvolin.fne");
    if (!module_) return false;
    auto getNewInf = reinterpret_cast<const void*(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "GetNewInf")));
    if (!getNewInf) {
        FreeLibrary(module_);
        module_ = nullptr;
        return false;
    }
    descriptor_ = getNewInf();
    return true;
}

INT_PTR SimIde::notify(INT code, INT_PTR first, INT_PTR second) {
    if (!descriptor_) return 0;
    return static_cast<const LibraryDescriptor*>(descriptor_)->notify(code, first, second);
}

INT_PTR SimIde::start() {
    if (!loadPlugin()) return 0;
    return notify(1, reinterpret_cast<INT_PTR>(&SimIde::hostNotification), 0);
}

bool SimIde::loadBlackMoon() {
    if (blackMoon_) return true;
    HANDLE file = CreateFileA("lib\\BlackMoon.fne", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char marker[] = "TRVSIM-MODULE BlackMoon.fne\n";
    DWORD written;
    WriteFile(file, marker, sizeof marker - 1, &written, nullptr);
    CloseHandle(file);
    blackMoon_ = LoadLibraryA("lib\\BlackMoon.fne");
    return blackMoon_ != nullptr;
}

void SimIde::unloadPlugin() {
    if (blackMoon_) FreeLibrary(blackMoon_);
    blackMoon_ = nullptr;
    if (!module_) return;
    if (!waitForThreads(5000)) {
        std::fprintf(stderr, "sim ide: the plug-in's threads did not end; it cannot be unloaded\n");
        std::abort();
    }
    FreeLibrary(module_);
    module_ = nullptr;
    descriptor_ = nullptr;
}

INT_PTR WINAPI SimIde::hostNotification(INT code, INT_PTR first, INT_PTR second) {
    if (!current) return 0;
    return current->answer(code, first, second);
}

INT_PTR SimIde::answer(INT code, INT_PTR first, INT_PTR second) {
    HostCallRecord record{code, first, second, {0, 0}};
    INT_PTR* block = reinterpret_cast<INT_PTR*>(second);
    if (code == 2 && block) {
        record.block[0] = block[0];
        record.block[1] = block[1];
    }
    hostCalls_.push_back(record);
    switch (code) {
        case 1: return mainWindowAvailable_ ? reinterpret_cast<INT_PTR>(main_) : 0;
        case 2: {
            auto it = answers_.find(DWORD(first));
            return it != answers_.end() && block ? it->second(block) : 0;
        }
        case 1005: return INT_PTR(version_);
        case 1006: {
            auto it = call1006Texts_.find(first);
            if (it == call1006Texts_.end() || !second) return 0;
            // The plug-in's buffer holds 258 bytes.
            size_t length = std::min<size_t>(it->second.size(), 257);
            std::memcpy(reinterpret_cast<char*>(second), it->second.data(), length);
            reinterpret_cast<char*>(second)[length] = 0;
            return 1;
        }
        default: {
            auto it = callResults_.find(code);
            return it == callResults_.end() ? 0 : it->second;
        }
    }
}

LRESULT CALLBACK SimIde::mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && current) current->commands_.emplace_back(wParam, lParam);
    if (message == WM_CLOSE) {
        if (current) ++current->closeRequests_;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace trvsim
