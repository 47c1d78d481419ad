#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace kolmira {
namespace {

struct FixedCase {
  double value;
  int width;
  int decimals;
  const char* text;
};

TEST(FormatFixed, WritesRightJustifiedAndNeverCuts) {
  const FixedCase cases[] = {
      {1.5, 8, 6, "1.500000"},
      {1.5, 10, 6, "  1.500000"},
      {-0.25, 7, 4, "-0.2500"},
      {20.0, 4, 1, "20.0"},
      {-80.0, 4, 2, "-80.00"},  // wider than asked: never cut
      {123456.789, 3, 1, "123456.8"},
      {0.0, 8, 5, " 0.00000"},
      {-1e-9, 8, 5, "-0.00000"},  // the table turns this into "0"
      {2.5, 0, 0, "3"},           // an exact tie rounds away from zero
      {-2.5, 0, 0, "-3"},
      {0.125, 0, 2, "0.13"},
      {9.995, 0, 2, "9.99"},  // 9.995 is stored just below the tie
      {9.75, 0, 1, "9.8"},
      {99.5, 0, 0, "100"},
      {-0.5, 0, 0, "-1"},
      {3.5, 1, 0, "4"},
      {1.0, 14, 12, "1.000000000000"},
      {-40.0, 14, 12, "-40.000000000000"},
      {1e20, 0, 3, "100000000000000000000.000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.width, c.decimals), c.text)
        << c.value << " as " << c.width << ":" << c.decimals;
  }
}

TEST(FormatFixed, NeverWritesNaNOrInfinityAndIntegersPadToWidth) {
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 8, 5), "     ---");
  EXPECT_EQ(FormatFixed(HUGE_VAL, 0, 2), "---");
  EXPECT_EQ(FormatFixed(-HUGE_VAL, 0, 2), "---");
  EXPECT_EQ(FormatInt(4, 3), "  4");
  EXPECT_EQ(FormatInt(-12), "-12");
}

struct DmsCase {
  double degrees;
  const char* dialog;
  const char* table;
};

TEST(Dms, DialogAndTableForms) {
  const DmsCase cases[] = {
      {20.5, "20° 30'", "20° 30'  0\""},
      {20.0, "20° 0'", "20° 0'  0\""},
      {0.0, "0° 0'", "0° 0'  0\""},
      {20.51, "20°30' 36.0\"", "20° 30'  36.0\""},
      // 59.99999 degrees: the seconds round to 60.0, the minutes carry to 60
      // and the degrees carry to 60.
      {59.99999, "60° 0'", "60° 0'  0\""},
      {12.3456, "12°20' 44.2\"", "12° 20'  44.2\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDmsDialog(c.degrees), c.dialog) << c.degrees;
    EXPECT_EQ(FormatDmsTable(c.degrees), c.table) << c.degrees;
  }
  // The table form is cut to fifteen characters.
  EXPECT_EQ(FormatDmsTable(123.45678), "123° 27'  24.4\"");
  EXPECT_EQ(Utf8Length(FormatDmsTable(123.45678)), 15u);
  EXPECT_EQ(Utf8Length(FormatDmsTable(1234.45678)), 15u);
}

struct DmsEntryCase {
  double typed;
  bool ok;
  double degrees;
  const char* error;
};

TEST(Dms, EntryReadsDegreesMinutesSeconds) {
  const DmsEntryCase cases[] = {
      {20.3, true, 20.5, ""},
      {20.0, true, 20.0, ""},
      {20.5959, true, 20.0 + 59.0 / 60.0 + 59.0 / 3600.0, ""},
      {20.3015, true, 20.5 + 15.0 / 3600.0, ""},
      {20.30153, true, 20.5 + 15.3 / 3600.0, ""},
      {20.305999, true, 20.5 + 59.99 / 3600.0, ""},
      {20.6, false, 0.0, kMinutesError},
      {20.306, false, 0.0, kSecondsError},
      {20.3060001, false, 0.0, kSecondsError},
  };
  for (const auto& c : cases) {
    const DmsEntry entry = ReadDmsEntry(c.typed);
    EXPECT_EQ(entry.ok, c.ok) << c.typed;
    if (c.ok) {
      EXPECT_NEAR(entry.degrees, c.degrees, 1e-9) << c.typed;
    } else {
      EXPECT_EQ(entry.error, c.error) << c.typed;
    }
  }
}

struct ParseCase {
  const char* text;
  bool ok;
  double value;
};

const ParseCase kParseCases[] = {
    {"1.5", true, 1.5},   {"   2.25", true, 2.25},  // leading blanks allowed
    {"\t3", true, 3.0},   {"-0.5", true, -0.5},    {"+4", true, 4.0},
    {".5", true, 0.5},    {"1e3", true, 1000.0},   {"2.5E-2", true, 0.025},
    {"20.", true, 20.0},  {"1,5", false, 0.0},  // decimal comma is never a number
    {"abc", false, 0.0},  {"", false, 0.0},        {"   ", false, 0.0},
    {"2.5 ", false, 0.0},  // the whole text must be the number
    {"2.5x", false, 0.0}, {"1.2.3", false, 0.0},   {"inf", false, 0.0},
    {"nan", false, 0.0},  {"0x10", false, 0.0},    {"-", false, 0.0},
    {"--1", false, 0.0},  {"1e", false, 0.0},      {"1e999", false, 0.0},  // out of range
};

void ExpectParseCases() {
  for (const auto& c : kParseCases) {
    const auto value = ParseNumber(c.text);
    EXPECT_EQ(value.has_value(), c.ok) << '"' << c.text << '"';
    if (c.ok && value) {
      EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
    }
  }
}

TEST(ParseNumber, WholeTextRule) {
  ExpectParseCases();
}

TEST(ParseNumber, IgnoresADecimalCommaLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_ALL, "cs_CZ.UTF-8") == nullptr) {
    GTEST_SKIP() << "no cs_CZ.UTF-8 locale on this machine";
  }
  ExpectParseCases();
  EXPECT_EQ(FormatFixed(1.5, 8, 6), "1.500000");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(ParseInteger, WholeTextRule) {
  EXPECT_EQ(ParseInteger("35"), 35);
  EXPECT_EQ(ParseInteger("  -4"), -4);
  EXPECT_EQ(ParseInteger("+7"), 7);
  for (const char* text : {"3.5", "1,0", "", "12 ", "+-5"})
    EXPECT_FALSE(ParseInteger(text)) << text;
}

}  // namespace
}  // namespace kolmira
