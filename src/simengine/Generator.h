// Fills an identifier with deterministic data over its whole domain, for
// large benchmark projects: every tuple is kept with probability density,
// values come from a seeded generator.
#ifndef TAVIK_SIM_GENERATOR_H
#define TAVIK_SIM_GENERATOR_H

#include "simengine/Project.h"

namespace Sim {

void generateData(Project& project, int identifier, double density,
                  unsigned long long seed);

}  // namespace Sim

#endif
