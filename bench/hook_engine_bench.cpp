// What a hook adds to every SendMessageA of the host process: the jump to
// the replacement (on x86-64 through a relay when it lies out of reach) and
// the trampoline back, against the same call unhooked.
#include <benchmark/benchmark.h>

#include "host/hook_engine.h"

namespace {

ApiHook sendMessageHook;

LRESULT WINAPI passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return reinterpret_cast<decltype(&SendMessageA)>(sendMessageHook.trampolineAddress())(window, message, wParam,
                                                                                           lParam);
}

LRESULT CALLBACK answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return LRESULT(wParam + 1);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND benchWindow() {
    static HWND window = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = answer;
        cls.lpszClassName = "HookBenchWindow";
        RegisterClassA(&cls);
        return CreateWindowExA(0, "HookBenchWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    }();
    return window;
}

void sendTo(benchmark::State& state) {
    HWND window = benchWindow();
    WPARAM value = 0;
    for (auto _ : state) value = WPARAM(SendMessageA(window, WM_USER, value, 0));
    benchmark::DoNotOptimize(value);
}

void sendMessageUnhooked(benchmark::State& state) { sendTo(state); }

void sendMessageHooked(benchmark::State& state) {
    if (!sendMessageHook.hook("user32.dll", "SendMessageA", reinterpret_cast<const void*>(&passOn))) {
        state.SkipWithError("SendMessageA could not be hooked");
        return;
    }
    sendTo(state);
    sendMessageHook.unhook();
}

}  // namespace

BENCHMARK(sendMessageUnhooked);
BENCHMARK(sendMessageHooked);
