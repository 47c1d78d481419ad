// Printing of the dimension table, without the printer itself.
//
// The short print is a plain-text summary for the printer's text channel:
// tab-separated lines without diacritics (a line printer's character set),
// one line per quantity with the pinion and wheel values.
//
// The table print renders the grid into one tall image, cuts it into page
// images (two for a cylindrical pair, one for a bevel pair) and stretches each
// onto a printer page; here are the cut and the page geometry as numbers the
// GUI copies and stretches by.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/GearPair.h"
#include "report/DimensionTable.h"

namespace kolmira {

inline constexpr const char* kPrintJobTitle = "Kolmira ozubení";

// The short print as it goes to the printer, each line ending in '\n'.
// `caption` is the table window's caption ("Tabulka rozměrů - " and the path
// of the input file, or "Tabulka rozměrů").
std::string ShortPrintText(const GearPair& g, std::string_view caption);

// A line of the short print as a printer's text channel lays it out: every
// tab moves on to the next multiple of 8 columns.
inline constexpr int kShortPrintTabStop = 8;
std::string ExpandTabs(std::string_view line, int tabStop = kShortPrintTabStop);

// ------------------------------------------------------------ table print

// Page 1 is the top of the full image; page 2 repeats the header row and
// continues below page 1.
inline constexpr int kPrintPage1Height = 1274;
inline constexpr int kPrintHeaderHeight = 27;
inline constexpr int kPrintPage2HeightExternal = 581;
inline constexpr int kPrintPage2HeightInternal = 773;
// The vertical scale divides by these (printer pixels of a reference page).
inline constexpr int kPrintDivisorCylindrical = 3130;
inline constexpr int kPrintDivisorBevel = 2700;

// Save dialog of printing to file.
inline constexpr const char* kPrintFileDialogTitle = "Tisk do souboru";
inline constexpr const char* kPrintFileDefaultName = "TISK1";
inline constexpr const char* kPrintFileDefaultExtension = "BMP";
inline constexpr const char* kPrintFileFilter = "Bitmap (*.BMP)|*.BMP";

// The full image is the grid rendered for printing: as wide as the grid
// control, with 2-pixel lines before the first row and column and after
// every one, so that each row takes 24 pixels.
inline constexpr int kPrintImageWidth = kTableGridWidth;
inline constexpr GridLines kPrintGridLines = {2, true};

// Height of the full table image: 2 plus, for every row, its height plus 2.
int TableImageHeight(int rowCount, int rowHeight = 22);

// A horizontal band of the full image copied into a page image.
struct ImageStrip {
  int sourceTop = 0;
  int targetTop = 0;
  int height = 0;
};

// One page image: its height (the width is the full image's), the bands that
// fill it (anything not covered stays white) and the divisor of its scale.
struct PrintPageImage {
  int height = 0;
  int divisor = kPrintDivisorCylindrical;
  std::vector<ImageStrip> strips;
};

// The page images of the table of this gear type, cut from a full image of
// the given height. Bands are clipped to the full image.
std::vector<PrintPageImage> TablePrintPages(GearType gearType, int fullImageHeight);

// The rows of the full image that lie wholly in a band (kPrintGridLines),
// [first, first + count): the page split in rows. Page 1 of a cylindrical
// table holds the rows above the heading of the check dimensions; page 2 the
// header row and the rest.
struct RowRange {
  int first = 0;
  int count = 0;
};
RowRange RowsInStrip(const ImageStrip& strip);

// Where a page image is stretched on a printer page of W x H pixels:
// left = round(W·190/2338), top = round(H·150/3372),
// width = round(imageWidth·3.5·W/2338), height = round(imageHeight·2.25·H/D).
struct PrintRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
PrintRect PrintTargetRect(int pageWidth, int pageHeight, int imageWidth, int imageHeight,
                          int divisor);

// What printing to a file says when the file cannot be written.
Message PrintFileFailure(std::string_view path);

// The file of the second page when printing to file: the chosen name with
// "_2" before its extension (TISK1.BMP -> TISK1_2.BMP).
std::string SecondPageFileName(std::string_view chosen);

}  // namespace kolmira
