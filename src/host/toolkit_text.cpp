#include "toolkit_text.h"

ToolkitText toToolkitText(const std::string& gbk) {
    if (gbk.empty()) return {};
    int length = XC_AnsiToUnicode(gbk.data(), int(gbk.size()), nullptr, 0);
    ToolkitText text(size_t(length > 0 ? length : 0), WCHAR(0));
    if (length > 0) XC_AnsiToUnicode(gbk.data(), int(gbk.size()), text.data(), length);
    return text;
}

std::string fromToolkitText(const WCHAR* text) { return text ? XC_wtoa(text) : std::string(); }

HELE elementNamed(const std::string& name) {
    return static_cast<HELE>(XC_GetObjectByName(toToolkitText(name).c_str()));
}
