// SendMessageA in the simulated IDE: unhooked; hooked, a message no rule
// watches; hooked, a watched message to a window no rule watches; hooked, a
// watched message to a watched window with its mirror update.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "sim_ide.h"

namespace {

namespace fs = std::filesystem;

struct Ide {
    std::string folder;
    std::unique_ptr<trvsim::SimIde> ide;
    HWND plain, otherCombo, navigation;

    explicit Ide(bool withPlugin) {
        char pattern[] = "/tmp/tarvolin-bench-XXXXXX";
        folder = mkdtemp(pattern);
        fs::create_directory(folder + "/lib");
        fs::create_symlink(std::string(TRV_IDE_DIR) + "/lib/Tarvolin.fne", folder + "/lib/Tarvolin.fne");
        fs::create_directory_symlink(std::string(TRV_IDE_DIR) + "/lib/Tarvolin", folder + "/lib/Tarvolin");
        ide = std::make_unique<trvsim::SimIde>(folder);
        if (withPlugin) ide->start();
        plain = ide->control({0xE81E, 130, 0, 1000, 1011});
        otherCombo = ide->control({0xE81E, 130, 0, 1000, 1167});
        navigation = ide->control({0xE81B, 135, 629});
        for (HWND combo : {otherCombo, navigation})
            for (const char* item : {"窗口程序集_启动窗口", "子程序1", "子程序2"})
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    ~Ide() {
        ide.reset();
        fs::remove_all(folder);
    }
};

void unhooked(benchmark::State& state) {
    Ide host(false);
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(host.plain, WM_GETTEXTLENGTH, 0, 0));
}

void hookedUnwatchedMessage(benchmark::State& state) {
    Ide host(true);
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(host.plain, WM_GETTEXTLENGTH, 0, 0));
}

void hookedWatchedMessageOtherWindow(benchmark::State& state) {
    Ide host(true);
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(host.otherCombo, CB_SETCURSEL, 1, 0));
}

void hookedWatchedMessageWithMirror(benchmark::State& state) {
    Ide host(true);
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(host.navigation, CB_SETCURSEL, 1, 0));
}

}  // namespace

BENCHMARK(unhooked);
BENCHMARK(hookedUnwatchedMessage);
BENCHMARK(hookedWatchedMessageOtherWindow);
BENCHMARK(hookedWatchedMessageWithMirror);
