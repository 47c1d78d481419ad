// Files the program writes always load: random pairs of every gear type,
// made as a user makes them through the dialogs, are saved, loaded into a
// fresh program and saved again, and the two files are byte for byte the
// same.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <unistd.h>

#include "files/InputFile.h"
#include "forms/Program.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

namespace fs = std::filesystem;
using test::Program;

enum class Kind { External, Internal, Bevel, Rack };

class RandomUser {
 public:
  RandomUser(Program& p, std::mt19937& rng) : p_(p), rng_(rng) {}

  // A number in [lo, hi] with the given decimals, as typed.
  std::string Number(double lo, double hi, int decimals) {
    return FormatFixed(std::uniform_real_distribution<double>(lo, hi)(rng_), 0, decimals);
  }
  int Whole(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }

  // A value typed into a field; a refused one is taken back, as the user
  // would take it back to go on.
  void Type(Dialog d, std::string_view field, const std::string& text) {
    p_.Refuses(d, std::string(field), text);
  }
  void Type(int n, const std::string& text) { Type(Dialog::Main, Program::Edit(n), text); }
  void Press(Dialog d, std::string_view control) { p_.Press(d, control); }
  void Press(std::string_view control) { p_.Press(control); }

  void MakePair(Kind kind) {
    p_.Choose(kind == Kind::Internal ? 2 : kind == Kind::Bevel ? 3 : 1);
    const bool bevel = kind == Kind::Bevel, internal = kind == Kind::Internal;
    Type(1, Number(0.3, 12.0, Whole(0, 3)));
    const int z1 = Whole(bevel || internal ? 10 : 6, 45);
    Type(2, std::to_string(z1));
    if (kind == Kind::Rack) {
      Type(3, "5000");
    } else if (internal) {
      Type(3, std::to_string(-(z1 + Whole(8, 120))));
    } else {
      Type(3, std::to_string(Whole(bevel ? z1 : 6, 150)));
    }
    if (bevel && Chance(0.5)) Type(20, Number(45.0, 120.0, 2));
    Type(5, Number(5.0, bevel ? 12.0 : 80.0, 1));
    if (Chance(0.6)) Type(4, Number(0.0, bevel ? 30.0 : 35.0, 3));
    if (Chance(0.3)) {
      const char* angles[] = {"14.5", "15", "17.5", "20", "22.5", "25"};
      Type(17, angles[Whole(0, 5)]);
    }
    if (Chance(0.3)) {
      Type(11, Number(0.8, 1.2, 3));
      Type(14, Number(0.15, 0.4, 3));
      Type(15, Number(0.0, 0.45, 3));
    }
    if (Chance(0.15)) Press("CircularRoot");
    if (!bevel) Shifts(kind);
    if (bevel) {
      Type(7, Number(-0.3, 0.6, 3));
      Type(8, Number(-0.3, 0.6, 3));
    }
    if (!bevel && Chance(0.2)) Press("ComputedTipsButton");
    if (!bevel && Chance(0.3)) Tools();
    if (internal && Chance(0.5)) Cutter();
    if (!bevel && Chance(0.4)) Backlash(kind);
    if (Chance(0.5)) Press("CheckButton");
    if (!bevel && Chance(0.2)) {
      Press("TabMeasure");
      Type(Dialog::Measure, "zw1", std::to_string(Whole(2, 5)));
      Press("TabInputs");
    }
    if (Chance(0.2)) Press("Dms");
  }

 private:
  // The pair defined by its shifts, its shift sum, its centre distance or
  // its working pressure angle, the sum divided as the dialog asks.
  void Shifts(Kind kind) {
    if (kind == Kind::Rack) {
      Type(7, Number(-0.3, 0.8, 3));
      return;
    }
    switch (Whole(0, 4)) {
      case 0:
        Type(7, Number(-0.4, 0.8, 3));
        Type(8, Number(-0.4, 0.8, 3));
        return;
      case 1:
        Type(6, Number(-0.4, 1.2, 3));
        Press("DistributeButton");
        Type(7, Number(-0.3, 0.6, 3));
        return;
      case 2:
        Type(6, Number(0.0, 1.0, 3));
        Press("BalanceButton");
        return;
      case 3: {
        const double a = std::fabs(p_.g.a);
        Type(9, FormatFixed((p_.g.a < 0.0 ? -1.0 : 1.0) * a * (1.0 + Chance(0.5) * 0.01), 0, 3));
        Press("DistributeButton");
        Type(7, Number(-0.2, 0.5, 3));
        return;
      }
      default:
        Type(10, Number(19.0, 24.0, 2));
        Press("DistributeButton");
        Type(7, Number(-0.2, 0.5, 3));
        return;
    }
  }

  void Tools() {
    Press("ToolsButton");
    if (Chance(0.4)) {
      Press(Dialog::RackTools, "srazeni1");
      Type(Dialog::RackTools, "Edit3", Number(0.1, 0.9, 2));
      Type(Dialog::RackTools, "Edit4", Number(30.0, 60.0, 1));
    }
    if (Chance(0.3)) {
      Press(Dialog::RackTools, "protuberance2");
      Type(Dialog::RackTools, "Edit13", Number(0.4, 0.9, 2));
      Type(Dialog::RackTools, "Edit14", Number(0.01, 0.05, 3));
    }
    if (Chance(0.3)) Type(Dialog::RackTools, "Edit2", Number(0.1, 0.4, 3));
    Press(Dialog::RackTools, "ok");
    if (p_.ws.form(Dialog::RackTools).visible()) p_.Key(Dialog::RackTools, Key::Escape);
  }

  void Cutter() {
    Press("FellowButton");
    const int ring = static_cast<int>(std::fabs(p_.g.z2));
    Type(Dialog::ShaperCutter, "Edit1", std::to_string(Whole(10, std::max(10, ring - 6))));
    if (Chance(0.5)) Type(Dialog::ShaperCutter, "Edit2", Number(-0.3, 0.3, 3));
    if (Chance(0.3)) Press(Dialog::ShaperCutter, "plne-zaoblena");
    Press(Dialog::ShaperCutter, "ok");
  }

  void Backlash(Kind kind) {
    const std::string jn = FormatFixed(p_.g.mn * Whole(1, 20) / 100.0, 0, 3);
    Type(21, jn);
    if (!p_.ws.form(Dialog::Backlash).visible()) return;
    const int mode = Whole(1, 3);
    if (mode == 1) {
      const char* thinning[] = {"obe", "pastorek", "kolo"};
      Press(Dialog::Backlash, thinning[Whole(0, 2)]);
      if (Chance(0.3)) Press(Dialog::Backlash, "prebrousenim");
    } else {
      Press(Dialog::Backlash, mode == 2 ? "korekci" : "odsunutim");
      Type(Dialog::Backlash, "jn", jn);
    }
    Press(Dialog::Backlash, "ok");
    if (mode == 2 && kind != Kind::Rack) Press("DistributeButton");
    if (mode != 1) Type(7, Number(-0.2, 0.4, 3));
  }

  Program& p_;
  std::mt19937& rng_;
};

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Saves the program's pair to `path` as "&Uložit vstupy" does; false when
// the save is refused before the file dialog (the shifts not divided). A
// save that fails after it is a failure of the test, with the value the
// file's check refuses.
bool Save(Program& p, const fs::path& path) {
  p.Press("SaveButton");
  if (!p.Asked(Outcome::Kind::ChooseFile)) return false;
  const bool saved = p.ws.SaveTo(path);
  for (const Outcome& o : p.ws.TakeOutcomes()) {
    if (o.kind == Outcome::Kind::Message) {
      GearPair copy = p.g;
      ADD_FAILURE() << o.message.text << "\n"
                    << ReadInputFile(WriteInputFile(p.g), copy).message.text;
    }
  }
  return saved;
}

TEST(InputFileRoundTrip, EveryFileTheProgramWritesLoadsAndSavesAgainByteForByte) {
  // Thousands of saves: in memory where the machine has a memory file
  // system, so that the disk's latency does not set the test's time.
  std::error_code ec;
  const fs::path base =
      fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path dir = base / ("kolmira-round-trip-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path first = dir / "first.dat", second = dir / "second.dat";
  std::mt19937 rng(20261207);
  constexpr int kPerKind = 600;
  for (Kind kind : {Kind::External, Kind::Internal, Kind::Bevel, Kind::Rack}) {
    int saved = 0;
    for (int i = 0; i < kPerKind; ++i) {
      SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << ", pair " << i);
      Program p;
      RandomUser(p, rng).MakePair(kind);
      if (!Save(p, first)) continue;
      ++saved;
      Program q;
      q.Press("LoadButton");
      const bool loaded = q.ws.LoadFrom(first);
      std::string said;
      for (const Outcome& o : q.ws.TakeOutcomes()) said += o.message.text;
      ASSERT_TRUE(loaded) << said << "\n" << Contents(first);
      ASSERT_TRUE(Save(q, second)) << q.LastMessage();
      ASSERT_EQ(Contents(second), Contents(first));
    }
    // Nearly every pair is complete when saved.
    EXPECT_GT(saved, kPerKind * 9 / 10) << static_cast<int>(kind);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kolmira
