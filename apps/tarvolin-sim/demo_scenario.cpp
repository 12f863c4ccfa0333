#include "scenario.h"

namespace trvsim {

// The demo: the trace log open in Notepad, the host starts the plug-in, a
// pop-up menu notification is traced, the user opens a file from the tool
// bar, picks a linker, floats a pane and closes its window; the host closes.
const char* const demoScenario = reinterpret_cast<const char*>(u8R"(# Tarvolin demo
notepad open
title 易语言 5.9 - C:\EIDE\示例.e - [窗口程序集_启动窗口]
start
wait 200
notify 19 3 7
click 打开(Ctrl+O)
linker pick VC6
pane float 调试输出
pane close 调试输出
snapshot
close 6
)");

}  // namespace trvsim
