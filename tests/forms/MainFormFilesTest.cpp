// The main dialog's save and load commands over real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/InputFile.h"
#include "forms/Program.h"

namespace kolmira {
namespace {

namespace fs = std::filesystem;
using test::Program;

class MainFormFilesTest : public test::ProgramTest {
 protected:
  MainFormFilesTest() {
    dir = fs::temp_directory_path() /
          ("kolmira-form-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  ~MainFormFilesTest() override { fs::remove_all(dir); }

  // "&Uložit vstupy" and the file chosen in the save dialog.
  static bool Save(Program& p, const fs::path& path) {
    p.Press("SaveButton");
    return p.Asked(Outcome::Kind::ChooseFile) && p.ws.SaveTo(path);
  }
  static bool Load(Program& p, const fs::path& path) {
    p.Press("LoadButton");
    if (!p.Asked(Outcome::Kind::ChooseFile)) return false;
    const bool loaded = p.ws.LoadFrom(path);
    p.outcomes = p.ws.TakeOutcomes();
    return loaded;
  }
  std::vector<std::string> FieldTexts() const {
    std::vector<std::string> texts;
    for (int n = 1; n <= 21; ++n) texts.push_back(Text(n));
    return texts;
  }

  fs::path dir;
};

TEST_F(MainFormFilesTest, SaveThenLoadRestoresTheInputsAndOptions) {
  for (auto [n, text] : {std::pair{1, "2.5"},
                         {2, "17"},
                         {3, "53"},
                         {4, "12.5"},
                         {5, "30"},
                         {7, "0.35"},
                         {8, "-0.1"},
                         {11, "0.95"},
                         {17, "22.5"}}) {
    ASSERT_TRUE(Enter(n, text)) << n;
  }
  Press("BalanceButton");
  Press("Dms");
  const fs::path path = dir / "pair.dat";
  ASSERT_TRUE(Save(*this, path));
  const std::string written = WriteInputFile(g);
  const auto fieldsBefore = FieldTexts();

  Program other;
  ASSERT_TRUE(Load(other, path));
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
  EXPECT_EQ(other.g.mn, 2.5);
  EXPECT_EQ(other.g.z1, 17.0);
  EXPECT_EQ(other.g.haP1Star, 0.95);
  EXPECT_NEAR(other.g.x1, g.x1, 1e-12);
  EXPECT_NEAR(other.g.aw, g.aw, 1e-9);
  EXPECT_NEAR(other.g.da1, g.da1, 1e-9);
  EXPECT_TRUE(other.g.shiftDistributed);
  EXPECT_EQ(other.Text(1), "2.5000");
  EXPECT_EQ(other.Text(7), fieldsBefore[6]);
  EXPECT_EQ(other.g.mainCaption, "Geometrický výpočet ozubení - " + path.string());
  EXPECT_EQ(other.main.tableCaption(), "Tabulka rozměrů - " + path.string());
  EXPECT_EQ(other.main.resultsCaption(),
            "Výsledky geometrické kontroly soukolí - " + path.string());
  EXPECT_EQ(other.Focused(), "CheckButton");
}

TEST_F(MainFormFilesTest, ABadFileAppliesNothing) {
  Enter(1, "3");
  Enter(3, "55");
  const fs::path path = dir / "bad.dat";
  ASSERT_TRUE(Save(*this, path));
  // Change the pair on screen, then try to load the file with one bad line.
  Enter(1, "2");
  std::stringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  std::string text = content.str();
  std::size_t line6 = 0;
  for (int i = 0; i < 5; ++i) line6 = text.find('\n', line6) + 1;
  text.replace(line6, text.find('\r', line6) - line6, "1,5");
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;

  const std::string before = WriteInputFile(g);
  const auto fieldsBefore = FieldTexts();
  EXPECT_FALSE(Load(*this, path));
  ASSERT_FALSE(outcomes.empty());
  EXPECT_EQ(outcomes.front().message.text, "Chybný nebo nekompatibilní vstupní soubor");
  EXPECT_EQ(WriteInputFile(g), before);
  EXPECT_EQ(FieldTexts(), fieldsBefore);
  EXPECT_EQ(g.mn, 2.0);
  EXPECT_EQ(Focused(), "Edit1");
}

TEST_F(MainFormFilesTest, SaveIsRefusedWhileTheShiftSumIsNotDivided) {
  Enter(6, "0.4");
  EXPECT_FALSE(Save(*this, dir / "never.dat"));
  EXPECT_EQ(LastTitle(), "  Error !");
  EXPECT_EQ(LastMessage(), "Není provedeno rozdělení korekcí");
  EXPECT_EQ(Focused(), "DistributeButton");
  EXPECT_FALSE(fs::exists(dir / "never.dat"));
}

TEST_F(MainFormFilesTest, RackPairComesBackAsARack) {
  Enter(3, "5000");
  Enter(7, "0.2");
  const fs::path path = dir / "rack.dat";
  ASSERT_TRUE(Save(*this, path));
  Program other;
  ASSERT_TRUE(Load(other, path));
  EXPECT_TRUE(other.g.rackMode);
  EXPECT_EQ(other.g.gearType, GearType::External);
  EXPECT_EQ(other.Text(3), "Hřeben");
  EXPECT_EQ(other.main.control(Control::TipDiameter2Label).text,
            "Výšku hlavy zubu hřebene        h");
  EXPECT_FALSE(other.main.control(Control::Edit9).visible);
}

}  // namespace
}  // namespace kolmira
