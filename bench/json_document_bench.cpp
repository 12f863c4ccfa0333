// Parsing a large JSON document, and the icon lookup that reads and parses
// the icon table for every component the host inserts.
#include <benchmark/benchmark.h>

#include <xcgui.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../platform/sim/sim_control.h"
#include "data/icon_map.h"
#include "data/json_document.h"

namespace {

// About `bytes` of an array of objects with strings, numbers, booleans and
// nested arrays; `gbk` puts Chinese text in every entry.
std::string documentOf(size_t bytes, bool gbk) {
    std::string text = "[";
    for (int i = 0; text.size() < bytes; ++i)
        text += "{\"eName\":\"Component" + std::to_string(i) + "\",\"cName\":\"" + (gbk ? "按钮" : "Knopf") +
                std::to_string(i) + "\",\"iCons\":\"icons/c" + std::to_string(i % 97) +
                ".png\",\"size\":[16,16],\"weight\":1.5e2,\"visible\":true,\"tags\":[\"a\",\"b\",null]},";
    text.back() = ']';
    return text;
}

void parseDocument(benchmark::State& state, bool gbk) {
    const std::string text = documentOf(10 * 1000 * 1000, gbk);
    for (auto _ : state) {
        JsonDocument document;
        int code = 1;
        document.parse(text, false, &code);
        if (code != 0) state.SkipWithError("the document did not parse");
        benchmark::DoNotOptimize(document.root());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void parseAsciiDocument(benchmark::State& state) { parseDocument(state, false); }
void parseGbkDocument(benchmark::State& state) { parseDocument(state, true); }
BENCHMARK(parseAsciiDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(parseGbkDocument)->Unit(benchmark::kMillisecond);

// A run folder seen as C:\EIDE with an icon table of 1,000 components, all
// pointing at one image, and the toolkit started.
class IconTableFolder {
public:
    IconTableFolder() {
        char pattern[] = "/tmp/tarvolin-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::create_directories(folder_ + "/lib/Tarvolin/Control/DarkIcons");
        std::ofstream(folder_ + "/lib/Tarvolin/Control/DarkIcons/c.png", std::ios::binary)
            << std::string("\x89PNG\r\n\x1a\n", 8);
        std::string table = "[";
        for (int i = 0; i < entries; ++i)
            table += std::string(i ? "," : "") + "{\"eName\":\"Component" + std::to_string(i) + "\",\"cName\":\"" +
                     trvsim::gbkToUtf8("组件") + std::to_string(i) + "\",\"iCons\":\"c.png\"}";
        std::ofstream(folder_ + "/lib/Tarvolin/Control/icon.json", std::ios::binary) << table << "]";
        trvsim::mapRunDirectory("C:\\EIDE", folder_, "e.exe");
        XInitXCGUI(u"");
    }
    ~IconTableFolder() {
        XExitXCGUI();
        std::filesystem::remove_all(folder_);
    }
    static constexpr int entries = 1000;

private:
    std::string folder_;
};

// Looks up the item at `state.range(0)` in the table: 0 is the first entry,
// 999 the last, and 1000 a name that no entry has (every entry compared).
void lookUpIcon(benchmark::State& state) {
    static IconTableFolder folder;
    const std::string item = "component" + std::to_string(state.range(0));
    for (auto _ : state) {
        HIMAGE image = IconMap::lookUpIcon(item.c_str());
        if (!image != (state.range(0) == IconTableFolder::entries)) state.SkipWithError("wrong lookup result");
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(lookUpIcon)->Arg(0)->Arg(999)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
