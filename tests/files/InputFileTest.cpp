#include "files/InputFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <random>

#include "TestPairs.h"
#include "files/InputFileSamples.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

namespace fs = std::filesystem;

// The lines of a written file. Every line, the last one too, must end with
// CR LF, and no LF may stand alone.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line without CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(lines.back().find('\n'), std::string::npos) << "lone LF in line " << lines.size();
    start = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

GearPair External() {
  return test::StandardExternalPair();
}
GearPair Internal() {
  return test::StandardInternalPair();
}
GearPair Bevel() {
  return test::StandardBevelPair();
}
GearPair Rack() {
  GearPair g = test::StandardExternalPair();
  g.rackMode = true, g.z2 = 5000.0;
  return g;
}

// Inputs and options the file keeps, each with the condition under which
// its line is written.
using Present = bool (*)(const GearPair&);
const Present Always = [](const GearPair&) { return true; };
const Present NotBevel = [](const GearPair& g) { return g.gearType != GearType::Bevel; };
const Present IsBevel = [](const GearPair& g) { return g.gearType == GearType::Bevel; };
const Present IsInternal = [](const GearPair& g) { return g.gearType == GearType::Internal; };
const Present IsRack = [](const GearPair& g) { return g.rackMode; };
const Present NotRack = [](const GearPair& g) { return !g.rackMode; };
const Present Direct = [](const GearPair& g) { return g.backlashDirect; };
const Present ByShift = [](const GearPair& g) { return g.backlashByShift; };
const Present Apart = [](const GearPair& g) { return g.jnByApart; };

template <typename T>
struct Field {
  const char* name;
  T GearPair::*member;
  Present present;
};

// clang-format off
#define REAL(name, when) Field<double>{#name, &GearPair::name, when}
#define FLAG(name, when) Field<bool>{#name, &GearPair::name, when}
#define INT(name, when) Field<int>{#name, &GearPair::name, when}

const Field<double> kReals[] = {
    REAL(mn, Always), REAL(z1, NotBevel), REAL(z2, NotBevel), REAL(z1Bevel, IsBevel),
    REAL(z2Bevel, IsBevel), REAL(betaDeg, Always), REAL(b, Always), REAL(xSum, Always),
    REAL(x1, Always), REAL(x2, Always), REAL(aw, Always), REAL(awJ, Apart), REAL(alphaWtJ, Apart),
    REAL(xSumBacklash, ByShift), REAL(xSumNoBacklash, ByShift), REAL(alphaWtDeg, Always),
    REAL(jn, Always), REAL(kStar, Always), REAL(haP1Star, Always), REAL(haP2Star, Always),
    REAL(cP1Star, Always), REAL(cP2Star, Always), REAL(rhofP1Star, Always),
    REAL(rhofP2Star, Always), REAL(alphaPDeg, Always), REAL(da1, Always), REAL(da2, NotRack),
    REAL(ha2, IsRack), REAL(x0, IsInternal), REAL(rhof0Star, IsInternal),
    REAL(rhoa0Star, IsInternal), REAL(SigmaDeg, IsBevel), REAL(sc1, Always), REAL(sc2, Always),
    REAL(sc1min, Always), REAL(sc2min, Always), REAL(sc1max, Always), REAL(sc2max, Always),
    REAL(hc1, Always), REAL(hc2, Always), REAL(hc1min, Always), REAL(hc2min, Always),
    REAL(hc1max, Always), REAL(hc2max, Always), REAL(W1, Always), REAL(W2, Always),
    REAL(dt1, Always), REAL(dt2, Always), REAL(M1, Always), REAL(M2, Always), REAL(dM1, Always),
    REAL(dM2, Always), REAL(haP01Star, Always), REAL(haP02Star, Always),
    REAL(rhoaP01Star, Always), REAL(rhoaP02Star, Always), REAL(hFfP01Star, Always),
    REAL(hFfP02Star, Always), REAL(alphaKP01, Always), REAL(alphaKP02, Always),
    REAL(alphaprP01, Always), REAL(alphaprP02, Always), REAL(hFaP01Star, Always),
    REAL(hFaP02Star, Always), REAL(prP01, Always), REAL(prP02, Always),
    // Degree twins of the tool angles, set from the radians read.
    REAL(alphaKP01Deg, Always), REAL(alphaKP02Deg, Always),
};
const Field<bool> kFlags[] = {
    FLAG(rackMode, Always), FLAG(backlashByShift, Always), FLAG(jnByApart, Always),
    FLAG(backlashDirect, Always), FLAG(thinBoth, Direct), FLAG(thinPinion, Direct),
    FLAG(thinWheel, Direct), FLAG(thinByGrinding, Direct), FLAG(maxFunctional, IsInternal),
    FLAG(fullyRounded, IsInternal), FLAG(da1Given, Always), FLAG(da2Given, Always),
    FLAG(shiftNotDistributed, Always), FLAG(shiftDistributed, Always), FLAG(circularRoot, Always),
    FLAG(scConst1, Always), FLAG(scConst2, Always), FLAG(scRef1, Always), FLAG(scRef2, Always),
    FLAG(scChosen1, Always), FLAG(scChosen2, Always), FLAG(chamfer1, Always),
    FLAG(chamfer2, Always), FLAG(protuberance1, Always), FLAG(protuberance2, Always),
};
const Field<int> kInts[] = {
    INT(z0, IsInternal), INT(geometryReady, Always), INT(zw1, Always), INT(zw2, Always),
};
// clang-format on

#undef REAL
#undef FLAG
#undef INT

// Every input and option of `original` that its file holds is in `loaded`,
// with the radian twins of the angles the file holds in degrees.
void ExpectInputsOf(const GearPair& original, const GearPair& loaded) {
  for (const auto& f : kReals) {
    // Twelve decimals: 5e-13 rad of a tool angle are 3e-11 degrees.
    if (!f.present(original)) continue;
    EXPECT_NEAR(loaded.*f.member, original.*f.member, 1e-10) << f.name;
  }
  for (const auto& f : kFlags) {
    if (!f.present(original)) continue;
    EXPECT_EQ(loaded.*f.member, original.*f.member) << f.name;
  }
  for (const auto& f : kInts) {
    if (!f.present(original)) continue;
    EXPECT_EQ(loaded.*f.member, original.*f.member) << f.name;
  }
  EXPECT_EQ(loaded.gearType, original.gearType);
  EXPECT_DOUBLE_EQ(loaded.beta, loaded.betaDeg * kPi / 180.0);
  EXPECT_DOUBLE_EQ(loaded.alphaWt, loaded.alphaWtDeg * kPi / 180.0);
  EXPECT_DOUBLE_EQ(loaded.alphaP, loaded.alphaPDeg * kPi / 180.0);
  EXPECT_DOUBLE_EQ(loaded.Sigma, loaded.SigmaDeg * kPi / 180.0);
  if (IsBevel(original)) {
    // The typed numbers of teeth, not the virtual ones, come back in z1, z2.
    EXPECT_EQ(loaded.z1, original.z1Bevel);
    EXPECT_EQ(loaded.z2, original.z2Bevel);
  }
}

// Every conditional line present except the bevel's shaft angle: an internal
// pair with all three backlash flags set, each value distinct so that a line
// in the wrong place shows.
GearPair EveryLinePair() {
  GearPair g = test::StandardInternalPair();
  g.backlashByShift = g.jnByApart = g.backlashDirect = true;
  g.thinBoth = false, g.thinWheel = true, g.thinByGrinding = true;
  g.mn = 1.5, g.z1 = 21.0, g.z2 = -83.0, g.betaDeg = 12.5, g.b = 11.0;
  g.xSum = 0.125, g.x1 = 0.25, g.x2 = -0.125, g.aw = -31.25, g.awJ = -31.5;
  g.alphaWtJ = 22.5 * kPi / 180.0, g.xSumBacklash = 0.0625, g.xSumNoBacklash = 0.1875;
  g.alphaWtDeg = 21.75, g.jn = 0.05, g.kStar = 0.01;
  g.haP1Star = 1.05, g.haP2Star = 0.95, g.cP1Star = 0.3, g.cP2Star = 0.35;
  g.rhofP1Star = 0.2, g.rhofP2Star = 0.1, g.alphaPDeg = 17.5, g.da1 = 35.5, g.da2 = -128.25;
  g.z0 = 27, g.x0 = 0.15, g.rhof0Star = 0.33, g.rhoa0Star = 0.22;
  g.maxFunctional = true, g.fullyRounded = false, g.da1Given = true, g.da2Given = false;
  g.shiftNotDistributed = false, g.shiftDistributed = true, g.geometryReady = 7;
  g.circularRoot = true;
  g.scConst1 = false, g.scConst2 = true, g.scRef1 = true;
  g.scRef2 = g.scChosen1 = g.scChosen2 = false;
  g.sc1 = 2.1, g.sc2 = 2.2, g.sc1min = 2.3, g.sc2min = 2.4, g.sc1max = 2.5, g.sc2max = 2.6;
  g.hc1 = 1.1, g.hc2 = 1.2, g.hc1min = 1.3, g.hc2min = 1.4, g.hc1max = 1.5, g.hc2max = 1.6;
  g.zw1 = 3, g.zw2 = 11, g.W1 = 7.1, g.W2 = 7.2, g.dt1 = 1.75, g.dt2 = 2.0;
  g.M1 = 25.5, g.M2 = -80.25, g.dM1 = 1.75, g.dM2 = 2.0;
  g.chamfer1 = true, g.chamfer2 = g.protuberance1 = false, g.protuberance2 = true;
  g.haP01Star = 1.25, g.haP02Star = 1.3, g.rhoaP01Star = 0.38, g.rhoaP02Star = 0.4;
  g.hFfP01Star = 0.75, g.hFfP02Star = 0.7, g.alphaKP01 = 0.5, g.alphaKP02 = 0.6;
  g.alphaprP01 = 0.1, g.alphaprP02 = 0.12, g.hFaP01Star = 0.75, g.hFaP02Star = 0.8;
  g.prP01 = 0.05, g.prP02 = 0.06;
  return g;
}

// The same file written out by hand from the line layout.
// clang-format off
const std::vector<std::string> kEveryLineFile = {
    "2", "1", "1", "1", "3",  // gear type, backlashByShift, jnByApart, backlashDirect, thinWheel
    "1.500000000000", "21.000000000000", "-83.000000000000",  // mn, z1, z2
    "12.500000000000", "11.000000000000", "0.125000000000",  // betaDeg, b, xSum
    "0.250000000000", "-0.125000000000", "-31.250000000000",  // x1, x2, aw
    "-31.500000000000", "22.500000000000",  // awJ, alphaWtJ in degrees
    "0.062500000000", "0.187500000000",  // xSumBacklash, xSumNoBacklash
    "21.750000000000", "0.050000000000", "0.010000000000",  // alphaWtDeg, jn, kStar
    "1.050000000000", "0.950000000000",  // haP1Star, haP2Star
    "0.300000000000", "0.350000000000",  // cP1Star, cP2Star
    "0.200000000000", "0.100000000000",  // rhofP1Star, rhofP2Star
    "17.500000000000", "35.500000000000", "-128.250000000000",  // alphaPDeg, da1, da2
    "27", "0.150000000000", "0.330000000000", "0.220000000000",  // z0, x0, rhof0Star, rhoa0Star
    "1", "0", "1", "0",  // maxFunctional, fullyRounded, da1Given, da2Given
    "0", "1", "7", "1",  // shiftNotDistributed, shiftDistributed, geometryReady, circularRoot
    "---------------------------",  // (no shaft angle: not a bevel pair)
    "Miry ozubeni-",
    "0", "1", "1", "0", "0", "0",  // scConst1, scConst2, scRef1, scRef2, scChosen1, scChosen2
    "2.100000000000", "2.200000000000",  // sc1, sc2
    "2.300000000000", "2.400000000000",  // sc1min, sc2min
    "2.500000000000", "2.600000000000",  // sc1max, sc2max
    "1.100000000000", "1.200000000000",  // hc1, hc2
    "1.300000000000", "1.400000000000",  // hc1min, hc2min
    "1.500000000000", "1.600000000000",  // hc1max, hc2max
    "3", "11", "7.100000000000", "7.200000000000",  // zw1, zw2, W1, W2
    "1.750000000000", "2.000000000000",  // dt1, dt2
    "25.500000000000", "-80.250000000000",  // M1, M2
    "1.750000000000", "2.000000000000",  // dM1, dM2
    "---------------------------",
    "Nastroj-",
    "1", "0", "0", "1",  // chamfer1, chamfer2, protuberance1, protuberance2
    "1.250000000000", "1.300000000000",  // haP01Star, haP02Star
    "0.380000000000", "0.400000000000",  // rhoaP01Star, rhoaP02Star
    "0.750000000000", "0.700000000000",  // hFfP01Star, hFfP02Star
    "0.500000000000", "0.600000000000",  // alphaKP01, alphaKP02 in radians
    "0.100000000000", "0.120000000000",  // alphaprP01, alphaprP02
    "0.750000000000", "0.800000000000",  // hFaP01Star, hFaP02Star
    "0.050000000000", "0.060000000000",  // prP01, prP02
    "0",  // inverse of thinByGrinding: reground
};
// clang-format on

TEST(InputFile, EveryLineInItsPlace) {
  const GearPair g = EveryLinePair();
  const std::vector<std::string> lines = Lines(WriteInputFile(g));
  ASSERT_EQ(lines.size(), kEveryLineFile.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i], kEveryLineFile[i]) << "line " << i + 1;
  }

  // Read over a bevel pair of another shaft angle with a rack: every value
  // lands in its member, and a pair that is not a bevel pair gets the right
  // shaft angle.
  GearPair loaded = Bevel();
  loaded.rackMode = true, loaded.SigmaDeg = 75.0;
  ASSERT_TRUE(ReadInputFile(Join(kEveryLineFile), loaded).ok);
  EXPECT_TRUE(loaded.fileReadOk);
  GearPair expected = g;
  // Tool angles come in radians: 0.5 and 0.6 rad are 28.647889756541 and
  // 34.377467707849 degrees.
  expected.alphaKP01Deg = 28.647889756541, expected.alphaKP02Deg = 34.377467707849;
  ExpectInputsOf(expected, loaded);
  EXPECT_EQ(loaded.SigmaDeg, 90.0);
}

// Lines by condition. Every file has the 81 lines that are always there;
// direct backlash adds the thinning and technology lines (2), backlash by
// shift its two shift sums (2), moving apart awJ and alphaWtJ (2), an
// internal pair its six cutter lines and a bevel pair its shaft angle.
TEST(InputFile, LineCountFollowsTheConditions) {
  struct Case {
    const char* name;
    GearPair (*pair)();
    bool direct, byShift, apart;
    std::size_t lines;
  };
  const Case cases[] = {
      {"external, direct", External, true, false, false, 83},
      {"external, no backlash flag", External, false, false, false, 81},
      {"external, by shift", External, false, true, false, 83},
      {"external, moving apart", External, false, false, true, 83},
      {"internal, direct", Internal, true, false, false, 89},
      {"internal, moving apart", Internal, false, false, true, 89},
      {"bevel, direct", Bevel, true, false, false, 84},
      {"bevel, no backlash flag", Bevel, false, false, false, 82},
      {"rack, direct", Rack, true, false, false, 83},
  };
  for (const Case& c : cases) {
    GearPair g = c.pair();
    g.backlashDirect = c.direct, g.backlashByShift = c.byShift, g.jnByApart = c.apart;
    const std::string text = WriteInputFile(g);
    EXPECT_EQ(Lines(text).size(), c.lines) << c.name;
    // And the reader takes exactly these lines: a file one line shorter fails.
    GearPair loaded = test::StandardExternalPair();
    EXPECT_TRUE(ReadInputFile(text, loaded).ok) << c.name;
    std::vector<std::string> shorter = Lines(text);
    shorter.pop_back();
    EXPECT_FALSE(ReadInputFile(Join(shorter), loaded).ok) << c.name;
  }
}

TEST(InputFile, RackIsTypeFourAndLoadsAsExternalWithRack) {
  GearPair g = Rack();
  g.da2Given = true, g.ha2 = 1.125;
  g.da2 = 7777.0;  // meaningless for a rack; must not reach the file
  g.messages.push_back({"t", "x", Message::Kind::Box});
  const std::string before = test::StateFingerprint(g);
  const std::string text = WriteInputFile(g);
  EXPECT_EQ(test::StateFingerprint(g), before) << "writing leaves the pair as it was";
  const std::vector<std::string> lines = Lines(text);
  EXPECT_EQ(lines[0], "4");
  // Line 30 of the layout, the 26th of a direct-mode file (no 15 to 18).
  EXPECT_EQ(lines[25], "1.125000000000");
  EXPECT_EQ(text.find("7777"), std::string::npos);

  // Loaded, the rack addendum comes back (the round trips show it) and the
  // wheel's tip stays as it was.
  GearPair loaded = test::StandardExternalPair();
  const double da2Before = loaded.da2;
  ASSERT_TRUE(ReadInputFile(text, loaded).ok);
  EXPECT_TRUE(loaded.rackMode);
  EXPECT_EQ(loaded.da2, da2Before);

  // The gear type line decides the rack mode both ways: a pair that was a
  // rack before must not keep reading line 30 as a rack addendum.
  GearPair ordinary = External();
  ordinary.da2 = 43.5;
  loaded.ha2 = 9.0;
  ASSERT_TRUE(ReadInputFile(WriteInputFile(ordinary), loaded).ok);
  EXPECT_FALSE(loaded.rackMode);
  EXPECT_EQ(loaded.da2, 43.5);
  EXPECT_EQ(loaded.ha2, 9.0);
}

// A bad line anywhere applies nothing: the pair keeps every value, option
// and message it had, and the load gives the one message.
TEST(InputFile, BadLineAppliesNothing) {
  struct Case {
    const char* name;
    GearPair (*pair)();
    std::size_t line;  // 1-based line of the written file
    const char* text;
  };
  const Case cases[] = {
      {"decimal comma in mn", External, 6, "1,5"},
      {"empty line for z1", External, 7, ""},
      {"trailing blank", External, 10, "10.000000000000 "},
      {"text for a real", External, 9, "beta"},
      {"nan", External, 11, "nan"},
      {"infinity", External, 12, "inf"},
      {"real too large for a double", External, 13, "1e400"},
      {"real for the gear type", External, 1, "1.0"},
      {"unknown gear type 5", External, 1, "5"},
      {"unknown gear type 0", External, 1, "0"},
      {"unknown thinning variant", External, 5, "4"},
      {"empty thinning variant", External, 5, ""},
      {"real for the cutter's teeth", Internal, 27, "35.000000000000"},
      {"cutter's teeth beyond an integer", Internal, 27, "99999999999"},
      {"negative span count", External, 53, "-1"},
      {"decimal comma late in the file", External, 82, "0,05"},
      // A chamfer angle of 1e307 rad is a number, but not in degrees.
      {"chamfer angle without degrees", External, 75, "1e307"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = Lines(WriteInputFile(c.pair()));
    ASSERT_LE(c.line, lines.size()) << c.name;
    lines[c.line - 1] = c.text;
    // The target differs from the file in every value, so that any value
    // taken from it would show.
    GearPair target = test::InputFileSamples().at(0).pair;
    target.messages.push_back({"  Info !", "earlier", Message::Kind::Box});
    const std::string before = test::StateFingerprint(target);
    const InputFileResult result = ReadInputFile(Join(lines), target);
    EXPECT_FALSE(result.ok) << c.name;
    EXPECT_EQ(result.message.title, "  Chyba !") << c.name;
    EXPECT_EQ(result.message.text, "Chybný nebo nekompatibilní vstupní soubor") << c.name;
    EXPECT_EQ(test::StateFingerprint(target), before) << c.name;
    EXPECT_FALSE(target.fileReadOk) << c.name;
  }
}

// A value that its field would refuse when typed refuses the whole file:
// the message names the line, the value as written and the field's own
// message, and the pair keeps every value it had. The values are tested in
// the order their bounds depend on each other, so a shift is tested against
// the limit of the numbers of teeth in the same file.
TEST(InputFile, ValueOutsideItsFieldsBoundsRefusesTheFile) {
  const double inv20 = std::tan(20.0 * kDegToRad) - 20.0 * kDegToRad;
  const std::string xmez20x40 = FormatFixed(-30.0 * inv20 / std::tan(20.0 * kDegToRad), 8, 5);
  struct Case {
    GearPair (*pair)();
    std::vector<std::pair<std::size_t, const char*>> lines;  // 1-based, replaced
    const char* refusal;  // "line: value — message", "" when the file loads
  };
  const Case cases[] = {
      {External, {{6, "-2.000000000000"}}, "6: -2.000000000000 — Modul vol větší než 0"},
      {External, {{6, "0.001"}}, "6: 0.001 — Modul vol v rozsahu od 0.01 do 1000"},
      {External, {{7, "1e308"}}, "7: 1e308 — Počet zubů pastorku vol v rozsahu od 4 do 10000"},
      {External, {{8, "40.500000000000"}}, "8: 40.500000000000 — Počet zubů musí být celé číslo"},
      {Internal,
       {{8, "80.000000000000"}},
       "8: 80.000000000000 — Počet zubů korunového kola vol záporný"},
      {External,
       {{10, "-5.000000000000"}},
       "10: -5.000000000000 — Šířka zubů musí být větší než 0."},
      {External, {{9, "-1"}}, "9: -1 — Úhel ß vol od 0 do 90.0000°. "},
      {External,
       {{24, "1000000000000"}},
       "24: 1000000000000 — Úhel profilu vol větší než 0 až do 50°"},
      {Bevel,
       {{33, "-999.000000000000"}},
       "33: -999.000000000000 — Úhel os vol větší než 0 a menší než 180°"},
      {External,
       {{20, "-0.100000000000"}},
       "20: -0.100000000000 — Poměrnou výšku hlavové vůle pastorku vol od 0 do 1.1579 "},
      {External,
       {{22, "-0.1"}},
       "22: -0.1 — Poměrný rádius zaoblení paty pastorku vol v rozsahu od 0 do 0.4719\r "},
      {External, {{16, "1.5"}}, "16: 1.5 — Boční vůle musí být menší než velikost modulu."},
      {Internal,
       {{27, "80"}},
       "27: 80 — Počet zubů nástroje Fellow vol alespoň o 1 méně než počet zubů kola"},
      {Internal, {{28, "3.5"}}, "28: 3.5 — Korekci nástroje vol v rozsahu od -2 do 3"},
      // A value is what the file's twelve decimals hold: below the last one
      // it is zero, and a zero face width is refused as the field would.
      {External,
       {{10, "0.0000000000004"}},
       "10: 0.0000000000004 — Šířka zubů musí být větší než 0."},
      {External, {{10, "4e-13"}}, "10: 4e-13 — Šířka zubů musí být větší než 0."},
      {External, {{10, "0.0000000000006"}}, ""},
      // The module comes before the teeth, whatever the lines' order.
      {External, {{7, "1e308"}, {6, "-2"}}, "6: -2 — Modul vol větší než 0"},
      // A wheel's shift typed last (geometryReady 8) against the limit of
      // 20 and 40 teeth; 100 teeth admit it.
      {External,
       {{13, "-1.300000000000"}, {31, "8"}},
       "13: -1.300000000000 — Nemožný součet jednotkových korekcí x1+x2  (xmez= "},
      {External, {{13, "-1.300000000000"}, {31, "8"}, {8, "100.000000000000"}}, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = Lines(WriteInputFile(c.pair()));
    std::string what;
    for (const auto& [line, text] : c.lines) {
      ASSERT_LE(line, lines.size());
      lines[line - 1] = text;
      what += std::to_string(line) + "=" + text + " ";
    }
    GearPair target = test::InputFileSamples().at(0).pair;
    const std::string before = test::StateFingerprint(target);
    const InputFileResult result = ReadInputFile(Join(lines), target);
    if (*c.refusal == '\0') {
      EXPECT_TRUE(result.ok) << what << result.message.text;
      continue;
    }
    EXPECT_FALSE(result.ok) << what;
    EXPECT_EQ(result.message.title, "  Chyba !") << what;
    std::string expected =
        std::string("Chybný nebo nekompatibilní vstupní soubor\rřádek ") + c.refusal;
    if (expected.back() == ' ' && expected.find("xmez= ") == expected.size() - 6) {
      expected += xmez20x40 + ") ";
    }
    EXPECT_EQ(result.message.text, expected) << what;
    EXPECT_EQ(test::StateFingerprint(target), before) << what;
  }
}

TEST(InputFile, ToolValuesThatLaterInputsMovedOutOfTheirBoundsLoad) {
  // The tool dialog bounds a chamfer by the addendum and the profile angle,
  // a protuberance by the module: the main dialog may change those later, and
  // the program must load what it saved then. Only what no input moves is
  // refused.
  using Change = void (*)(GearPair&);
  const std::pair<Change, bool> cases[] = {
      {[](GearPair& g) { g.chamfer1 = true, g.hFfP01Star = 0.9, g.haP1Star = 0.5; }, true},
      {[](GearPair& g) { g.chamfer2 = true, g.alphaKP02 = 10.0 * kDegToRad; }, true},
      {[](GearPair& g) { g.protuberance1 = true, g.hFaP01Star = 0.5, g.prP01 = 0.9; }, true},
      // A protuberance checked on a tool shorter than its default height.
      {[](GearPair& g) { g.protuberance2 = true, g.haP02Star = 0.5, g.hFaP02Star = 0.75; }, true},
      {[](GearPair& g) { g.protuberance2 = true, g.hFaP02Star = 0.0; }, false},
      {[](GearPair& g) { g.chamfer1 = true, g.hFfP01Star = 0.0; }, false},
      {[](GearPair& g) { g.chamfer2 = true, g.alphaKP02 = 0.0; }, false},
      {[](GearPair& g) { g.chamfer2 = true, g.alphaKP02 = 91.0 * kDegToRad; }, false},
      {[](GearPair& g) { g.protuberance2 = true, g.hFaP02Star = 0.5, g.prP02 = -0.1; }, false},
      {[](GearPair& g) { g.haP2Star = 0.0, g.cP2Star = 0.0, g.haP01Star = 0.0; }, true},
      {[](GearPair& g) { g.haP01Star = -0.1; }, false},
      // The pinion's fillet is the tool's tip radius (0.38, within the full
      // round tip of the tool's 1.25), after a wheel clearance of 0.78 left
      // its root room for 0.196 only; above both it is refused.
      {[](GearPair& g) { g.cP2Star = 0.78; }, true},
      {[](GearPair& g) { g.rhofP1Star = 0.48; }, false},
      // Under a protuberance the field takes any fillet not below 0.
      {[](GearPair& g) { g.protuberance2 = true, g.rhofP2Star = 3.5; }, true},
      {[](GearPair& g) { g.protuberance2 = true, g.rhofP2Star = -0.1; }, false},
  };
  int n = 0;
  for (const auto& [change, loads] : cases) {
    GearPair pair = External();
    change(pair);
    const std::string text = WriteInputFile(pair);
    GearPair target = External();
    EXPECT_EQ(ReadInputFile(text, target).ok, loads) << "case " << n;
    if (loads) {
      EXPECT_EQ(WriteInputFile(target), text) << "case " << n;
    }
    ++n;
  }
  // A ring's root is the shaper cutter's: a profile angle of 46.55° taken
  // after it leaves the pinion's addendum of 1 above its bound of 0.4936.
  {
    GearPair pair = Internal();
    pair.alphaPDeg = 46.55, pair.alphaP = 46.55 * kDegToRad, pair.haP2Star = 0.001;
    GearPair target = Internal();
    EXPECT_TRUE(ReadInputFile(WriteInputFile(pair), target).ok);
    pair.haP1Star = -0.1;
    EXPECT_FALSE(ReadInputFile(WriteInputFile(pair), target).ok);
  }
  // The shaper cutter's radii follow the helix and the basic rack typed
  // after them: a file is refused for a negative radius only.
  for (const auto& [root, tip, loads] :
       {std::tuple{5.0, 0.2, true}, {0.38, 5.0, true}, {-0.1, 0.2, false}, {0.38, -0.1, false}}) {
    GearPair pair = Internal();
    pair.fullyRounded = false;
    pair.rhof0Star = root, pair.rhoa0Star = tip;
    GearPair target = Internal();
    EXPECT_EQ(ReadInputFile(WriteInputFile(pair), target).ok, loads) << root << " " << tip;
  }
}

TEST(InputFile, FlagLinesTakeOnlyOneAsSet) {
  std::vector<std::string> lines = Lines(WriteInputFile(External()));
  lines[31] = "yes";  // line 42 of the layout: circularRoot
  lines[82] = "x";    // line 94: any text but "1" means a reground involute
  GearPair g = External();
  g.circularRoot = true;
  ASSERT_TRUE(ReadInputFile(Join(lines), g).ok);
  EXPECT_FALSE(g.circularRoot);
  EXPECT_TRUE(g.thinByGrinding);
}

TEST(InputFile, TruncatedFileAtEveryLengthAppliesNothing) {
  for (const test::SamplePair& sample : test::InputFileSamples()) {
    const std::string text = WriteInputFile(sample.pair);
    GearPair target = Internal();
    target.fileReadOk = false;
    const std::string before = test::StateFingerprint(target);
    // Every cut, down to the LF of the last line, leaves a file cut short.
    for (std::size_t length = 0; length < text.size(); ++length) {
      const InputFileResult result =
          ReadInputFile(std::string_view(text).substr(0, length), target);
      EXPECT_FALSE(result.ok) << sample.name << " cut at " << length;
      ASSERT_EQ(test::StateFingerprint(target), before) << sample.name << " cut at " << length;
    }
    EXPECT_TRUE(ReadInputFile(text, target).ok) << sample.name;
  }
}

TEST(InputFile, OtherLineEndsAndExtras) {
  const GearPair g = test::InputFileSamples().at(1).pair;
  const std::string text = WriteInputFile(g);
  const std::vector<std::string> lines = Lines(text);
  // LF alone, as an editor on another system saves it; mixed line ends with
  // a byte order mark before the first line and a line after the last one
  // the layout needs. Both are written back in CR LF.
  std::string mixed = "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < lines.size(); ++i) mixed += lines[i] + (i % 2 ? "\n" : "\r\n");
  mixed += "a note added by hand\r\n";
  for (const std::string& variant : {Join(lines, "\n"), mixed}) {
    GearPair loaded = External();
    ASSERT_TRUE(ReadInputFile(variant, loaded).ok);
    EXPECT_EQ(WriteInputFile(loaded), text);
  }
  // Leading blanks before a number are allowed.
  std::vector<std::string> padded = lines;
  padded[5] = "   " + padded[5];
  GearPair loaded = External();
  ASSERT_TRUE(ReadInputFile(Join(padded), loaded).ok);
  EXPECT_EQ(loaded.mn, g.mn);
}

TEST(InputFile, RoundTripGivesEveryInputAndOptionBack) {
  const std::vector<test::SamplePair> samples = test::InputFileSamples();
  // The samples between them cover every conditional line and each
  // thinning variant and technology.
  bool covered[12] = {};
  for (const test::SamplePair& s : samples) {
    const GearPair& g = s.pair;
    covered[g.rackMode ? 3 : static_cast<int>(g.gearType) - 1] = true;
    covered[4 + (g.backlashDirect ? 0 : g.backlashByShift ? 1 : 2)] = true;
    if (g.backlashDirect) {
      covered[7 + (g.thinBoth ? 0 : g.thinPinion ? 1 : 2)] = true;
      covered[10 + g.thinByGrinding] = true;
    }
  }
  for (int i = 0; i < 12; ++i) EXPECT_TRUE(covered[i]) << i;

  for (const test::SamplePair& s : samples) {
    SCOPED_TRACE(s.name);
    const std::string text = WriteInputFile(s.pair);
    // Loaded over a pair of another type with other values everywhere.
    GearPair loaded = IsInternal(s.pair) ? Bevel() : Internal();
    loaded.fileReadOk = false;
    ASSERT_TRUE(ReadInputFile(text, loaded).ok);
    EXPECT_TRUE(loaded.fileReadOk);
    EXPECT_EQ(WriteInputFile(loaded), text);
    ExpectInputsOf(s.pair, loaded);
    EXPECT_NEAR(loaded.beta, s.pair.beta, 1e-13);
  }
}

class InputFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder of this run's own: other test runs on the machine may be in
    // the same test at the same time.
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("kolmira-inputfile-" + std::string(info->name()) + "-" +
                                        std::to_string(std::random_device{}()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Put(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(InputFileOnDisk, SaveAndLoadGiveThePairBack) {
  // Each sample saved over an older file, which it replaces without a trace.
  for (const test::SamplePair& s : test::InputFileSamples()) {
    const fs::path path = dir_ / "pair.dat";
    Put(path, "an older file\r\n");
    const InputFileResult saved = SaveInputFile(path, s.pair);
    ASSERT_TRUE(saved.ok) << saved.message.text;
    EXPECT_EQ(Contents(path), WriteInputFile(s.pair));
    EXPECT_EQ(Entries(), std::vector<std::string>{"pair.dat"});
    GearPair loaded = External();
    const InputFileResult result = LoadInputFile(path, loaded);
    ASSERT_TRUE(result.ok) << result.message.text;
    EXPECT_EQ(WriteInputFile(loaded), WriteInputFile(s.pair));
  }
  // A file with megabytes after its last line (a note, a wrong tail) loads;
  // what lies beyond the lines the layout needs is never looked at.
  const GearPair g = test::InputFileSamples().at(3).pair;
  const fs::path path = dir_ / "large.dat";
  Put(path, WriteInputFile(g) + std::string(2 * kMaxInputFileBytes, 'x'));
  GearPair loaded = External();
  ASSERT_TRUE(LoadInputFile(path, loaded).ok);
  EXPECT_EQ(WriteInputFile(loaded), WriteInputFile(g));
}

TEST_F(InputFileOnDisk, FailedSaveNamesTheFileAndKeepsTheOldOne) {
  const GearPair g = External();

  // A folder that does not exist, and a "folder" that is a plain file.
  Put(dir_ / "plain", "x");
  for (const fs::path& path : {dir_ / "missing" / "pair.dat", dir_ / "plain" / "pair.dat"}) {
    const InputFileResult result = SaveInputFile(path, g);
    EXPECT_FALSE(result.ok) << path;
    EXPECT_EQ(result.message.title, "  Chyba !");
    EXPECT_NE(result.message.text.find(path.string()), std::string::npos) << result.message.text;
    EXPECT_NE(result.message.text.find("nelze uložit"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(dir_ / "missing"));

  // The temporary file cannot be created (its name is taken by a folder):
  // the previous file stays as it was, and the message says so.
  const fs::path path = dir_ / "pair.dat";
  Put(path, "the previous file\r\n");
  fs::create_directory(dir_ / "pair.dat.kolmira.tmp");
  const InputFileResult result = SaveInputFile(path, g);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.text.find("zachován"), std::string::npos) << result.message.text;
  EXPECT_EQ(Contents(path), "the previous file\r\n");

  // A pair whose file would not load again is not written over it either.
  fs::remove(dir_ / "pair.dat.kolmira.tmp");
  GearPair broken = g;
  broken.mn = std::nan("");
  EXPECT_FALSE(SaveInputFile(path, broken).ok);
  EXPECT_EQ(Contents(path), "the previous file\r\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"pair.dat", "plain"}));
}

TEST_F(InputFileOnDisk, SaveOverSomethingThatIsNoFileRefusesAndLeavesIt) {
  // A pipe made here needs no rights; a device or a socket is refused by
  // the same test of the target's type. Through a link, the link's target
  // is what counts: a link to a pipe is refused, a link to a file replaces
  // the file and stays a link.
  const GearPair g = External();
  const fs::path pipe = dir_ / "pipe.dat", toPipe = dir_ / "to-pipe.dat";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink(pipe, toPipe);
  for (const fs::path& path : {pipe, toPipe}) {
    const InputFileResult result = SaveInputFile(path, g);
    EXPECT_FALSE(result.ok) << path;
    EXPECT_EQ(result.message.title, "  Chyba !");
    EXPECT_EQ(result.message.text, "Soubor „" + path.string() +
                                       "“ nelze uložit: není to obyčejný soubor, ale zařízení, "
                                       "roura nebo soket.");
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe))) << path;
  }
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(toPipe)));
  const fs::path file = dir_ / "file.dat", toFile = dir_ / "to-file.dat";
  Put(file, "the previous file\r\n");
  fs::create_symlink(file, toFile);
  ASSERT_TRUE(SaveInputFile(toFile, g).ok);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(toFile)));
  EXPECT_EQ(Contents(file), WriteInputFile(g));
  EXPECT_EQ(Entries(),
            (std::vector<std::string>{"file.dat", "pipe.dat", "to-file.dat", "to-pipe.dat"}));
}

TEST_F(InputFileOnDisk, LoadFailuresNameTheFileAndApplyNothing) {
  GearPair g = test::InputFileSamples().at(0).pair;
  const std::string before = test::StateFingerprint(g);
  const fs::path missing = dir_ / "missing.dat", wrong = dir_ / "wrong.dat";
  Put(wrong, "this is no input file\r\n");
  struct Case {
    fs::path path;
    const char* text;  // in the message
  };
  for (const Case& c : {Case{missing, "neexistuje"}, Case{dir_, "nelze otevřít"},
                        Case{wrong, "Chybný nebo nekompatibilní vstupní soubor"}}) {
    const InputFileResult result = LoadInputFile(c.path, g);
    EXPECT_FALSE(result.ok) << c.path;
    EXPECT_EQ(result.message.title, "  Chyba !");
    EXPECT_NE(result.message.text.find(c.text), std::string::npos) << result.message.text;
  }
  EXPECT_NE(LoadInputFile(missing, g).message.text.find(missing.string()), std::string::npos);
  EXPECT_EQ(LoadInputFile(wrong, g).message.text, "Chybný nebo nekompatibilní vstupní soubor");
  EXPECT_EQ(test::StateFingerprint(g), before);
}

TEST(InputFile, SaveRefusedWhileTheShiftSumIsNotDistributed) {
  GearPair g = External();
  EXPECT_TRUE(CheckBeforeSave(g));
  EXPECT_TRUE(g.messages.empty());
  g.shiftNotDistributed = true;
  EXPECT_FALSE(CheckBeforeSave(g));
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].title, "  Error !");
  EXPECT_EQ(g.messages[0].text, "Není provedeno rozdělení korekcí");
}

}  // namespace
}  // namespace kolmira
