// One case of the JSON document fuzz target, shared with the tests that
// replay kept inputs. Input: a flag byte (bit 0: unescape-\u), the document
// text, then paths, each after a 0xFF byte (no GBK text contains one).
// Returns false when the document broke one of its rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/json_document.h"

namespace fuzzcase {

// Walks the tree without recursion: every child names its parent, and every
// member is found under its own key at its own position.
inline bool treeHolds(const JsonNode* root) {
    std::vector<const JsonNode*> pending{root};
    while (!pending.empty()) {
        const JsonNode* node = pending.back();
        pending.pop_back();
        const MemberTable* members = node->members();
        if (members && members->count() != members->order().count()) return false;
        for (size_t i = 0; i < node->count(); ++i) {
            const JsonNode* child = node->child(int64_t(i));
            if (!child || child->parent() != node) return false;
            if (members && (!child->key() || node->member(*child->key()) != child)) return false;
            pending.push_back(child);
        }
    }
    return true;
}

inline bool runJsonCase(std::string_view input) {
    if (input.empty()) return true;
    const bool unescapeU = input[0] & 1;
    input.remove_prefix(1);
    std::vector<std::string_view> paths;
    size_t cut = input.find('\xFF');
    const std::string_view text = input.substr(0, cut);
    while (cut != std::string_view::npos) {
        input.remove_prefix(cut + 1);
        cut = input.find('\xFF');
        paths.push_back(input.substr(0, cut));
    }

    JsonDocument document;
    int code = 1, position = -1;
    const bool parsed = document.parse(text, unescapeU, &code, &position);
    if (parsed != (code == 0) || code > 0 || code < -6 || code == -1) return false;
    if (position < 0 || size_t(position) > text.size()) return false;  // never more UTF-16 units than bytes
    if (!parsed && (document.countAt("") != 0 || !document.textAt("").empty())) return false;
    if (parsed && !treeHolds(document.root())) return false;
    for (std::string_view path : paths) {
        int count = document.countAt(path);
        std::string found = document.textAt(path);
        const JsonNode* node = document.nodeAt(path);
        if (count < 0 || (!node && (count != 0 || !found.empty()))) return false;
    }
    // Again into the same document with the other flag: it changes string
    // contents only, never how far the scan gets.
    const int count = document.countAt("");
    int againCode = 1, againPosition = -1;
    document.parse(text, !unescapeU, &againCode, &againPosition);
    return againCode == code && againPosition == position && document.countAt("") == count;
}

}  // namespace fuzzcase
