// Binds the toolkit by name at run time: each toolkit function the plug-in
// calls is looked up in XCGUI.dll on its first call. A function the DLL
// lacks does nothing and gives a zero result.
#include <xcgui.h>

namespace {

FARPROC toolkitFunction(const char* name) {
    static HMODULE toolkit = LoadLibraryA("XCGUI.dll");
    return toolkit ? GetProcAddress(toolkit, name) : nullptr;
}

}  // namespace

#define TRV_XCGUI_FUNCTION(result, name, parameters, arguments)                                       \
    extern "C" result WINAPI name parameters {                                                        \
        using Function = result(WINAPI*) parameters;                                                  \
        static Function bound = reinterpret_cast<Function>(reinterpret_cast<void*>(toolkitFunction(#name))); \
        if (!bound) return static_cast<result>(0);                                                    \
        return bound arguments;                                                                       \
    }
#include <xcgui_functions.h>
#undef TRV_XCGUI_FUNCTION
