// What the simulated IDE and the tests use to set up and inspect the simulated
// platform. The plug-in never sees this header.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace trvsim {

// Files: a Windows directory (GBK, e.g. "C:\EIDE") stands for a host folder.
// Paths outside it do not exist. The current directory starts there.
SIMAPI void mapRunDirectory(const std::string& windowsPath, const std::string& hostFolder,
                            const std::string& executableName);
SIMAPI std::string runDirectory();  // the Windows path given above
// Host path of a Windows path (relative ones against the current directory);
// empty when the path lies outside the mapped directory.
SIMAPI std::string hostPathOf(const std::string& windowsPath);

// Text conversion between the host code page (GBK) and UTF-8 / UTF-16.
SIMAPI std::string gbkToUtf8(const std::string& gbk);
SIMAPI std::string utf8ToGbk(const std::string& utf8);
SIMAPI std::u16string gbkToUtf16(const std::string& gbk);
SIMAPI std::string utf16ToGbk(const std::u16string& text);

// Window calls in the order they were made (ShowWindow, SetParent, ...).
struct JournalRecord {
    std::string call;
    HWND window;
    INT_PTR argument;
};
SIMAPI std::vector<JournalRecord> journalRecords();
SIMAPI void clearJournal();

// Threads started with CreateThread that have not ended yet.
SIMAPI int runningThreadCount();
// Pumps the calling thread's messages until every CreateThread thread has
// ended or the time is up; true when none is left.
SIMAPI bool waitForThreads(DWORD milliseconds);
// Pumps the calling thread's messages for the given time.
SIMAPI void pumpMessages(DWORD milliseconds);

// A Notepad window of another process, with its edit as first child,
// served by a thread of its own.
SIMAPI HWND openNotepad(const std::string& titleGbk);
SIMAPI void closeNotepad(HWND notepad);

// Message boxes shown, in order, and the button the user presses (IDOK at first).
struct MessageBoxRecord {
    std::string text;     // GBK
    std::string caption;  // GBK
    UINT type;
};
SIMAPI std::vector<MessageBoxRecord> messageBoxes();
SIMAPI void answerMessageBoxes(int button);
// Command lines started with WinExec (GBK), in order; nothing is run.
SIMAPI std::vector<std::string> commandLines();
SIMAPI void clearShellRecords();

// Destroys every window of the calling thread and forgets the window classes
// registered by modules (the system classes stay).
SIMAPI void destroyThreadWindows();

}  // namespace trvsim
