// Text crossing to and from the toolkit: host code page (GBK) in the
// plug-in, UTF-16 at every toolkit call.
#pragma once

#include <xcgui.h>

#include <string>

using ToolkitText = std::basic_string<WCHAR>;

ToolkitText toToolkitText(const std::string& gbk);
std::string fromToolkitText(const WCHAR* text);

// The element of a loaded layout with this name (GBK); 0 when there is none.
HELE elementNamed(const std::string& name);
