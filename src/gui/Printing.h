// The two printouts of the dimension table window.
//
// "Vytiskni &tabulku" paints the table's cells straight onto the printer's
// pages, white with black text, at the printer's resolution: a cylindrical
// pair on two pages (the rows above the check dimensions; the header row
// and the rest), a bevel pair on one, each page stretched into its place on
// the sheet. Each page of a printer is a print job of its own, once per
// copy; the file printer of the print dialog writes one PDF with the pages.
// Printing to a file named *.bmp there saves the pages as monochrome bitmaps
// of the grid's own size instead, after the save dialog "Tisk do souboru".
//
// "&Zkrácený tisk" writes the short print's lines to the printer in a
// fixed-width face, the tabs laid out at every 8th column.
//
// The dialogs are hooks, so that tests answer them.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "forms/Workspace.h"
#include "report/ShortPrint.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kolmira::gui {

class TablePainter;

// Paints a page image of the table print in its own pixels (the full image's
// bands that make it), from the top-left corner of the painter.
void PaintTablePage(QPainter& p, const TablePainter& painter, const PrintPageImage& page);
// Paints the page stretched into its place on a sheet of `sheet` pixels.
void PaintTableSheet(QPainter& p, const TablePainter& painter, const PrintPageImage& page,
                     QSize sheet);
// The page images as the grid renders them for the bitmaps: white, black
// text without grey edges, silver lines.
std::vector<QImage> TablePageImages(TablePainter painter, GearType gearType);
// A page image as a two-colour bitmap: everything that is not white black.
QImage Monochrome(const QImage& image);

class Printing {
 public:
  Printing(Workspace& ws, QWidget* window);

  void Print(Outcome::Print what);
  void PrintTable();
  void PrintShort();

  // The print dialog of the table print: sets up the printer; false when
  // the user cancels.
  std::function<bool(QPrinter&)> choosePrinter;
  // The save dialog of printing to file, with the name proposed; the name
  // chosen, or empty when cancelled.
  std::function<QString(const QString& proposed)> chooseBitmapFile;
  // The printer of the short print: the default printer as it is, the
  // print dialog where there is none; false when nothing is to be printed.
  std::function<bool(QPrinter&)> chooseShortPrinter;
  // A file that could not be written.
  std::function<void(const Message&)> showMessage;

 private:
  void PrintPages(QPrinter& printer);
  void SaveBitmaps(const QString& proposed);

  Workspace& ws_;
  QWidget* window_;
};

}  // namespace kolmira::gui
