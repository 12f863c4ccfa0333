#include "scenario.h"

namespace trvsim {

// The demo: the trace log open in Notepad, the host starts the plug-in,
// a pop-up menu notification is traced, the host closes.
const char* const demoScenario = reinterpret_cast<const char*>(u8R"(# Tarvolin demo
notepad open
title 易语言 5.9 - C:\EIDE\示例.e - [窗口程序集_启动窗口]
start
notify 19 3 7
snapshot
close 6
)");

}  // namespace trvsim
