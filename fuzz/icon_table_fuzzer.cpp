// libFuzzer target: decodes arbitrary bytes as the icon table file, parses it
// and looks an item text up in it (see icon_table_case.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/icon_table_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzzcase::runIconTableCase({reinterpret_cast<const char*>(data), size})) __builtin_trap();
    return 0;
}
