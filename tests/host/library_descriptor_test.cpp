#include <cstring>

#include "host/library_descriptor.h"
#include "support/run_folder.h"

namespace {

const LibraryDescriptor& descriptorOf(trvsim::SimIde& ide) {
    return *static_cast<const LibraryDescriptor*>(ide.descriptor());
}

DWORD wordAt(const void* record, size_t offset) {
    DWORD value;
    std::memcpy(&value, static_cast<const char*>(record) + offset, 4);
    return value;
}

WORD halfAt(const void* record, size_t offset) {
    WORD value;
    std::memcpy(&value, static_cast<const char*>(record) + offset, 2);
    return value;
}

const char* textAt(const void* record, size_t offset) {
    return reinterpret_cast<const char*>(UINT_PTR(wordAt(record, offset)));
}

}  // namespace

using LibraryDescriptorTest = IdeTest;

TEST_F(LibraryDescriptorTest, DescribesTheLibraryAndItsTwoCommands) {
    ASSERT_TRUE(ide->loadPlugin());
    const LibraryDescriptor& d = descriptorOf(*ide);
    EXPECT_EQ(d.formatTag, 20000101u);
    EXPECT_STREQ(d.identifier, "{80F2C10C-50DD-4f5a-96EF-E8F9B422DAA7}");
    EXPECT_STREQ(d.displayName, "Tarvolin IDE");
    EXPECT_EQ(std::strncmp(d.description, "本支持库用于改变易语言IDE外观", std::strlen("本支持库用于改变易语言IDE外观")), 0);
    EXPECT_EQ(std::strstr(d.description, "http"), nullptr);
    EXPECT_EQ(d.word48, 0x100u);
    EXPECT_EQ(d.categoryCount, 1u);
    EXPECT_EQ(std::memcmp(d.categories, "0000调试辅助", std::strlen("0000调试辅助") + 1), 0);
    EXPECT_EQ(d.commandCount, 2u);
    EXPECT_EQ(d.constantCount, 0u);
    EXPECT_NE(d.constants, nullptr);
    EXPECT_NE(d.notify, nullptr);

    struct Expected {
        const char* name;
        const char* englishName;
        const char* engine;
        std::vector<const char*> arguments;
    };
    const Expected commands[] = {
        {"TRV_反汇编_OD", "Tarvolin_Dis_OD", "使用OD引擎,", {"反汇编地址", "反汇编长度"}},
        {"TRV_反汇编_BE", "Tarvolin_Dis_BE", "使用BeaEngine引擎,", {"反汇编语法", "反汇编地址", "反汇编长度"}},
    };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const CommandRecord& c = d.commands[i];
        EXPECT_STREQ(c.name, commands[i].name);
        EXPECT_STREQ(c.englishName, commands[i].englishName);
        EXPECT_EQ(std::strncmp(c.description, commands[i].engine, std::strlen(commands[i].engine)), 0);
        EXPECT_NE(std::strstr(c.description, "注意:  本命令仅作为调试时使用,不支持编译,编译时请删除本命令"), nullptr);
        EXPECT_EQ(c.category, 1);
        EXPECT_EQ(c.flags, 0);
        EXPECT_EQ(c.returnType, 0u);
        EXPECT_EQ(c.word20, 0);
        EXPECT_EQ(c.word22, 1);
        EXPECT_EQ(c.word24, 0);
        EXPECT_EQ(c.word26, 0);
        ASSERT_EQ(c.argumentCount, commands[i].arguments.size());
        for (size_t a = 0; a < c.argumentCount; ++a) {
            EXPECT_STREQ(c.arguments[a].name, commands[i].arguments[a]);
            EXPECT_EQ(c.arguments[a].dataType, 0x80000301u);
            EXPECT_EQ(c.arguments[a].defaultValue, 0u);
            EXPECT_EQ(c.arguments[a].flags, 0u);
        }
        EXPECT_NE(d.routines[i], nullptr);
    }
    EXPECT_STREQ(d.commands[1].arguments[0].description,
                 "选择反汇编语法，可选值: 512 = Nasm，0 = Masm，256 = GoAsm，AT = 1024");
}

TEST_F(LibraryDescriptorTest, SecondCallReturnsTheSameRecordUnchanged) {
    ASSERT_TRUE(ide->loadPlugin());
    auto getNewInf = reinterpret_cast<const LibraryDescriptor*(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("Tarvolin.fne"), "GetNewInf")));
    ASSERT_NE(getNewInf, nullptr);
    const LibraryDescriptor* again = getNewInf();
    EXPECT_EQ(again, ide->descriptor());
    EXPECT_EQ(again->categoryCount, 1u);
    EXPECT_EQ(again->commandCount, 2u);
    EXPECT_EQ(again->commands[0].argumentCount, 2u);
}

TEST(DescriptorBuilder, FindsCategoriesByExactName) {
    DescriptorBuilder builder;
    builder.addCategory("0000调试辅助");
    builder.addCategory("0001其他");
    EXPECT_EQ(builder.findCategory("0001其他"), 2);
    EXPECT_EQ(builder.findCategory("0000调试"), -1);
    EXPECT_EQ(std::memcmp(builder.categoryList(), "0000调试辅助\0" "0001其他", sizeof("0000调试辅助\0" "0001其他")), 0);
}

// The record as the 32-bit host reads it.
TEST_F(LibraryDescriptorTest, BytesOfTheRecordOnTheTarget) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "the byte layout is that of the 32-bit target";
    ASSERT_TRUE(ide->loadPlugin());
    const void* d = ide->descriptor();
    const std::pair<size_t, DWORD> words[] = {{0, 0x01312D65}, {8, 1},  {12, 0},  {16, 1},  {20, 1},  {24, 0},
                                              {28, 3},         {32, 0}, {40, 1},  {48, 256}, {68, 0}, {80, 0},
                                              {84, 0},         {88, 0}, {92, 1},  {100, 2}, {112, 0}, {116, 0},
                                              {124, 0},        {128, 0}, {132, 0}, {140, 0}};
    for (auto [offset, value] : words) EXPECT_EQ(wordAt(d, offset), value) << "offset " << offset;
    EXPECT_STREQ(textAt(d, 4), "{80F2C10C-50DD-4f5a-96EF-E8F9B422DAA7}");
    EXPECT_STREQ(textAt(d, 36), "Tarvolin IDE");
    for (size_t offset : {52, 56, 60, 64, 72, 76}) EXPECT_NE(wordAt(d, offset), 0u) << "offset " << offset;
    EXPECT_EQ(std::memcmp(textAt(d, 96), "0000调试辅助", std::strlen("0000调试辅助") + 1), 0);
    EXPECT_NE(wordAt(d, 120), 0u);
    EXPECT_NE(wordAt(d, 136), 0u);

    const char* commands = textAt(d, 104);
    const DWORD* routines = reinterpret_cast<const DWORD*>(textAt(d, 108));
    for (int i = 0; i < 2; ++i) {
        const char* c = commands + 36 * i;
        EXPECT_EQ(halfAt(c, 12), 1);
        EXPECT_EQ(halfAt(c, 14), 0);
        EXPECT_EQ(wordAt(c, 16), 0u);
        EXPECT_EQ(halfAt(c, 20), 0);
        EXPECT_EQ(halfAt(c, 22), 1);
        EXPECT_EQ(halfAt(c, 24), 0);
        EXPECT_EQ(halfAt(c, 26), 0);
        EXPECT_EQ(wordAt(c, 28), DWORD(2 + i));
        const char* arguments = textAt(c, 32);
        for (DWORD a = 0; a < wordAt(c, 28); ++a) {
            const char* r = arguments + 24 * a;
            EXPECT_NE(wordAt(r, 0), 0u);
            EXPECT_NE(wordAt(r, 4), 0u);
            EXPECT_EQ(halfAt(r, 8), 0);
            EXPECT_EQ(halfAt(r, 10), 0);
            EXPECT_EQ(wordAt(r, 12), 0x80000301u);
            EXPECT_EQ(wordAt(r, 16), 0u);
            EXPECT_EQ(wordAt(r, 20), 0u);
        }
        EXPECT_NE(routines[i], 0u);
    }
    EXPECT_STREQ(textAt(commands + 36, 0), "TRV_反汇编_BE");
    EXPECT_STREQ(textAt(textAt(commands + 36, 32), 0), "反汇编语法");
}
