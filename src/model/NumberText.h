// Numbers to text and text to numbers, the only ways they are converted in
// Kolmira. All of it is independent of the process locale: a decimal point is
// always '.', and "1,5" is never a number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kolmira {

// The fixed-point "w:d" form: `decimals` digits after the point, right-
// justified with leading blanks to at least `width` characters, never cut.
// A value that is not finite is written as "---" so that no NaN or infinity
// ever reaches the user.
std::string FormatFixed(double value, int width, int decimals);

// An integer right-justified to at least `width` characters.
std::string FormatInt(long long value, int width = 0);

// Degrees-minutes-seconds as the dialogs show an angle (degrees in):
// 20.5 -> "20° 30'", 20.51 -> "20°30' 36.0\"".
std::string FormatDmsDialog(double degrees);

// Degrees-minutes-seconds as the dimension table shows an angle:
// 20.5 -> "20° 30'  0\"", cut to 15 characters.
std::string FormatDmsTable(double degrees);

// Parses a whole text as a real number: leading blanks allowed, an optional
// sign, digits with an optional '.' fraction and exponent; nothing may follow.
std::optional<double> ParseNumber(std::string_view text);

// Parses a whole text as an integer (leading blanks, optional sign, digits).
std::optional<long long> ParseInteger(std::string_view text);

// Reading of an angle typed as D.MMSSss while angles are entered in degrees,
// minutes and seconds. On success `degrees` holds D + M/60 + S/3600; on a
// refusal `error` holds the message to show (minutes or seconds too large).
struct DmsEntry {
  bool ok = false;
  double degrees = 0.0;
  std::string error;
};
DmsEntry ReadDmsEntry(double typed);

// Message texts of the number entry.
inline constexpr const char* kNumberFormatError = "Chyba číselného formátu, opakuj zadání";
inline constexpr const char* kMinutesError = "Minuty vol v rozsahu od 0 do 59.";
inline constexpr const char* kSecondsError = "Vteřiny vol v rozsahu od 0 do 59.99";

// Number of characters (code points) of a UTF-8 text, and its first n of them.
std::size_t Utf8Length(std::string_view text);
std::string Utf8Prefix(std::string_view text, std::size_t n);

}  // namespace kolmira
