// Locale-independent number texts: std::to_chars and std::from_chars never
// consult the C locale, which the Qt program sets from the user's settings.
#include "model/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kolmira {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

std::string PadLeft(std::string text, int width) {
  if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  }
  return text;
}

// The three texts of an angle split into degrees, minutes and seconds, with
// the carries that rounding the seconds to one decimal can cause.
struct DmsTexts {
  std::string d, m, s;
};

DmsTexts SplitDms(double v) {
  const double deg = std::trunc(v);
  const double minutesFull = (v - deg) * 60.0;
  const double min = std::trunc(minutesFull);
  const double sec = (minutesFull - min) * 60.0;
  DmsTexts t{FormatFixed(deg, 0, 0), FormatFixed(min, 0, 0), FormatFixed(sec, 1, 1)};
  if (t.s == "0.0") {
    t.s = "0";
  } else if (t.s == "60.0") {
    t.s = "0";
    t.m = FormatFixed(min + 1.0, 0, 0);
  }
  if (t.m == "60") {
    t.m = "0";
    t.d = FormatFixed(deg + 1.0, 0, 0);
  }
  return t;
}

}  // namespace

std::string FormatFixed(double value, int width, int decimals) {
  if (!std::isfinite(value)) return PadLeft("---", width);
  if (decimals < 0) decimals = 0;
  if (decimals > 100) decimals = 100;
  char buffer[480];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (ec != std::errc{}) return PadLeft("---", width);
  std::string text(buffer, end);

  // to_chars rounds an exact tie (0.125 to two decimals) to even; a printed
  // dimension rounds it away from zero, as an engineer reads it. A double is
  // a tie when its exact expansion ends with that 5: the 25 further digits,
  // more than a double carries, are then all zeros.
  auto [longEnd, longEc] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals + 25);
  if (longEc == std::errc{}) {
    const std::string_view longText(buffer, static_cast<std::size_t>(longEnd - buffer));
    const std::size_t point = longText.find('.');
    const std::size_t tieDigit = point + static_cast<std::size_t>(decimals) + 1;
    if (point != std::string_view::npos && tieDigit < longText.size() &&
        longText[tieDigit] == '5' &&
        longText.find_first_not_of('0', tieDigit + 1) == std::string_view::npos) {
      // Truncate to the wanted digits and add one unit of the last digit.
      std::string rounded(longText.substr(0, decimals > 0 ? tieDigit : point));
      std::size_t i = rounded.size();
      for (;;) {
        if (i == 0 || rounded[i - 1] == '-') {
          rounded.insert(i, 1, '1');
          break;
        }
        --i;
        if (rounded[i] == '.') continue;
        if (rounded[i] == '9') {
          rounded[i] = '0';
          continue;
        }
        ++rounded[i];
        break;
      }
      text = rounded;
    }
  }
  return PadLeft(text, width);
}

std::string FormatInt(long long value, int width) {
  return PadLeft(std::to_string(value), width);
}

std::string FormatDmsDialog(double degrees) {
  const DmsTexts t = SplitDms(degrees);
  if (t.s == "0") return t.d + "° " + t.m + "'";
  return t.d + "°" + t.m + "' " + t.s + "\"";
}

std::string FormatDmsTable(double degrees) {
  const DmsTexts t = SplitDms(degrees);
  return Utf8Prefix(t.d + "° " + t.m + "'  " + t.s + "\"", 15);
}

std::optional<double> ParseNumber(std::string_view text) {
  text = SkipLeadingBlanks(text);
  if (text.empty()) return std::nullopt;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only digits, one point and an exponent make a number here: from_chars
  // would also take "inf", "nan" and hexadecimal forms.
  if (text.empty() ||
      !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
    return std::nullopt;
  }
  for (char c : text) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'E' ||
          c == '+' || c == '-')) {
      return std::nullopt;
    }
  }
  double value = 0.0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<long long> ParseInteger(std::string_view text) {
  text = SkipLeadingBlanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;  // "+-5"
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

DmsEntry ReadDmsEntry(double typed) {
  DmsEntry entry;
  const bool negative = typed < 0.0;
  // The number is read as it is written with 8 decimals: D.MMSSssss, where
  // the six digits after the minutes are ten-thousandths of a second.
  const std::string written = FormatFixed(std::fabs(typed), 0, 8);
  const std::size_t point = written.find('.');
  if (point == std::string::npos || written.size() < point + 9) {
    entry.error = kNumberFormatError;
    return entry;
  }
  const double deg = std::strtod(written.substr(0, point).c_str(), nullptr);
  const int minutes = std::atoi(written.substr(point + 1, 2).c_str());
  const double seconds = std::atof(written.substr(point + 3, 6).c_str()) / 10000.0;
  if (minutes > 59) {
    entry.error = kMinutesError;
    return entry;
  }
  if (seconds > 59.999) {
    entry.error = kSecondsError;
    return entry;
  }
  const double value = deg + minutes / 60.0 + seconds / 3600.0;
  entry.ok = true;
  entry.degrees = negative ? -value : value;
  return entry;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string Utf8Prefix(std::string_view text, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) != 0x80) {
      if (count == n) return std::string(text.substr(0, i));
      ++count;
    }
  }
  return std::string(text);
}

}  // namespace kolmira
