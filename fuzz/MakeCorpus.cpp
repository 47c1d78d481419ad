// Writes the starting corpus of the input-file fuzz target: one valid file for
// each sample pair (external shifted helical, internal with cutter options,
// bevel, pinion and rack, backlash by shift, by moving apart, tool options)
// and the three standard pairs.
#include <cstdio>
#include <filesystem>

#include "TestPairs.h"
#include "files/InputFile.h"
#include "files/InputFileSamples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);

  std::vector<kolmira::test::SamplePair> pairs = kolmira::test::InputFileSamples();
  pairs.push_back({"standard-external", kolmira::test::StandardExternalPair()});
  pairs.push_back({"standard-internal", kolmira::test::StandardInternalPair()});
  pairs.push_back({"standard-bevel", kolmira::test::StandardBevelPair()});
  int failures = 0;
  for (const auto& sample : pairs) {
    const auto result = kolmira::SaveInputFile(folder / (sample.name + ".dat"), sample.pair);
    if (!result.ok) {
      std::fprintf(stderr, "%s\n", result.message.text.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
