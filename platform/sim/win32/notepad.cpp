// A Notepad window of another process: class "Notepad" with an edit as its
// first child, served by a thread of its own until it is closed.
#include <future>
#include <thread>

#include "sim_state.h"

namespace trvsim {

void setCurrentProcess(DWORD processId);

namespace {

constexpr DWORD notepadProcessId = 0x2A30;

std::map<HWND, std::thread>& notepads() {
    static auto* list = new std::map<HWND, std::thread>;
    return *list;
}

LRESULT CALLBACK notepadProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

void runNotepad(std::string title, std::promise<HWND>* opened) {
    setCurrentProcess(notepadProcessId);
    HWND frame = CreateWindowExA(0, "Notepad", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 640, 480,
                                 nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 640, 480,
                    frame, reinterpret_cast<HMENU>(15), nullptr, nullptr);
    opened->set_value(frame);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) DispatchMessageA(&message);
    retireCurrentQueue();
}

}  // namespace

SIMAPI HWND openNotepad(const std::string& titleGbk) {
    registerWindowClass("Notepad", notepadProcedure);  // once: a second registration fails harmlessly
    std::promise<HWND> opened;
    auto ready = opened.get_future();
    std::thread thread(runNotepad, titleGbk, &opened);
    HWND frame = ready.get();
    notepads()[frame] = std::move(thread);
    return frame;
}

SIMAPI void closeNotepad(HWND notepad) {
    auto it = notepads().find(notepad);
    if (it == notepads().end()) return;
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    it->second.join();
    notepads().erase(it);
}

}  // namespace trvsim
