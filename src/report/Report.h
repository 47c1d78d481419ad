// The findings of the complete geometric check as the report window shows
// them: one line per fault or warning (or the single perfect-pair line), in
// paint order, with colour, weight, position and the symbols drawn over the
// blank runs of the texts (contact ratio epsilon-gamma, subscripts of the
// limiting diameters, tip thicknesses, clearances and undercut limits).
// The lines are rebuilt from the gear-pair state on every call; the model
// keeps nothing of its own. The Qt window paints them, the command-line
// program prints them through LineAsText.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FunctionRef.h"
#include "engine/ShiftMap.h"
#include "model/GearPair.h"

namespace kolmira {

// The line shown when the check found nothing (ten leading, three trailing
// blanks: it is centred by hand in the window's font).
inline constexpr const char* kPerfectPairText = "          SOUKOLÍ JE NAPROSTO DOKONALÉ   ";

// Captions of the report window: as designed, and as set before it is shown
// and after every accepted input.
inline constexpr const char* kReportCaption = "Výsledky geometrické kontroly čelního soukolí";
inline constexpr const char* kReportCaptionReset = "Výsledky geometrické kontroly soukolí";

// Buttons of the report window and its help page.
inline constexpr const char* kReportBackButton = "&Zpět";
inline constexpr const char* kReportTableButton = "Tabulka &rozměrů";
inline constexpr const char* kReportHelpButton = "&Help";
inline constexpr const char* kReportHelpFile = "help_kolmira.hlp";
inline constexpr int kReportHelpContext = 9;

// Layout of the list, in pixels.
inline constexpr int kReportLineHeight = 17;
inline constexpr int kReportFirstLineY = 7;      // top of the first painted line
inline constexpr int kReportEmptyHeight = 15;    // list height when only the perfect line shows
inline constexpr int kReportWarningIndent = 11;  // warnings stand right of the errors
inline constexpr int kReportFontSize = 8;        // Arial, every line

enum class ReportLineKind { PerfectPair, Error, Warning };
enum class ReportColour { Green, Red, Black };

// How a symbol is drawn over its line.
enum class SymbolRole {
  GreekLetter,     // main Greek letter (epsilon): size 12, 5 px above the line top
  GreekSubscript,  // Greek subscript (gamma): size 8, 2 px below the line top
  Subscript,       // Arial subscript ("a2max", "1min" ...): size 7, 3 or 4 px below
};

struct ReportSymbol {
  std::string text;  // UTF-8: "ε", "γ", "a2max", "1min", "a0" ...
  SymbolRole role = SymbolRole::Subscript;
  int fontSize = 0;  // points
  int dy = 0;        // offset of the symbol's top from the line top, pixels
  int x = 0;         // fixed position from the paint box's left edge, pixels
  // The blank run of the line text that the symbol covers: byte offset and
  // number of blanks. A painter may place the symbol by measuring the text
  // before the run instead of using x; symbols of one run share it.
  std::size_t runBegin = 0;
  std::size_t runLength = 0;
};

struct ReportLine {
  int k = 0;  // index in the message table of the gear type (0: perfect pair)
  std::string text;
  ReportLineKind kind = ReportLineKind::Error;
  ReportColour colour = ReportColour::Red;
  bool bold = true;
  int x = 0;                          // 0, or kReportWarningIndent for warnings
  int y = 0;                          // line top in the paint box
  std::vector<ReportSymbol> symbols;  // in the order of their runs
};

// Width in pixels of a text in Arial size 8, bold or regular.
using TextWidth = FunctionRef<int(std::string_view text, bool bold)>;

struct ReportLayout {
  int W = 0;  // widest line, including the perfect-pair text
  int H = 0;  // height of the list
  int windowWidth = 0;
  int windowHeight = 0;
  int paintWidth = 0;
  int paintHeight = 0;
};

struct Report {
  std::vector<ReportLine> lines;
  ReportLayout layout;
};

// The lines of the report for the gear type of the state (1 external,
// including a pinion meshing with a rack; 2 internal; 3 bevel; any other
// value is read as external), in paint order.
std::vector<ReportLine> ReportLines(const GearPair& g);

// The finding lines of ReportLines as a set: bit k for each error or warning
// line k (the perfect-pair line sets nothing). The shift map's findings.
FindingMask ReportFindings(const GearPair& g);

// Window and paint-box sizes for these lines: the perfect-pair text and the
// errors are measured bold, the warnings regular.
ReportLayout MeasureReport(const std::vector<ReportLine>& lines, TextWidth width);

// ReportLines and MeasureReport together.
Report BuildReport(const GearPair& g, TextWidth width);

// A line as plain text with its symbols written into the blank runs they
// cover: "... záběru     = 0.8000" with epsilon-gamma reads
// "... záběru εγ = 0.8000", "d         = " with "a2max" reads "da2max = ".
std::string LineAsText(const ReportLine& line);

// Every line as plain text, one per line, each ended by '\n'.
std::string ReportAsText(const std::vector<ReportLine>& lines);

}  // namespace kolmira
