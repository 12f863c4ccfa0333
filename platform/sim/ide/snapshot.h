// A readable picture of what the plug-in shows and did: an ordered tree of
// named values, printed as indented text or as JSON (both UTF-8).
#pragma once

#include <string>
#include <vector>

namespace trvsim {

class SimIde;

struct Snapshot {
    enum class Kind { Object, List, Text, Number, Flag };

    std::string name;
    Kind kind = Kind::Object;
    std::string text;  // UTF-8, for Text; the digits, for Number
    bool flag = false;
    std::vector<Snapshot> items;

    Snapshot& object(const std::string& name);
    Snapshot& list(const std::string& name);
    void add(const std::string& name, const std::string& utf8);
    void add(const std::string& name, long long number);
    void add(const std::string& name, bool value);
    const Snapshot* find(const std::string& name) const;
};

Snapshot takeSnapshot(const SimIde& ide);
std::string renderText(const Snapshot& snapshot);
std::string renderJson(const Snapshot& snapshot);

}  // namespace trvsim
