// Plays a scenario: a plain text of host actions, one per line.
#pragma once

#include <iosfwd>
#include <string>

namespace trvsim {

class SimIde;

enum class SnapshotFormat { Text, Json };

// Runs every line; prints the snapshots it asks for. Returns 0, or 2 after
// printing the line that could not be played.
int playScenario(SimIde& ide, const std::string& scenarioUtf8, SnapshotFormat format, std::ostream& out,
                 std::ostream& errors);

// The scenario played when none is given.
extern const char* const demoScenario;

}  // namespace trvsim
