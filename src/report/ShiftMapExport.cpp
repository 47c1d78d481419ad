#include "report/ShiftMapExport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace kolmira {

namespace {

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

std::string Rgb(MapColour c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
  return buffer;
}

const char* KindName(ReportLineKind kind) {
  return kind == ReportLineKind::Warning ? "warning" : "error";
}

void CsvRow(std::ostringstream& out, double x1, double x2, const ShiftMapPoint& p,
            const std::vector<MapLine>& lines) {
  out << Fixed(x1, 6) << ',' << Fixed(x2, 6);
  for (const MapLine& l : lines) out << ',' << ((p.findings >> l.k) & 1u);
  out << ',' << (p.valid ? 1 : 0) << '\n';
}

// The hatch of a warning as an SVG pattern's lines in an 8 x 8 tile.
std::string HatchLines(MapHatch hatch, const std::string& colour) {
  const std::string stroke = "\" stroke=\"" + colour + "\" stroke-width=\"1.2\"/>";
  const std::string h = "<line x1=\"0\" y1=\"4\" x2=\"8\" y2=\"4" + stroke;
  const std::string v = "<line x1=\"4\" y1=\"0\" x2=\"4\" y2=\"8" + stroke;
  const std::string d = "<line x1=\"0\" y1=\"8\" x2=\"8\" y2=\"0" + stroke;
  const std::string b = "<line x1=\"0\" y1=\"0\" x2=\"8\" y2=\"8" + stroke;
  switch (hatch) {
    case MapHatch::Diagonal:
      return d;
    case MapHatch::BackDiagonal:
      return b;
    case MapHatch::Horizontal:
      return h;
    case MapHatch::Vertical:
      return v;
    case MapHatch::Cross:
      return h + v;
    case MapHatch::DiagonalCross:
      return d + b;
    case MapHatch::None:
      break;
  }
  return {};
}

}  // namespace

std::string ShiftMapCsv(const ShiftMapData& data) {
  std::ostringstream out;
  out << "x1,x2";
  for (const MapLine& l : data.lines) out << ",k" << l.k << '_' << KindName(l.kind);
  out << ",checked\n";
  if (data.shape == ShiftMapShape::Plane) {
    const ShiftMap& map = data.plane;
    for (int i2 = 0; i2 < map.size; ++i2) {
      for (int i1 = 0; i1 < map.size; ++i1) {
        CsvRow(out, map.X1(i1), map.X2(i2), map.At(i1, i2), data.lines);
      }
    }
  } else {
    const ShiftLine& line = data.line;
    for (int i = 0; i < line.size; ++i) {
      CsvRow(out, line.X1(i), line.X2Of(line.X1(i)), line.points[i], data.lines);
    }
  }
  return out.str();
}

std::string ShiftMapSvg(const ShiftMapScene& scene) {
  const bool plane = scene.shape == ShiftMapShape::Plane;
  constexpr double kLeft = 70, kTop = 20, kWidth = 560, kRowHeight = 26;
  const double height = plane ? kWidth : kRowHeight * scene.rows;
  const double legendX = kLeft + kWidth + 30;
  const auto px = [&](double x) {
    return kLeft + (x - scene.xMin) / (scene.xMax - scene.xMin) * kWidth;
  };
  const auto py = [&](double y) {
    return kTop + height - (y - scene.yMin) / (scene.yMax - scene.yMin) * height;
  };
  const auto point = [&](MapXY p) { return Fixed(px(p.x), 2) + ',' + Fixed(py(p.y), 2); };
  const auto fillOf = [](const MapRegion& r) {
    return r.hatch != MapHatch::None ? "url(#h" + std::to_string(r.k) + ")" : Rgb(r.colour);
  };

  const double legendHeight = 30.0 + 22.0 * static_cast<double>(scene.legend.size());
  const double total = std::max(kTop + height + 60, legendHeight);
  std::ostringstream o;
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1400\" height=\"" << Fixed(total, 0)
    << "\" font-family=\"Arial, sans-serif\" font-size=\"12\">\n<defs>\n";
  for (const MapRegion& r : scene.regions) {
    if (r.hatch == MapHatch::None) continue;
    o << "<pattern id=\"h" << r.k
      << "\" width=\"8\" height=\"8\" patternUnits=\"userSpaceOnUse\">"
      << HatchLines(r.hatch, Rgb(r.colour)) << "</pattern>\n";
  }
  o << "<clipPath id=\"plot\"><rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\""
    << kWidth << "\" height=\"" << height << "\"/></clipPath>\n</defs>\n";
  o << "<rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kWidth << "\" height=\""
    << height << "\" fill=\"white\"/>\n<g clip-path=\"url(#plot)\">\n";
  // Regions: all polygons of one region in one path.
  for (const MapRegion& r : scene.regions) {
    o << "<path class=\"region\" data-k=\"" << r.k << "\" fill=\"" << fillOf(r) << "\"";
    if (r.fillOpacity < 1.0) o << " fill-opacity=\"" << Fixed(r.fillOpacity, 2) << "\"";
    o << " d=\"";
    for (const auto& polygon : r.fill) {
      for (std::size_t i = 0; i < polygon.size(); ++i) o << (i == 0 ? 'M' : 'L') << point(polygon[i]);
      o << 'Z';
    }
    o << "\"/>\n";
  }
  // Boundaries: one path per region.
  for (const MapRegion& r : scene.regions) {
    o << "<path class=\"boundary\" data-k=\"" << r.k << "\" fill=\"none\" stroke=\""
      << Rgb(r.colour) << "\" stroke-width=\"1.5\" d=\"";
    for (const MapSegment& s : r.boundary) o << 'M' << point(s[0]) << 'L' << point(s[1]);
    o << "\"/>\n";
  }
  for (const MapIsoLine& iso : scene.isoLines) {
    o << "<path class=\"iso\" fill=\"none\" stroke=\"black\" stroke-dasharray=\"5,3\" d=\"";
    for (const auto& line : iso.polylines) {
      for (std::size_t i = 0; i < line.size(); ++i) o << (i == 0 ? 'M' : 'L') << point(line[i]);
    }
    o << "\"/>\n";
  }
  o << "</g>\n";
  // The labels outside the clip: a line map's stand above its top.
  for (const MapIsoLine& iso : scene.isoLines) {
    if (iso.labelAt) {
      o << "<text x=\"" << Fixed(px(iso.labelAt->x) + 3, 2) << "\" y=\""
        << Fixed(py(iso.labelAt->y) - 3, 2) << "\">" << Escaped(iso.label) << "</text>\n";
    }
  }
  if (scene.keptSum) {
    const MapSegment& s = *scene.keptSum;
    o << "<line class=\"kept-sum\" x1=\"" << Fixed(px(s[0].x), 2) << "\" y1=\""
      << Fixed(py(s[0].y), 2) << "\" x2=\"" << Fixed(px(s[1].x), 2) << "\" y2=\""
      << Fixed(py(s[1].y), 2) << "\" stroke=\"black\" stroke-width=\"2.5\"/>\n<text x=\""
      << Fixed(px(s[1].x) - 4, 2) << "\" y=\"" << Fixed(py(s[1].y) - 6, 2)
      << "\" text-anchor=\"end\">" << Escaped(scene.keptSumLabel) << "</text>\n";
  }
  if (scene.current) {
    const MapXY c = *scene.current;
    if (plane) {
      o << "<circle class=\"current\" cx=\"" << Fixed(px(c.x), 2) << "\" cy=\""
        << Fixed(py(c.y), 2) << "\" r=\"5\" fill=\"none\" stroke=\"black\" stroke-width=\"2\"/>\n"
        << "<text x=\"" << Fixed(px(c.x) + 8, 2) << "\" y=\"" << Fixed(py(c.y) + 4, 2) << "\">"
        << Escaped(scene.currentLabel) << "</text>\n";
    } else {
      o << "<line class=\"current\" x1=\"" << Fixed(px(c.x), 2) << "\" y1=\"" << kTop
        << "\" x2=\"" << Fixed(px(c.x), 2) << "\" y2=\"" << Fixed(kTop + height, 2)
        << "\" stroke=\"black\" stroke-width=\"2\"/>\n";
    }
  }
  // Axes with ticks.
  o << "<rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kWidth << "\" height=\""
    << height << "\" fill=\"none\" stroke=\"black\"/>\n";
  const double bottom = kTop + height;
  for (const MapTick& t : scene.xTicks) {
    o << "<line x1=\"" << Fixed(px(t.value), 2) << "\" y1=\"" << bottom << "\" x2=\""
      << Fixed(px(t.value), 2) << "\" y2=\"" << bottom + 6 << "\" stroke=\"black\"/><text x=\""
      << Fixed(px(t.value), 2) << "\" y=\"" << bottom + 20 << "\" text-anchor=\"middle\">"
      << Escaped(t.text) << "</text>\n";
  }
  for (const MapTick& t : scene.yTicks) {
    o << "<line x1=\"" << kLeft - 6 << "\" y1=\"" << Fixed(py(t.value), 2) << "\" x2=\"" << kLeft
      << "\" y2=\"" << Fixed(py(t.value), 2) << "\" stroke=\"black\"/><text x=\"" << kLeft - 9
      << "\" y=\"" << Fixed(py(t.value) + 4, 2) << "\" text-anchor=\"end\">" << Escaped(t.text)
      << "</text>\n";
  }
  o << "<text x=\"" << kLeft + kWidth / 2 << "\" y=\"" << bottom + 42
    << "\" text-anchor=\"middle\" font-size=\"14\">" << Escaped(scene.xLabel) << "</text>\n";
  if (!scene.yLabel.empty()) {
    o << "<text x=\"20\" y=\"" << kTop + height / 2 << "\" font-size=\"14\">"
      << Escaped(scene.yLabel) << "</text>\n";
  }
  // Legend: the regions' entries carry class "legend".
  // A line map's entries stand beside their rows.
  double y = kTop + 10;
  for (std::size_t i = 0; i < scene.legend.size(); ++i) {
    const MapLegendEntry& e = scene.legend[i];
    const bool region = i < scene.regions.size();
    if (!plane && region) y = kTop + (static_cast<double>(i) + 0.5) * kRowHeight + 4;
    const std::string fill = region ? fillOf(scene.regions[i]) : Rgb(e.colour);
    o << "<rect" << (region ? " class=\"legend\"" : "") << " x=\"" << legendX << "\" y=\""
      << Fixed(y - 11, 0) << "\" width=\"24\" height=\"14\" stroke=\"black\" fill=\"" << fill
      << "\"";
    if (e.fillOpacity < 1.0) o << " fill-opacity=\"" << Fixed(e.fillOpacity, 2) << "\"";
    o << "/><text x=\"" << legendX + 32 << "\" y=\"" << Fixed(y, 0) << "\">" << Escaped(e.text)
      << "</text>\n";
    y += 22;
  }
  o << "</svg>\n";
  return o.str();
}

}  // namespace kolmira
