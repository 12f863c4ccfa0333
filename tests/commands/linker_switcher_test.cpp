#include "support/shell_test.h"

using namespace trvsim;

namespace {

std::string profile(const char* section, const char* key) {
    char value[512];
    GetPrivateProfileStringA(section, key, "", value, sizeof value, "tools\\link.ini");
    return value;
}

}  // namespace

class LinkerTest : public ShellTest {
protected:
    xc::ComboBox* combo() {
        for (HELE child : named(u"winToolBar0")->children)
            if (xc::elementOf(child)->type == XC_COMBOBOX) return static_cast<xc::ComboBox*>(xc::elementOf(child));
        return nullptr;
    }
    int indexOf(const std::u16string& name) {
        auto& items = combo()->items;
        return int(std::find(items.begin(), items.end(), name) - items.begin());
    }
};

TEST_F(LinkerTest, ShowsTheCurrentLinkerAndListsOnlyInstalledOnes) {
    ASSERT_NE(combo(), nullptr);
    EXPECT_EQ(combo()->text, u"VC2017");
    EXPECT_EQ(combo()->tooltip, u"更换选择其它链接器");
    std::vector<std::u16string> items = combo()->items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::u16string>{u"VC2017", u"VC6"}));  // not .svn, not NoLinkExe
    EXPECT_EQ(combo()->itemTemplate, u"lib\\Tarvolin\\Dark\\ComboBoxListBoxItem.xml");
    EXPECT_FALSE(combo()->editable);
}

TEST_F(LinkerTest, TheNameIsFoundWhateverTheCaseOfLinkerAndBin) {
    ide.reset();
    ide = std::make_unique<SimIde>(folder);
    WritePrivateProfileStringA("linker", "linker", "C:\\E\\LINKER\\VC6\\BIN\\link.exe", "tools\\link.ini");
    ide->start();
    EXPECT_EQ(combo()->text, u"VC6");
}

TEST_F(LinkerTest, PickingALinkerWritesOnlyTheLinkEntry) {
    // A linker installed after start-up shows when the list drops down.
    CreateDirectoryA("linker\\VC2022", nullptr);
    CreateDirectoryA("linker\\VC2022\\bin", nullptr);
    CloseHandle(CreateFileA("linker\\VC2022\\bin\\link.exe", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    std::string shownBefore = profile("linker", "linker");
    xc::raiseEvent(combo()->handle, XE_COMBOBOX_POPUP, nullptr);
    int vc2022 = indexOf(u"VC2022");
    ASSERT_LT(size_t(vc2022), combo()->items.size());
    EXPECT_TRUE(xc::userPickComboItem(combo()->handle, vc2022));
    EXPECT_EQ(profile("link", "link"), "C:\\EIDE\\linker\\VC2022\\bin\\link.exe");
    EXPECT_EQ(profile("linker", "linker"), shownBefore);
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(LinkerTest, AVanishedLinkerIsRefusedWithAMessage) {
    int vc6 = indexOf(u"VC6");
    ASSERT_LT(size_t(vc6), combo()->items.size());
    DeleteFileA("linker\\VC6\\bin\\link.exe");
    // Picked from the list as it was: the drop-down refreshes it, so select directly.
    int result = 0;
    BOOL handled = xc::raiseEvent(combo()->handle, XE_COMBOBOX_SELECT, &result, vc6);
    EXPECT_TRUE(handled);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_EQ(messageBoxes()[0].text, "无法切换链接器:VC6\r\n无法找到 link.exe：C:\\EIDE\\linker\\VC6\\bin\\link.exe");
    EXPECT_EQ(messageBoxes()[0].type, 16u);
    EXPECT_EQ(profile("link", "link"), "");
}

TEST_F(LinkerTest, HoverSwitchesTheLook) {
    std::u16string normal = combo()->bkInfo;
    xc::userHover(combo()->handle, true);
    EXPECT_NE(combo()->bkInfo, normal);
    EXPECT_NE(combo()->bkInfo.find(u"25(@ID_COLOR_WinBg)10(1)"), std::u16string::npos);
    xc::userHover(combo()->handle, false);
    EXPECT_EQ(combo()->bkInfo, normal);
}
