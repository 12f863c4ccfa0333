#include "host_services.h"

HostNotifyFunction hostNotify = nullptr;

INT_PTR callHost(INT code, INT_PTR first, INT_PTR second) {
    return hostNotify ? hostNotify(code, first, second) : 0;
}

INT_PTR callHostFunction(DWORD code, INT_PTR first, INT_PTR second) {
    INT_PTR block[2] = {first, second};
    return callHost(HostCallFunction, INT_PTR(code), reinterpret_cast<INT_PTR>(block));
}
