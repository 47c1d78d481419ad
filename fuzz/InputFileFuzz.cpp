// libFuzzer target: arbitrary bytes as an input file, read into a standard
// pair. Whatever the bytes, reading must not crash or hang; a rejected file
// must leave the pair exactly as it was; an accepted one must leave finite
// values only and write a file that reads back to the same values.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "TestPairs.h"
#include "files/InputFile.h"
#include "files/InputFileSamples.h"
#include "model/NumberText.h"

namespace {

using kolmira::GearPair;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "input file property broken: %s\n", what);
  std::abort();
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    if (end == std::string_view::npos) break;
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  return lines;
}

// Two written files hold the same values: the same lines, except that a
// number may differ in its last decimal. (The working pressure angle of a
// pair moved apart passes from degrees to radians and back, whose rounding
// can move the twelfth decimal of a large angle.)
bool SameValues(std::string_view a, std::string_view b) {
  const std::vector<std::string_view> la = SplitLines(a), lb = SplitLines(b);
  if (la.size() != lb.size()) return false;
  for (std::size_t i = 0; i < la.size(); ++i) {
    if (la[i] == lb[i]) continue;
    const auto x = kolmira::ParseNumber(la[i]);
    const auto y = kolmira::ParseNumber(lb[i]);
    if (!x || !y) return false;
    if (std::fabs(*x - *y) > 1e-11 * std::fmax(1.0, std::fabs(*x))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const GearPair base = kolmira::test::StandardExternalPair();
  static const std::string baseText = kolmira::WriteInputFile(base);
  static const std::string baseFingerprint = kolmira::test::StateFingerprint(base);

  GearPair target = base;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kolmira::InputFileResult result = kolmira::ReadInputFile(text, target);

  if (!result.ok) {
    Require(result.message.title == kolmira::kErrorTitle, "title of the refusal");
    // The message, followed for a value outside its field's bounds by the
    // line, the value and the field's own message.
    Require(result.message.text.rfind(kolmira::kBadInputFile, 0) == 0, "text of the refusal");
    Require(kolmira::WriteInputFile(target) == baseText, "rejected file changed the written pair");
    Require(kolmira::test::StateFingerprint(target) == baseFingerprint,
            "rejected file changed the pair");
    return 0;
  }

  Require(target.fileReadOk, "fileReadOk after an accepted file");
  Require(kolmira::test::NonFiniteReals(target).empty(), "accepted file left a non-finite value");
  Require(static_cast<int>(target.gearType) >= 1 && static_cast<int>(target.gearType) <= 3,
          "gear type out of range");
  Require(target.thinBoth + target.thinPinion + target.thinWheel == 1 || !target.backlashDirect,
          "thinning variant not exactly one");

  const std::string written = kolmira::WriteInputFile(target);
  GearPair again = base;
  Require(kolmira::ReadInputFile(written, again).ok, "written file of a loaded pair rejected");
  Require(SameValues(kolmira::WriteInputFile(again), written), "write-read-write changed values");
  return 0;
}
