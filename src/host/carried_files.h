// The DLLs the plug-in carries and writes where they are missing. A build
// that carries none has them empty, and then nothing is written.
#pragma once

#include <cstddef>
#include <string>

struct CarriedFile {
    const unsigned char* bytes;
    size_t size;
};

extern const CarriedFile carriedToolkitDll;  // "XCGUI.dll"
extern const CarriedFile carriedOllyDll;     // "olly.dll"
extern const CarriedFile carriedBeaEngineDll;  // "BeaEngine.dll"

// Writes the file at `path` (GBK) when no file is there; true when written.
bool writeCarriedFileWhenMissing(const std::string& path, const CarriedFile& file);

// The directory of the running executable, without a trailing backslash.
std::string executableDirectory();
