// Debugging the host's programs: starting a process under the debugger, its
// debug events and detaching. The sim runs no other programs yet, so these
// end the process rather than pretend.
#include "sim_state.h"

using namespace trvsim;

SIMAPI SIM_HOOKABLE(5) BOOL WINAPI CreateProcessA(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                                                  DWORD, LPVOID, LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION) {
    notSimulated("CreateProcessA (other programs)");
}

SIMAPI SIM_HOOKABLE(5) BOOL WINAPI WaitForDebugEvent(LPDEBUG_EVENT, DWORD) {
    notSimulated("WaitForDebugEvent (debugging runs)");
}

SIMAPI SIM_HOOKABLE(5) BOOL WINAPI DebugActiveProcessStop(DWORD) { notSimulated("DebugActiveProcessStop (debugging runs)"); }
