#include "cli/ShiftMapOutput.h"

#include <cmath>
#include <exception>

namespace kolmira {

namespace {

std::optional<double> Number(const std::string& s) {
  try {
    std::size_t used = 0;
    const double v = std::stod(s, &used);
    if (used != s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<std::pair<double, double>> Interval(const std::string& s) {
  const auto colon = s.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const auto lo = Number(s.substr(0, colon)), hi = Number(s.substr(colon + 1));
  if (!lo || !hi || !(*lo < *hi)) return std::nullopt;
  return std::make_pair(*lo, *hi);
}

}  // namespace

std::optional<ShiftMapRange> ParseMapRange(const std::string& text) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const auto a = Interval(text.substr(0, comma)), b = Interval(text.substr(comma + 1));
  if (!a || !b) return std::nullopt;
  return ShiftMapRange{a->first, a->second, b->first, b->second};
}

}  // namespace kolmira
