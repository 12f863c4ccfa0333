// The plug-in's diagnostic trace: lines appended to an open Notepad window
// on "TrvLog.txt"; without one, a line goes nowhere.
#pragma once

#include <string>

void traceLine(const std::string& text);
