// tarvolin-sim: the simulated host IDE. Loads the plug-in from lib\ of its
// run directory, plays a scenario and prints what the plug-in shows.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "scenario.h"
#include "sim_ide.h"

namespace {

int usage() {
    std::cerr << "usage: tarvolin-sim [--json] [--run-dir FOLDER] [SCENARIO | -]\n"
                 "Plays SCENARIO (a file, or - for standard input), or the demo when none is given.\n";
    return 2;
}

std::string executableFolder() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string self(path, length > 0 ? size_t(length) : 0);
    return self.substr(0, self.rfind('/'));
}

}  // namespace

int main(int argc, char** argv) {
    trvsim::SnapshotFormat format = trvsim::SnapshotFormat::Text;
    std::string runFolder = executableFolder();
    std::string scenarioPath;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--json")
            format = trvsim::SnapshotFormat::Json;
        else if (argument == "--run-dir" && i + 1 < argc)
            runFolder = argv[++i];
        else if (scenarioPath.empty() && (argument == "-" || argument[0] != '-'))
            scenarioPath = argument;
        else
            return usage();
    }

    std::string scenario = trvsim::demoScenario;
    if (scenarioPath == "-") {
        std::ostringstream text;
        text << std::cin.rdbuf();
        scenario = text.str();
    } else if (!scenarioPath.empty()) {
        std::ifstream file(scenarioPath, std::ios::binary);
        if (!file) {
            std::cerr << "tarvolin-sim: cannot read " << scenarioPath << "\n";
            return 2;
        }
        std::ostringstream text;
        text << file.rdbuf();
        scenario = text.str();
    }

    trvsim::SimIde ide(runFolder);
    return trvsim::playScenario(ide, scenario, format, std::cout, std::cerr);
}
