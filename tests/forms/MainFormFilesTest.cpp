// The main dialog's save and load commands over real files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/InputFile.h"
#include "forms/MainForm.h"

namespace kolmira {
namespace {

namespace fs = std::filesystem;

class MainFormFilesTest : public ::testing::Test {
 protected:
  MainFormFilesTest() : form(g) {
    form.Start();
    dir = fs::temp_directory_path() /
          ("kolmira-form-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  ~MainFormFilesTest() override { fs::remove_all(dir); }

  void Enter(int n, const std::string& text) {
    form.Focus(FieldControl(n));
    form.Type(FieldControl(n), text);
    form.Focus(Control::None);
  }
  void Press(Control c) {
    form.BeginPress(c);
    form.Focus(c);
    form.Press(c);
  }
  std::vector<std::string> FieldTexts() const {
    std::vector<std::string> texts;
    for (int n = 1; n <= 21; ++n) texts.push_back(form.control(FieldControl(n)).text);
    return texts;
  }

  GearPair g;
  MainForm form;
  fs::path dir;
};

TEST_F(MainFormFilesTest, SaveThenLoadRestoresTheInputsAndOptions) {
  Enter(1, "2.5");
  Enter(2, "17");
  Enter(3, "53");
  Enter(4, "12.5");
  Enter(5, "30");
  Enter(7, "0.35");
  Enter(8, "-0.1");
  Enter(11, "0.95");
  Enter(17, "22.5");
  Press(Control::BalanceButton);
  Press(Control::Dms);
  const std::string path = (dir / "pair.dat").string();
  ASSERT_TRUE(form.PrepareSave());
  ASSERT_TRUE(form.SaveInputs(path));
  const std::string written = WriteInputFile(g);
  const auto fieldsBefore = FieldTexts();

  GearPair other;
  MainForm second(other);
  second.Start();
  ASSERT_TRUE(second.LoadInputs(path));
  // Every saved line comes back; the computed tip diameters are derived
  // again from the 12-decimal inputs and may move in the last digit.
  std::istringstream a(WriteInputFile(other)), b(written);
  std::string lineA, lineB;
  int line = 0;
  while (std::getline(b, lineB)) {
    ++line;
    ASSERT_TRUE(std::getline(a, lineA)) << "line " << line;
    if (lineA == lineB) continue;
    EXPECT_NEAR(std::stod(lineA), std::stod(lineB), 1e-11) << "line " << line;
  }
  EXPECT_FALSE(std::getline(a, lineA));
  EXPECT_EQ(other.mn, 2.5);
  EXPECT_EQ(other.z1, 17.0);
  EXPECT_EQ(other.haP1Star, 0.95);
  EXPECT_NEAR(other.x1, g.x1, 1e-12);
  EXPECT_NEAR(other.aw, g.aw, 1e-9);
  EXPECT_NEAR(other.da1, g.da1, 1e-9);
  EXPECT_TRUE(other.shiftDistributed);
  EXPECT_EQ(second.control(Control::Edit1).text, "2.5000");
  EXPECT_EQ(second.control(Control::Edit7).text, fieldsBefore[6]);
  EXPECT_EQ(other.mainCaption, "Geometrický výpočet ozubení - " + path);
  EXPECT_EQ(second.tableCaption(), "Tabulka rozměrů - " + path);
}

TEST_F(MainFormFilesTest, ABadFileAppliesNothing) {
  Enter(1, "3");
  Enter(3, "55");
  const std::string path = (dir / "bad.dat").string();
  ASSERT_TRUE(form.SaveInputs(path));
  // Change the pair on screen, then try to load the file with one bad line.
  Enter(1, "2");
  std::stringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  std::string text = content.str();
  const std::size_t line6 = [&] {
    std::size_t at = 0;
    for (int i = 0; i < 5; ++i) at = text.find('\n', at) + 1;
    return at;
  }();
  text.replace(line6, text.find('\r', line6) - line6, "1,5");
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;

  const std::string before = WriteInputFile(g);
  const auto fieldsBefore = FieldTexts();
  g.messages.clear();
  EXPECT_FALSE(form.LoadInputs(path));
  ASSERT_FALSE(g.messages.empty());
  EXPECT_EQ(g.messages.back().text, "Chybný nebo nekompatibilní vstupní soubor");
  EXPECT_EQ(WriteInputFile(g), before);
  EXPECT_EQ(FieldTexts(), fieldsBefore);
  EXPECT_EQ(g.mn, 2.0);
  EXPECT_EQ(form.focused(), Control::Edit1);
}

TEST_F(MainFormFilesTest, SaveIsRefusedWhileTheShiftSumIsNotDivided) {
  Enter(6, "0.4");
  g.messages.clear();
  Press(Control::SaveButton);
  EXPECT_FALSE(form.requests().save);
  ASSERT_FALSE(g.messages.empty());
  EXPECT_EQ(g.messages.back().title, "  Error !");
  EXPECT_EQ(g.messages.back().text, "Není provedeno rozdělení korekcí");
  EXPECT_EQ(form.focused(), Control::DistributeButton);
}

TEST_F(MainFormFilesTest, RackPairComesBackAsARack) {
  Enter(3, "5000");
  Enter(7, "0.2");
  const std::string path = (dir / "rack.dat").string();
  ASSERT_TRUE(form.PrepareSave());
  ASSERT_TRUE(form.SaveInputs(path));
  GearPair other;
  MainForm second(other);
  second.Start();
  ASSERT_TRUE(second.LoadInputs(path));
  EXPECT_TRUE(other.rackMode);
  EXPECT_EQ(other.gearType, GearType::External);
  EXPECT_EQ(second.control(Control::Edit3).text, "Hřeben");
  EXPECT_EQ(second.control(Control::TipDiameter2Label).text, "Výšku hlavy zubu hřebene        h");
  EXPECT_FALSE(second.control(Control::Edit9).visible);
}

}  // namespace
}  // namespace kolmira
