#include <xcgui.h>

#include <filesystem>

#include "../../fuzz/icon_table_case.h"
#include "data/icon_map.h"
#include "data/json_document.h"
#include "sim_control.h"
#include "support/run_folder.h"
#include "toolkit/toolkit_state.h"

namespace fs = std::filesystem;
using namespace trvsim;

namespace {

const std::string pngBytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);

// The file an image handle was loaded from, relative to `directory`; empty
// for no image.
std::string imageFile(HIMAGE image, const std::string& directory) {
    if (!image) return "";
    auto* object = dynamic_cast<xc::Image*>(xc::objectOf(image));
    if (!object) return "<not an image>";
    return object->file.rfind(directory, 0) == 0 ? object->file.substr(directory.size()) : object->file;
}

}  // namespace

// A run folder with an icon table of the test's own.
class IconMapTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        fs::remove(folder + "/lib/Tarvolin");  // the link to the build's theme tree
        control = folder + "/lib/Tarvolin/Control";
        icons = control + "/DarkIcons/";
        fs::create_directories(icons);
        for (const char* name : {"button.png", "second.png", "label.png", "five.png", "a.png", "b.png", "c.png",
                                 "my icon.png", "A.png", "%4G.png", "x%4", "ab.png", "u0041.png"})
            writeHostFile(icons + name, pngBytes);
        XInitXCGUI(u"");
    }
    // The table file: `gbk` text stored as UTF-8, as the table is kept.
    void writeTable(const std::string& gbk) { writeHostFile(control + "/icon.json", gbkToUtf8(gbk)); }
    std::string lookUp(const char* itemText) { return imageFile(IconMap::lookUpIcon(itemText), icons); }

    std::string control, icons;
};

struct IconCase {
    const char* table;
    const char* itemText;
    const char* expected;  // the image file loaded, "" for none
};

class IconLookups : public IconMapTest, public ::testing::WithParamInterface<IconCase> {};

TEST_P(IconLookups, LoadTheImageOfTheFirstMatchingEntry) {
    const IconCase& c = GetParam();
    writeTable(c.table);
    EXPECT_EQ(lookUp(c.itemText), c.expected) << c.table << " / " << (c.itemText ? c.itemText : "<null>");
}

const char* const components =
    "[{\"eName\":\"Button\",\"cName\":\"按钮\",\"iCons\":\"button.png\"},"
    " {\"eName\":\"button\",\"cName\":\"Knopf\",\"iCons\":\"second.png\"},"
    " {\"eName\":\"Edit\",\"cName\":\"编辑框\"},"
    " {\"cName\":\"标签\",\"iCons\":\"label.png\"},"
    " {\"eName\":5,\"cName\":\"Five\",\"iCons\":\"five.png\"}]";
const char* const specialNames =
    "[{\"eName\":\"plus\",\"iCons\":\"my+icon.png\"},"
    " {\"eName\":\"percent\",\"iCons\":\"%41.png\"},"
    " {\"eName\":\"bad\",\"iCons\":\"%4G.png\"},"
    " {\"eName\":\"end\",\"iCons\":\"x%4\"},"
    " {\"eName\":\"a+b\",\"iCons\":\"ab.png\"},"
    " {\"eName\":\"\\u0041\",\"iCons\":\"\\u0041.png\"}]";
const char* const rootObject =
    "{\"first\":{\"eName\":\"Same\",\"iCons\":\"a.png\"},\"second\":{\"eName\":\"Same\",\"iCons\":\"b.png\"},"
    " \"third\":{\"cName\":\"C\",\"iCons\":\"c.png\"}}";

INSTANTIATE_TEST_SUITE_P(
    Cases, IconLookups,
    ::testing::Values(IconCase{components, "BUTTON", "button.png"},  // Latin letters compare without case
                      IconCase{components, "bUtToN", "button.png"},
                      IconCase{components, "button", "button.png"},  // two entries match: the first wins
                      IconCase{components, "按钮", "button.png"},
                      IconCase{components, " Button", ""},  // no trimming
                      IconCase{components, "Button ", ""},
                      IconCase{components, "", "label.png"},  // the first entry without an eName
                      IconCase{components, nullptr, "label.png"},
                      IconCase{components, "five", "five.png"},  // a number reads as empty text
                      IconCase{components, "编辑框", ""},  // no iCons: the directory itself, which is no image
                      IconCase{components, "Label", ""},
                      IconCase{specialNames, "plus", "my icon.png"},  // "+" reads as a space
                      IconCase{specialNames, "percent", "A.png"},     // "%41" reads as "A"
                      IconCase{specialNames, "bad", "%4G.png"},       // no two hex digits: stays
                      IconCase{specialNames, "end", "x%4"},
                      IconCase{specialNames, "a b", "ab.png"},
                      IconCase{specialNames, "a+b", ""},
                      IconCase{specialNames, "A", ""},  // a u escape stays six characters
                      IconCase{specialNames, "\\u0041", "u0041.png"},  // the backslash separates a folder
                      IconCase{rootObject, "same", "a.png"},  // a root object's members in file order
                      IconCase{rootObject, "c", "c.png"},
                      IconCase{"[{\"eName\":\"A\",\"iCons\":\"a.png\"}", "a", ""},  // not valid JSON
                      IconCase{"\"A\"", "a", ""},                                  // no entries
                      IconCase{"", "", ""},
                      IconCase{"[{\"eName\":\"A\",\"iCons\":\"a.png\"}]%00[[[", "a", "a.png"},  // a NUL ends the text
                      // The trail byte of 丄 (81 41) is no capital: it does not fold into 乤 (81 61).
                      IconCase{"[{\"cName\":\"乤\",\"iCons\":\"a.png\"}]", "丄", ""},
                      IconCase{"[{\"cName\":\"乤\",\"iCons\":\"a.png\"}]", "乤", "a.png"}));

TEST_F(IconMapTest, AMissingTableGivesNoIcon) {
    EXPECT_EQ(IconMap::lookUpIcon("Button"), nullptr);
    EXPECT_EQ(IconMap::lookUpIcon(""), nullptr);
}

TEST_F(IconMapTest, NamesStoredInGbkMatchOnlyByTheirLatinName) {
    writeHostFile(control + "/icon.json", "[{\"eName\":\"Button\",\"cName\":\"按钮\",\"iCons\":\"button.png\"}]");
    EXPECT_EQ(lookUp("按钮"), "");
    EXPECT_EQ(lookUp("button"), "button.png");
}

TEST_F(IconMapTest, TheFileIsCutAtItsFirstNul) {
    writeHostFile(control + "/icon.json", std::string("[{\"eName\":\"A\",\"iCons\":\"a.png\"}]\0[[[", 35));
    EXPECT_EQ(lookUp("a"), "a.png");
}

TEST_F(IconMapTest, EveryLookupReadsTheTableAnew) {
    writeTable("[{\"eName\":\"A\",\"iCons\":\"a.png\"}]");
    EXPECT_EQ(lookUp("a"), "a.png");
    writeTable("[{\"eName\":\"A\",\"iCons\":\"b.png\"}]");
    EXPECT_EQ(lookUp("a"), "b.png");
    fs::remove(icons + "b.png");
    EXPECT_EQ(lookUp("a"), "");
}

// The decoding of the table file on its own.
struct DecodeCase {
    std::string bytes;
    std::string gbk;
};

class IconTableDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(IconTableDecoding, Decodes) { EXPECT_EQ(decodeIconTable(GetParam().bytes), GetParam().gbk); }

INSTANTIATE_TEST_SUITE_P(Cases, IconTableDecoding,
                         ::testing::Values(DecodeCase{"a+b++", "a b  "}, DecodeCase{"%41%4a%4A%7e", "AJJ~"},
                                           DecodeCase{"%4", "%4"}, DecodeCase{"%", "%"}, DecodeCase{"%zz%4z", "%zz%4z"},
                                           DecodeCase{"%2B", "+"},  // a decoded plus stays a plus
                                           DecodeCase{"%e6%8c%89%E9%92%AE", "按钮"},  // UTF-8 bytes to GBK
                                           DecodeCase{std::string("ab\0cd", 5), "ab"}, DecodeCase{"ab%00cd", "ab"},
                                           DecodeCase{"\xB0\xB4", "??"},  // GBK bytes are no UTF-8
                                           DecodeCase{"%C3", "?"}, DecodeCase{"", ""}));

TEST(IconMapFolding, FoldsOnlyLatinCapitals) {
    EXPECT_EQ(foldLatinCase("AbZ[@`z09"), "abz[@`z09");
    EXPECT_EQ(foldLatinCase("丄A"), "丄a");  // 81 41 stays, the letter after it folds
    EXPECT_EQ(foldLatinCase(std::string("\x81", 1)), std::string("\x81", 1));
}

// The table that ships in the theme tree names an image for each of its
// components, under both names.
using ShippedIconTable = IdeTest;

TEST_F(ShippedIconTable, EveryEntryLoadsItsImage) {
    XInitXCGUI(u"");
    JsonDocument table;
    ASSERT_TRUE(table.parse(decodeIconTable(readHostFile(folder + "/lib/Tarvolin/Control/icon.json")), false));
    const int entries = table.countAt("");
    EXPECT_GE(entries, 12);
    const std::string icons = hostPathOf("C:\\EIDE\\lib\\Tarvolin\\Control\\DarkIcons") + "/";
    for (int i = 0; i < entries; ++i) {
        std::string entry = "[" + std::to_string(i) + "].";
        std::string file = table.textAt(entry + "iCons");
        ASSERT_FALSE(file.empty()) << i;
        EXPECT_EQ(imageFile(IconMap::lookUpIcon(table.textAt(entry + "eName").c_str()), icons), file);
        EXPECT_EQ(imageFile(IconMap::lookUpIcon(table.textAt(entry + "cName").c_str()), icons), file);
    }
    EXPECT_EQ(imageFile(IconMap::lookUpIcon("按钮"), icons), "button.png");
    EXPECT_EQ(imageFile(IconMap::lookUpIcon("WINDOW"), icons), "window.png");
}

// The inputs kept from fuzzing the icon table file and the fuzzing seeds,
// replayed through the fuzz target's case.
TEST(IconTableFuzzInputs, KeptInputsAndSeedsHoldTheRules) {
    const fs::path here = fs::path(__FILE__).parent_path();
    int replayed = 0;
    for (const auto& folder :
         {here / "fuzz_regressions" / "icon_table", here / ".." / ".." / "fuzz" / "seeds" / "icon_table"}) {
        if (!fs::exists(folder)) continue;
        for (const auto& file : fs::directory_iterator(folder)) {
            EXPECT_TRUE(fuzzcase::runIconTableCase(readHostFile(file.path().string()))) << file.path();
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}
