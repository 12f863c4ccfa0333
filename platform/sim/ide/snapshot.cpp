#include "snapshot.h"

#include <windows.h>

#include <cstdio>

#include "sim_control.h"
#include "sim_ide.h"
#include "toolkit/toolkit_state.h"

namespace trvsim {

Snapshot& Snapshot::object(const std::string& name) {
    items.push_back(Snapshot{name, Kind::Object, {}, false, {}});
    return items.back();
}

Snapshot& Snapshot::list(const std::string& name) {
    items.push_back(Snapshot{name, Kind::List, {}, false, {}});
    return items.back();
}

void Snapshot::add(const std::string& name, const std::string& utf8) { items.push_back(Snapshot{name, Kind::Text, utf8, false, {}}); }

void Snapshot::add(const std::string& name, long long number) {
    items.push_back(Snapshot{name, Kind::Number, std::to_string(number), false, {}});
}

void Snapshot::add(const std::string& name, bool value) {
    items.push_back(Snapshot{name, Kind::Flag, {}, value, {}});
}

const Snapshot* Snapshot::find(const std::string& wanted) const {
    for (auto& item : items)
        if (item.name == wanted) return &item;
    return nullptr;
}

namespace {

std::string hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string windowText(HWND window) {
    char text[4096];
    GetWindowTextA(window, text, sizeof text);
    return gbkToUtf8(text);
}

void hostPart(Snapshot& root, const SimIde& ide) {
    HWND main = ide.mainWindow();
    Snapshot& host = root.object("host main window");
    host.add("title", windowText(main));
    host.add("style", hex(DWORD(GetWindowLongA(main, GWL_STYLE))));
    host.add("extended style", hex(DWORD(GetWindowLongA(main, GWL_EXSTYLE))));
    COLORREF key;
    BYTE alpha;
    DWORD flags;
    if (GetLayeredWindowAttributes(main, &key, &alpha, &flags)) {
        Snapshot& layered = host.object("layered");
        layered.add("colour key", hex(key));
        layered.add("alpha", (long long)alpha);
        layered.add("flags", (long long)flags);
    }
    HWND parent = GetAncestor(main, GA_PARENT);
    char cls[64] = "";
    if (parent != GetDesktopWindow()) GetClassNameA(parent, cls, sizeof cls);
    host.add("parent", parent == GetDesktopWindow() ? std::string("desktop") : "window of class " + std::string(cls));

    Snapshot& bars = root.object("dock bars");
    const std::pair<const char*, int> docks[] = {{"top", 0xE81B}, {"left", 0xE81C}, {"bottom", 0xE81E}, {"right", 0xE81D}};
    for (auto& [name, id] : docks)
        bars.add(name, std::string(IsWindowVisible(ide.control({id})) ? "shown" : "hidden"));
}

void toolkitPart(Snapshot& root) {
    auto& tk = xc::toolkit();
    Snapshot& part = root.object("toolkit");
    part.add("initialised", tk.initialised);
    part.add("started", (long long)tk.initCount);
    part.add("ended", (long long)tk.exitCount);
    if (auto* font = dynamic_cast<xc::Font*>(xc::objectOf(tk.defaultFont))) {
        Snapshot& f = part.object("default font");
        f.add("name", gbkToUtf8(utf16ToGbk(font->name)));
        f.add("size", (long long)font->size);
        f.add("style", (long long)font->style);
    }
    for (auto [title, loads] : {std::pair{"resource files", &tk.resourceLoads}, std::pair{"style sheets", &tk.styleLoads}}) {
        Snapshot& list = part.list(title);
        for (auto& load : *loads) {
            Snapshot& entry = list.object("");
            entry.add("path", gbkToUtf8(utf16ToGbk(load.path)));
            entry.add("loaded", load.loaded);
        }
    }
}

std::string utf8(const std::u16string& text) { return gbkToUtf8(utf16ToGbk(text)); }

// The top-level toolkit window of class "Tarvolin": the plug-in's frame.
xc::WindowObject* shellFrame() {
    HWND hwnd = FindWindowA("Tarvolin", nullptr);
    for (auto& [handle, object] : xc::toolkit().objects)
        if (auto* w = xc::windowOf(object->handle); w && w->hwnd == hwnd && hwnd) return w;
    return nullptr;
}

std::string borderLook(xc::Element* area) {
    if (!area || area->bkInfo.empty()) return "none";
    return area->bkInfo.find(u"@ID_COLOR_WinBugBd") != std::u16string::npos ? "debugging" : "normal";
}

void toolBarPart(Snapshot& bars, const char* name) {
    auto* bar = xc::elementOf(xc::elementNamed(gbkToUtf16(name)));
    if (!bar) return;
    Snapshot& list = bars.list(name);
    for (HELE child : bar->children) {
        xc::Element* e = xc::elementOf(child);
        if (e->type == XC_BUTTON) {
            auto* image = dynamic_cast<xc::Image*>(xc::objectOf(static_cast<xc::Button*>(e)->icon));
            list.add("", "button " + utf8(e->tooltip) + (image ? "" : " (no icon)"));
        } else if (e->type == XC_COMBOBOX) {
            auto* combo = static_cast<xc::ComboBox*>(e);
            std::string items;
            for (auto& item : combo->items) items += (items.empty() ? "" : ", ") + utf8(item);
            list.add("", "combo box \"" + utf8(combo->text) + "\" [" + items + "] tooltip " + utf8(combo->tooltip));
        } else {
            list.add("", std::string(e->mouseThrough ? "separator" : "element"));
        }
    }
}

void framePart(Snapshot& root) {
    xc::WindowObject* frame = shellFrame();
    if (!frame) return;
    Snapshot& part = root.object("frame");
    part.add("title", windowText(frame->hwnd));
    RECT rect;
    GetWindowRect(frame->hwnd, &rect);
    part.add("size", std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top));
    Snapshot& borders = part.object("borders");
    const char* positions[] = {"top", "bottom", "left", "right"};
    for (int i = 0; i < 4; ++i) borders.add(positions[i], borderLook(xc::elementOf(frame->bound[i])));
    borders.add("shadow", hex(frame->shadow.colour));
    if (auto* button = xc::elementOf(xc::elementNamed(u"proJectNameBtn"))) {
        Snapshot& project = part.object("project name button");
        project.add("text", utf8(button->text));
        project.add("tooltip", utf8(button->tooltip));
    }
    Snapshot& groups = part.list("pane groups");
    const char* docks[] = {"left", "top", "right", "bottom"};
    for (auto& group : xc::toolkit().paneGroups) {
        if (group.frame != frame->handle) continue;
        Snapshot& entry = groups.object("");
        entry.add("dock", std::string(docks[group.dock]));
        Snapshot& panes = entry.list("panes");
        for (HELE pane : group.panes) {
            auto* p = static_cast<xc::Pane*>(xc::elementOf(pane));
            panes.add("", utf8(p->text) + (pane == group.front ? " (front)" : "") + (p->shown ? "" : " (hidden)"));
        }
    }
    Snapshot& floating = part.list("floating panes");
    for (HELE pane : xc::panesOf(frame->handle))
        if (auto* p = static_cast<xc::Pane*>(xc::elementOf(pane)); p->floatingWindow) floating.add("", utf8(p->text));
    Snapshot& bars = part.object("tool bars");
    toolBarPart(bars, "winToolBar0");
    toolBarPart(bars, "winToolBar1");
}

void shellPart(Snapshot& root) {
    Snapshot& boxes = root.list("message boxes");
    for (auto& box : messageBoxes()) boxes.add("", gbkToUtf8(box.text));
    Snapshot& commands = root.list("commands run");
    for (auto& line : commandLines()) commands.add("", gbkToUtf8(line));
}

void filesPart(Snapshot& root) {
    Snapshot& part = root.object("files in the run directory");
    for (const char* name : {"XCGUI.dll", "olly.dll", "BeaEngine.dll"})
        part.add(name, std::string(GetFileAttributesA((runDirectory() + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES
                                       ? "present"
                                       : "missing"));
}

void traceLogPart(Snapshot& root) {
    HWND notepad = FindWindowA("Notepad", nullptr);
    if (!notepad) return;
    Snapshot& lines = root.list("trace log");
    std::string text = windowText(GetWindow(notepad, GW_CHILD));
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.add("", text.substr(start, end - start));
    if (start < text.size()) lines.add("", text.substr(start));
}

void hostCallsPart(Snapshot& root, const SimIde& ide) {
    Snapshot& calls = root.list("host calls");
    for (auto& call : ide.hostCalls()) {
        char text[96];
        if (call.code == 2)
            std::snprintf(text, sizeof text, "host function 0x%08X", unsigned(call.first));
        else
            std::snprintf(text, sizeof text, "call %d", call.code);
        calls.add("", std::string(text));
    }
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    out += escape;
                } else {
                    out += char(c);
                }
        }
    }
    return out + "\"";
}

void text(const Snapshot& node, int depth, std::string& out) {
    std::string indent(size_t(depth) * 2, ' ');
    std::string label = node.name.empty() ? "-" : node.name;
    switch (node.kind) {
        case Snapshot::Kind::Text: out += indent + (node.name.empty() ? "- " : label + ": ") + node.text + "\n"; return;
        case Snapshot::Kind::Number: out += indent + label + ": " + node.text + "\n"; return;
        case Snapshot::Kind::Flag: out += indent + label + ": " + (node.flag ? "yes" : "no") + "\n"; return;
        default: break;
    }
    bool emptyList = node.kind == Snapshot::Kind::List && node.items.empty();
    out += indent + label + (emptyList ? ": none" : "") + "\n";
    for (auto& item : node.items) text(item, depth + 1, out);
}

void json(const Snapshot& node, std::string& out) {
    switch (node.kind) {
        case Snapshot::Kind::Text: out += quoted(node.text); return;
        case Snapshot::Kind::Number: out += node.text; return;
        case Snapshot::Kind::Flag: out += node.flag ? "true" : "false"; return;
        default: break;
    }
    bool isList = node.kind == Snapshot::Kind::List;
    out += isList ? "[" : "{";
    for (size_t i = 0; i < node.items.size(); ++i) {
        if (i) out += ",";
        if (!isList) out += quoted(node.items[i].name) + ":";
        json(node.items[i], out);
    }
    out += isList ? "]" : "}";
}

}  // namespace

Snapshot takeSnapshot(const SimIde& ide) {
    Snapshot root;
    hostPart(root, ide);
    toolkitPart(root);
    framePart(root);
    filesPart(root);
    shellPart(root);
    traceLogPart(root);
    hostCallsPart(root, ide);
    return root;
}

std::string renderText(const Snapshot& snapshot) {
    std::string out;
    for (auto& item : snapshot.items) text(item, 0, out);
    return out;
}

std::string renderJson(const Snapshot& snapshot) {
    std::string out;
    json(snapshot, out);
    return out + "\n";
}

}  // namespace trvsim
