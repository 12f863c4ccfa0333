// Process-wide state of the simulated Win32 layer: windows, classes, thread
// message queues and kernel objects. One lock guards all of it; window
// procedures are always called with the lock released.
#pragma once

#include <windows.h>

#include "../sim_control.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace trvsim {

using Clock = std::chrono::steady_clock;

// State a control class keeps per window (edit text selection, tree items...).
struct ControlState {
    virtual ~ControlState() = default;
};

struct Window {
    HWND handle{};
    std::string className;  // as registered
    std::string title;      // GBK
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    HWND parent{};  // 0 for top-level windows
    HWND owner{};
    std::vector<HWND> children;  // z-order, topmost first
    RECT rect{};                 // in the parent's client coordinates
    WNDPROC procedure{};
    HINSTANCE instance{};
    LONG_PTR userData = 0;
    DWORD threadId = 0;
    DWORD processId = 0;
    bool layeredSet = false;
    COLORREF layeredKey = 0;
    BYTE layeredAlpha = 0;
    DWORD layeredFlags = 0;
    bool destroying = false;
    std::map<std::string, HANDLE> properties;
    std::shared_ptr<ControlState> control;
};

struct WindowClass {
    std::string name;
    WNDPROC procedure{};
    UINT style = 0;
    HINSTANCE instance{};
};

struct SentMessage {
    HWND window{};
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
};

struct ThreadQueue {
    DWORD threadId = 0;
    DWORD processId = 0;
    bool alive = true;
    std::deque<SentMessage*> sent;
    std::deque<MSG> posted;
    bool quitPosted = false;
    int quitCode = 0;
};

enum class KernelKind { Event, Timer, Thread, File, Process };

struct KernelObject {
    KernelKind kind;
    explicit KernelObject(KernelKind k) : kind(k) {}
    virtual ~KernelObject() = default;
};

struct EventObject : KernelObject {
    EventObject() : KernelObject(KernelKind::Event) {}
    bool manualReset = false;
    bool signaled = false;
};

struct TimerObject : KernelObject {
    TimerObject() : KernelObject(KernelKind::Timer) {}
    bool manualReset = false;
    bool active = false;
    bool signaled = false;
    Clock::time_point due{};
    std::chrono::milliseconds period{0};
};

struct ThreadObject : KernelObject {
    ThreadObject() : KernelObject(KernelKind::Thread) {}
    DWORD threadId = 0;
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;
};

struct FileObject : KernelObject {
    FileObject() : KernelObject(KernelKind::File) {}
    int descriptor = -1;
};

struct State {
    std::mutex lock;
    std::condition_variable changed;  // any queue or kernel object changed

    std::unordered_map<UINT_PTR, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevel;  // z-order, topmost first
    std::map<std::string, WindowClass> classes;  // key: lower-case name
    UINT_PTR nextWindowHandle = 0x10010;

    std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
    DWORD nextThreadId = 0x1000;

    std::unordered_map<UINT_PTR, std::shared_ptr<KernelObject>> kernelObjects;
    UINT_PTR nextKernelHandle = 0x100;
    int runningThreads = 0;

    std::vector<JournalRecord> journal;
};

State& state();

// Lock-held helpers.
Window* findWindow(HWND window);
ThreadQueue& currentQueue();  // creates the calling thread's queue on first use
std::string lowerCase(std::string text);

// Calls a window procedure directly on the calling thread.
LRESULT callProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends without passing through the exported SendMessageA (the system's own
// sends, as in GetWindowTextA, are not seen by hooks on SendMessageA).
LRESULT sendInternal(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Serves the sent messages waiting for the calling thread; lock held on entry
// and exit, released around each call.
void serveSentMessages(std::unique_lock<std::mutex>& held, ThreadQueue& queue);
// Marks the calling thread's queue dead and fails the sends waiting on it.
void retireCurrentQueue();

void journal(const char* call, HWND window, INT_PTR argument);
void setLastError(DWORD error);
// Ends the process with a message: the sim does not simulate this use.
[[noreturn]] void notSimulated(const char* what);

// Marks an exported function that the plug-in redirects with an inline hook:
// its first `bytes` bytes are one-byte NOPs, whole instructions that can run
// from anywhere (the hook moves them to its trampoline).
#define SIM_HOOKABLE(bytes) __attribute__((patchable_function_entry(bytes, 0)))

// Registers a window class of the system with its procedure.
void registerWindowClass(const char* name, WNDPROC procedure);
// Registers the built-in window classes of the system controls.
void registerSystemClasses();
void registerEditClass();

}  // namespace trvsim
