// The main dialog's save and load commands over real files: what a loaded
// file shows, the options it brings back, and what is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "files/InputFile.h"
#include "forms/Program.h"
#include "forms/RackToolForm.h"

namespace kolmira {
namespace {

namespace fs = std::filesystem;
using test::Program;
constexpr Dialog kTools = Dialog::RackTools;

class MainFormFilesTest : public test::ProgramTest {
 protected:
  MainFormFilesTest() {
    // A folder of this run's own: runs of other checkouts may go on at once.
    dir = fs::temp_directory_path() /
          ("kolmira-form-" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
           std::to_string(std::random_device{}()));
    fs::create_directories(dir);
  }
  ~MainFormFilesTest() override { fs::remove_all(dir); }

  // "&Uložit vstupy" and the file chosen in the save dialog.
  bool Save(Program& p, const std::string& name) {
    p.Press("SaveButton");
    return p.Asked(Outcome::Kind::ChooseFile) && p.ws.SaveTo(dir / name);
  }
  bool Load(Program& p, const std::string& name) {
    p.Press("LoadButton");
    if (!p.Asked(Outcome::Kind::ChooseFile)) return false;
    const bool loaded = p.ws.LoadFrom(dir / name);
    p.outcomes = p.ws.TakeOutcomes();
    return loaded;
  }
  // The six basic rack fields and "Kruhová pata", the standard choice and
  // the fields the pair is defined by.
  static std::string Options(const Program& p) {
    return p.Flags({"Edit6", "Edit9", "Edit10", "Edit11", "Edit15", "CircularRoot", "Standard",
                    "NonStandard", "KeepShifts", "Edit21"});
  }

  fs::path dir;
};

TEST_F(MainFormFilesTest, SaveThenLoadRestoresTheInputsAndOptions) {
  const std::pair<int, const char*> inputs[] = {{1, "2.5"},  {2, "17"},    {3, "53"},
                                                {4, "12.5"}, {5, "30"},    {7, "0.35"},
                                                {8, "-0.1"}, {11, "0.95"}, {17, "22.5"}};
  for (auto [n, text] : inputs) ASSERT_TRUE(Enter(n, text)) << n;
  Press("BalanceButton");
  Press("Dms");
  ASSERT_TRUE(Save(*this, "pair.dat"));
  const std::string path = (dir / "pair.dat").string();
  const std::string written = WriteInputFile(g);

  Program other;
  other.Press("KeepShifts");
  other.Open(Dialog::Measure);
  ASSERT_TRUE(Load(other, "pair.dat"));
  // Every saved line comes back; the computed tip diameters are derived
  // again from the 12-decimal inputs and may move in the last digit.
  std::istringstream a(WriteInputFile(other.g)), b(written);
  std::string lineA, lineB;
  int line = 0;
  while (std::getline(b, lineB)) {
    ++line;
    ASSERT_TRUE(std::getline(a, lineA)) << "line " << line;
    if (lineA == lineB) continue;
    EXPECT_NEAR(std::stod(lineA), std::stod(lineB), 1e-11) << "line " << line;
  }
  EXPECT_FALSE(std::getline(a, lineA));
  EXPECT_EQ(other.Values("mn z1 haP1Star shiftDistributed keepShifts inputsChanged "
                         "gearTypeChosen fileReadOk"),
            "mn=2.5 z1=17 haP1Star=0.95 shiftDistributed=1 keepShifts=0 inputsChanged=0 "
            "gearTypeChosen=0 fileReadOk=0");
  EXPECT_NEAR(other.g.x1, g.x1, 1e-12);
  EXPECT_NEAR(other.g.aw, g.aw, 1e-9);
  EXPECT_NEAR(other.g.da1, g.da1, 1e-9);
  EXPECT_EQ(other.Text(1) + "|" + other.Text(7), "2.5000|" + Text(7));
  // The divided shifts define the pair, the basic rack is not the standard
  // one; the keep-shifts box is unchecked.
  EXPECT_EQ(Options(other),
            "Edit6:disabled Edit9:disabled Edit10:disabled Edit11 Edit15 CircularRoot Standard "
            "NonStandard:checked KeepShifts Edit21");
  EXPECT_EQ(other.g.mainCaption, "Geometrický výpočet ozubení - " + path);
  EXPECT_EQ(other.main.tableCaption(), "Tabulka rozměrů - " + path);
  EXPECT_EQ(other.main.resultsCaption(), "Výsledky geometrické kontroly soukolí - " + path);
  EXPECT_EQ(other.Focused(), "CheckButton");
  EXPECT_EQ(other.main.activeTab(), 0);
  // The load is over: a gear type chosen now starts from its defaults.
  other.Press("GearInternal");
  EXPECT_EQ(other.Text(3), "-80.0");
}

TEST_F(MainFormFilesTest, ToolOptionsComeBackWithTheFile) {
  // A tool option makes the basic rack non-standard; a protuberance tool
  // defines it, and its fields are not typed.
  const std::string plain = "Edit6 Edit9 Edit10 Edit11 Edit15 CircularRoot ";
  const std::string chosen = "Standard NonStandard:checked KeepShifts Edit21";
  const std::string taken =
      "Edit6 Edit9 Edit10 Edit11:disabled Edit15:disabled "
      "CircularRoot:disabled ";
  const std::pair<const char*, std::string> cases[] = {
      {"", plain + "Standard:checked NonStandard:disabled KeepShifts Edit21"},
      {"srazeni2", plain + chosen},
      {"srazeni1", plain + chosen},
      {"protuberance1", taken + chosen},
      {"protuberance2", taken + chosen}};
  int file = 0;
  for (const auto& [option, shown] : cases) {
    Program p;
    p.Open(kTools);
    if (*option) {
      ASSERT_TRUE(p.Press(kTools, option)) << option;
    }
    if (p.g.chamfer1) {
      ASSERT_TRUE(p.Enter(kTools, "Edit4", "60"));
    }
    p.Press(kTools, "ok");
    const std::string name = "tools" + std::to_string(++file) + ".dat";
    ASSERT_TRUE(Save(p, name));
    Program other;
    ASSERT_TRUE(Load(other, name));
    EXPECT_EQ(Options(other), shown) << name;
    // The degree twin of the chamfer angle, and the effective addendum of a
    // protuberance tool, follow from what the file holds.
    // (The file holds the angles in radians with 12 decimals.)
    EXPECT_NEAR(other.g.alphaKP01Deg, p.g.alphaKP01Deg, 1e-9) << name;
    if (p.g.protuberance1) {
      EXPECT_NEAR(other.g.haP01Eff, p.g.haP01Eff, 1e-9) << name;
    }
    if (p.g.protuberance2) {
      EXPECT_NEAR(other.g.haP02Eff, p.g.haP02Eff, 1e-9) << name;
    }
    if (p.g.chamfer1) {
      EXPECT_EQ(p.g.alphaKP01Deg, 60.0);
      other.Open(kTools);
      EXPECT_EQ(other.Text(kTools, "Edit4"), "60.0000");
    }
  }
}

TEST_F(MainFormFilesTest, PairDefinedByItsCentreDistanceOrWorkingAngle) {
  // Files of the earlier program may hold a pair defined by its centre
  // distance (9) or its working pressure angle (10). 20/40 at 31 mm:
  // cos a' = 30 cos 20° / 31, a' = 24.580194°, x1 + x2 = (inv a' - inv 20°)
  // 60 / (2 tan 20°) = 1.113385; at 22°: aw = 30 cos 20° / cos 22° =
  // 30.404734, x1 + x2 = 0.424436.
  const std::tuple<int, double, double, const char*> cases[] = {
      {9, 31.0, 20.0, "1.113385|31.00000|24.580194"},
      {10, 30.0, 22.0, "0.424436|30.40473|22.000000"}};
  for (const auto& [defined, aw, alphaWtDeg, texts] : cases) {
    Program p;
    p.g.geometryReady = defined;
    p.g.aw = aw;
    p.g.alphaWtDeg = alphaWtDeg;
    const std::string name = "defined" + std::to_string(defined) + ".dat";
    ASSERT_TRUE(Save(p, name));
    Program other;
    ASSERT_TRUE(Load(other, name));
    EXPECT_EQ(other.Text(6) + "|" + other.Text(9) + "|" + other.Text(10), texts) << defined;
  }
}

TEST_F(MainFormFilesTest, LoadedBacklashStaysEvenWhenARackWasShown) {
  Enter(21, "0.1");
  Press(Dialog::Backlash, "ok");
  ASSERT_TRUE(Save(*this, "backlash.dat"));
  Program other;
  other.Enter(3, "5000");
  ASSERT_TRUE(Load(other, "backlash.dat"));
  EXPECT_EQ(other.Values("rackMode jn") + " " + other.Text(21), "rackMode=0 jn=0.1 0.100");
}

TEST_F(MainFormFilesTest, ABadFileAppliesNothing) {
  Enter(1, "3");
  Enter(3, "55");
  ASSERT_TRUE(Save(*this, "bad.dat"));
  // Change the pair on screen, then try to load the file with one bad line.
  Enter(1, "2");
  const fs::path path = dir / "bad.dat";
  std::stringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  std::string text = content.str();
  std::size_t line6 = 0;
  for (int i = 0; i < 5; ++i) line6 = text.find('\n', line6) + 1;
  text.replace(line6, text.find('\r', line6) - line6, "1,5");
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;

  const std::string before = WriteInputFile(g);
  const std::string fields = Texts(1, 21);
  EXPECT_FALSE(Load(*this, "bad.dat"));
  ASSERT_FALSE(outcomes.empty());
  EXPECT_EQ(outcomes.front().message.text, "Chybný nebo nekompatibilní vstupní soubor");
  EXPECT_EQ(WriteInputFile(g), before);
  EXPECT_EQ(Texts(1, 21), fields);
  EXPECT_EQ(Values("mn gearTypeChosen"), "mn=2 gearTypeChosen=1");
  EXPECT_EQ(Focused(), "Edit1");
  EXPECT_EQ(main.activeTab(), 0);
}

TEST_F(MainFormFilesTest, SaveIsRefusedWhileTheShiftSumIsNotDivided) {
  Enter(6, "0.4");
  EXPECT_FALSE(Save(*this, "never.dat"));
  EXPECT_EQ(messages.back(), (Message{"  Error !", "Není provedeno rozdělení korekcí"}));
  EXPECT_EQ(Focused(), "DistributeButton");
  EXPECT_FALSE(fs::exists(dir / "never.dat"));
}

TEST_F(MainFormFilesTest, RackAndBevelPairsComeBackAsTheyWere) {
  Enter(3, "5000");
  Enter(7, "0.2");
  ASSERT_TRUE(Save(*this, "rack.dat"));
  Program other;
  ASSERT_TRUE(Load(other, "rack.dat"));
  EXPECT_TRUE(other.g.rackMode);
  EXPECT_EQ(other.g.gearType, GearType::External);
  EXPECT_EQ(other.Texts(Dialog::Main, {"Edit3", "TipDiameter2Label"}),
            "Hřeben|Výšku hlavy zubu hřebene        h");
  EXPECT_EQ(other.Flags({"Edit9", "Edit21"}), "Edit9:hidden Edit21");

  Choose(3);
  ASSERT_TRUE(Save(*this, "bevel.dat"));
  ASSERT_TRUE(Load(other, "bevel.dat"));
  EXPECT_EQ(other.g.gearType, GearType::Bevel);
  EXPECT_EQ(other.Flags({"Edit9", "Edit20", "Edit21", "GearBevel"}),
            "Edit9:hidden Edit20 Edit21:hidden GearBevel:checked,bold");
}

}  // namespace
}  // namespace kolmira
