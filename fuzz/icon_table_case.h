// One case of the icon table fuzz target, shared with the tests that replay
// kept inputs. Input: the item text (GBK), a 0xFF byte, then the bytes of the
// table file; without a 0xFF byte all of it is the file and the text is empty.
// Returns false when the decoding, parse or folding broke one of their rules.
#pragma once

#include <string>
#include <string_view>

#include "data/icon_map.h"
#include "data/json_document.h"

namespace fuzzcase {

inline bool runIconTableCase(std::string_view input) {
    size_t cut = input.find('\xFF');
    std::string_view itemText = cut == std::string_view::npos ? std::string_view() : input.substr(0, cut);
    std::string_view file = cut == std::string_view::npos ? input : input.substr(cut + 1);

    std::string decoded = decodeIconTable(file);
    if (decoded.find('\0') != std::string::npos) return false;
    JsonDocument table;
    if (!table.parse(decoded, false) && table.countAt("") != 0) return false;
    std::string icon;
    findIconFile(table, itemText, icon);
    // Folding keeps the length and is done after one pass.
    std::string folded = foldLatinCase(itemText);
    return folded.size() == itemText.size() && foldLatinCase(folded) == folded;
}

}  // namespace fuzzcase
