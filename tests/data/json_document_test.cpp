#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <string>

#include "../../fuzz/json_case.h"
#include "data/json_document.h"
#include "support/run_folder.h"

namespace {

struct Outcome {
    int code = 1;
    int position = -1;
};

Outcome parseInto(JsonDocument& document, const std::string& text, bool unescapeU = false) {
    Outcome outcome;
    bool ok = document.parse(text, unescapeU, &outcome.code, &outcome.position);
    EXPECT_EQ(ok, outcome.code == 0) << text;
    return outcome;
}

std::string rawTextOf(const JsonNode* node) {
    if (!node || !node->rawText()) return "<none>";
    return codePageFromWide(936, *node->rawText());
}

// An object of `count` members "k0", "k1", ... with the values 0, 1, ...
std::string objectOfMembers(int count) {
    std::string text = "{";
    for (int i = 0; i < count; ++i) text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
    return text + "}";
}

}  // namespace

// Documents that parse, and what a query then finds.
struct AcceptedCase {
    std::string text;
    const char* path;
    int count;
    const char* textThere;
};

class JsonAccepted : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(JsonAccepted, ParsesAndAnswers) {
    const AcceptedCase& c = GetParam();
    JsonDocument document;
    Outcome outcome = parseInto(document, c.text);
    ASSERT_EQ(outcome.code, 0) << c.text << " at " << outcome.position;
    EXPECT_EQ(document.countAt(c.path), c.count) << c.text << " / " << c.path;
    EXPECT_EQ(document.textAt(c.path), c.textThere) << c.text << " / " << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonAccepted,
    ::testing::Values(AcceptedCase{"[{'eName':'a'}]", "[0].eName", 0, "a"},
                      AcceptedCase{"[{'eName':'a'}]", "[0]", 1, ""},
                      AcceptedCase{"{a:1}", "", 1, ""},
                      AcceptedCase{"{  spaced name  : 'v'}", "spaced name", 0, "v"},
                      AcceptedCase{"[1,2,]", "", 2, ""},
                      AcceptedCase{"{\"a\":1,}", "", 1, ""},
                      AcceptedCase{"[]", "", 0, ""},
                      AcceptedCase{"{}", "", 0, ""},
                      AcceptedCase{" \t\r\n[ \"x\" , 'y' ]\n ", "[1]", 0, "y"},
                      AcceptedCase{std::string("[\"a\"]\0\0", 7), "[0]", 0, "a"},  // NUL is whitespace
                      AcceptedCase{"{\"q\":\"say \\\"hi\\\", {ok}\"}", "q", 0, "say \"hi\", {ok}"},
                      AcceptedCase{"{'s':\"it's\"}", "s", 0, "it's"},
                      AcceptedCase{"\"root text\"", "", 0, "root text"},
                      AcceptedCase{"  'single'  ", "", 0, "single"},
                      AcceptedCase{"{\"名称\":\"按钮\"}", "名称", 0, "按钮"},
                      AcceptedCase{"[[[[\"deep\"]]]]", "[0][0][0][0]", 0, "deep"}));

// Documents that fail, with the code and the index where scanning stopped.
struct RejectedCase {
    const char* text;
    int code;
    int position;
};

class JsonRejected : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(JsonRejected, FailsWithCodeAndPositionAndEmptiesTheRoot) {
    const RejectedCase& c = GetParam();
    JsonDocument document;
    ASSERT_EQ(parseInto(document, "{\"before\":[1,2,3]}").code, 0);
    Outcome outcome = parseInto(document, c.text);
    EXPECT_EQ(outcome.code, c.code) << c.text;
    EXPECT_EQ(outcome.position, c.position) << c.text;
    EXPECT_EQ(document.countAt(""), 0) << c.text;
    EXPECT_EQ(document.nodeAt("before"), nullptr) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonRejected,
    ::testing::Values(RejectedCase{"", -2, 0},                  // no text
                      RejectedCase{" \r\n\t ", -2, 5},          // no value in it
                      RejectedCase{"[", -5, 1},                 // ended inside the array
                      RejectedCase{"[1,2", -5, 4},
                      RejectedCase{"{\"a\":[1]", -5, 8},
                      RejectedCase{"{a", -5, 2},
                      RejectedCase{"[tru]", -6, 1},             // a bare token that is no value
                      RejectedCase{"[1.2.3]", -6, 1},
                      RejectedCase{"[,]", -6, 1},               // an empty value
                      RejectedCase{"{\"a\"}", -6, 4},           // a name without a value
                      RejectedCase{"{\"a\",\"b\":1}", -6, 4},
                      RejectedCase{"{a,b:1}", -6, 2},
                      RejectedCase{"{\"a\":}", -6, 5},
                      RejectedCase{"[\"open]", -6, 7},          // unterminated quote
                      RejectedCase{"[1{]", -6, 2},              // opened after other characters
                      RejectedCase{"[\"a\" \"b\"]", -6, 5},     // more after a closed quote
                      RejectedCase{"{:1}", -4, 1},              // begins with a colon
                      RejectedCase{"{\"\":1}", -4, 1},          // an empty name
                      RejectedCase{"{ab\"c\":1}", -4, 3},       // a quote after unquoted name characters
                      RejectedCase{"{\"a\" x:1}", -4, 5},       // characters before the colon
                      RejectedCase{"{{}}", -4, 1},              // opened where a name is expected
                      RejectedCase{"[[1][2]]", -4, 4},          // opened after a completed value
                      RejectedCase{"[1] [2]", -4, 4},           // a second root value
                      RejectedCase{"[1] x", -6, 4},
                      RejectedCase{"}", -6, 0}));

TEST(JsonDocument, AfterAnErrorTheRootKeepsItsKindButNotItsValue) {
    JsonDocument document;
    parseInto(document, "[1,2");
    ASSERT_NE(document.root(), nullptr);
    EXPECT_EQ(document.root()->kind(), JsonKind::Array);
    EXPECT_EQ(document.root()->elements(), nullptr);
    parseInto(document, "'text");
    EXPECT_EQ(document.root()->kind(), JsonKind::Array);  // the failed scalar never reached the root
    parseInto(document, "12x");
    EXPECT_EQ(document.textAt(""), "");
    EXPECT_EQ(document.root()->rawText(), nullptr);
}

TEST(JsonDocument, ANewDocumentHasNoRootAndAnswersNothing) {
    JsonDocument document;
    EXPECT_EQ(document.root(), nullptr);
    EXPECT_EQ(document.countAt(""), 0);
    EXPECT_EQ(document.textAt(""), "");
    parseInto(document, "");
    ASSERT_NE(document.root(), nullptr);  // parse made one, an empty object
    EXPECT_EQ(document.root()->kind(), JsonKind::Object);
}

TEST(JsonDocument, ParsingAgainReplacesTheTree) {
    JsonDocument document;
    parseInto(document, "[1,[2,3],{\"a\":4}]");
    ASSERT_EQ(parseInto(document, "{\"b\":\"x\"}").code, 0);
    EXPECT_EQ(document.root()->kind(), JsonKind::Object);
    EXPECT_EQ(document.countAt(""), 1);
    EXPECT_EQ(document.textAt("b"), "x");
    EXPECT_EQ(document.nodeAt("[1]"), nullptr);
}

// Kinds, values and raw texts of scalars.
struct ScalarCase {
    const char* text;
    const char* path;
    JsonKind kind;
    double value;
    const char* raw;
};

class JsonScalars : public ::testing::TestWithParam<ScalarCase> {};

TEST_P(JsonScalars, KindValueAndRawText) {
    const ScalarCase& c = GetParam();
    JsonDocument document;
    ASSERT_EQ(parseInto(document, c.text).code, 0) << c.text;
    const JsonNode* node = document.nodeAt(c.path);
    ASSERT_NE(node, nullptr) << c.text;
    EXPECT_EQ(node->kind(), c.kind) << c.text;
    switch (c.kind) {
        case JsonKind::Integer: EXPECT_EQ(double(node->integer()), c.value) << c.text; break;
        case JsonKind::Number: EXPECT_DOUBLE_EQ(node->number(), c.value) << c.text; break;
        case JsonKind::Boolean: EXPECT_EQ(node->boolean(), c.value != 0) << c.text; break;
        default: break;
    }
    EXPECT_EQ(rawTextOf(node), c.raw) << c.text;
    EXPECT_EQ(document.textAt(c.path), "") << c.text;  // no text but for strings
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonScalars,
    ::testing::Values(ScalarCase{"42", "", JsonKind::Integer, 42, "42"},  // a root integer is kind 2...
                      ScalarCase{"[42]", "[0]", JsonKind::Number, 42, "42"},  // ...inside an array kind 1
                      ScalarCase{"{\"n\":-7}", "n", JsonKind::Number, -7, "-7"},
                      ScalarCase{" -7 ", "", JsonKind::Integer, -7, "-7"},
                      ScalarCase{"+5", "", JsonKind::Integer, 5, "+5"},
                      ScalarCase{"3.25", "", JsonKind::Number, 3.25, "3.25"},
                      ScalarCase{"[1.5e3]", "[0]", JsonKind::Number, 1500, "1.5e3"},
                      ScalarCase{"[-2.5E-1]", "[0]", JsonKind::Number, -0.25, "-2.5E-1"},
                      ScalarCase{"[.5]", "[0]", JsonKind::Number, 0.5, ".5"},
                      ScalarCase{"[1e999]", "[0]", JsonKind::Number, HUGE_VAL, "1e999"},
                      ScalarCase{"[null]", "[0]", JsonKind::Null, 0, "null"},
                      ScalarCase{"[true ]", "[0]", JsonKind::Boolean, 1, "true"},
                      ScalarCase{"{\"f\": false}", "f", JsonKind::Boolean, 0, "false"}));

TEST(JsonDocument, RootIntegersKeepAllSixtyFourBitsAndSaturateBeyond) {
    JsonDocument document;
    parseInto(document, "9223372036854775807");
    EXPECT_EQ(document.root()->integer(), INT64_MAX);
    parseInto(document, "-9223372036854775808");
    EXPECT_EQ(document.root()->integer(), INT64_MIN);
    parseInto(document, "99999999999999999999");
    EXPECT_EQ(document.root()->integer(), INT64_MAX);
    parseInto(document, "-99999999999999999999");
    EXPECT_EQ(document.root()->integer(), INT64_MIN);
}

// Escapes in strings, with and without the unescape-\u flag.
struct EscapeCase {
    const char* text;
    bool unescapeU;
    const char* path;
    const char* expected;
};

class JsonEscapes : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonEscapes, Resolve) {
    const EscapeCase& c = GetParam();
    JsonDocument document;
    ASSERT_EQ(parseInto(document, c.text, c.unescapeU).code, 0) << c.text;
    EXPECT_EQ(document.textAt(c.path), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonEscapes,
    ::testing::Values(EscapeCase{"[\"a\\u0041b\"]", true, "[0]", "aAb"},
                      EscapeCase{"[\"a\\u0041b\"]", false, "[0]", "a\\u0041b"},
                      EscapeCase{"[\"\\u6309\\u94AE\"]", true, "[0]", "按钮"},
                      EscapeCase{"[\"\\u0E01\"]", true, "[0]", "?"},  // no such character in GBK
                      EscapeCase{"[\"\\u00zz!\"]", true, "[0]", "\\u00zz!"},
                      EscapeCase{"[\"\\\\ \\/ \\\" \\b\\t\\n\\r\\f\"]", false, "[0]", "\\ / \" \b\t\n\r\f"},
                      EscapeCase{"['it\\'s']", false, "[0]", "it\\'s"},  // both characters stay
                      EscapeCase{"[\"\\x\\q\"]", false, "[0]", "\\x\\q"},
                      EscapeCase{"{\"a\\u0042\":\"v\"}", true, "aB", "v"},  // names too
                      EscapeCase{"{\"a\\u0042\":\"v\"}", false, "a\\u0042", "v"}));

TEST(JsonDocument, AShortUEscapeSwallowsTheClosingQuote) {
    JsonDocument document;
    EXPECT_EQ(parseInto(document, "[\"\\u12\"]", true).code, -6);
}

TEST(JsonMembers, ADuplicateNameKeepsTheFirstPlaceAndTheLastValue) {
    JsonDocument document;
    ASSERT_EQ(parseInto(document, "{\"a\":[1,2],\"b\":2,\"a\":\"last\"}").code, 0);
    EXPECT_EQ(document.countAt(""), 2);
    EXPECT_EQ(document.textAt("[0]"), "last");
    EXPECT_EQ(document.textAt("a"), "last");
    EXPECT_EQ(rawTextOf(document.nodeAt("[1]")), "2");
    EXPECT_EQ(document.nodeAt("[2]"), nullptr);
    EXPECT_EQ(document.nodeAt("[0]"), document.nodeAt("a"));
}

TEST(JsonMembers, TheNinthMemberGrowsTheTableFrom11To23Buckets) {
    for (int members : {8, 9, 17, 18}) {
        JsonDocument document;
        ASSERT_EQ(parseInto(document, objectOfMembers(members)).code, 0);
        const MemberTable* table = document.root()->members();
        EXPECT_EQ(table->bucketCount(), members <= 8 ? 11u : members <= 17 ? 23u : 47u) << members;
        for (int i = 0; i < members; ++i) {  // found by name and in insertion order after re-chaining
            std::string name = "k" + std::to_string(i);
            EXPECT_EQ(rawTextOf(document.nodeAt(name)), std::to_string(i));
            EXPECT_EQ(codePageFromWide(936, *document.nodeAt("[" + std::to_string(i) + "]")->key()), name);
        }
    }
}

TEST(JsonMembers, KeyHashIsOverTheUtf16BytesLowByteFirst) {
    EXPECT_EQ(MemberTable::hashOf(wideFromCodePage(936, "a")), 97u);
    EXPECT_EQ(MemberTable::hashOf(wideFromCodePage(936, "ab")), 94275u);  // 97 + 98 × 31²
    EXPECT_EQ(MemberTable::hashOf(wideFromCodePage(936, "按钮")), 4579360u);
    EXPECT_EQ(MemberTable::hashOf(wideFromCodePage(936, "ProgressBar")), 3948407274u);  // negative as signed
    EXPECT_EQ(MemberTable::hashOf({}), 0u);
}

TEST(JsonElements, CapacityStartsAt8AndGrowsTo2cPlus1) {
    for (auto [elements, capacity] : std::initializer_list<std::pair<int, size_t>>{
             {1, 8}, {8, 8}, {9, 17}, {17, 17}, {18, 35}, {36, 71}}) {
        std::string text = "[";
        for (int i = 0; i < elements; ++i) text += std::to_string(i) + ",";
        JsonDocument document;
        ASSERT_EQ(parseInto(document, text + "]").code, 0);
        EXPECT_EQ(document.root()->elements()->capacity(), capacity) << elements;
        EXPECT_EQ(document.countAt(""), elements);
        EXPECT_EQ(rawTextOf(document.nodeAt("[" + std::to_string(elements - 1) + "]")), std::to_string(elements - 1));
    }
}

// Paths on one document with every kind in it.
struct PathCase {
    const char* path;
    int count;
    const char* text;
    bool found;
};

class JsonPaths : public ::testing::TestWithParam<PathCase> {
protected:
    void SetUp() override {
        ASSERT_EQ(parseInto(document,
                            "{\"list\":[10,\"x\",{\"deep\":\"y\"}],\"a.b\":\"dot\",\"w[1]\":\"bracket\","
                            "\"back\\\\slash\":\"bs\",\"s\":\"str\",\"n\":5,\"t\":true,\"z\":null,"
                            "\"名称\":\"值\",\"o\":{}}")
                      .code,
                  0);
    }
    JsonDocument document;
};

TEST_P(JsonPaths, CountTextAndNode) {
    const PathCase& c = GetParam();
    EXPECT_EQ(document.countAt(c.path), c.count) << c.path;
    EXPECT_EQ(document.textAt(c.path), c.text) << c.path;
    EXPECT_EQ(document.nodeAt(c.path) != nullptr, c.found) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonPaths,
    ::testing::Values(PathCase{"", 10, "", true},           // the root
                      PathCase{"list", 3, "", true},
                      PathCase{"list[1]", 0, "x", true},    // an index step right after a name
                      PathCase{"list[2].deep", 0, "y", true},
                      PathCase{"[0]", 3, "", true},         // index steps on an object follow insertion order
                      PathCase{"[0][1]", 0, "x", true},
                      PathCase{"[1]", 0, "dot", true},
                      PathCase{"[9]", 0, "", true},
                      PathCase{"[10]", 0, "", false},
                      PathCase{"a\\.b", 0, "dot", true},    // a backslash makes the dot part of the name
                      PathCase{"a.b", 0, "", false},
                      PathCase{"w\\[1\\]", 0, "bracket", true},
                      PathCase{"back\\\\slash", 0, "bs", true},
                      PathCase{"back\\slash", 0, "bs", true},  // before another character it stays
                      PathCase{"list[x]", 0, "", true},     // a letter reads as index 0
                      PathCase{"[x]", 3, "", true},
                      PathCase{"list[+1]", 0, "x", true},
                      PathCase{"list[ 2].deep", 0, "y", true},
                      PathCase{"list[-1]", 0, "", false},
                      PathCase{"list[3]", 0, "", false},
                      PathCase{"list[99999999999999999999]", 0, "", false},
                      PathCase{"list[1", 0, "", false},
                      PathCase{"list[1]x", 0, "", false},
                      PathCase{"list.", 0, "", false},
                      PathCase{".list", 0, "", false},
                      PathCase{"LIST", 0, "", false},      // names are case-sensitive
                      PathCase{"s", 0, "str", true},
                      PathCase{"s.x", 0, "", false},       // no step leads into a scalar
                      PathCase{"s[0]", 0, "", false},
                      PathCase{"n", 0, "", true},          // numbers, booleans and null give no text
                      PathCase{"t", 0, "", true},
                      PathCase{"z", 0, "", true},
                      PathCase{"o", 0, "", true},
                      PathCase{"名称", 0, "值", true}));

TEST(JsonLimits, AMillionLevelsOfNestingParseAndFreeWithoutRecursion) {
    const size_t depth = 1000000;
    std::string text = std::string(depth, '[') + std::string(depth, ']');
    {
        JsonDocument document;
        ASSERT_EQ(parseInto(document, text).code, 0);
        const JsonNode* node = document.root();
        size_t levels = 0;
        while (node->count() == 1) node = node->child(0), ++levels;
        EXPECT_EQ(levels, depth - 1);
    }
    JsonDocument unclosed;
    Outcome outcome = parseInto(unclosed, std::string(depth, '['));
    EXPECT_EQ(outcome.code, -5);
    EXPECT_EQ(outcome.position, int(depth));

    std::string objects, path = "a";
    for (size_t i = 0; i < depth; ++i) objects += "{\"a\":";
    objects += "\"bottom\"" + std::string(depth, '}');
    for (size_t i = 1; i < depth; ++i) path += ".a";
    JsonDocument nested;
    ASSERT_EQ(parseInto(nested, objects).code, 0);
    EXPECT_EQ(nested.textAt(path), "bottom");
}

TEST(JsonLimits, AHundredMegabyteDocument) {
    // An array of objects, each with a long string, a number and a nested array.
    std::string entry = "{\"name\":\"" + std::string(1000, 'n') + "\",\"size\":12345,\"parts\":[1,2,3]},";
    const size_t entries = 100 * 1000 * 1000 / entry.size() + 1;
    std::string text = "[";
    text.reserve(entries * entry.size() + 2);
    for (size_t i = 0; i < entries; ++i) text += entry;
    text.back() = ']';
    ASSERT_GE(text.size(), 100u * 1000 * 1000);

    JsonDocument document;
    ASSERT_EQ(parseInto(document, text).code, 0);
    EXPECT_EQ(document.countAt(""), int(entries));
    std::string last = "[" + std::to_string(entries - 1) + "]";
    EXPECT_EQ(document.textAt(last + ".name").size(), 1000u);
    EXPECT_EQ(document.countAt(last + ".parts"), 3);

    text.pop_back();  // no closing bracket: ends inside the array
    Outcome outcome = parseInto(document, text);
    EXPECT_EQ(outcome.code, -5);
    EXPECT_EQ(outcome.position, int(text.size()));
    EXPECT_EQ(document.countAt(""), 0);
}

// The inputs kept from fuzzing, each of which once broke a rule of the
// document, and the fuzzing seeds, replayed through the fuzz target's case.
TEST(JsonFuzzInputs, KeptInputsAndSeedsHoldTheRules) {
    const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
    int replayed = 0;
    for (const auto& folder : {here / "fuzz_regressions" / "json", here / ".." / ".." / "fuzz" / "seeds" / "json"})
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            EXPECT_TRUE(fuzzcase::runJsonCase(readHostFile(file.path().string()))) << file.path();
            ++replayed;
        }
    EXPECT_GT(replayed, 0);
}
