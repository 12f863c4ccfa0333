#include "disassembly_commands.h"

// The commands have no effect until their disassembler engines are bound.
void WINAPI disassembleWithOlly(void*, INT, void*) {}
void WINAPI disassembleWithBeaEngine(void*, INT, void*) {}
