// tarvolin-sim's scenarios, played against the plug-in module.
#include <sstream>

#include "scenario.h"
#include "sim_control.h"
#include "support/run_folder.h"

using namespace trvsim;

namespace {

struct Played {
    int result;
    std::string out, errors;
};

Played play(SimIde& ide, const std::string& scenario, SnapshotFormat format = SnapshotFormat::Text) {
    std::ostringstream out, errors;
    int result = playScenario(ide, scenario, format, out, errors);
    return {result, out.str(), errors.str()};
}

}  // namespace

using ScenarioTest = IdeTest;

TEST_F(ScenarioTest, TheDemoShowsTheStartedShell) {
    Played played = play(*ide, demoScenario);
    EXPECT_EQ(played.result, 0) << played.errors;
    // The snapshot is printed in UTF-8.
    for (const char* line : {"  title: \xE6\x98\x93\xE8\xAF\xAD\xE8\xA8\x80 5.9 - C:\\EIDE\\",  // 易语言
                             "  extended style: 0x00080000", "    colour key: 0x00000000", "  left: hidden",
                             "  initialised: yes", "    name: \xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91",
                             "      path: lib\\Tarvolin\\Dark\\resource.res\n      loaded: yes", "  olly.dll: present",
                             "trace log\n  - \xE5\xBC\xB9\xE5\x87\xBA\xE8\x8F\x9C\xE5\x8D\x95 : 3,7\n"})
        EXPECT_NE(played.out.find(line), std::string::npos) << line << "\nin\n" << played.out;
}

TEST_F(ScenarioTest, JsonSnapshotHoldsTheSameState) {
    Played played = play(*ide, "host no-main-window\nstart\nsnapshot\n", SnapshotFormat::Json);
    EXPECT_EQ(played.result, 0) << played.errors;
    EXPECT_EQ(played.out.front(), '{');
    for (const char* part : {"\"dock bars\":{\"top\":\"shown\"", "\"initialised\":false", "\"olly.dll\":\"missing\"",
                             "\"host calls\":[\"call 1\",\"call 1\",\"call 1\"]"})
        EXPECT_NE(played.out.find(part), std::string::npos) << part << "\nin\n" << played.out;
}

TEST_F(ScenarioTest, ALineThatCannotBePlayedStopsTheScenario) {
    struct Case {
        const char* scenario;
        const char* error;
    };
    const Case cases[] = {
        {"start\nfly away\nsnapshot\n", "scenario line 2: cannot play \"fly away\""},
        {"# comment\n\nnotify 19 x 7\n", "scenario line 3: cannot play \"notify 19 x 7\""},
        {"close 5\n", "scenario line 1: cannot play \"close 5\""},
        {"notepad close\n", "scenario line 1: cannot play \"notepad close\""},
    };
    for (auto& c : cases) {
        Played played = play(*ide, c.scenario);
        EXPECT_EQ(played.result, 2);
        EXPECT_NE(played.errors.find(c.error), std::string::npos) << played.errors;
        EXPECT_EQ(played.out, "");
    }
}
