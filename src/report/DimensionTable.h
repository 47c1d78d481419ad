// The dimension table of a gear pair: every computed dimension in a grid of
// five columns (name with symbol, unit, pinion, pair, wheel / rack / shaper
// cutter). Three row layouts exist: an external cylindrical pair (77 rows),
// an internal pair (85 rows, with the shaper cutter) and a bevel pair (45
// rows, through its virtual spur pair).
//
// This is the window's model without any painting. The fixed texts (names,
// headings, units) are stored when the window is shown, as the grid stores
// them; the value cells are never stored but formatted from the gear-pair
// state each time they are asked for, so the table always shows the state of
// the moment. Numbers are placed on an anchor: decimal numbers align on the
// point, angles in degrees-minutes-seconds on the minutes mark.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/GearPair.h"

namespace kolmira {

// Window caption; the input-file commands append " - " and the file path.
inline constexpr const char* kTableCaption = "Tabulka rozměrů";
inline constexpr const char* kTableCaptionFilePrefix = "Tabulka rozměrů - ";
// Title cell of a table that belongs to no file (10 blanks before the word).
inline constexpr const char* kTableUntitled = "          Název";

// Grid geometry in pixels.
inline constexpr int kTableColumns = 5;
inline constexpr int kTableRowsExternal = 77;
inline constexpr int kTableRowsInternal = 85;
inline constexpr int kTableRowsBevel = 45;
inline constexpr int kTableMaxRows = kTableRowsInternal;
inline constexpr std::array<int, kTableColumns> kTableColumnWidths = {240, 50, 100, 100, 100};
inline constexpr int kTableRowHeight = 22;
// Vertical line on which the value text of columns 2, 3, 4 is anchored.
inline constexpr std::array<int, 3> kValueAnchorX = {340, 440, 540};
inline constexpr int kValueTextDy = 3;
// A value text never shows more than this many characters.
inline constexpr std::size_t kValueTextMaxChars = 15;
// "Σ =" in front of the shift sum in the pair column (rows 14 and 15).
inline constexpr int kPairSigmaX = 410;
inline constexpr int kPairSigmaDy = 3;
inline constexpr const char* kPairSigmaText = "Σ =";
// The grid control: its size, which the printed table's image takes too.
inline constexpr int kTableGridWidth = 626;
inline constexpr int kTableGridHeight = 543;

// Where the lines of a grid run: `width` pixels after every column and row,
// and with `leading` also before the first ones. The window's grid draws
// 1-pixel lines after its cells; the grid rendered for printing has 2-pixel
// lines all round.
struct GridLines {
  int width = 1;
  bool leading = false;
};
// The left edge of a column and the top of a row (counted from the first
// row shown) in pixels from the grid's top-left corner, every row of the
// default height. Both go on past the last column or row: the edge after it.
int GridColumnLeft(int column, GridLines lines);
int GridRowTop(int shownRow, GridLines lines);

// Rows of the layout chosen by the gear type: 77 external, 85 internal, 45
// bevel. A gear type that is none of these counts as external.
int TableRowCount(GearType gearType);

// The file name part of a table caption: the caption without its first 18
// characters ("Tabulka rozměrů - "), reduced to the text after the last '\'
// or ':'. Empty when the table belongs to no file. The printed table shows
// exactly this in its title cell.
std::string CaptionFileName(std::string_view caption);
// The title cell of the window: the file name, or kTableUntitled.
std::string TableTitleText(std::string_view caption);

// Last step of every value text: cut to 15 characters, and a zero written
// with five decimals (" 0.00000", "-0.00000") shown as a plain "0".
std::string FinishValueText(std::string text);

// The part of a value text that stands left of the anchor: the characters
// before the first '.' or up to and including the first minutes mark ('),
// never the last character of the text. The text "0" is its own prefix (it
// ends at the anchor), so whole numbers end one digit right of the anchor.
std::string AnchorPrefix(std::string_view valueText);

// The symbol drawn at the right end of the name cell. Greek letters are the
// Unicode characters. Positions are pixels: x from the cell's left edge as
// the grid draws it, dy below the cell top. The star of a per-module
// coefficient is drawn as a piece of its own right after the subscript.
struct TableSymbol {
  std::string latin;  // Arial 10 pt
  int latinX = 214;
  int latinDy = 3;
  std::string greek;  // 10 pt unless stated
  int greekX = 214;
  int greekDy = 0;
  int greekPt = 10;
  std::string greekSecond;  // second letter of a contact ratio (εα, εβ, εγ)
  int greekSecondX = 224;
  int greekSecondDy = 7;
  int greekSecondPt = 9;
  std::string subscript;  // Arial 8 pt
  int subscriptX = 222;
  int subscriptDy = 8;
  bool star = false;

  bool Empty() const { return latin.empty() && greek.empty() && subscript.empty(); }
};

// The symbol of a row in the layout of the gear type (empty for rows 0, the
// headings and the rows that carry none).
TableSymbol RowSymbol(GearType gearType, int row);
// The symbol as one line of plain text: "d_Ff", "α_wt", "ε_α", "h_aP*".
std::string SymbolPlainText(const TableSymbol& symbol);

// A subscript inside the name text ("Poměr b/m" with its "n").
struct NameSubscript {
  std::string text;  // empty: none
  int x = 0;
  int dy = 8;
};
NameSubscript RowNameSubscript(GearType gearType, int row);

// Font of a cell (a value text uses it as well) and the placement of a
// stored (fixed) text; value texts are placed on the anchor instead.
struct StoredTextStyle {
  int pointSize = 10;
  bool bold = false;
  bool italic = false;
  int dx = 0;  // from the cell's left edge
  int dy = 2;  // from the cell's top
};
StoredTextStyle StoredStyle(int column, int row);

// What a cell shows. A stored text (names, headings, units, the header rows)
// is drawn at the style's offset; a value text is anchored: drawn so that
// `anchorPrefix` ends on the column's anchor line.
struct TableCell {
  std::string text;
  bool anchored = false;
  std::string anchorPrefix;
  bool pairSigma = false;  // "Σ =" drawn before the value (kPairSigmaX)
};

// The value text of column 2, 3 or 4 of a row of the layout of the current
// gear type, finished (cut, zero rule); empty when the cell is not drawn.
std::string ValueText(const GearPair& g, int column, int row);

class DimensionTable {
 public:
  // The window is shown: leaves the printing mode and writes the fixed texts.
  void Show(GearPair& g, std::string_view caption);
  // Writes the fixed texts of the layout of `g.gearType`: names, headings and
  // units, the header rows, the backlash name of row 2 and the names of the
  // measured thickness. Texts not rewritten keep what an earlier show left.
  void FillFixedTexts(const GearPair& g, std::string_view caption);

  int RowCount(const GearPair& g) const { return TableRowCount(g.gearType); }
  // The stored text of a cell ("" outside the grid).
  const std::string& Stored(int column, int row) const;
  void SetStored(int column, int row, std::string text);
  // What the cell shows now: the stored text, or the value from the state.
  TableCell Cell(const GearPair& g, int column, int row) const;

  // Rendering for the printer: the title cell shows the bare file name of
  // the caption (no "Název" placeholder). Returns the title it replaced, for
  // the caller to put back with SetStored(0, 0, ...) after rendering.
  std::string BeginPrintTitle(std::string_view caption);

 private:
  std::array<std::array<std::string, kTableColumns>, kTableMaxRows> stored_{};
  std::string backlashName_;  // row 2 of the last cylindrical show
};

// The cells of a range (columns and rows inclusive, in either order, cut to
// the table) as a spreadsheet takes them: one line per row, the cells apart
// by tabs, each as the table shows it without blanks around it. A name
// carries its symbol in plain text ("Průměr patní kružnice d_f"); a value is
// its text (a shift sum without the "Σ =" in front of it).
std::string TableCellsText(const DimensionTable& table, const GearPair& g, int column1, int row1,
                           int column2, int row2);

// The whole table as aligned plain text, one line per row, for a terminal:
// name (with symbol), unit, then pinion, pair and wheel, each value column
// aligned on its anchor. Uses a freshly shown table.
std::string DimensionTableText(const GearPair& g, std::string_view caption = kTableCaption);
// The same for a table that has been shown already (its stored texts).
std::string RenderTableText(const DimensionTable& table, const GearPair& g);

}  // namespace kolmira
