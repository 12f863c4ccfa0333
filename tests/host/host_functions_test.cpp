#include "host/host_functions.h"

#include <cstring>

#include "host/host_services.h"
#include "support/run_folder.h"

using trvsim::SimIde;

namespace {

// Host functions answered with a list of file paths, as the host lists its
// open files: 0503000C/0503000D by path, 0503000E/0503000F by name.
void answerFileList(SimIde& ide, std::vector<std::string> paths, std::vector<std::string> names) {
    ide.answerHostFunction(0x0503000C, [n = paths.size()](INT_PTR* block) {
        *reinterpret_cast<INT_PTR*>(block[0]) = INT_PTR(n);
        return 1;
    });
    ide.answerHostFunction(0x0503000D, [paths](INT_PTR* block) {
        const std::string& path = paths.at(size_t(block[0]));
        std::memcpy(reinterpret_cast<char*>(block[1]), path.c_str(), path.size() + 1);
        return 1;
    });
    ide.answerHostFunction(0x0503000E, [n = names.size()](INT_PTR* block) {
        *reinterpret_cast<INT_PTR*>(block[0]) = INT_PTR(n);
        return 1;
    });
    auto kept = std::make_shared<std::vector<std::string>>(std::move(names));
    ide.answerHostFunction(0x0503000F, [kept](INT_PTR* block) {
        *reinterpret_cast<const char**>(block[1]) = kept->at(size_t(block[0])).c_str();
        return 1;
    });
}

size_t callsOf(const SimIde& ide, DWORD function) {
    size_t count = 0;
    for (auto& call : ide.hostCalls()) count += call.code == 2 && DWORD(call.first) == function;
    return count;
}

}  // namespace

class HostFunctionsTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        hostNotify = &SimIde::hostNotification;
    }
    void TearDown() override {
        hostNotify = nullptr;
        IdeTest::TearDown();
    }
    HostFunctions0503 f0503;
    HostFunctions0202 f0202;
};

TEST_F(HostFunctionsTest, PlainMethodsSendTheirCodeAndReportSuccess) {
    HostFunctions0402 f0402;
    HostFunctions0301 f0301;
    HostFunctions0502 f0502;
    HostFunctions0501 f0501;
    HostFunctions0101 f0101;
    struct Case {
        DWORD code;
        std::function<int()> call;
    };
    const Case cases[] = {
        {0x02020004, [&] { return f0202.hostFn02020004(); }},  // 剪切
        {0x02020033, [&] { return f0202.hostFn02020033(); }},  // 重做
        {0x02030001, [&] { return f0202.hostFn02030001(); }},  // 复制
        {0x0402002C, [&] { return f0402.hostFn0402002C(); }},  // 整体搜寻
        {0x03010004, [&] { return f0301.hostFn03010004(); }},  // 保存
        {0x05020007, [&] { return f0502.hostFn05020007(); }},  // 静态编译
        {0x05010005, [&] { return f0501.hostFn05010005(); }},  // 查看
        {0x0101002F, [&] { return f0101.hostFn0101002F(); }},  // 跳到调用命令处
        {0x01010043, [&] { return f0101.hostFn01010043(); }},  // 跳回前跳转处
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.call(), 0);  // no answer: the host call fails
        ide->answerHostFunction(c.code, [](INT_PTR*) { return 7; });
        EXPECT_EQ(c.call(), 1);
        const auto& last = ide->hostCalls().back();
        EXPECT_EQ(last.code, 2);
        EXPECT_EQ(DWORD(last.first), c.code);
        EXPECT_EQ(last.block[0], 0);
        EXPECT_EQ(last.block[1], 0);
    }
}

TEST_F(HostFunctionsTest, OutValuesAndTextsTravelThroughTheBlock) {
    ide->answerHostFunction(0x05030002, [](INT_PTR* block) {
        *reinterpret_cast<INT_PTR*>(block[0]) = 42;
        return 1;
    });
    ide->answerHostFunction(0x05030004, [](INT_PTR* block) {
        *reinterpret_cast<INT_PTR*>(block[1]) = block[0] * 2;
        return 1;
    });
    std::string seen;
    ide->answerHostFunction(0x0202006D, [&seen](INT_PTR* block) {
        seen = reinterpret_cast<const char*>(block[0]);
        *reinterpret_cast<INT_PTR*>(block[1]) = 9;
        return 1;
    });
    EXPECT_EQ(f0503.hostFn05030002(), 42);
    EXPECT_EQ(f0503.hostFn05030004(21), 42);
    EXPECT_EQ(f0503.hostFn05030005(), 0);  // unanswered: the out value stays 0
    INT_PTR out = 0;
    EXPECT_EQ(f0202.hostFn0202006D("子程序1", out), 1);
    EXPECT_EQ(seen, "子程序1");
    EXPECT_EQ(out, 9);

    HLOCAL bytes = LocalAlloc(LPTR, 40);
    ide->answerHostFunction(0x05030007, [](INT_PTR* block) { return block[1] == 40; });
    EXPECT_EQ(f0503.hostFn05030007(bytes), 1);
    LocalFree(bytes);

    ide->answerHostFunction(0x0202007A, [](INT_PTR* block) { return 100 + block[0]; });
    EXPECT_EQ(f0202.hostFn0202007A(3), 102);  // 1-based index sent 0-based
}

TEST_F(HostFunctionsTest, HostCallsOutsideTheHostFunctions) {
    ide->setVersion((5u << 16) | 3u);
    EXPECT_FLOAT_EQ(f0503.hostVersion(), 3.5f);
    ide->setVersion((9u << 16) | 5u);
    EXPECT_FLOAT_EQ(f0503.hostVersion(), 5.9f);
    EXPECT_EQ(f0503.mainWindow(), ide->mainWindow());
    ide->setCall1006Text(4, "   模块名称  ");
    EXPECT_EQ(f0503.hostCall1006Text(4), "模块名称");
    EXPECT_EQ(f0503.hostCall1006Text(5), "");  // the host left the blanks
    ide->setCallResult(7, 77);
    EXPECT_EQ(f0503.hostCall7(1, 2), 77);
    EXPECT_EQ(ide->hostCalls().back().first, 1);
    EXPECT_EQ(ide->hostCalls().back().second, 2);
    EXPECT_EQ(HostFunctions0503::low16(0x00050003), 3u);
    EXPECT_EQ(HostFunctions0503::high16(0x00050003), 5u);
}

TEST_F(HostFunctionsTest, TextsTheHostLeavesUnterminatedAreCutAtTheBuffer) {
    ide->answerHostFunction(0x0503000C, [](INT_PTR* block) {
        *reinterpret_cast<INT_PTR*>(block[0]) = 1;
        return 1;
    });
    ide->answerHostFunction(0x0503000D, [](INT_PTR* block) {
        std::memset(reinterpret_cast<char*>(block[1]), 'x', 252);  // no NUL in the 252 bytes
        return 1;
    });
    EXPECT_EQ(f0202.hostFn0503000D(1), std::string(252, 'x'));
}

TEST_F(HostFunctionsTest, FindIndexByFileNameComparesOnlyFileNames) {
    // "\x81\x5C" is one GBK character whose second byte is a backslash.
    answerFileList(*ide, {"C:\\a\\demo.e", "D:\\b\\test.e", "E:\\c\\\x81\x5C.e", "F:\\d\\"}, {});
    struct Case {
        const char* name;
        int index;
    };
    const Case cases[] = {
        {"  X:\\other\\test.e  ", 2}, {"demo.e", 1},       {"C:\\a\\DEMO.e", 0}, {"missing.e", 0},
        {"Z:\\\x81\x5C.e", 3},        {".e", 0},           {"F:\\d\\", 4},       {"G:\\d\\", 0},
    };
    for (auto& c : cases) EXPECT_EQ(f0202.findIndexByFileName(c.name), c.index) << c.name;

    size_t asked = ide->hostCalls().size();
    EXPECT_EQ(f0202.findIndexByFileName(""), 0);
    EXPECT_EQ(f0202.findIndexByFileName("    "), 0);
    EXPECT_EQ(ide->hostCalls().size(), asked);  // an empty name asks nothing
}

TEST_F(HostFunctionsTest, ResultByFileNameAsksForTheFoundEntry) {
    answerFileList(*ide, {"C:\\a\\demo.e", "D:\\b\\test.e"}, {});
    ide->answerHostFunction(0x0202007A, [](INT_PTR* block) { return 500 + block[0]; });
    EXPECT_EQ(f0202.resultByFileName("test.e"), 501);
    EXPECT_EQ(f0202.resultByFileName("none.e"), -1);
    EXPECT_EQ(callsOf(*ide, 0x0202007A), 1u);
}

TEST_F(HostFunctionsTest, FindIndexByBaseNameMatchesTheBeginningOfEachName) {
    answerFileList(*ide, {}, {"窗口程序集_启动窗口", "demo_module", ".e"});
    struct Case {
        const char* name;
        int index;
    };
    const Case cases[] = {
        {"C:\\x\\demo.e", 2}, {"窗口程序集.txt", 1}, {"demo_module_long.e", 0}, {".e", 3}, {"other", 0},
    };
    for (auto& c : cases) EXPECT_EQ(f0202.findIndexByBaseName(c.name), c.index) << c.name;
    EXPECT_EQ(callsOf(*ide, 0x0503000C), 0u);
}
