#include "debug/trace_log.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "sim_control.h"

namespace {

std::string editText(HWND notepad) {
    char text[1024];
    GetWindowTextA(GetWindow(notepad, GW_CHILD), text, sizeof text);
    return text;
}

}  // namespace

TEST(TraceLog, WithoutNotepadALineGoesNowhere) {
    HWND other = trvsim::openNotepad("other.txt - 记事本");
    traceLine("lost");
    EXPECT_EQ(editText(other), "");
    trvsim::closeNotepad(other);
}

TEST(TraceLog, LinesGoWhereTheCaretStandsInPlaceOfTheSelection) {
    struct Case {
        const char* title;
        const char* text;
        int selectionStart, selectionEnd;
        const char* expected;
    };
    const Case cases[] = {
        {"TrvLog.txt - 记事本", "", 0, 0, "行一\r\n"},
        {"*TrvLog.txt - 记事本", "", 0, 0, "行一\r\n"},
        {"TrvLog.txt - 记事本", "ab\r\ncd", 2, 2, "ab行一\r\n\r\ncd"},
        {"TrvLog.txt - 记事本", "ab\r\ncd", 0, 4, "行一\r\ncd"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.expected);
        HWND notepad = trvsim::openNotepad(c.title);
        HWND edit = GetWindow(notepad, GW_CHILD);
        SetWindowTextA(edit, c.text);
        SendMessageA(edit, EM_SETSEL, c.selectionStart, c.selectionEnd);
        traceLine("行一");
        EXPECT_EQ(editText(notepad), c.expected);
        trvsim::closeNotepad(notepad);
    }
}

TEST(TraceLog, AnyThreadMayTrace) {
    HWND notepad = trvsim::openNotepad("TrvLog.txt - 记事本");
    std::thread worker([] { traceLine("from a worker"); });
    worker.join();
    traceLine("from the UI");
    EXPECT_EQ(editText(notepad), "from a worker\r\nfrom the UI\r\n");
    trvsim::closeNotepad(notepad);
}
