// The edit control: its text is the window text; a selection (caret when
// empty) in bytes; EM_REPLACESEL puts text in place of the selection.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sim_state.h"

namespace trvsim {

namespace {

struct EditState : ControlState {
    size_t selectionStart = 0;
    size_t selectionEnd = 0;
};

EditState& editOf(Window& w) {
    if (!w.control) w.control = std::make_shared<EditState>();
    return static_cast<EditState&>(*w.control);
}

LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        std::lock_guard<std::mutex> held(state().lock);
        if (Window* w = findWindow(window)) editOf(*w) = EditState{};
        return result;
    }
    if (message < 0x00B0 || message > 0x00FF) return DefWindowProcA(window, message, wParam, lParam);

    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) return 0;
    EditState& edit = editOf(*w);
    size_t length = w->title.size();
    switch (message) {
        case EM_GETSEL: {
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = DWORD(edit.selectionStart);
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = DWORD(edit.selectionEnd);
            if (edit.selectionStart > 0xFFFF || edit.selectionEnd > 0xFFFF) return -1;
            return MAKELONG(edit.selectionStart, edit.selectionEnd);
        }
        case EM_SETSEL: {
            INT_PTR start = INT_PTR(wParam), end = lParam;
            if (start == -1) {  // deselect, the caret stays where the selection ended
                edit.selectionStart = edit.selectionEnd;
                return 0;
            }
            if (end < 0 || size_t(end) > length) end = INT_PTR(length);
            if (start < 0 || size_t(start) > length) start = INT_PTR(length);
            edit.selectionStart = size_t(std::min(start, end));
            edit.selectionEnd = size_t(std::max(start, end));
            return 0;
        }
        case EM_REPLACESEL: {
            std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            size_t start = std::min(edit.selectionStart, length), end = std::min(edit.selectionEnd, length);
            w->title.replace(start, end - start, text);
            edit.selectionStart = edit.selectionEnd = start + text.size();
            return 0;
        }
        case EM_SCROLLCARET: return TRUE;
        case EM_SETREADONLY:
            if (wParam)
                w->style |= ES_READONLY;
            else
                w->style &= ~DWORD(ES_READONLY);
            return TRUE;
        case EM_GETLINECOUNT: return LRESULT(std::count(w->title.begin(), w->title.end(), '\n') + 1);
    }
    std::fprintf(stderr, "sim: the Edit control does not simulate message 0x%X\n", message);
    std::abort();
}

}  // namespace

void registerEditClass() { registerWindowClass("Edit", editProcedure); }

}  // namespace trvsim
