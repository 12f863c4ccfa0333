#include "linker_switcher.h"

#include "host/carried_files.h"
#include "host/shell_handles.h"
#include "host/toolkit_text.h"
#include "shell/theme.h"

const char* const comboBoxNormalLook =
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_ComboBoxBg)10(1)7(1)11(5)16(0)15(@ID_COLOR_PaneBd);5:2(14)3(12,0,0,0)"
    "20(1)21(5)26(0)25(@ID_COLOR_PaneBd);3:2(36)3(6,3,3,3)4(@cd.png);5:2(15)20(1)21(5)26(0)25(@ID_COLOR_PaneBd)10(1)7(1)"
    "11(5)16(0)15(@ID_COLOR_WinBd);5:2(14)3(12,0,0,0)20(1)21(5)26(0)25(@ID_COLOR_WinBd);3:2(36)3(6,5,3,100)4(@cd.png);98:"
    "16(0,1,2)64(3,4,5);}";
const char* const comboBoxHoverLook =
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_PaneBd)10(1)7(1)11(5)16(0)15(@ID_COLOR_WinBd);5:2(14)3(12,0,0,0)20(1)"
    "21(5)26(0)25(@ID_COLOR_WinBg)10(1)7(1)11(5)16(0)15(@ID_COLOR_WinBd);3:2(36)3(6,3,3,3)4(@cd.png);5:2(15)20(1)21(5)26("
    "0)25(@ID_COLOR_PaneBd)10(1)7(1)11(5)16(0)15(@ID_COLOR_WinBd);5:2(14)3(12,0,0,0)20(1)21(5)26(0)25(@ID_COLOR_WinBd);3:"
    "2(36)3(6,5,3,100)4(@cd.png);98:16(0,1,2)64(3,4,5);}";

namespace {

std::string settingsFile() { return executableDirectory() + "\\tools\\link.ini"; }
std::string linkerExecutable(const std::string& name) {
    return executableDirectory() + "\\linker\\" + name + "\\bin\\link.exe";
}

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Position of `needle` (ASCII) in GBK `text` from `from` on, without case;
// never inside a double-byte character.
size_t findIgnoringCase(const std::string& text, const std::string& needle, size_t from) {
    for (size_t i = 0; i + needle.size() <= text.size(); ++i) {
        if (i >= from) {
            size_t k = 0;
            while (k < needle.size() && asciiLower(text[i + k]) == asciiLower(needle[k])) ++k;
            if (k == needle.size()) return i;
        }
        if (IsDBCSLeadByte(BYTE(text[i])) && i + 1 < text.size()) ++i;
    }
    return std::string::npos;
}

void setComboLook(HELE combo, const char* look) {
    setElementBackground(combo, look);
    XEle_Redraw(combo, TRUE);
}

int CALLBACK onEnter(HELE combo, BOOL*) {
    setComboLook(combo, comboBoxHoverLook);
    return 0;
}

int CALLBACK onLeave(HELE combo, BOOL*) {
    setComboLook(combo, comboBoxNormalLook);
    return 0;
}

int CALLBACK onDropDown(HELE combo, BOOL*) {
    fillLinkerList(combo);
    return 0;
}

int CALLBACK onSelect(HELE combo, int item, BOOL* handled) {
    std::string name = fromToolkitText(XComboBox_GetItemText(combo, item, 0));
    std::string executable = linkerExecutable(name);
    if (!name.empty() && fileExists(executable)) {
        WritePrivateProfileStringA("link", "link", executable.c_str(), settingsFile().c_str());
        return 0;
    }
    std::string text = "无法切换链接器:" + name + "\r\n无法找到 link.exe：" + executable;
    MessageBoxA(XWnd_GetHWND(ShellFrame), text.c_str(), "Tarvolin IDE", MB_ICONERROR);
    *handled = TRUE;
    return 1;
}

}  // namespace

std::string currentLinkerName() {
    char value[1024] = "";
    GetPrivateProfileStringA("linker", "linker", "", value, sizeof value, settingsFile().c_str());
    std::string text = value;
    size_t start = findIgnoringCase(text, "\\linker\\", 0);
    if (start == std::string::npos) return {};
    start += 8;
    size_t end = findIgnoringCase(text, "\\bin\\", start);
    return end == std::string::npos ? std::string() : text.substr(start, end - start);
}

void fillLinkerList(HELE combo) {
    XComboBox_DeleteItemAll(combo);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((executableDirectory() + "\\linker\\*.*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.empty() || name[0] == '.') continue;
            if (fileExists(linkerExecutable(name))) XComboBox_AddItemText(combo, toToolkitText(name).c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    XEle_Redraw(combo, TRUE);
}

void buildLinkerSwitcher(HELE toolBar) {
    HELE combo = XComboBox_Create(0, 0, 160, 22, toolBar);
    XComboBox_EnableEdit(combo, 0);
    XComboBox_SetItemTemplateXML(combo, toToolkitText(ThemeSet::comboBoxItemTemplate).c_str());
    XComboBox_CreateAdapter(combo);
    XEle_SetToolTip(combo, toToolkitText("更换选择其它链接器").c_str());
    XEle_SetTextColor(combo, RGB(241, 241, 241), 255);
    XEdit_SetText(combo, toToolkitText(currentLinkerName()).c_str());
    fillLinkerList(combo);
    XToolBar_InsertEle(toolBar, combo, -1);
    XEle_SetPadding(combo, 2, 0, 2, 0);
    setElementBackground(combo, comboBoxNormalLook);
    XEle_RegEventC1(combo, XE_MOUSE_ENTER, reinterpret_cast<void*>(&onEnter));
    XEle_RegEventC1(combo, XE_MOUSE_LEAVE, reinterpret_cast<void*>(&onLeave));
    XEle_RegEventC1(combo, XE_COMBOBOX_POPUP, reinterpret_cast<void*>(&onDropDown));
    XEle_RegEventC1(combo, XE_COMBOBOX_SELECT, reinterpret_cast<void*>(&onSelect));
}
