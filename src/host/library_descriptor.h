// The record the host reads from GetNewInf: the library's identity, its
// command category, its two commands with their arguments and routines, and
// the notify routine. Every field is 32 bits wide on the target.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Carries out a command: result slot, number of arguments, the arguments
// (12 bytes each, the 32-bit value first).
typedef void(WINAPI* CommandRoutine)(void* result, INT count, void* arguments);
typedef INT_PTR(WINAPI* NotifyRoutine)(INT code, INT_PTR first, INT_PTR second);

struct ArgumentRecord {
    const char* name;
    const char* description;
    WORD word8;
    WORD word10;
    DWORD dataType;
    DWORD defaultValue;
    DWORD flags;
};

struct CommandRecord {
    const char* name;
    const char* englishName;
    const char* description;
    SHORT category;  // 1-based index into the category list
    WORD flags;
    DWORD returnType;
    WORD word20;
    WORD word22;
    WORD word24;
    WORD word26;
    DWORD argumentCount;
    ArgumentRecord* arguments;
};

struct LibraryDescriptor {
    DWORD formatTag;
    const char* identifier;
    DWORD word8, word12, word16, word20, word24, word28, word32;
    const char* displayName;
    DWORD word40;
    const char* description;
    DWORD word48;
    const char* authorName;
    const char* authorPostCode;
    const char* authorAddress;
    const char* authorTelephone;
    const char* text68;
    const char* authorEmail;
    const char* homePage;
    const char* text80;
    DWORD word84, word88;
    DWORD categoryCount;
    const char* categories;
    DWORD commandCount;
    CommandRecord* commands;
    CommandRoutine* routines;
    DWORD word112, word116;
    NotifyRoutine notify;
    DWORD word124, word128;
    DWORD constantCount;
    const void* constants;
    DWORD word140;
};

#if defined(__i386__) || (defined(_WIN32) && !defined(_WIN64))
static_assert(sizeof(ArgumentRecord) == 24);
static_assert(sizeof(CommandRecord) == 36);
static_assert(sizeof(LibraryDescriptor) == 144);
static_assert(offsetof(LibraryDescriptor, notify) == 120);
static_assert(offsetof(LibraryDescriptor, constants) == 136);
#endif

constexpr DWORD hostIntegerType = 0x80000301;

// Gathers categories, arguments and commands and keeps the packed arrays the
// descriptor points into.
class DescriptorBuilder {
public:
    void addCategory(const char* name);
    // 1-based index of the first category with this name; -1 when none.
    int findCategory(const char* name) const;
    void addArgument(const char* name, const char* description, DWORD type, DWORD defaultValue, DWORD flags);
    // Packs the pending arguments into the new command.
    void addCommand(const char* name, const char* englishName, CommandRoutine routine, const char* description,
                    int category, WORD flags, DWORD returnType, WORD word22, WORD word24, WORD word26);

    // The category names one after the other, each with its NUL.
    const char* categoryList() const { return categoryBytes_.data(); }
    DWORD categoryCount() const { return DWORD(categories_.size()); }
    CommandRecord* commandTable() { return commands_.data(); }
    DWORD commandCount() const { return DWORD(commands_.size()); }
    CommandRoutine* routineTable() { return routines_.data(); }

private:
    std::vector<std::string> categories_;
    std::string categoryBytes_;
    std::vector<ArgumentRecord> pending_;
    std::vector<std::vector<ArgumentRecord>> argumentArrays_;
    std::vector<CommandRecord> commands_;
    std::vector<CommandRoutine> routines_;
};

// What the descriptor leads to: the handler its notify routine forwards to
// and the routines of its two commands.
struct DescriptorEntries {
    NotifyRoutine notificationHandler;
    CommandRoutine disassembleWithOlly;
    CommandRoutine disassembleWithBeaEngine;
};

// Load and unload of the module: the zero-filled record, then everything it
// points to released.
void createLibraryDescriptor(const DescriptorEntries& entries);
void releaseLibraryDescriptor();
