#include "scenario.h"

#include <functional>
#include <ostream>
#include <sstream>
#include <vector>

#include "sim_control.h"
#include "sim_ide.h"
#include "snapshot.h"
#include "toolkit/toolkit_state.h"

namespace trvsim {

namespace {

struct Context {
    SimIde& ide;
    SnapshotFormat format;
    std::ostream& out;
    HWND notepad = nullptr;
};

// One command: its words after the name, the rest of the line as text.
struct Arguments {
    std::vector<std::string> words;
    std::string rest;
};

using Command = std::function<bool(Context&, const Arguments&)>;

bool number(const std::string& word, long long& value) {
    try {
        size_t used;
        value = std::stoll(word, &used, 0);
        return used == word.size();
    } catch (...) {
        return false;
    }
}

bool start(Context& c, const Arguments& a) {
    if (!a.words.empty()) return false;
    c.ide.start();
    return true;
}

bool notify(Context& c, const Arguments& a) {
    long long code, first, second;
    if (a.words.size() != 3 || !number(a.words[0], code) || !number(a.words[1], first) || !number(a.words[2], second))
        return false;
    c.ide.notify(INT(code), INT_PTR(first), INT_PTR(second));
    return true;
}

bool close(Context& c, const Arguments& a) {
    long long code = 6;
    if (a.words.size() > 1 || (a.words.size() == 1 && (!number(a.words[0], code) || (code != 6 && code != 17))))
        return false;
    c.ide.notify(INT(code), 0, 0);
    return true;
}

bool title(Context& c, const Arguments& a) {
    c.ide.setTitle(utf8ToGbk(a.rest));
    return true;
}

bool snapshot(Context& c, const Arguments& a) {
    if (!a.words.empty()) return false;
    Snapshot taken = takeSnapshot(c.ide);
    c.out << (c.format == SnapshotFormat::Json ? renderJson(taken) : renderText(taken));
    return true;
}

bool notepad(Context& c, const Arguments& a) {
    if (a.words.empty()) return false;
    if (a.words[0] == "open" && a.words.size() <= 2 && !c.notepad) {
        bool modified = a.words.size() == 2;
        if (modified && a.words[1] != "modified") return false;
        c.notepad = openNotepad(std::string(modified ? "*" : "") + "TrvLog.txt - 记事本");
        return true;
    }
    if (a.words[0] == "close" && a.words.size() == 1 && c.notepad) {
        closeNotepad(c.notepad);
        c.notepad = nullptr;
        return true;
    }
    return false;
}

bool host(Context& c, const Arguments& a) {
    if (a.words.size() != 1) return false;
    if (a.words[0] == "blackmoon")
        return c.ide.loadBlackMoon();
    if (a.words[0] == "no-main-window")
        c.ide.setMainWindowAvailable(false);
    else if (a.words[0] == "main-window")
        c.ide.setMainWindowAvailable(true);
    else
        return false;
    return true;
}

bool wait(Context&, const Arguments& a) {
    long long milliseconds;
    if (a.words.size() != 1 || !number(a.words[0], milliseconds) || milliseconds < 0) return false;
    pumpMessages(DWORD(milliseconds));
    return true;
}

// The tool bar button whose tooltip is `tooltip` (GBK), or 0.
HELE toolButton(const std::string& tooltip) {
    std::u16string wanted = gbkToUtf16(tooltip);
    for (const char16_t* bar : {u"winToolBar0", u"winToolBar1"})
        if (auto* e = xc::elementOf(xc::elementNamed(bar)))
            for (HELE child : e->children)
                if (xc::elementOf(child)->tooltip == wanted) return child;
    return nullptr;
}

HELE linkerCombo() {
    if (auto* e = xc::elementOf(xc::elementNamed(u"winToolBar0")))
        for (HELE child : e->children)
            if (xc::elementOf(child)->type == XC_COMBOBOX) return child;
    return nullptr;
}

HELE paneNamed(const std::string& caption) {
    std::u16string wanted = gbkToUtf16(caption);
    for (auto& [handle, object] : xc::toolkit().objects)
        if (object->type == XC_PANE && static_cast<xc::Pane*>(object.get())->text == wanted) return object->handle;
    return nullptr;
}

bool click(Context&, const Arguments& a) {
    HELE button = toolButton(utf8ToGbk(a.rest));
    if (!button) return false;
    xc::userClick(button);
    return true;
}

bool hover(Context&, const Arguments& a) {
    HELE element = a.rest == "linker" ? linkerCombo() : toolButton(utf8ToGbk(a.rest));
    if (!element) return false;
    xc::userHover(element, true);
    xc::userHover(element, false);
    return true;
}

bool linker(Context&, const Arguments& a) {
    HELE combo = linkerCombo();
    if (!combo || a.words.size() != 2 || a.words[0] != "pick") return false;
    auto* c = static_cast<xc::ComboBox*>(xc::elementOf(combo));
    std::u16string wanted = gbkToUtf16(utf8ToGbk(a.words[1]));
    for (size_t i = 0; i < c->items.size(); ++i)
        if (c->items[i] == wanted) {
            xc::userPickComboItem(combo, int(i));
            return true;
        }
    return false;
}

bool pane(Context&, const Arguments& a) {
    if (a.words.size() != 2) return false;
    HELE found = paneNamed(utf8ToGbk(a.words[1]));
    auto* p = static_cast<xc::Pane*>(xc::elementOf(found));
    if (!p) return false;
    if (a.words[0] == "float") return xc::userFloatPane(found) != nullptr;
    if (a.words[0] == "close" && p->floatingWindow) {
        xc::userCloseWindow(p->floatingWindow);
        return true;
    }
    if (a.words[0] == "tab" && xc::groupOf(found)) {
        xc::userSelectPaneTab(found);
        return true;
    }
    return false;
}

bool frame(Context&, const Arguments& a) {
    HWND hwnd = FindWindowA("Tarvolin", nullptr);
    HWINDOW window = nullptr;
    for (auto& [handle, object] : xc::toolkit().objects)
        if (auto* w = xc::windowOf(object->handle); w && w->hwnd == hwnd) window = object->handle;
    if (!window || a.words.size() != 1) return false;
    if (a.words[0] == "close-box") {
        xc::userCloseWindow(window);
        return true;
    }
    if (a.words[0] == "close-button") {
        xc::userClick(xc::elementNamed(u"winClose"));
        return true;
    }
    if (a.words[0] == "project-button") {
        xc::userClick(xc::elementNamed(u"proJectNameBtn"));
        return true;
    }
    return false;
}

const std::vector<std::pair<std::string, Command>>& commands() {
    static const std::vector<std::pair<std::string, Command>> table = {
        {"start", start}, {"notify", notify},   {"close", close}, {"title", title},
        {"snapshot", snapshot}, {"notepad", notepad}, {"host", host},   {"wait", wait},
        {"click", click},       {"hover", hover},     {"linker", linker}, {"pane", pane},
        {"frame", frame},
    };
    return table;
}

Arguments split(const std::string& line, size_t from) {
    Arguments a;
    size_t begin = line.find_first_not_of(" \t", from);
    a.rest = begin == std::string::npos ? std::string() : line.substr(begin);
    std::istringstream words(a.rest);
    for (std::string word; words >> word;) a.words.push_back(word);
    return a;
}

}  // namespace

int playScenario(SimIde& ide, const std::string& scenarioUtf8, SnapshotFormat format, std::ostream& out,
                 std::ostream& errors) {
    Context context{ide, format, out};
    std::istringstream lines(scenarioUtf8);
    int lineNumber = 0;
    int result = 0;
    for (std::string line; std::getline(lines, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        size_t nameEnd = line.find_first_of(" \t", first);
        std::string name = line.substr(first, nameEnd == std::string::npos ? std::string::npos : nameEnd - first);
        const Command* command = nullptr;
        for (auto& [known, run] : commands())
            if (known == name) command = &run;
        if (!command || !(*command)(context, split(line, nameEnd == std::string::npos ? line.size() : nameEnd))) {
            errors << "scenario line " << lineNumber << ": cannot play \"" << line << "\"\n";
            result = 2;
            break;
        }
    }
    if (context.notepad) closeNotepad(context.notepad);
    return result;
}

}  // namespace trvsim
