#include "model/StateUnits.h"

#include <algorithm>
#include <iterator>

namespace kolmira {

namespace {

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Angles held in radians. Most have a ...Deg twin; the others are angles of
// the check, the cutter, the tools and the identification.
constexpr std::string_view kRadians[] = {
    "beta",       "Sigma",      "alphaWt",    "alphaP",     "alphaT",     "betaB",
    "alphaKP01",  "alphaKP02",  "alphaWtEff", "betaE",      "betaI",      "delta1",
    "delta2",     "deltaA1",    "deltaA2",    "deltaF1",    "deltaF2",    "alphaFf1",
    "alphaFf2",   "alphaNf1",   "alphaNf2",   "alphaA1",    "alphaA2",    "thinAngle1",
    "thinAngle2", "alphaKt1",   "alphaKt2",   "alphaprP01", "alphaprP02", "alphaprt1",
    "alphaprt2",  "alphaFf0",   "alphaK0",    "alphaW0",    "alphaK",     "alphaExt",
    "alphaExt2",  "alphaIdLow", "alphaId2",   "alphaId3",   "alphaWtJ",   "alphaWNoBacklash",
    "alphaId",    "betaId",     "alphaTId",
};

// Numbers without a unit whose names do not say so by a ...Star.
constexpr std::string_view kPlain[] = {
    "z1",           "z2",
    "z1Bevel",      "z2Bevel",
    "xSum",         "x1",
    "x2",           "invAlphaT",
    "invAlphaWt",   "kStar",
    "xmez",         "x0mez",
    "bToLe",        "xSumNoBacklash",
    "xSumBacklash", "x1NoBacklash",
    "xSumBalance",  "x1min",
    "x2min",        "z1min",
    "z2min",        "epsAlpha",
    "epsBeta",      "epsGamma",
    "thetaF1",      "thetaA1",
    "thetaF2",      "thetaA2",
    "zn1",          "zn2",
    "x1K",          "x2K",
    "haP0Max",      "rhoaP0Max",
    "hprExtra1",    "hprExtra2",
    "haP01Eff",     "haP02Eff",
    "rackHaLimit",  "x0",
    "rhof0Saved",   "rhoa0Saved",
    "zn0",          "invAlphaW0",
};

// Further plain numbers: the cutter's limits, the counts, and the shifts
// and codes of the state.
constexpr std::string_view kPlainToo[] = {
    "rhoa0Max", "rhof0Max", "z0",     "zw1",    "zw2", "zwMin1",          "zwMin2",        "zwMax1",
    "zwMax2",   "zwRec1",   "zwRec2", "zwMeas", "xId", "idSolutionCount", "geometryReady",
};

template <std::size_t N>
bool In(const std::string_view (&list)[N], std::string_view name) {
  return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

}  // namespace

Unit UnitOf(std::string_view member) {
  if (EndsWith(member, "Deg") || member == "betaMax") return Unit::Degree;
  if (In(kRadians, member)) return Unit::Radian;
  if (EndsWith(member, "Star") || In(kPlain, member) || In(kPlainToo, member)) return Unit::One;
  if (member == "lastInputField" || member == "valCode" || member == "protSolveGear" ||
      member == "ballReason") {
    return Unit::One;
  }
  return Unit::Millimetre;
}

std::string_view UnitName(Unit unit) {
  switch (unit) {
    case Unit::Millimetre:
      return "mm";
    case Unit::Degree:
      return "deg";
    case Unit::Radian:
      return "rad";
    case Unit::One:
      break;
  }
  return "1";
}

}  // namespace kolmira
