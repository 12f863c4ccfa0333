// The simulated host IDE: its main window of class "ENewFrame" with dock
// bars, control bars, MDI client, switch bar and every control the plug-in
// finds by identifier; its notification function; and the loading of the
// plug-in module the way the real host does it.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace trvsim {

// One call of the host's notification function made by the plug-in. For
// host functions (code 2) `block` holds the two values of the parameter block.
struct HostCallRecord {
    INT code;
    INT_PTR first;
    INT_PTR second;
    INT_PTR block[2];
};

class SimIde {
public:
    // `hostFolder` is the IDE's folder (with lib\Tarvolin.fne and
    // lib\Tarvolin\), seen by the plug-in as `windowsFolder`.
    explicit SimIde(const std::string& hostFolder, const std::string& windowsFolder = "C:\\EIDE");
    ~SimIde();
    SimIde(const SimIde&) = delete;
    SimIde& operator=(const SimIde&) = delete;

    HWND mainWindow() const { return main_; }
    // The window reached from the main window through these control ids.
    HWND control(std::initializer_list<int> path) const;

    // The plug-in module: load it and take its descriptor, as the host does.
    bool loadPlugin();
    bool pluginLoaded() const { return module_ != nullptr; }
    const void* descriptor() const { return descriptor_; }
    // Calls the descriptor's notify routine.
    INT_PTR notify(INT code, INT_PTR first, INT_PTR second);
    // Loads the plug-in when needed, then notification 1 with the host's
    // notification function.
    INT_PTR start();
    // Waits for the plug-in's threads to end, then unloads the module.
    void unloadPlugin();
    // Puts the BlackMoon compile plug-in into the host process.
    bool loadBlackMoon();

    // Host state the plug-in reads.
    void setTitle(const std::string& titleGbk);
    void setMainWindowAvailable(bool available) { mainWindowAvailable_ = available; }
    void setVersion(DWORD version) { version_ = version; }
    void setCallResult(INT code, INT_PTR result) { callResults_[code] = result; }
    void setCall1006Text(INT_PTR value, const std::string& textGbk) { call1006Texts_[value] = textGbk; }
    // How the host answers a host function: given the parameter block, it
    // may write through the pointers it carries, and returns the result.
    using HostFunctionAnswer = std::function<INT_PTR(INT_PTR* block)>;
    void answerHostFunction(DWORD code, HostFunctionAnswer answer) { answers_[code] = std::move(answer); }

    const std::vector<HostCallRecord>& hostCalls() const { return hostCalls_; }
    // WM_CLOSE messages the host main window received; the host only notes them.
    int closeRequests() const { return closeRequests_; }
    // WM_COMMAND messages the host main window received: (wParam, lParam).
    const std::vector<std::pair<WPARAM, LPARAM>>& commands() const { return commands_; }

    // The host's notification function, as notification 1 hands it over.
    static INT_PTR WINAPI hostNotification(INT code, INT_PTR first, INT_PTR second);

private:
    static LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR answer(INT code, INT_PTR first, INT_PTR second);
    void buildWindows();

    HWND main_{};
    HMODULE module_{};
    HMODULE blackMoon_{};
    const void* descriptor_ = nullptr;
    bool mainWindowAvailable_ = true;
    DWORD version_ = (9u << 16) | 5u;  // 5.9
    std::map<INT, INT_PTR> callResults_;
    std::map<INT_PTR, std::string> call1006Texts_;
    std::map<DWORD, HostFunctionAnswer> answers_;
    std::vector<HostCallRecord> hostCalls_;
    std::vector<std::pair<WPARAM, LPARAM>> commands_;
    int closeRequests_ = 0;
};

}  // namespace trvsim
