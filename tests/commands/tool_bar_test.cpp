#include "commands/tool_bar.h"
#include "host/shell_handles.h"
#include "shell/main_frame.h"
#include "support/shell_test.h"

using namespace trvsim;

TEST_F(ShellTest, ToolButtonsRunTheirHostFunctions) {
    struct Case {
        const char16_t* tooltip;
        std::vector<DWORD> functions;
    };
    const Case cases[] = {
        {u"打开(Ctrl+O)", {50397186}},          {u"重做", {33685555}},
        {u"组件垂直居中", {33685602}},          {u"垂直平均分布", {33685604}},
        {u"跟踪返回(Ctrl+Shift+F8)", {83951619}}, {u"预览窗口设计", {67239950}},
        {u"重新运行", {84017155, 84017154}},    {u"停止运行(Ctrl+F5)", {84017155}},
        {u"查看帮助提示(F1)", {84082699, 84082696, 84082697, 16842818}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(gbkToUtf8(utf16ToGbk(c.tooltip)));
        HELE button = toolButton(c.tooltip);
        ASSERT_NE(button, nullptr);
        size_t before = ide->hostCalls().size();
        xc::userClick(button);
        EXPECT_EQ(hostFunctionsSince(before), c.functions);
    }
}

TEST_F(ShellTest, HelpTipFetchesItsTextThenShowsItWhereTheHostSays) {
    std::string fetched;
    int requests = 0;
    ide->answerHostFunction(84082699, [&](INT_PTR* block) {
        auto* record = reinterpret_cast<INT_PTR*>(block[0]);
        EXPECT_EQ(record[0], -1);
        EXPECT_EQ(record[1], -1);
        if (++requests == 1) {
            record[3] = 6;
        } else {
            EXPECT_NE(record[2], 0);
            std::memcpy(reinterpret_cast<char*>(record[2]), "abcdef", 6);
        }
        return 1;
    });
    ide->answerHostFunction(84082696, [](INT_PTR* block) { return *reinterpret_cast<INT_PTR*>(block[0]) = 11; });
    ide->answerHostFunction(84082697, [](INT_PTR* block) { return *reinterpret_cast<INT_PTR*>(block[0]) = 22; });
    xc::userClick(toolButton(u"查看帮助提示(F1)"));
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(ide->hostCalls().back().block[0], 11);
    EXPECT_EQ(ide->hostCalls().back().block[1], 22);
}

TEST_F(ShellTest, BlackMoonCompileNeedsTheModule) {
    xc::userClick(toolButton(u"黑月静态编译"));
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_EQ(messageBoxes()[0].text, "未检测到黑月编译插件,黑月编译插件支持库未安装或未启用");
    EXPECT_EQ(messageBoxes()[0].type, 16u);
    pumpMessages(0);
    EXPECT_TRUE(ide->commands().empty());

    ASSERT_TRUE(ide->loadBlackMoon());
    xc::userClick(toolButton(u"黑月静态编译"));
    EXPECT_EQ(messageBoxes().size(), 1u);
    pumpMessages(0);  // the command is posted
    ASSERT_EQ(ide->commands().size(), 1u);
    EXPECT_EQ(ide->commands()[0].first, WPARAM(36865));
    EXPECT_EQ(ide->commands()[0].second, 0);
}

TEST_F(ShellTest, TheLinkerComboBoxSitsBetweenTwoSeparators) {
    auto& tools = named(u"winToolBar0")->children;
    auto combo = std::find_if(tools.begin(), tools.end(),
                              [](HELE e) { return xc::elementOf(e)->type == XC_COMBOBOX; });
    ASSERT_NE(combo, tools.end());
    EXPECT_TRUE(xc::elementOf(*(combo - 1))->mouseThrough);
    EXPECT_TRUE(xc::elementOf(*(combo + 1))->mouseThrough);
    EXPECT_EQ(xc::elementOf(*(combo + 2))->tooltip, u"编译(F7)");
    auto* first = static_cast<xc::Button*>(xc::elementOf(tools[0]));
    EXPECT_NE(first->icon, nullptr);
    EXPECT_EQ(first->rect.right - first->rect.left, 20);
    EXPECT_EQ(named(u"winToolBar1")->children.size(), 18u);
}

TEST_F(ShellTest, ShowPaneByCaptionBringsThatPaneToTheFront) {
    HELE output = pane(u"调试输出");
    xc::PaneGroup* bottom = xc::groupOf(output);
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(bottom->front, pane(u"帮助提示"));  // brought to the front at start-up
    EXPECT_EQ(xc::groupOf(pane(u"易支持库"))->front, pane(u"易支持库"));
    xc::userClick(toolButton(u"编译(F7)"));  // clears the output and shows it
    EXPECT_EQ(bottom->front, output);
}

// This test program's own copy of the frame code, pointed at the plug-in's frame.
TEST_F(ShellTest, ShowPaneByCaptionIgnoresCaptionsNoPaneHas) {
    auto* f = frame();
    ShellFrame = f->handle;
    frameParts.top = f->bound[XC_BIND_TOP];
    frameParts.bottom = f->bound[XC_BIND_BOTTOM];
    frameParts.left = f->bound[XC_BIND_LEFT];
    frameParts.right = f->bound[XC_BIND_RIGHT];
    xc::PaneGroup* bottom = xc::groupOf(pane(u"帮助提示"));
    HELE front = bottom->front;
    showPaneByCaption("没有这个窗格");
    EXPECT_EQ(bottom->front, front);
    showPaneByCaption("变量监视");
    EXPECT_EQ(bottom->front, pane(u"变量监视"));
    ShellFrame = nullptr;
    frameParts = {};
}
