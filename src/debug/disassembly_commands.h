// The routines of the two library commands, called by the host inside the
// program under debugging: result slot, argument count, arguments.
#pragma once

#include <windows.h>

void WINAPI disassembleWithOlly(void* result, INT count, void* arguments);
void WINAPI disassembleWithBeaEngine(void* result, INT count, void* arguments);
