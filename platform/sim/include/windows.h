// Win32 declarations of the simulated platform: the subset the plug-in and the
// simulated IDE use, with the real types, values and record layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__i386__)
#define WINAPI __attribute__((stdcall))
#define __stdcall __attribute__((stdcall))
#else
#define WINAPI
#define __stdcall
#endif
#define CALLBACK WINAPI
#define NTAPI __stdcall
#define APIENTRY WINAPI
#define WINAPIV

#define SIMAPI extern "C" __attribute__((visibility("default")))

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef char16_t WCHAR;
typedef long long LONGLONG;
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef uintptr_t SIZE_T;
typedef intptr_t LPARAM;
typedef uintptr_t WPARAM;
typedef intptr_t LRESULT;
typedef LONG NTSTATUS;
typedef DWORD COLORREF;
typedef WORD ATOM;
typedef float FLOAT;

typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* PVOID;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef DWORD* PDWORD;
typedef BOOL* LPBOOL;
typedef LONG* LPLONG;
typedef SIZE_T* PSIZE_T;
typedef ULONG* PULONG;

typedef void* HANDLE;
typedef HANDLE* LPHANDLE;
#define SIM_DECLARE_HANDLE(name) \
    struct name##__;             \
    typedef struct name##__* name
SIM_DECLARE_HANDLE(HWND);
SIM_DECLARE_HANDLE(HINSTANCE);
SIM_DECLARE_HANDLE(HMENU);
SIM_DECLARE_HANDLE(HDC);
SIM_DECLARE_HANDLE(HBITMAP);
SIM_DECLARE_HANDLE(HFONT);
SIM_DECLARE_HANDLE(HBRUSH);
SIM_DECLARE_HANDLE(HICON);
SIM_DECLARE_HANDLE(HKEY);
#undef SIM_DECLARE_HANDLE
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
typedef HANDLE HGDIOBJ;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(WINAPI* FARPROC)();
typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID);
typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);

#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif
#define MAX_PATH 260
#define INFINITE 0xFFFFFFFFu

#define MAKELONG(low, high) ((LONG)(((WORD)((DWORD_PTR)(low) & 0xFFFF)) | ((DWORD)((WORD)((DWORD_PTR)(high) & 0xFFFF))) << 16))
#define MAKEWPARAM(low, high) ((WPARAM)(DWORD)MAKELONG(low, high))
#define MAKELPARAM(low, high) ((LPARAM)(DWORD)MAKELONG(low, high))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l) & 0xFFFF))
#define HIWORD(l) ((WORD)(((DWORD_PTR)(l) >> 16) & 0xFFFF))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

struct RECT {
    LONG left, top, right, bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
struct POINT {
    LONG x, y;
};
typedef POINT* LPPOINT;
struct SIZE {
    LONG cx, cy;
};
struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    };
    LONGLONG QuadPart;
};

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct CREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCTA* LPCREATESTRUCTA;

struct CREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCTW* LPCREATESTRUCTW;

struct MEMORY_BASIC_INFORMATION {
    PVOID BaseAddress;
    PVOID AllocationBase;
    DWORD AllocationProtect;
    SIZE_T RegionSize;
    DWORD State;
    DWORD Protect;
    DWORD Type;
};
typedef MEMORY_BASIC_INFORMATION* PMEMORY_BASIC_INFORMATION;

// Debugging.
struct EXCEPTION_RECORD {
    DWORD ExceptionCode;
    DWORD ExceptionFlags;
    EXCEPTION_RECORD* ExceptionRecord;
    PVOID ExceptionAddress;
    DWORD NumberParameters;
    ULONG_PTR ExceptionInformation[15];
};
struct EXCEPTION_DEBUG_INFO {
    EXCEPTION_RECORD ExceptionRecord;
    DWORD dwFirstChance;
};
struct CREATE_THREAD_DEBUG_INFO {
    HANDLE hThread;
    LPVOID lpThreadLocalBase;
    LPTHREAD_START_ROUTINE lpStartAddress;
};
struct CREATE_PROCESS_DEBUG_INFO {
    HANDLE hFile;
    HANDLE hProcess;
    HANDLE hThread;
    LPVOID lpBaseOfImage;
    DWORD dwDebugInfoFileOffset;
    DWORD nDebugInfoSize;
    LPVOID lpThreadLocalBase;
    LPTHREAD_START_ROUTINE lpStartAddress;
    LPVOID lpImageName;
    WORD fUnicode;
};
struct EXIT_THREAD_DEBUG_INFO {
    DWORD dwExitCode;
};
struct EXIT_PROCESS_DEBUG_INFO {
    DWORD dwExitCode;
};
struct LOAD_DLL_DEBUG_INFO {
    HANDLE hFile;
    LPVOID lpBaseOfDll;
    DWORD dwDebugInfoFileOffset;
    DWORD nDebugInfoSize;
    LPVOID lpImageName;
    WORD fUnicode;
};
struct UNLOAD_DLL_DEBUG_INFO {
    LPVOID lpBaseOfDll;
};
struct OUTPUT_DEBUG_STRING_INFO {
    LPSTR lpDebugStringData;
    WORD fUnicode;
    WORD nDebugStringLength;
};
struct RIP_INFO {
    DWORD dwError;
    DWORD dwType;
};
struct DEBUG_EVENT {
    DWORD dwDebugEventCode;
    DWORD dwProcessId;
    DWORD dwThreadId;
    union {
        EXCEPTION_DEBUG_INFO Exception;
        CREATE_THREAD_DEBUG_INFO CreateThread;
        CREATE_PROCESS_DEBUG_INFO CreateProcessInfo;
        EXIT_THREAD_DEBUG_INFO ExitThread;
        EXIT_PROCESS_DEBUG_INFO ExitProcess;
        LOAD_DLL_DEBUG_INFO LoadDll;
        UNLOAD_DLL_DEBUG_INFO UnloadDll;
        OUTPUT_DEBUG_STRING_INFO DebugString;
        RIP_INFO RipInfo;
    } u;
};
typedef DEBUG_EVENT* LPDEBUG_EVENT;

struct STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};
typedef STARTUPINFOA* LPSTARTUPINFOA;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

#if defined(__i386__)
static_assert(sizeof(MEMORY_BASIC_INFORMATION) == 28);
static_assert(sizeof(EXCEPTION_RECORD) == 80);
static_assert(sizeof(CREATE_PROCESS_DEBUG_INFO) == 40);
static_assert(sizeof(DEBUG_EVENT) == 96);
static_assert(sizeof(STARTUPINFOA) == 68);
static_assert(sizeof(PROCESS_INFORMATION) == 16);
#endif

// Window messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_SETFONT 0x0030
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_NCCALCSIZE 0x0083
#define WM_NCPAINT 0x0085
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_HSCROLL 0x0114
#define WM_VSCROLL 0x0115
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_MOUSEWHEEL 0x020A
#define WM_PARENTNOTIFY 0x0210
#define WM_MDIACTIVATE 0x0222
#define WM_USER 0x0400
#define WM_APP 0x8000

// Edit control messages.
#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1
#define EM_SCROLLCARET 0x00B7
#define EM_GETLINECOUNT 0x00BA
#define EM_SETREADONLY 0x00CF
#define EM_REPLACESEL 0x00C2

// Window long indexes.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWL_ID (-12)
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_USERDATA (-21)
#define GWLP_ID (-12)

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_LAYERED 0x00080000L
#define ES_MULTILINE 0x0004L
#define ES_READONLY 0x0800L
#define CW_USEDEFAULT ((int)0x80000000)

#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWNA 8
#define SW_RESTORE 9

// GetWindow relations.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5

// GetAncestor relations.
#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3

// SetWindowPos flags.
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define HWND_TOP ((HWND)0)
#define HWND_MESSAGE ((HWND)(LONG_PTR)-3)

// Message queue.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define QS_ALLINPUT 0x04FF
#define QS_ALLEVENTS 0x04BF
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259

// Errors.
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_MOD_NOT_FOUND 126
#define ERROR_PROC_NOT_FOUND 127
#define ERROR_ALREADY_EXISTS 183
#define ERROR_NO_UNICODE_TRANSLATION 1113
#define ERROR_INVALID_WINDOW_HANDLE 1400
#define ERROR_CANNOT_FIND_WND_CLASS 1407
#define ERROR_CLASS_ALREADY_EXISTS 1410

// Files.
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

// Memory.
#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// Virtual memory: allocation types, states, region types, page protections.
#define MEM_COMMIT 0x00001000
#define MEM_RESERVE 0x00002000
#define MEM_DECOMMIT 0x00004000
#define MEM_RELEASE 0x00008000
#define MEM_FREE 0x00010000
#define MEM_PRIVATE 0x00020000
#define MEM_MAPPED 0x00040000
#define MEM_IMAGE 0x01000000
#define PAGE_NOACCESS 0x01
#define PAGE_READONLY 0x02
#define PAGE_READWRITE 0x04
#define PAGE_WRITECOPY 0x08
#define PAGE_EXECUTE 0x10
#define PAGE_EXECUTE_READ 0x20
#define PAGE_EXECUTE_READWRITE 0x40
#define PAGE_EXECUTE_WRITECOPY 0x80
#define PAGE_GUARD 0x100
#define PAGE_NOCACHE 0x200
#define PAGE_WRITECOMBINE 0x400
#define ERROR_NOACCESS 998
#define ERROR_INVALID_ADDRESS 487
#define ERROR_BAD_LENGTH 24
#define STATUS_SUCCESS ((NTSTATUS)0x00000000L)
#define STATUS_ACCESS_DENIED ((NTSTATUS)0xC0000022L)
#define STATUS_INVALID_PARAMETER ((NTSTATUS)0xC000000DL)
#define STATUS_NOT_COMMITTED ((NTSTATUS)0xC000002DL)
#define STATUS_INVALID_PAGE_PROTECTION ((NTSTATUS)0xC0000045L)
#define NT_SUCCESS(status) (((NTSTATUS)(status)) >= 0)

// Resources.
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))

// Colours.
#define CLR_INVALID 0xFFFFFFFF
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30

// Debugging: creation flags, event codes, continue statuses.
#define DEBUG_PROCESS 0x00000001
#define DEBUG_ONLY_THIS_PROCESS 0x00000002
#define CREATE_SUSPENDED 0x00000004
#define CREATE_NEW_CONSOLE 0x00000010
#define EXCEPTION_DEBUG_EVENT 1
#define CREATE_THREAD_DEBUG_EVENT 2
#define CREATE_PROCESS_DEBUG_EVENT 3
#define EXIT_THREAD_DEBUG_EVENT 4
#define EXIT_PROCESS_DEBUG_EVENT 5
#define LOAD_DLL_DEBUG_EVENT 6
#define UNLOAD_DLL_DEBUG_EVENT 7
#define OUTPUT_DEBUG_STRING_EVENT 8
#define RIP_EVENT 9
#define DBG_CONTINUE 0x00010002L
#define DBG_EXCEPTION_NOT_HANDLED 0x80010001L

// Code pages.
#define CP_ACP 0
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x00000008

// DLL entry reasons.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// kernel32
SIMAPI DWORD WINAPI GetLastError();
SIMAPI void WINAPI SetLastError(DWORD error);
SIMAPI DWORD WINAPI GetCurrentThreadId();
SIMAPI DWORD WINAPI GetCurrentProcessId();
SIMAPI HANDLE WINAPI GetCurrentProcess();
SIMAPI HANDLE WINAPI GetCurrentThread();
SIMAPI HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                                  LPVOID parameter, DWORD flags, LPDWORD threadId);
SIMAPI BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
SIMAPI DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
SIMAPI DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);
SIMAPI BOOL WINAPI CloseHandle(HANDLE handle);
SIMAPI void WINAPI Sleep(DWORD milliseconds);
SIMAPI DWORD WINAPI GetTickCount();
SIMAPI HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
SIMAPI BOOL WINAPI SetEvent(HANDLE event);
SIMAPI BOOL WINAPI ResetEvent(HANDLE event);
SIMAPI HANDLE WINAPI CreateWaitableTimerA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, LPCSTR name);
typedef void(CALLBACK* PTIMERAPCROUTINE)(LPVOID, DWORD, DWORD);
SIMAPI BOOL WINAPI SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period,
                                    PTIMERAPCROUTINE completion, LPVOID argument, BOOL resume);
SIMAPI BOOL WINAPI CancelWaitableTimer(HANDLE timer);

SIMAPI HMODULE WINAPI GetModuleHandleA(LPCSTR name);
SIMAPI HMODULE WINAPI LoadLibraryA(LPCSTR name);
SIMAPI BOOL WINAPI FreeLibrary(HMODULE module);
SIMAPI FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);
SIMAPI DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

SIMAPI DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);
SIMAPI BOOL WINAPI SetCurrentDirectoryA(LPCSTR path);
SIMAPI HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES attributes,
                                 DWORD disposition, DWORD flags, HANDLE templateFile);
SIMAPI BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPVOID overlapped);
SIMAPI BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPVOID overlapped);
SIMAPI DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high);
SIMAPI DWORD WINAPI GetFileAttributesA(LPCSTR name);
SIMAPI BOOL WINAPI DeleteFileA(LPCSTR name);
SIMAPI BOOL WINAPI CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES attributes);

SIMAPI HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
SIMAPI HGLOBAL WINAPI GlobalFree(HGLOBAL memory);
SIMAPI SIZE_T WINAPI GlobalSize(HGLOBAL memory);
SIMAPI LPVOID WINAPI VirtualAlloc(LPVOID address, SIZE_T size, DWORD allocationType, DWORD protect);
SIMAPI BOOL WINAPI VirtualFree(LPVOID address, SIZE_T size, DWORD freeType);
SIMAPI BOOL WINAPI VirtualProtect(LPVOID address, SIZE_T size, DWORD newProtect, PDWORD oldProtect);
SIMAPI SIZE_T WINAPI VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION buffer, SIZE_T length);
SIMAPI BOOL WINAPI IsBadReadPtr(const void* address, UINT_PTR size);
SIMAPI HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
SIMAPI HLOCAL WINAPI LocalFree(HLOCAL memory);
SIMAPI SIZE_T WINAPI LocalSize(HLOCAL memory);

SIMAPI int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out, int outLength);
SIMAPI int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int length, LPSTR out, int outLength,
                                      LPCSTR defaultChar, LPBOOL usedDefault);
SIMAPI BOOL WINAPI IsDBCSLeadByte(BYTE byte);
SIMAPI int WINAPI lstrlenA(LPCSTR text);

SIMAPI BOOL WINAPI CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                                  LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                                  LPVOID environment, LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                                  LPPROCESS_INFORMATION processInformation);
SIMAPI BOOL WINAPI WaitForDebugEvent(LPDEBUG_EVENT debugEvent, DWORD milliseconds);
SIMAPI BOOL WINAPI DebugActiveProcessStop(DWORD processId);

// gdi32
SIMAPI COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour);
SIMAPI COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour);
SIMAPI BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length);

// user32
SIMAPI ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass);
SIMAPI HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                   int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
SIMAPI HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                   int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
SIMAPI BOOL WINAPI DestroyWindow(HWND window);
SIMAPI BOOL WINAPI IsWindow(HWND window);
SIMAPI BOOL WINAPI IsWindowVisible(HWND window);
SIMAPI BOOL WINAPI IsChild(HWND parent, HWND window);
SIMAPI LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
SIMAPI LRESULT WINAPI CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
SIMAPI LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
SIMAPI BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
SIMAPI BOOL WINAPI PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
SIMAPI void WINAPI PostQuitMessage(int exitCode);
SIMAPI BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT first, UINT last);
SIMAPI BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove);
SIMAPI BOOL WINAPI TranslateMessage(const MSG* message);
SIMAPI LRESULT WINAPI DispatchMessageA(const MSG* message);
SIMAPI DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                              DWORD wakeMask);
SIMAPI HWND WINAPI GetDlgItem(HWND dialog, int id);
SIMAPI int WINAPI GetDlgCtrlID(HWND window);
SIMAPI LONG WINAPI GetWindowLongA(HWND window, int index);
SIMAPI LONG WINAPI SetWindowLongA(HWND window, int index, LONG value);
#if defined(__i386__)
// As on 32-bit Windows, the pointer-sized window longs are the 32-bit ones.
#define GetWindowLongPtrA GetWindowLongA
#define SetWindowLongPtrA SetWindowLongA
#else
SIMAPI LONG_PTR WINAPI GetWindowLongPtrA(HWND window, int index);
SIMAPI LONG_PTR WINAPI SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
#endif
SIMAPI HWND WINAPI GetParent(HWND window);
SIMAPI HWND WINAPI SetParent(HWND window, HWND parent);
SIMAPI HWND WINAPI GetWindow(HWND window, UINT relation);
SIMAPI HWND WINAPI GetAncestor(HWND window, UINT flags);
SIMAPI HWND WINAPI GetDesktopWindow();
SIMAPI BOOL WINAPI ShowWindow(HWND window, int command);
SIMAPI BOOL WINAPI ShowWindowAsync(HWND window, int command);
SIMAPI BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
SIMAPI BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
SIMAPI BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
SIMAPI BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
SIMAPI int WINAPI GetWindowTextA(HWND window, LPSTR text, int size);
SIMAPI int WINAPI GetWindowTextLengthA(HWND window);
SIMAPI BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
SIMAPI int WINAPI GetClassNameA(HWND window, LPSTR name, int size);
SIMAPI HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
SIMAPI HWND WINAPI FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
SIMAPI BOOL WINAPI EnumWindows(WNDENUMPROC procedure, LPARAM lParam);
SIMAPI BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC procedure, LPARAM lParam);
SIMAPI DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId);
SIMAPI BOOL WINAPI SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags);
SIMAPI BOOL WINAPI GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags);
SIMAPI BOOL WINAPI UpdateWindow(HWND window);
SIMAPI BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase);
SIMAPI DWORD WINAPI GetSysColor(int index);
SIMAPI HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name);


// Profiles, directory listing, message boxes and commands.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAA* LPWIN32_FIND_DATAA;
#define ERROR_NO_MORE_FILES 18
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNO 0x00000004L
#define MB_ICONERROR 0x00000010L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONWARNING 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

SIMAPI DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size,
                                             LPCSTR fileName);
SIMAPI BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
SIMAPI HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
SIMAPI BOOL WINAPI FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data);
SIMAPI BOOL WINAPI FindClose(HANDLE find);
SIMAPI int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
SIMAPI UINT WINAPI WinExec(LPCSTR commandLine, UINT show);

// Controls: notifications, the combo box, the list box, the MDI client, keys.
#define WM_NOTIFY 0x004E
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
typedef NMHDR* LPNMHDR;

#define CB_GETEDITSEL 0x0140
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_FINDSTRING 0x014C
#define CB_SETCURSEL 0x014E
#define CB_SHOWDROPDOWN 0x014F
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDSTATE 0x0157
#define CB_FINDSTRINGEXACT 0x0158
#define CB_GETCOMBOBOXINFO 0x0164
#define CB_MSGMAX 0x0165
#define CB_OKAY 0
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)
#define CBN_SELCHANGE 1
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBS_SIMPLE 0x0001L
#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L
#define CBS_OWNERDRAWFIXED 0x0010L
#define CBS_OWNERDRAWVARIABLE 0x0020L
#define CBS_SORT 0x0100L
#define CBS_HASSTRINGS 0x0200L
#define STATE_SYSTEM_PRESSED 0x00000008
struct COMBOBOXINFO {
    DWORD cbSize;
    RECT rcItem;
    RECT rcButton;
    DWORD stateButton;
    HWND hwndCombo;
    HWND hwndItem;
    HWND hwndList;
};
typedef COMBOBOXINFO* PCOMBOBOXINFO;

#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_RESETCONTENT 0x0184
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_GETTOPINDEX 0x018E
#define LB_FINDSTRING 0x018F
#define LB_SETTOPINDEX 0x0197
#define LB_GETITEMDATA 0x0199
#define LB_SETITEMDATA 0x019A
#define LB_GETITEMHEIGHT 0x01A1
#define LB_FINDSTRINGEXACT 0x01A2
#define LB_GETLISTBOXINFO 0x01B2
#define LB_OKAY 0
#define LB_ERR (-1)
#define LB_ERRSPACE (-2)
#define LBN_SELCHANGE 1
#define LBS_NOTIFY 0x0001L
#define LBS_SORT 0x0002L
#define LBS_MULTIPLESEL 0x0008L
#define LBS_OWNERDRAWFIXED 0x0010L
#define LBS_OWNERDRAWVARIABLE 0x0020L
#define LBS_HASSTRINGS 0x0040L
#define LBS_EXTENDEDSEL 0x0800L
#define LBS_NODATA 0x2000L

#define WM_MDICREATE 0x0220
#define WM_MDIDESTROY 0x0221
#define WM_MDIRESTORE 0x0223
#define WM_MDINEXT 0x0224
#define WM_MDIMAXIMIZE 0x0225
#define WM_MDIGETACTIVE 0x0229
#define WM_MDISETMENU 0x0230
#define WM_MDIREFRESHMENU 0x0234
#define WS_EX_MDICHILD 0x00000040L
#define MDIS_ALLCHILDSTYLES 0x0001
struct MDICREATESTRUCTA {
    LPCSTR szClass;
    LPCSTR szTitle;
    HANDLE hOwner;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPARAM lParam;
};
typedef MDICREATESTRUCTA* LPMDICREATESTRUCTA;
struct CLIENTCREATESTRUCT {
    HANDLE hWindowMenu;
    UINT idFirstChild;
};
typedef CLIENTCREATESTRUCT* LPCLIENTCREATESTRUCT;
#if defined(__i386__)
static_assert(sizeof(NMHDR) == 12);
static_assert(sizeof(COMBOBOXINFO) == 52);
static_assert(sizeof(MDICREATESTRUCTA) == 36);
static_assert(sizeof(CLIENTCREATESTRUCT) == 8);
#endif

#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_F4 0x73

// The procedure an MDI page passes what it does not handle to.
SIMAPI LRESULT WINAPI DefMDIChildProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// System metrics and window class data.
#define WM_SYSKEYDOWN 0x0104
#define WM_EXITSIZEMOVE 0x0232
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define GCL_STYLE (-26)
#define CS_DROPSHADOW 0x00020000

SIMAPI int WINAPI GetSystemMetrics(int index);
SIMAPI DWORD WINAPI GetClassLongA(HWND window, int index);
SIMAPI DWORD WINAPI SetClassLongA(HWND window, int index, LONG value);
