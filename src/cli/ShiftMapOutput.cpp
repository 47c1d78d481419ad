#include "cli/ShiftMapOutput.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

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

std::string Fixed(double v, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

std::string Escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

const char* KindName(ReportLineKind kind) {
  return kind == ReportLineKind::Warning ? "warning" : "error";
}

// Colours of the error regions, in the order of their lines.
constexpr std::array<const char*, 10> kErrorColours = {"#e6194b", "#f58231", "#ffe119", "#3cb44b",
                                                       "#42d4f4", "#4363d8", "#911eb4", "#f032e6",
                                                       "#9a6324", "#800000"};
constexpr std::array<const char*, 6> kWarningColours = {"#555555", "#1f5fbf", "#2e8b57",
                                                        "#b8860b", "#8b008b", "#008b8b"};

// The grid cell and edge a crossing lies on: marching squares joins the
// crossings of one cell pairwise.
struct Segment {
  double ax, ay, bx, by;
};

std::vector<Segment> JoinInCells(const ShiftMap& map, const std::vector<ShiftMapCrossing>& xs) {
  const int n = map.size;
  const double s1 = (map.range.x1Max - map.range.x1Min) / (n - 1);
  const double s2 = (map.range.x2Max - map.range.x2Min) / (n - 1);
  std::map<std::pair<int, int>, std::vector<const ShiftMapCrossing*>> cells;
  for (const ShiftMapCrossing& x : xs) {
    if (x.alongX1) {
      const int i2 = static_cast<int>(std::lround((x.x2 - map.range.x2Min) / s2));
      const int i1 = std::clamp(static_cast<int>((x.x1 - map.range.x1Min) / s1), 0, n - 2);
      if (i2 > 0) cells[{i1, i2 - 1}].push_back(&x);
      if (i2 < n - 1) cells[{i1, i2}].push_back(&x);
    } else {
      const int i1 = static_cast<int>(std::lround((x.x1 - map.range.x1Min) / s1));
      const int i2 = std::clamp(static_cast<int>((x.x2 - map.range.x2Min) / s2), 0, n - 2);
      if (i1 > 0) cells[{i1 - 1, i2}].push_back(&x);
      if (i1 < n - 1) cells[{i1, i2}].push_back(&x);
    }
  }
  std::vector<Segment> out;
  for (const auto& [cell, list] : cells) {
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
      out.push_back({list[i]->x1, list[i]->x2, list[i + 1]->x1, list[i + 1]->x2});
    }
  }
  return out;
}

}  // namespace

std::optional<ShiftMapRange> ParseMapRange(const std::string& text) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const auto a = Interval(text.substr(0, comma)), b = Interval(text.substr(comma + 1));
  if (!a || !b) return std::nullopt;
  return ShiftMapRange{a->first, a->second, b->first, b->second};
}

std::string TextWithoutNumbers(const std::string& text) {
  std::size_t end = text.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      end = i;
      break;
    }
  }
  std::string s = text.substr(0, end);
  const auto trim = [&] {
    while (!s.empty() && std::string(" =,:(<-+.").find(s.back()) != std::string::npos) s.pop_back();
  };
  trim();
  // A symbol's letter whose subscript the report draws over a blank run
  // ("d" of "d a2max", "z" of "z 1min") goes with its number.
  const auto blank = s.rfind(' ');
  if (blank != std::string::npos && s.size() - blank == 2) {
    s.erase(blank);
    trim();
  }
  const auto first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first);
}

std::vector<MapLine> MapLines(const ShiftMap& map, const GearPair& base) {
  FindingMask seen = 0;
  for (const ShiftMapPoint& p : map.points) seen |= p.findings;
  std::vector<MapLine> lines;
  GearPair work = base;
  for (int k = 0; k < 64; ++k) {
    const FindingMask bit = FindingMask{1} << k;
    if (!(seen & bit)) continue;
    for (int i2 = 0; i2 < map.size && (lines.empty() || lines.back().k != k); ++i2) {
      for (int i1 = 0; i1 < map.size; ++i1) {
        if (!(map.At(i1, i2).findings & bit)) continue;
        EvaluateShiftPoint(work, base, map.X1(i1), map.X2(i2), ReportFindings);
        for (const ReportLine& line : ReportLines(work)) {
          if (line.k == k) lines.push_back({k, line.kind, TextWithoutNumbers(line.text)});
        }
        break;
      }
    }
  }
  return lines;
}

std::string ShiftMapCsv(const ShiftMap& map, const std::vector<MapLine>& lines) {
  std::ostringstream out;
  out << "x1,x2";
  for (const MapLine& l : lines) out << ",k" << l.k << '_' << KindName(l.kind);
  out << ",checked\n";
  for (int i2 = 0; i2 < map.size; ++i2) {
    for (int i1 = 0; i1 < map.size; ++i1) {
      const ShiftMapPoint& p = map.At(i1, i2);
      out << Fixed(map.X1(i1), 6) << ',' << Fixed(map.X2(i2), 6);
      for (const MapLine& l : lines) out << ',' << ((p.findings >> l.k) & 1u);
      out << ',' << (p.valid ? 1 : 0) << '\n';
    }
  }
  return out.str();
}

namespace {
double LinePoint(double x1Min, double x1Max, std::size_t size, std::size_t i) {
  return x1Min + static_cast<double>(i) * ((x1Max - x1Min) / static_cast<double>(size - 1));
}
}  // namespace

std::vector<MapLine> RackMapLines(const std::vector<ShiftMapPoint>& line, double x1Min,
                                  double x1Max, const GearPair& base) {
  std::vector<MapLine> lines;
  GearPair work = base;
  for (int k = 0; k < 64; ++k) {
    const FindingMask bit = FindingMask{1} << k;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (!(line[i].findings & bit)) continue;
      EvaluateRackShiftPoint(work, base, LinePoint(x1Min, x1Max, line.size(), i), ReportFindings);
      for (const ReportLine& l : ReportLines(work)) {
        if (l.k == k) lines.push_back({k, l.kind, TextWithoutNumbers(l.text)});
      }
      break;
    }
  }
  return lines;
}

std::string RackShiftLineCsv(const std::vector<ShiftMapPoint>& line, double x1Min, double x1Max,
                             const std::vector<MapLine>& lines) {
  std::ostringstream out;
  out << "x1";
  for (const MapLine& l : lines) out << ",k" << l.k << '_' << KindName(l.kind);
  out << ",checked\n";
  for (std::size_t i = 0; i < line.size(); ++i) {
    out << Fixed(LinePoint(x1Min, x1Max, line.size(), i), 6);
    for (const MapLine& l : lines) out << ',' << ((line[i].findings >> l.k) & 1u);
    out << ',' << (line[i].valid ? 1 : 0) << '\n';
  }
  return out.str();
}

std::string ShiftMapSvg(const ShiftMap& map, const std::vector<MapLine>& lines,
                        const GearPair& base) {
  constexpr double kLeft = 70, kTop = 20, kPlot = 560, kLegendX = kLeft + kPlot + 30;
  const int n = map.size;
  const ShiftMapRange& r = map.range;
  const auto px = [&](double x1) { return kLeft + (x1 - r.x1Min) / (r.x1Max - r.x1Min) * kPlot; };
  const auto py = [&](double x2) {
    return kTop + kPlot - (x2 - r.x2Min) / (r.x2Max - r.x2Min) * kPlot;
  };
  const double cw = kPlot / (n - 1), ch = kPlot / (n - 1);

  std::map<int, const char*> colour;
  std::size_t errors = 0, warnings = 0;
  for (const MapLine& l : lines) {
    colour[l.k] = l.kind == ReportLineKind::Warning
                      ? kWarningColours[warnings++ % kWarningColours.size()]
                      : kErrorColours[errors++ % kErrorColours.size()];
  }
  const double legendHeight = 30.0 + 22.0 * static_cast<double>(lines.size() + 2);
  const double height = std::max(kTop + kPlot + 60, legendHeight);
  std::ostringstream o;
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1400\" height=\"" << Fixed(height, 0)
    << "\" font-family=\"Arial, sans-serif\" font-size=\"12\">\n<defs>\n";
  for (const MapLine& l : lines) {
    if (l.kind != ReportLineKind::Warning) continue;
    o << "<pattern id=\"h" << l.k << "\" width=\"8\" height=\"8\" patternUnits=\"userSpaceOnUse\""
      << " patternTransform=\"rotate(" << (l.k * 37 % 180) << ")\"><line x1=\"0\" y1=\"0\" x2=\"0\""
      << " y2=\"8\" stroke=\"" << colour[l.k] << "\" stroke-width=\"1.5\"/></pattern>\n";
  }
  o << "<clipPath id=\"plot\"><rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kPlot
    << "\" height=\"" << kPlot << "\"/></clipPath>\n</defs>\n";
  o << "<rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kPlot << "\" height=\""
    << kPlot
    << "\" fill=\"white\"/>\n<g clip-path=\"url(#plot)\" shape-rendering=\"crispEdges\">\n";
  // Cells around each grid point: runs of one fill along a row are one rect.
  const auto fillOf = [&](const ShiftMapPoint& p, bool warning, const MapLine*& which) {
    which = nullptr;
    if (!p.valid) return std::string("#bbbbbb");
    for (const MapLine& l : lines) {
      if ((l.kind == ReportLineKind::Warning) == warning && ((p.findings >> l.k) & 1u)) {
        which = &l;
        return warning ? "url(#h" + std::to_string(l.k) + ")" : std::string(colour[l.k]);
      }
    }
    return std::string();
  };
  for (bool warning : {false, true}) {
    for (int i2 = 0; i2 < n; ++i2) {
      int start = 0;
      std::string run;
      for (int i1 = 0; i1 <= n; ++i1) {
        const MapLine* which = nullptr;
        std::string fill;
        if (i1 < n) fill = fillOf(map.At(i1, i2), warning, which);
        if (warning && fill == "#bbbbbb") fill.clear();
        if (i1 == n || fill != run) {
          if (!run.empty()) {
            o << "<rect x=\"" << Fixed(px(map.X1(start)) - cw / 2, 2) << "\" y=\""
              << Fixed(py(map.X2(i2)) - ch / 2, 2) << "\" width=\"" << Fixed((i1 - start) * cw, 2)
              << "\" height=\"" << Fixed(ch, 2) << "\" fill=\"" << run << "\"/>\n";
          }
          run = fill;
          start = i1;
        }
      }
    }
  }
  o << "</g>\n<g clip-path=\"url(#plot)\" fill=\"none\">\n";
  // Boundaries: one path per finding line.
  const auto crossings = TraceCrossings(map, base, ReportFindings);
  for (const MapLine& l : lines) {
    std::vector<ShiftMapCrossing> mine;
    for (const ShiftMapCrossing& x : crossings) {
      if (x.k == l.k) mine.push_back(x);
    }
    o << "<path class=\"boundary\" data-k=\"" << l.k << "\" stroke=\"" << colour[l.k]
      << "\" stroke-width=\"1.5\" d=\"";
    for (const Segment& s : JoinInCells(map, mine)) {
      o << 'M' << Fixed(px(s.ax), 2) << ',' << Fixed(py(s.ay), 2) << 'L' << Fixed(px(s.bx), 2)
        << ',' << Fixed(py(s.by), 2);
    }
    o << "\"/>\n";
  }
  // Iso-lines, each labelled at its first segment.
  struct Iso {
    IsoQuantity q;
    double level;
    std::string label;
  };
  const Iso isos[] = {{IsoQuantity::EpsAlpha, 1.0, "εα = 1.0"},
                      {IsoQuantity::EpsAlpha, 1.1, "εα = 1.1"},
                      {IsoQuantity::EpsAlpha, 1.2, "εα = 1.2"},
                      {IsoQuantity::ThetaDifference, 0.0, "θF1 = θF2"}};
  for (const Iso& iso : isos) {
    const auto segments = JoinInCells(map, IsoCrossings(map, base, iso.q, iso.level));
    o << "<path class=\"iso\" stroke=\"black\" stroke-dasharray=\"5,3\" d=\"";
    for (const Segment& s : segments) {
      o << 'M' << Fixed(px(s.ax), 2) << ',' << Fixed(py(s.ay), 2) << 'L' << Fixed(px(s.bx), 2)
        << ',' << Fixed(py(s.by), 2);
    }
    o << "\"/>\n";
    if (!segments.empty()) {
      const Segment& s = segments[segments.size() / 2];
      o << "<text x=\"" << Fixed(px(s.ax) + 3, 2) << "\" y=\"" << Fixed(py(s.ay) - 3, 2)
        << "\" fill=\"black\">" << iso.label << "</text>\n";
    }
  }
  o << "</g>\n";
  // Shifts divided from a kept sum (a kept centre distance): typing one
  // shift moves the other along x1 + x2 = const, the line drawn here.
  if (base.shiftDistributed) {
    const double sum = base.backlashByShift ? base.xSumBacklash : base.xSum;
    const double a = std::max(r.x1Min, sum - r.x2Max), b = std::min(r.x1Max, sum - r.x2Min);
    if (a < b) {
      o << "<line class=\"kept-sum\" x1=\"" << Fixed(px(a), 2) << "\" y1=\""
        << Fixed(py(sum - a), 2) << "\" x2=\"" << Fixed(px(b), 2) << "\" y2=\""
        << Fixed(py(sum - b), 2) << "\" stroke=\"black\" stroke-width=\"2.5\"/>\n<text x=\""
        << Fixed(px(b) - 4, 2) << "\" y=\"" << Fixed(py(sum - b) - 6, 2)
        << "\" text-anchor=\"end\">x1 + x2 = " << Fixed(sum, 4) << "</text>\n";
    }
  }
  // The current shifts.
  if (base.x1 >= r.x1Min && base.x1 <= r.x1Max && base.x2 >= r.x2Min && base.x2 <= r.x2Max) {
    o << "<circle cx=\"" << Fixed(px(base.x1), 2) << "\" cy=\"" << Fixed(py(base.x2), 2)
      << "\" r=\"5\" fill=\"none\" stroke=\"black\" stroke-width=\"2\"/>\n"
      << "<text x=\"" << Fixed(px(base.x1) + 8, 2) << "\" y=\"" << Fixed(py(base.x2) + 4, 2)
      << "\">(x1, x2)</text>\n";
  }
  // Axes with ticks.
  o << "<rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kPlot << "\" height=\""
    << kPlot << "\" fill=\"none\" stroke=\"black\"/>\n";
  const auto tickStep = [](double span) {
    for (double step : {0.05, 0.1, 0.2, 0.25, 0.5, 1.0}) {
      if (span / step <= 10.0) return step;
    }
    return 1.0;
  };
  const double t1 = tickStep(r.x1Max - r.x1Min), t2 = tickStep(r.x2Max - r.x2Min);
  for (double v = std::ceil(r.x1Min / t1 - 1e-9) * t1; v <= r.x1Max + 1e-9; v += t1) {
    o << "<line x1=\"" << Fixed(px(v), 2) << "\" y1=\"" << kTop + kPlot << "\" x2=\""
      << Fixed(px(v), 2) << "\" y2=\"" << kTop + kPlot + 6 << "\" stroke=\"black\"/><text x=\""
      << Fixed(px(v), 2) << "\" y=\"" << kTop + kPlot + 20 << "\" text-anchor=\"middle\">"
      << Fixed(std::fabs(v) < 1e-12 ? 0.0 : v, 2) << "</text>\n";
  }
  for (double v = std::ceil(r.x2Min / t2 - 1e-9) * t2; v <= r.x2Max + 1e-9; v += t2) {
    o << "<line x1=\"" << kLeft - 6 << "\" y1=\"" << Fixed(py(v), 2) << "\" x2=\"" << kLeft
      << "\" y2=\"" << Fixed(py(v), 2) << "\" stroke=\"black\"/><text x=\"" << kLeft - 9
      << "\" y=\"" << Fixed(py(v) + 4, 2) << "\" text-anchor=\"end\">"
      << Fixed(std::fabs(v) < 1e-12 ? 0.0 : v, 2) << "</text>\n";
  }
  o << "<text x=\"" << kLeft + kPlot / 2 << "\" y=\"" << kTop + kPlot + 42
    << "\" text-anchor=\"middle\" font-size=\"14\">x1</text>\n"
    << "<text x=\"20\" y=\"" << kTop + kPlot / 2 << "\" font-size=\"14\">x2</text>\n";
  // Legend.
  double y = kTop + 10;
  const auto entry = [&](const std::string& fill, const std::string& text, bool line) {
    o << "<rect" << (line ? " class=\"legend\"" : "") << " x=\"" << kLegendX << "\" y=\""
      << Fixed(y - 11, 0) << "\" width=\"24\" height=\"14\" stroke=\"black\" fill=\"" << fill
      << "\"/><text x=\"" << kLegendX + 32 << "\" y=\"" << Fixed(y, 0) << "\">" << Escaped(text)
      << "</text>\n";
    y += 22;
  };
  for (const MapLine& l : lines) {
    entry(l.kind == ReportLineKind::Warning ? "url(#h" + std::to_string(l.k) + ")" : colour[l.k],
          l.text, true);
  }
  entry("white", "bez závad", false);
  entry("#bbbbbb", "kontrola neproběhla (součet korekcí mimo meze)", false);
  o << "</svg>\n";
  return o.str();
}

}  // namespace kolmira
