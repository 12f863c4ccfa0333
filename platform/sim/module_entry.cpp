// Entry of the plug-in module on the simulated platform: dlopen and dlclose
// stand for the DLL's process attach and detach.
#include "host/lifecycle.h"

__attribute__((constructor)) static void attachPlugin() { onProcessAttach(); }
__attribute__((destructor)) static void detachPlugin() { onProcessDetach(); }
