// Sets the simulated platform up when its library is loaded.
#include "sim_state.h"

namespace trvsim {
void registerModules();
}

__attribute__((constructor)) static void startSimulatedPlatform() {
    trvsim::registerSystemClasses();
    trvsim::registerModules();
}
