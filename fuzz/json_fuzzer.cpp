// libFuzzer target: parses arbitrary bytes as a JSON document and queries it
// with arbitrary paths (see json_case.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/json_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzzcase::runJsonCase({reinterpret_cast<const char*>(data), size})) __builtin_trap();
    return 0;
}
