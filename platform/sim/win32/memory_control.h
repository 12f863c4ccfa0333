// What tests use to steer the simulated memory functions. The plug-in never
// sees this header.
#pragma once

#include <windows.h>

namespace trvsim {

// The protection change (VirtualProtect or ZwProtectVirtualMemory) that
// follows `succeedFirst` successful ones fails once with access denied, as
// when the system refuses to make a page writable. A negative count cancels.
SIMAPI void failProtectionChange(int succeedFirst);

}  // namespace trvsim
