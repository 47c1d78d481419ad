// The short text print and the page arithmetic of the table print.
#include "report/ShortPrint.h"

#include <algorithm>
#include <cmath>

#include "model/NumberText.h"

namespace kolmira {

namespace {

const std::string kDash = "---";

std::string Tabs(int n) {
  return std::string(static_cast<std::size_t>(n), '\t');
}
std::string F(double v, int width, int decimals) {
  return FormatFixed(v, width, decimals);
}
std::string F84(double v) {
  return FormatFixed(v, 8, 4);
}

// Rounded to whole pixels, held within what an int can carry.
int Pixels(double v) {
  if (std::isnan(v)) return 0;
  if (v < -2e9) return -2000000000;
  if (v > 2e9) return 2000000000;
  return static_cast<int>(std::lround(v));
}

// The layout of a line is given as the tab counts in front of each piece:
// label, symbol, pinion value and wheel value.
struct Printer {
  std::string out;

  void Line(std::string_view text) {
    out += text;
    out += '\n';
  }
  // Label, symbol, pinion and wheel.
  void Two(int t0, std::string_view label, int t1, std::string_view symbol, int t2,
           const std::string& pinion, int t3, const std::string& wheel) {
    out += Tabs(t0);
    out += label;
    out += Tabs(t1);
    out += symbol;
    out += Tabs(t2) + pinion + Tabs(t3) + wheel + '\n';
  }
  // Label, symbol and one value for the pair.
  void One(int t0, std::string_view label, int t1, std::string_view symbol, int t2,
           const std::string& value) {
    out += Tabs(t0);
    out += label;
    out += Tabs(t1);
    out += symbol;
    out += Tabs(t2) + value + '\n';
  }
  // Label without symbol, pinion and wheel.
  void Bare(int t0, std::string_view label, int t1, const std::string& pinion, int t2,
            const std::string& wheel) {
    out += Tabs(t0);
    out += label;
    out += Tabs(t1) + pinion + Tabs(t2) + wheel + '\n';
  }
};

void BasicRack(Printer& p, const GearPair& g) {
  p.Two(3, "Pomerna vyska hlavy profilu", 1, "haP*", 2, F84(g.haP1Star), 4, F84(g.haP2Star));
  p.Two(3, "Pomerna hlavova vule profilu", 1, "cP*", 2, F84(g.cP1Star), 4, F84(g.cP2Star));
  p.Two(3, "Pomerny radius paty profilu", 1, "rofP*", 2, F84(g.rhofP1Star), 4, F84(g.rhofP2Star));
  p.One(3, "Uhel profilu", 3, "alfaP", 4, F84(g.alphaPDeg));
}

void Bevel(Printer& p, const GearPair& g) {
  p.Two(3, "Pocet zubu", 3, "z", 2, F(g.z1Bevel, 2, 0), 4, F(g.z2Bevel, 2, 0));
  p.One(3, "Spolecna sirka kol", 2, "b", 4, F(g.b, 6, 3));
  p.One(3, "Uhel os soukoli", 3, "sigma", 4, F84(g.SigmaDeg));
  p.One(3, "Celni modul vnejsi", 2, "mt", 4, F(g.mn, 6, 3));
  p.One(3, "Celni modul stredni", 2, "mtm", 4, F(g.mmt, 6, 3));
  p.One(3, "Uhel sklonu zubu stredni", 2, "betam", 4, F84(g.betaDeg));
  p.Two(3, "Jednotkova korekce", 2, "x", 2, F84(g.x1), 4, F84(g.x2));
  p.Two(3, "Prumer vnejsi patni", 2, "df", 2, F84(g.dfe1), 3, F84(g.dfe2));
  p.Two(3, "Prumer vnejsi roztecny", 2, "d", 2, F84(g.de1), 3, F84(g.de2));
  p.Two(3, "Prumer vnejsi hlavovy", 2, "da", 2, F84(g.dae1), 3, F84(g.dae2));
  p.Two(3, "Tloustka hlavy vnejsi", 2, "sa", 2, F84(g.sa1Bevel), 4, F84(g.sa2Bevel));
  p.Two(3, "Uhel kuzele roztecneho", 2, "delta", 2, F84(g.delta1 * kRadToDeg), 3,
        F84(g.delta2 * kRadToDeg));
  p.Two(3, "Uhel kuzele hlavoveho", 2, "deltaa", 2, F84(g.deltaA1 * kRadToDeg), 3,
        F84(g.deltaA2 * kRadToDeg));
}

void Cylindrical(Printer& p, const GearPair& g) {
  const bool rack = g.rackMode;
  // The degenerate internal pair (-z2 = z1) has no working pitch circles.
  const bool noPitchCircles = g.z2 == -g.z1;
  auto wheel = [rack](const std::string& value) { return rack ? kDash : value; };

  p.Two(3, "Pocet zubu", 3, "z", 2, F(g.z1, 2, 0), 4, wheel(F(g.z2, 2, 0)));
  p.One(3, "Spolecna sirka kol", 2, "b", 4, F(g.b, 6, 3));
  p.One(3, "Normalny modul   ", 2, "mn", 4, F(g.mn, 6, 3));
  p.One(3, "Celni modul", 3, "mt", 4, F(g.mt, 6, 3));
  p.One(3, "Normalna bocni vule", 2, "jn", 4, F(g.jn, 6, 4));
  p.One(3, "Uhel sklonu zubu roztecny", 1, "beta", 4, F84(g.betaDeg));
  p.One(3, "Uhel zaberu pracovni", 2, "alfawt", 4,
        F84((g.jnByApart ? g.alphaWtJ : g.alphaWt) * kRadToDeg));
  // A rack has no reference centre distance.
  if (!rack) p.One(3, "Osova vzdalenost roztecna", 1, "ad", 4, F84(g.a));
  p.One(3, "Osova vzdalenost pracovni", 1, "a", 4, F84(g.jnByApart ? g.awJ : g.aw));
  p.Two(3, "Jednotkova korekce", 2, "x", 2, F84(g.x1), 4, F84(g.x2));
  p.Two(3, "Prumer patni kruznice", 2, "df", 2, F84(g.df1), 3, wheel(F84(g.df2)));
  p.Two(3, "Prumer zakladni kruznice ", 1, "db", 2, F84(g.db1), 3, wheel(F84(g.db2)));
  p.Two(3, "Prumer roztecne kruznice ", 1, "d", 2, F84(g.d1), 3, wheel(F84(g.d2)));
  p.Two(3, "Prumer valive kruznice", 2, "dw", 2, noPitchCircles ? kDash : F84(g.dw1), 3,
        wheel(noPitchCircles ? kDash : F84(g.dw2)));
  p.Two(3, "Prumer hlavove kruznice", 2, "da", 2, F84(g.da1), 3, wheel(F84(g.da2)));
  p.Two(3, "Vyska paty zubu", 3, "hf", 2, F84(g.hf1), 4, F84(g.hf2));
  p.Two(3, "Vyska hlavy zubu", 2, "ha", 2, F84(g.ha1), 4, F84(g.ha2));
  p.Two(3, "Tloustka zubu na hlave", 2, "sa", 2, F84(g.sa1), 4, F84(g.sa2));
}

void Meshing(Printer& p, const GearPair& g) {
  p.One(3, "Souc. trvani zaberu profilu", 1, "epsilonalfa", 3, F84(g.epsAlpha));
  p.One(3, "Souc. trvani zaberu krokem", 1, "epsilonbeta", 3, F84(g.epsBeta));
  p.Bare(3, "Merny skluz na pate", 4, F84(g.thetaF1), 3, F84(g.thetaF2));
  p.Bare(3, "Merny skluz na hlave", 4, F84(g.thetaA1), 4, F84(g.thetaA2));
}

void Measurement(Printer& p, const GearPair& g) {
  const bool rack = g.rackMode;
  auto wheel = [rack](const std::string& value) { return rack ? kDash : value; };
  // Diameter at which the anvils of the span measurement touch the flanks.
  auto contact = [&g](double W, double db) {
    return std::sqrt(std::pow(W * std::cos(g.betaB), 2) + db * db);
  };
  p.Line("");
  p.Line(Tabs(3) + "Mereni ozubeni");
  p.Two(3, "Merena tloustka zubu", 2, "sc", 2, F84(g.sc1), 3, F84(g.sc2));
  p.Two(3, "Mereno ve vysce     ", 2, "hc", 2, F84(g.hc1), 3, F84(g.hc2));
  p.Two(3, "Mira pres zuby      ", 2, "W", 2, F84(g.W1), 3, wheel(F84(g.W2)));
  p.Two(3, "Pocet merenych zubu ", 2, "zw", 2, FormatInt(g.zw1), 3, wheel(FormatInt(g.zw2)));
  p.Two(3, "Kontaktni prumer    ", 2, "dW", 2, F84(contact(g.W1, g.db1)), 3,
        wheel(F84(contact(g.W2, g.db2))));
  p.Two(3, "Rozmer pres kulicky ", 2, "M", 2, F84(g.M1), 3, wheel(F84(g.M2)));
  p.Two(3, "Kontaktni prumer    ", 2, "dM", 2, F84(g.dM1), 3, wheel(F84(g.dM2)));
  p.Two(3, "Prumer kulicky      ", 2, "dt", 2, F84(g.dt1), 3, wheel(F84(g.dt2)));
}

}  // namespace

std::string ShortPrintText(const GearPair& g, std::string_view caption) {
  const bool bevel = g.gearType == GearType::Bevel;
  Printer p;
  // The caption without "Tabulka rozměrů -": a blank and the file path.
  const std::string captionHead = Utf8Prefix(caption, 17);
  const std::string_view fileLine = caption.substr(captionHead.size());

  for (int i = 0; i < 5; ++i) p.Line("");
  p.Line(Tabs(8) + "TABULKA ROZMERU");
  p.Line(Tabs(8) + std::string(fileLine));
  p.Line("");
  p.Line(Tabs(9) + "Pastorek" + Tabs(3) + (g.rackMode && !bevel ? "  Hreben" : "  Kolo"));
  const char* type = g.gearType == GearType::Internal ? " Vnitrni"
                     : bevel                          ? " Kuzelovy"
                                                      : " Vnejsi";
  p.Line(Tabs(3) + "Typ ozubeni" + Tabs(7) + type);

  BasicRack(p, g);
  if (bevel) {
    Bevel(p, g);
  } else {
    Cylindrical(p, g);
  }
  Meshing(p, g);
  if (!bevel) Measurement(p, g);
  return p.out;
}

std::string ExpandTabs(std::string_view line, int tabStop) {
  const std::size_t stop = tabStop > 0 ? static_cast<std::size_t>(tabStop) : 1;
  std::string out;
  std::size_t column = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      const std::size_t next = (column / stop + 1) * stop;
      out.append(next - column, ' ');
      column = next;
      continue;
    }
    out += c;
    // A character takes one column; the continuation bytes of UTF-8 none.
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
  }
  return out;
}

int TableImageHeight(int rowCount, int rowHeight) {
  return 2 + std::max(rowCount, 0) * (rowHeight + 2);
}

std::vector<PrintPageImage> TablePrintPages(GearType gearType, int fullImageHeight) {
  const int full = std::max(fullImageHeight, 0);
  // A band of `height` rows from `sourceTop`, clipped to the full image.
  auto band = [full](int sourceTop, int targetTop, int height) {
    return ImageStrip{sourceTop, targetTop, std::clamp(full - sourceTop, 0, height)};
  };
  std::vector<PrintPageImage> pages;
  if (gearType == GearType::Bevel) {
    pages.push_back({full, kPrintDivisorBevel, {band(0, 0, full)}});
    return pages;
  }
  const int page2 =
      gearType == GearType::Internal ? kPrintPage2HeightInternal : kPrintPage2HeightExternal;
  pages.push_back({kPrintPage1Height, kPrintDivisorCylindrical, {band(0, 0, kPrintPage1Height)}});
  pages.push_back({page2,
                   kPrintDivisorCylindrical,
                   {band(0, 0, kPrintHeaderHeight),
                    band(kPrintPage1Height, kPrintHeaderHeight, page2 - kPrintHeaderHeight)}});
  return pages;
}

RowRange RowsInStrip(const ImageStrip& strip) {
  const int pitch = kTableRowHeight + kPrintGridLines.width;
  const int top = GridRowTop(0, kPrintGridLines);
  // The first row starting at or below the band's top, and how many rows
  // from there end inside it.
  const int first = std::max((strip.sourceTop - top + pitch - 1) / pitch, 0);
  const int end = strip.sourceTop + strip.height;
  const int room = end - GridRowTop(first, kPrintGridLines);
  const int count = room < kTableRowHeight ? 0 : (room - kTableRowHeight) / pitch + 1;
  return {first, count};
}

PrintRect PrintTargetRect(int pageWidth, int pageHeight, int imageWidth, int imageHeight,
                          int divisor) {
  // Scales measured on a reference page of 2338 x 3372 printer pixels.
  const double w = pageWidth;
  const double h = pageHeight;
  const double d = divisor > 0 ? divisor : kPrintDivisorCylindrical;
  PrintRect r;
  r.left = Pixels(w * 190.0 / 2338.0);
  r.top = Pixels(h * 150.0 / 3372.0);
  r.right = Pixels(r.left + std::round(imageWidth * 3.5 * w / 2338.0));
  r.bottom = Pixels(r.top + std::round(imageHeight * 2.25 * h / d));
  return r;
}

Message PrintFileFailure(std::string_view path) {
  return {kErrorTitle, "Soubor „" + std::string(path) + "“ nelze uložit.", Message::Kind::Box};
}

std::string SecondPageFileName(std::string_view chosen) {
  const std::size_t folder = chosen.find_last_of("\\/:");
  const std::size_t nameStart = folder == std::string_view::npos ? 0 : folder + 1;
  std::size_t dot = chosen.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart) dot = chosen.size();
  return std::string(chosen.substr(0, dot)) + "_2" + std::string(chosen.substr(dot));
}

}  // namespace kolmira
