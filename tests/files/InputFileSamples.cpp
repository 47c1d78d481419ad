#include "files/InputFileSamples.h"

#include <cmath>

#include "TestPairs.h"
#include "engine/PairGeometry.h"

namespace kolmira::test {

namespace {

// Measurement values and options as the measurement tab leaves them.
void Measured(GearPair& g) {
  g.scConst1 = false, g.scRef1 = true, g.scConst2 = false, g.scChosen2 = true;
  g.sc1 = 2.774, g.sc2 = 2.4531, g.sc1min = 1.5, g.sc1max = 3.25, g.sc2min = 1.375, g.sc2max = 3.0;
  g.hc1 = 1.271, g.hc2 = 1.0625, g.hc1min = 0.75, g.hc1max = 2.125, g.hc2min = 0.5, g.hc2max = 2.0;
  g.zw1 = 3, g.zw2 = 5, g.W1 = 19.1253, g.W2 = 34.6521;
  g.dt1 = 4.5, g.dt2 = 4.25, g.M1 = 58.1179, g.M2 = 109.2202, g.dM1 = 4.5, g.dM2 = 4.25;
}

GearPair ExternalShiftedHelical() {
  GearPair g = StandardExternalPair();
  g.mn = 2.5, g.z1 = 18.0, g.z2 = 41.0, g.betaDeg = 15.0, g.beta = g.betaDeg * kDegToRad;
  g.b = 24.0, g.x1 = 0.3, g.x2 = -0.1, g.xSum = 0.2, g.geometryReady = 7, g.shiftDistributed = true;
  PairFromShifts(g);
  g.jn = 0.12, g.thinBoth = false, g.thinPinion = true, g.thinByGrinding = true, g.da1Given = true;
  g.da1 = 52.125, g.circularRoot = true, g.rhofP1Star = g.rhofP2Star = 0.472;
  Measured(g);
  return g;
}

GearPair InternalWithCutter() {
  GearPair g = StandardInternalPair();
  g.mn = 2.0, g.z1 = 23.0, g.z2 = -71.0, g.b = 30.0, g.x1 = 0.15, g.x2 = 0.4, g.xSum = 0.55;
  g.geometryReady = 7, g.shiftDistributed = true;
  PairFromShifts(g);
  g.jn = 0.08, g.thinBoth = false, g.thinWheel = true, g.z0 = 28, g.x0 = 0.105, g.rhof0Star = 0.3;
  g.rhoa0Star = 0.2, g.maxFunctional = true, g.fullyRounded = true, g.da2Given = true;
  g.da2 = -137.5;
  return g;
}

GearPair Bevel() {
  GearPair g = StandardBevelPair();
  g.mn = 3.0, g.z1Bevel = 17.0, g.z2Bevel = 43.0, g.SigmaDeg = 75.0;
  g.Sigma = g.SigmaDeg * kDegToRad, g.betaDeg = 35.0, g.beta = g.betaDeg * kDegToRad, g.b = 18.0;
  g.x1 = 0.25, g.x2 = -0.25, g.geometryReady = 7;
  BevelGeometry(g);
  return g;
}

GearPair PinionAndRack() {
  GearPair g = StandardExternalPair();
  g.rackMode = true, g.z2 = 5000.0, g.x1 = 0.35, g.geometryReady = 7, g.da2Given = true;
  g.ha2 = 1.125;
  RackGeometry(g);
  return g;
}

GearPair BacklashByShift() {
  GearPair g = StandardExternalPair();
  g.mn = 4.0, g.z1 = 15.0, g.z2 = 32.0, g.x1 = 0.4, g.x2 = 0.1, g.xSum = 0.5, g.geometryReady = 6;
  PairFromShifts(g);
  g.backlashDirect = false, g.backlashByShift = true, g.jn = 0.2, g.xSumNoBacklash = 0.5;
  // The extra negative shift that gives jn at constant centre distance:
  // jn = 2 mn sin(alphaP) (xSum - xSumBacklash).
  g.xSumBacklash = g.xSum - g.jn / (2.0 * g.mn * std::sin(g.alphaP)), g.shiftNotDistributed = false;
  return g;
}

GearPair BacklashByMovingApart() {
  GearPair g = StandardExternalPair();
  g.mn = 1.5, g.z1 = 27.0, g.z2 = 54.0, g.x1 = 0.1, g.x2 = 0.2, g.xSum = 0.3, g.geometryReady = 7;
  PairFromShifts(g);
  g.backlashDirect = false, g.jnByApart = true, g.awJ = g.aw + 0.075;
  // Working pressure angle at the enlarged centre distance.
  g.alphaWtJ = std::acos(std::cos(g.alphaWt) * g.aw / g.awJ), g.jn = 0.05;
  return g;
}

GearPair ToolOptions() {
  GearPair g = StandardExternalPair();
  g.chamfer1 = true, g.protuberance2 = true, g.haP01Star = 1.4, g.rhoaP01Star = 0.3;
  g.hFfP01Star = 0.9, g.alphaKP01Deg = 30.0, g.alphaKP01 = g.alphaKP01Deg * kDegToRad;
  g.alphaKP02Deg = 37.5, g.alphaKP02 = g.alphaKP02Deg * kDegToRad, g.alphaprP02 = 8.0 * kDegToRad;
  g.hFaP02Star = 0.8, g.prP02 = 0.1, g.haP02Star = 1.35, g.rhoaP02Star = 0.25;
  return g;
}

}  // namespace

std::vector<SamplePair> InputFileSamples() {
  return {
      {"external-shifted-helical", ExternalShiftedHelical()},
      {"internal-cutter", InternalWithCutter()},
      {"bevel", Bevel()},
      {"pinion-rack", PinionAndRack()},
      {"backlash-by-shift", BacklashByShift()},
      {"backlash-moving-apart", BacklashByMovingApart()},
      {"tool-options", ToolOptions()},
  };
}

}  // namespace kolmira::test

namespace kolmira::test {

std::string StateFingerprint(const GearPair& g) {
  std::string bytes;
  const auto add = [&bytes](const void* data, std::size_t size) {
    bytes.append(static_cast<const char*>(data), size);
  };
#define KOLMIRA_FINGERPRINT(name) add(&g.name, sizeof g.name);
  KOLMIRA_STATE_ALL(KOLMIRA_FINGERPRINT, KOLMIRA_FINGERPRINT, KOLMIRA_FINGERPRINT)
#undef KOLMIRA_FINGERPRINT
  for (const auto* values : {&g.mnId, &g.alphaId, &g.betaId, &g.xId, &g.alphaTId}) {
    add(values->data(), sizeof(double) * values->size());
  }
  for (const std::string* text : {&g.fieldTextOnEnter, &g.mainCaption}) {
    bytes += *text;
    bytes += '\0';
  }
  for (const Message& message : g.messages) {
    bytes += message.title + '\0' + message.text + '\0';
    bytes += message.kind == Message::Kind::Box ? 'B' : 'b';
  }
  return bytes;
}

}  // namespace kolmira::test
