// The shift map window as its user meets it through the Workspace: opened
// from the report, a coarse then a fine map arriving from the background,
// its keys and buttons, what the mouse reads from it and what a click types
// into the main dialog, when the map is computed anew and when it stays,
// and that no thread outlives the program. The map's regions themselves are
// the scene's (tested there); here the map is held against the check the
// program runs after a click at the same point.
#include "forms/ShiftMapForm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <random>
#include <thread>

#include "engine/Check.h"
#include "forms/Program.h"
#include "forms/ShiftMapJob.h"
#include "model/NumberText.h"
#include "report/Report.h"

namespace kolmira {
namespace {

using test::Program;
using namespace std::chrono_literals;

// The longest any map of these tests may take; only a hung job gets near.
constexpr auto kPatience = 300s;

// Polls the window as the front end does, until the job is idle and every
// map it published has been taken: the sizes of the maps, in order.
std::vector<int> WaitForMaps(ShiftMapForm& form) {
  std::vector<int> sizes;
  const auto until = std::chrono::steady_clock::now() + kPatience;
  for (;;) {
    const bool idle = !form.computing();
    if (form.Poll()) sizes.push_back(form.scene()->size);
    if (idle && !form.Poll()) break;
    if (std::chrono::steady_clock::now() > until) {
      ADD_FAILURE() << "the map did not arrive";
      break;
    }
    std::this_thread::sleep_for(2ms);
  }
  return sizes;
}

// Until the first map has arrived (the coarse one, or the fine one too).
void WaitForFirstMap(ShiftMapForm& form) {
  const auto until = std::chrono::steady_clock::now() + kPatience;
  while (!form.Poll() && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(2ms);
  }
  ASSERT_NE(form.scene(), nullptr) << "no map arrived";
}

// Threads of this process now (Linux).
int ThreadCount() {
  int n = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator("/proc/self/task")) {
    ++n;
  }
  return n;
}

// The program with a pair typed as "field=text" steps (fields by number,
// "!Control" pressed) and checked.
struct TypedProgram : Program {
  explicit TypedProgram(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
      const std::size_t eq = step.find('=');
      if (step[0] == '!') {
        EXPECT_TRUE(Press(step.substr(1))) << step;
      } else {
        EXPECT_TRUE(Enter(std::stoi(step.substr(0, eq)), step.substr(eq + 1))) << step;
      }
    }
    EXPECT_TRUE(Step([&] { return ws.Check(); }));
    EXPECT_TRUE(main.resultsVisible());
  }
};

// The same with the map opened by the report's button.
struct MapProgram : TypedProgram {
  explicit MapProgram(const std::vector<std::string>& steps) : TypedProgram(steps) {
    EXPECT_TRUE(Press(Dialog::Report, "mapa"));
  }
  ShiftMapForm& map() { return ws.shiftMap(); }
  // A click on the map, with what it led to.
  bool Click(double x, double y) {
    return Step([&] { return ws.ClickOnMap(x, y); });
  }
  // The report's finding lines as the report window writes them.
  std::vector<std::string> Findings() const {
    std::vector<std::string> texts;
    for (const ReportLine& line : ReportLines(g)) {
      if (line.kind != ReportLineKind::PerfectPair) texts.push_back(LineAsText(line));
    }
    return texts;
  }
};

// The pairs of these tests, as typed: mn, z1, z2 and what makes the pair.
const std::vector<std::string> kSpur = {"1=3", "2=20", "3=40"};
const std::vector<std::string> kRack = {"2=20", "3=5000", "7=0.2"};
const std::vector<std::string> kKeptCentreDistance = {
    "1=3", "2=20", "3=40", "6=0.5", "!DistributeButton", "7=0.3"};
const std::vector<std::string> kBevel = {"!GearBevel", "2=20", "3=30", "7=0.2", "8=-0.2"};

TEST(ShiftMapForm, OpensFromTheReportWithACoarseThenAFineMapAndHidesByEscAndZpet) {
  MapProgram p(kSpur);
  // The report's fourth button, beside the main dialog: the map takes the
  // focus, the main dialog's field is not left.
  EXPECT_EQ(p.Text(Dialog::Report, "Button3"), "&Mapa korekcí");
  EXPECT_TRUE(p.Showed(Dialog::ShiftMap));
  EXPECT_EQ(p.Focused(Dialog::ShiftMap), "Plot");
  EXPECT_EQ(p.map().caption(), std::string("Mapa korekcí"));
  EXPECT_EQ(p.map().status(), "Počítám…");
  EXPECT_EQ(p.map().scene(), nullptr);
  EXPECT_TRUE(p.map().computing());

  EXPECT_EQ(WaitForMaps(p.map()), (std::vector<int>{51, 201}));
  const ShiftMapScene& scene = *p.map().scene();
  EXPECT_TRUE(scene.complete);
  EXPECT_EQ(scene.shape, ShiftMapShape::Plane);
  EXPECT_EQ(p.map().status(), "");
  EXPECT_EQ(p.map().started(), 1);
  // The mark is the live pair's shifts.
  ASSERT_TRUE(p.map().CurrentMark());
  EXPECT_EQ(*p.map().CurrentMark(), (MapXY{0.0, 0.0}));

  // F1 and "&Help" open the map's page; Esc and "&Zpět" hide the window
  // and hand the focus back to the main dialog.
  EXPECT_TRUE(p.Key(Dialog::ShiftMap, Key::F1));
  EXPECT_EQ(p.HelpContext(), 16);
  EXPECT_TRUE(p.Press(Dialog::ShiftMap, "help"));
  EXPECT_EQ(p.HelpContext(), kShiftMapHelpContext);
  EXPECT_TRUE(p.map().visible());
  EXPECT_TRUE(p.Key(Dialog::ShiftMap, Key::Escape));
  EXPECT_FALSE(p.map().visible());
  EXPECT_TRUE(p.Asked(Outcome::Kind::HideDialog));
  EXPECT_EQ(p.Focused(), "CheckButton");
  // Shown again with the same inputs: the finished map stays.
  EXPECT_TRUE(p.Press(Dialog::Report, "Button3"));
  EXPECT_TRUE(p.map().visible());
  EXPECT_EQ(p.map().started(), 1);
  EXPECT_NE(p.map().scene(), nullptr);
  EXPECT_TRUE(p.Press(Dialog::ShiftMap, "OkBtn"));
  EXPECT_FALSE(p.map().visible());
  // The frame's close button is Esc.
  EXPECT_TRUE(p.Press(Dialog::Report, "mapa"));
  p.ws.Close(Dialog::ShiftMap);
  EXPECT_FALSE(p.map().visible());
}

TEST(ShiftMapForm, HiddenWhileComputedTheMapStopsAndIsComputedAgainWhenShown) {
  MapProgram p(kSpur);
  EXPECT_TRUE(p.Key(Dialog::ShiftMap, Key::Escape));
  p.map().Poll();
  EXPECT_TRUE(p.Press(Dialog::Report, "mapa"));
  EXPECT_EQ(p.map().started(), 2);
  const std::vector<int> sizes = WaitForMaps(p.map());
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), 201);
}

TEST(ShiftMapForm, InputsOfTheCheckMakeANewMapTheShiftsTypedDoNot) {
  // Each input the check takes, typed while the map shows: a new map of
  // the new pair. Its text is what the field writes back, so the pair is a
  // new one.
  const std::pair<int, const char*> inputs[] = {
      {1, "2.5"}, {2, "21"}, {3, "43"}, {4, "12"}, {5, "30"}, {11, "1.1"}, {13, "0.3"}, {15, "0.3"},
  };
  MapProgram p(kSpur);
  WaitForFirstMap(p.map());
  for (const auto& [field, text] : inputs) {
    SCOPED_TRACE(field);
    const std::string key = p.map().key();
    const int started = p.map().started();
    EXPECT_TRUE(p.Enter(field, text));
    EXPECT_NE(p.map().key(), key);
    EXPECT_EQ(p.map().started(), started + 1);
    EXPECT_EQ(p.map().scene(), nullptr);
    EXPECT_EQ(ShiftMapKey(p.map().mapPair()), ShiftMapKey(p.g));
  }
  WaitForFirstMap(p.map());
  // The shifts typed by hand, and by a click: the same map, only its mark
  // moves.
  const std::string key = p.map().key();
  const int started = p.map().started();
  EXPECT_TRUE(p.Enter(7, "0.25"));
  EXPECT_TRUE(p.Enter(8, "-0.1"));
  EXPECT_TRUE(p.Click(0.4, 0.1));
  EXPECT_EQ(p.map().key(), key);
  EXPECT_EQ(p.map().started(), started);
  EXPECT_NE(p.map().scene(), nullptr);
  EXPECT_EQ(*p.map().CurrentMark(), (MapXY{0.4, 0.1}));
}

// The key is what typing the shifts leaves alone, for every kind of pair:
// any shifts typed through the main dialog keep it, and a pair made
// otherwise gets another.
TEST(ShiftMapForm, KeyKeepsEveryPairThroughItsShiftsTyped) {
  struct Case {
    const char* name;
    std::vector<std::string> steps;
    double x1, x2;  // typed
  };
  const Case cases[] = {
      {"spur", kSpur, 0.35, -0.15},
      {"helical", {"1=2", "2=17", "3=53", "4=15", "19=110"}, 0.5, 0.2},
      {"internal", {"!GearInternal", "2=20", "3=-60"}, 0.3, 0.4},
      {"rack", kRack, 0.45, NAN},
      {"kept centre distance", kKeptCentreDistance, 0.1, NAN},
      {"bevel", kBevel, 0.3, -0.3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TypedProgram p(c.steps);
    const std::string key = ShiftMapKey(p.g);
    EXPECT_TRUE(p.Enter(7, Program::Exact(c.x1)));
    if (!std::isnan(c.x2)) {
      EXPECT_TRUE(p.Enter(8, Program::Exact(c.x2)));
    }
    EXPECT_TRUE(p.Step([&] { return p.ws.Check(); }));
    EXPECT_EQ(p.g.x1, c.x1);
    EXPECT_EQ(ShiftMapKey(p.g), key);
    // A new face width is a new pair.
    EXPECT_TRUE(p.Enter(5, "17"));
    EXPECT_NE(ShiftMapKey(p.g), key);
  }
}

TEST(ShiftMapForm, AClickTypesTheRoundedShiftsAndChecksThePair) {
  MapProgram p(kSpur);
  WaitForFirstMap(p.map());
  const ShiftMapScene& scene = *p.map().scene();
  const std::vector<std::string> before = p.Findings();
  // Near the pointed pinion tip and far from the unshifted pair: other
  // findings.
  const double x1 = scene.xMax - 0.0004, x2 = -0.3996;
  ASSERT_TRUE(p.map().InPlot(x1, x2));
  const std::optional<MapEntry> entry = p.map().EntryAt(x1, x2);
  ASSERT_TRUE(entry);
  const double rounded = std::round(x1 * 1000.0) / 1000.0;
  EXPECT_EQ(entry->x1, rounded);
  EXPECT_EQ(entry->x2Text, "-0.400000");

  EXPECT_TRUE(p.Click(x1, x2));
  EXPECT_EQ(p.g.x1, rounded);
  EXPECT_EQ(p.g.x2, -0.4);
  EXPECT_EQ(p.Text(7), FormatFixed(rounded, 8, 6));
  EXPECT_EQ(p.Text(8), "-0.400000");
  EXPECT_NE(p.Findings(), before);
  EXPECT_TRUE(p.Asked(Outcome::Kind::Repaint));
  // The map keeps the focus; the main dialog's is on the check button the
  // click pressed.
  EXPECT_EQ(p.outcomes.back().kind, Outcome::Kind::Focus);
  EXPECT_EQ(p.outcomes.back().dialog, Dialog::ShiftMap);
  EXPECT_EQ(p.outcomes.back().control, "Plot");
  EXPECT_EQ(p.Focused(), "CheckButton");

  // Outside the plot a click does nothing.
  for (const auto& [x, y] : {std::pair{scene.xMax + 0.01, 0.0},
                             {scene.xMin - 0.01, 0.0},
                             {0.0, scene.yMax + 0.01},
                             {0.0, scene.yMin - 0.01},
                             {NAN, 0.0},
                             {0.0, INFINITY}}) {
    EXPECT_FALSE(p.Click(x, y));
    EXPECT_TRUE(p.outcomes.empty());
    EXPECT_EQ(p.g.x1, rounded);
  }
}

// A range typed and applied is mapped, for the next inputs too, until the
// default range is asked for; a range the fields cannot take is refused
// with its message and the map stays.
TEST(ShiftMapForm, ATypedRangeIsMappedUntilTheDefaultIsAskedFor) {
  MapProgram p(kSpur);
  WaitForFirstMap(p.map());
  const double defaultMin = p.map().scene()->xMin;
  EXPECT_EQ(p.Text(Dialog::ShiftMap, "X1Min"), FormatFixed(defaultMin, 1, 4));
  for (const auto& [field, text] : {std::pair{"X1Min", "-0.2"}, {"X1Max", "0.8"},
                                    {"X2Min", "0"}, {"X2Max", "1.1"}}) {
    EXPECT_TRUE(p.Enter(Dialog::ShiftMap, field, text)) << field;
  }
  EXPECT_TRUE(p.Press(Dialog::ShiftMap, "rozsah"));
  WaitForFirstMap(p.map());
  const auto expectRange = [&](double x1Min, double x1Max, double x2Min, double x2Max) {
    const ShiftMapScene& scene = *p.map().scene();
    EXPECT_EQ(scene.xMin, x1Min);
    EXPECT_EQ(scene.xMax, x1Max);
    EXPECT_EQ(scene.yMin, x2Min);
    EXPECT_EQ(scene.yMax, x2Max);
  };
  expectRange(-0.2, 0.8, 0.0, 1.1);

  // Refused: a maximum not above its minimum, a bound beyond the shift
  // fields' own, a text that is no number. Enter applies as the button does.
  struct Refused {
    const char* field;
    const char* text;
    const char* mended;
  };
  for (const auto& [field, text, mended] : {Refused{"X2Max", "-0.1", "1.1"},
                                            Refused{"X1Min", "-16", "-0.2"},
                                            Refused{"X1Max", "x", "0.8"}}) {
    SCOPED_TRACE(field);
    const int started = p.map().started();
    EXPECT_TRUE(p.Type(Dialog::ShiftMap, field, text));
    p.Step([&] {
      p.ws.Key(Dialog::ShiftMap, Key::Enter);
      return true;
    });
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, kMapRangeRefused);
    EXPECT_EQ(p.map().started(), started);
    EXPECT_EQ(p.map().focused(), field);
    EXPECT_TRUE(p.Type(Dialog::ShiftMap, field, mended));
  }
  // The range stays with new inputs.
  EXPECT_TRUE(p.Enter(1, "4"));
  WaitForFirstMap(p.map());
  expectRange(-0.2, 0.8, 0.0, 1.1);
  EXPECT_TRUE(p.Press(Dialog::ShiftMap, "vychozi-rozsah"));
  WaitForFirstMap(p.map());
  EXPECT_FALSE(p.map().userRange());
  EXPECT_EQ(p.map().scene()->xMin, DefaultShiftMapRange(p.g).x1Min);

  // A line map has no x2 range.
  MapProgram rack(kRack);
  EXPECT_FALSE(rack.map().control("X2Min")->visible);
  EXPECT_TRUE(rack.map().control("X1Min")->visible);
}

// In the unchecked corner (the shift sum below its limit) the main dialog
// would refuse the shifts: the click says so with its message and types
// nothing, and the next click is typed as usual.
TEST(ShiftMapForm, AClickTheMainDialogWouldRefuseTypesNothing) {
  MapProgram p(kSpur);
  WaitForFirstMap(p.map());
  const ShiftMapScene& scene = *p.map().scene();
  EXPECT_FALSE(p.Click(scene.xMin + 0.01, scene.yMin + 0.01));
  ASSERT_EQ(p.messages.size(), 1u);
  EXPECT_NE(p.messages[0].text.find("Nemožný součet jednotkových korekcí"), std::string::npos);
  EXPECT_TRUE(p.ws.lastEntryRefused());
  EXPECT_EQ(p.g.x1, 0.0);
  EXPECT_EQ(p.Text(7), "0.000000");
  EXPECT_EQ(p.Text(8), "0.000000");
  EXPECT_TRUE(p.Click(0.3, 0.2));
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ(p.g.x1, 0.3);
  EXPECT_EQ(p.g.x2, 0.2);
}

// A centre distance typed hides the shift fields until the sum is divided;
// a click on the map types the shifts all the same, and the centre
// distance follows them.
TEST(ShiftMapForm, AClickAfterACentreDistanceTypesTheShifts) {
  MapProgram p(kSpur);
  WaitForFirstMap(p.map());
  ASSERT_TRUE(p.Enter(9, "91"));
  ASSERT_FALSE(p.main.control("Edit7")->visible);
  EXPECT_TRUE(p.Click(0.3, 0.2));
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ(p.g.x1, 0.3);
  EXPECT_EQ(p.g.x2, 0.2);
  EXPECT_FALSE(p.g.shiftNotDistributed);
  EXPECT_NEAR(p.g.aw, 91.419765, 1e-6);
}

TEST(ShiftMapForm, ARackPairAndAKeptCentreDistanceTypeX1AloneABevelPairKeepsItsSum) {
  struct Case {
    const char* name;
    std::vector<std::string> steps;
    ShiftMapShape shape;
    double x2;  // after a click at x1 = 0.1
  };
  const Case cases[] = {
      {"rack", kRack, ShiftMapShape::RackLine, 0.0},
      {"kept centre distance", kKeptCentreDistance, ShiftMapShape::SumLine, 0.4},
      {"bevel", kBevel, ShiftMapShape::SumLine, -0.1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MapProgram p(c.steps);
    WaitForFirstMap(p.map());
    const ShiftMapScene& scene = *p.map().scene();
    EXPECT_EQ(scene.shape, c.shape);
    const std::optional<MapEntry> entry = p.map().EntryAt(0.1, scene.yMin);
    ASSERT_TRUE(entry);
    // Only a bevel pair types x2 as well: the kept sum less x1.
    EXPECT_EQ(entry->x2Text, c.name == std::string("bevel") ? "-0.100000" : "");
    const std::string aw = p.Text(9);
    const std::string key = p.map().key();
    // Any height of a line's rows is the same x1.
    EXPECT_TRUE(p.Click(0.1, 0.5 * (scene.yMin + scene.yMax)));
    EXPECT_EQ(p.g.x1, 0.1);
    EXPECT_NEAR(p.g.x2, c.x2, 1e-12);
    EXPECT_EQ(p.map().key(), key);
    ASSERT_TRUE(p.map().CurrentMark());
    EXPECT_EQ(p.map().CurrentMark()->x, 0.1);
    // A kept centre distance stays.
    if (c.shape == ShiftMapShape::SumLine) {
      EXPECT_EQ(p.Text(9), aw);
    }
  }
}

// The map tells what the program reports: for random pairs of each kind and
// random points of their maps, the mouse over a point reads the findings the
// report lists after a click there, and the map's own probe agrees.
TEST(ShiftMapForm, WhatTheMapReadsIsWhatTheReportSaysAfterAClick) {
  std::mt19937 random(20240611);
  const auto pick = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  const auto teeth = [&](int lo, int hi) {
    return std::to_string(std::uniform_int_distribution<int>(lo, hi)(random));
  };
  int checkedPoints = 0, uncheckedPoints = 0, stoppedPoints = 0;
  for (int kind = 0; kind < 5; ++kind) {
    for (int n = 0; n < 3; ++n) {
      std::vector<std::string> steps;
      const std::string module = std::to_string(1 + static_cast<int>(pick(0, 4)));
      switch (kind) {
        case 0:  // external, spur or helical
          steps = {"1=" + module, "2=" + teeth(12, 30), "3=" + teeth(31, 90),
                   "4=" + std::to_string(static_cast<int>(pick(0, 25)))};
          break;
        case 1:  // internal
          steps = {"!GearInternal", "1=" + module, "2=" + teeth(15, 30), "3=-" + teeth(60, 100)};
          break;
        case 2:  // bevel
          steps = {"!GearBevel", "1=" + module, "2=" + teeth(12, 25), "3=" + teeth(26, 50)};
          break;
        case 3:  // a pinion with a rack
          steps = {"1=" + module, "2=" + teeth(12, 40), "3=5000"};
          break;
        default:  // shifts kept while the centre distance sets the helix
          steps = {"1=" + module, "2=" + teeth(12, 30), "3=" + teeth(31, 90), "4=10",
                   "!KeepShifts"};
          break;
      }
      std::string name;
      for (const std::string& s : steps) name += s + " ";
      SCOPED_TRACE(name);
      MapProgram p(steps);
      WaitForFirstMap(p.map());
      const ShiftMapScene scene = *p.map().scene();
      for (int k = 0; k < 6; ++k) {
        const double x = pick(scene.xMin, scene.xMax), y = pick(scene.yMin, scene.yMax);
        const std::optional<MapEntry> entry = p.map().EntryAt(x, y);
        ASSERT_TRUE(entry);
        const std::string status = p.map().Hover(x, y);
        const MapProbe probe = ProbeShiftMap(p.map().mapPair(), scene.shape, entry->x1,
                                             scene.shape == ShiftMapShape::Plane ? entry->x2 : y);
        SCOPED_TRACE(status);
        EXPECT_EQ(status.rfind("x1 = " + FormatFixed(entry->x1, 1, 4) + "   x2 = ", 0), 0u);
        const GearPair before = p.g;
        const bool clicked = p.Click(x, y);
        if (!probe.checked) {
          // The main dialog refuses the shifts, or its check stops, with its
          // message; the status said so.
          ++uncheckedPoints;
          EXPECT_FALSE(clicked);
          EXPECT_FALSE(p.messages.empty());
          EXPECT_NE(status.find(kMapUncheckedText), std::string::npos);
          // A refused click leaves the shifts as they were, and the next
          // click is typed as usual.
          if (p.ws.lastEntryRefused()) {
            EXPECT_EQ(p.g.x1, before.x1);
            EXPECT_EQ(p.g.x2, before.x2);
          }
          continue;
        }
        EXPECT_TRUE(clicked);
        EXPECT_TRUE(p.messages.empty()) << p.LastMessage();
        EXPECT_EQ(p.g.x1, entry->x1);
        EXPECT_NEAR(p.g.x2, probe.x2, 1e-9);
        // Where a gear has no tooth left the check stops at that line; the
        // report then shows none of the later steps' lines, whatever pair
        // was checked before.
        ++(CheckStoppedEarly(p.g) ? stoppedPoints : checkedPoints);
        EXPECT_EQ(probe.findings, p.Findings());
        if (probe.findings.empty()) {
          EXPECT_NE(status.find(kMapFaultlessText), std::string::npos);
        }
        for (const ReportLine& line : ReportLines(p.g)) {
          if (line.kind == ReportLineKind::PerfectPair) continue;
          // The line's words, its blank runs read as one blank.
          std::string words;
          for (const char ch : LineAsText(line)) {
            if (ch != ' ' || (!words.empty() && words.back() != ' ')) words += ch;
          }
          while (!words.empty() && words.back() == ' ') words.pop_back();
          EXPECT_NE(status.find(words), std::string::npos) << words;
        }
      }
    }
  }
  // Most points fell where the check runs to its end.
  EXPECT_GT(checkedPoints, 36);
  EXPECT_LT(uncheckedPoints + stoppedPoints, 24);
  EXPECT_GT(stoppedPoints, 0);
}

TEST(ShiftMapForm, ANewStartStopsTheMapBeingComputedAndNoThreadOutlivesTheProgram) {
  const int threads = ThreadCount();
  {
    MapProgram p(kSpur);
    // A new module at once: the first map is stopped, the second started,
    // and the program ends while it is computed.
    EXPECT_TRUE(p.Enter(1, "4"));
    EXPECT_EQ(p.map().started(), 2);
    EXPECT_TRUE(p.map().computing());
  }
  EXPECT_EQ(ThreadCount(), threads);

  // The job alone: the map of the second start is the only one published,
  // and the job ends with the destructor.
  TypedProgram rack(kRack);
  TypedProgram spur(kSpur);
  {
    ShiftMapJob job;
    job.Start(rack.g, DefaultShiftMapRange(rack.g));
    job.Start(spur.g, DefaultShiftMapRange(spur.g));
    const auto until = std::chrono::steady_clock::now() + kPatience;
    std::optional<ShiftMapScene> scene;
    while (!(scene = job.TakeScene()) && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(2ms);
    }
    ASSERT_TRUE(scene);
    EXPECT_EQ(scene->shape, ShiftMapShape::Plane);
    EXPECT_EQ(job.published(), 1);
    EXPECT_TRUE(job.busy());
  }
}

}  // namespace
}  // namespace kolmira
