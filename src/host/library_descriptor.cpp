#include "library_descriptor.h"

#include <plugin_export.h>

#include <memory>


namespace {

LibraryDescriptor* descriptor = nullptr;
DescriptorBuilder* builder = nullptr;
bool built = false;
DescriptorEntries entries{};
const DWORD emptyConstantTable[1] = {0};

const char* const debugCategory = "0000调试辅助";
const char* const addressName = "反汇编地址";
const char* const addressDescription = "需要反汇编的地址";
const char* const lengthName = "反汇编长度";
const char* const lengthDescription = "需要反汇编的长度";

INT_PTR WINAPI notifyRoutine(INT code, INT_PTR first, INT_PTR second) {
    return entries.notificationHandler(code, first, second);
}

void build() {
    LibraryDescriptor& d = *descriptor;
    d.formatTag = 20000101;
    d.identifier = "{80F2C10C-50DD-4f5a-96EF-E8F9B422DAA7}";
    d.word8 = 1;
    d.word16 = 1;
    d.word20 = 1;
    d.word28 = 3;
    d.displayName = "Tarvolin IDE";
    d.word40 = 1;
    d.description = "本支持库用于改变易语言IDE外观，使用方法请到作者主页查看说明。";
    d.word48 = 0x100;
    d.authorName = "Tarvolin 开发组";
    d.authorPostCode = "000000";
    d.authorAddress = "无";
    d.authorTelephone = "无";
    d.authorEmail = "team@tarvolin.example.org";
    d.homePage = "https://tarvolin.example.org";
    d.notify = notifyRoutine;

    DescriptorBuilder& b = *builder;
    b.addCategory(debugCategory);
    b.addArgument(addressName, addressDescription, hostIntegerType, 0, 0);
    b.addArgument(lengthName, lengthDescription, hostIntegerType, 0, 0);
    b.addCommand("TRV_反汇编_OD", "Tarvolin_Dis_OD", entries.disassembleWithOlly,
                 "使用OD引擎,查看当前调试进程指定位置的反汇编代码，反汇编结果将在Tarvolin "
                 "反汇编列表中显示。注意:  本命令仅作为调试时使用,不支持编译,编译时请删除本命令",
                 b.findCategory(debugCategory), 0, 0, 1, 0, 0);
    b.addArgument("反汇编语法", "选择反汇编语法，可选值: 512 = Nasm，0 = Masm，256 = GoAsm，AT = 1024", hostIntegerType, 0,
                  0);
    b.addArgument(addressName, addressDescription, hostIntegerType, 0, 0);
    b.addArgument(lengthName, lengthDescription, hostIntegerType, 0, 0);
    b.addCommand("TRV_反汇编_BE", "Tarvolin_Dis_BE", entries.disassembleWithBeaEngine,
                 "使用BeaEngine引擎,查看当前调试进程指定位置的反汇编代码，反汇编结果将在Tarvolin "
                 "反汇编列表中显示。注意:  本命令仅作为调试时使用,不支持编译,编译时请删除本命令",
                 b.findCategory(debugCategory), 0, 0, 1, 0, 0);

    d.categoryCount = b.categoryCount();
    d.categories = b.categoryList();
    d.commandCount = b.commandCount();
    d.commands = b.commandTable();
    d.routines = b.routineTable();
    d.constants = emptyConstantTable;
    d.constantCount = 0;
}

}  // namespace

void DescriptorBuilder::addCategory(const char* name) {
    categories_.push_back(name);
    categoryBytes_.clear();
    for (auto& category : categories_) categoryBytes_.append(category).push_back('\0');
}

int DescriptorBuilder::findCategory(const char* name) const {
    for (size_t i = 0; i < categories_.size(); ++i)
        if (categories_[i] == name) return int(i + 1);
    return -1;
}

void DescriptorBuilder::addArgument(const char* name, const char* description, DWORD type, DWORD defaultValue,
                                    DWORD flags) {
    pending_.push_back({name, description, 0, 0, type, defaultValue, flags});
}

void DescriptorBuilder::addCommand(const char* name, const char* englishName, CommandRoutine routine,
                                   const char* description, int category, WORD flags, DWORD returnType, WORD word22,
                                   WORD word24, WORD word26) {
    argumentArrays_.push_back(std::move(pending_));
    pending_.clear();
    auto& arguments = argumentArrays_.back();
    commands_.push_back({name, englishName, description, SHORT(category), flags, returnType, 0, word22, word24, word26,
                         DWORD(arguments.size()), arguments.data()});
    routines_.push_back(routine);
}

void createLibraryDescriptor(const DescriptorEntries& given) {
    entries = given;
    descriptor = new LibraryDescriptor{};
    builder = new DescriptorBuilder;
    built = false;
}

void releaseLibraryDescriptor() {
    delete builder;
    delete descriptor;
    builder = nullptr;
    descriptor = nullptr;
}

TRV_EXPORT LibraryDescriptor* WINAPI GetNewInf() {
    if (!built) {
        build();
        built = true;
    }
    return descriptor;
}
