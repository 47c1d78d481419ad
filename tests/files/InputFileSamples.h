// Gear pairs that exercise every conditional line of the input file: the
// gear types, the three ways of producing the backlash with each thinning
// variant, the cutter options of an internal wheel and the tool options.
// The input-file tests round-trip them; the fuzz target starts its corpus
// with their files.
#pragma once

#include <string>
#include <vector>

#include "model/GearPair.h"

namespace kolmira::test {

struct SamplePair {
  std::string name;  // also the name of its corpus file
  GearPair pair;
};

std::vector<SamplePair> InputFileSamples();

}  // namespace kolmira::test

namespace kolmira::test {

// Every member of the pair as raw bytes (reals bit for bit, so -0 and 0
// differ), with its texts and queued messages: equal fingerprints mean the
// pair was left exactly as it was.
std::string StateFingerprint(const GearPair& g);

}  // namespace kolmira::test
