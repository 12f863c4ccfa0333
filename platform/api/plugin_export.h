// Marks the functions the plug-in module exports by name.
#pragma once

#if defined(_WIN32)
#define TRV_EXPORT extern "C" __declspec(dllexport)
#else
#define TRV_EXPORT extern "C" __attribute__((visibility("default")))
#endif
