// The dimension table window end to end: a pair typed in and checked, the
// table opened by the report's "Tabulka rozměrů" button, the cells read back
// from the pixels (each value's decimal point, or the minutes mark of an
// angle, on its column's anchor), the printouts written to files through
// the window's buttons (page counts of the PDF, the monochrome bitmaps and
// their sizes, cancelled dialogs) and the copy of a chosen range. The texts
// are the table model's and are tested there.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <vector>

#include "GuiProgram.h"
#include "TypedPair.h"
#include "forms/TableForm.h"
#include "gui/Printing.h"
#include "gui/ReportWindow.h"
#include "gui/TablePainter.h"
#include "gui/TableWindow.h"
#include "report/DimensionTable.h"
#include "report/ShortPrint.h"

using namespace kolmira;

namespace {

// The pairs of the layouts: external, internal, rack (a wheel of 5000
// teeth and more), bevel.
constexpr const char* kExternal = "betaDeg=12.5 x1=0.3 x2=0.1";
constexpr const char* kInternal = "!GearInternal";
constexpr const char* kRack = "z2=5000 x1=0.2";
constexpr const char* kBevel = "!GearBevel";

// The program with a checked pair and its table open, every message box
// counted instead of shown.
struct Program : test::Program {
  explicit Program(const char* steps, bool dms = false) : test::Program(test::Boxes::Counted) {
    if (dms) Press("dms");
    Run([&] { QVERIFY(test::TypeAndCheck(ws(), steps)); });
    QVERIFY(app.report().isVisible());
    Click("Button1", Dialog::Report);
    QVERIFY(table().isVisible());
    home = Dialog::Table;
  }
  const GearPair& pair() { return app.workspace().pair(); }
  gui::TableWindow& table() { return app.table(); }
  gui::TableGrid& grid() { return *app.table().grid(); }
  gui::Printing& printing() { return app.printing(); }
  // What the table shows in a cell (the model's text).
  std::string Text(int column, int row) {
    return ws().table().table().Cell(pair(), column, row).text;
  }
};

// ------------------------------------------------------------ ink in cells

bool Dark(QRgb p, int level) {
  return qGray(p) < level;
}

// A connected blot of ink: its bounding box.
using Blot = QRect;

// The blots of ink inside a box of the image (8-connected), left to right.
std::vector<Blot> Blots(const QImage& image, const QRect& area, int level) {
  const QRect box = area.intersected(image.rect());
  std::vector<char> seen(static_cast<std::size_t>(box.width() * box.height()), 0);
  auto index = [&](int x, int y) {
    return static_cast<std::size_t>((y - box.top()) * box.width() + (x - box.left()));
  };
  std::vector<Blot> blots;
  for (int y0 = box.top(); y0 <= box.bottom(); ++y0) {
    for (int x0 = box.left(); x0 <= box.right(); ++x0) {
      if (seen[index(x0, y0)] || !Dark(image.pixel(x0, y0), level)) continue;
      QRect blot(x0, y0, 1, 1);
      std::vector<QPoint> todo{{x0, y0}};
      seen[index(x0, y0)] = 1;
      while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        blot |= QRect(p, QSize(1, 1));
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q(p.x() + dx, p.y() + dy);
            if (!box.contains(q) || seen[index(q.x(), q.y())]) continue;
            if (!Dark(image.pixel(q), level)) continue;
            seen[index(q.x(), q.y())] = 1;
            todo.push_back(q);
          }
        }
      }
      blots.push_back(blot);
    }
  }
  std::sort(blots.begin(), blots.end(),
            [](const Blot& a, const Blot& b) { return a.left() < b.left(); });
  return blots;
}

// Where the text of a value cell is drawn, read from its ink: the decimal
// point (a small blot on the baseline), the minutes mark (the second small
// blot up by the tops of the digits, after the degree sign) or the right
// end of the text.
struct Marks {
  int point = -1;         // left edge of the point's ink
  int minutesRight = -1;  // right edge of the minutes mark's ink
  int right = -1;         // right edge of the text's ink
};

Marks ReadMarks(const QImage& image, const QRect& cell) {
  Marks marks;
  const std::vector<Blot> blots = Blots(image, cell, 160);
  if (blots.empty()) return marks;
  int baseline = 0, capTop = cell.bottom();
  for (const Blot& b : blots) {
    marks.right = std::max(marks.right, b.right());
    if (b.height() >= 7) {
      baseline = std::max(baseline, b.bottom());
      capTop = std::min(capTop, b.top());
    }
  }
  int high = 0;
  for (const Blot& b : blots) {
    const bool small = b.width() <= 3 && b.height() <= 3;
    if (small && b.bottom() >= baseline - 1 && marks.point < 0) marks.point = b.left();
    // The degree sign, then the minutes mark: up by the digits' tops.
    if (b.bottom() <= capTop + 5 && b.height() < 7 && ++high == 2) marks.minutesRight = b.right();
  }
  return marks;
}

QImage Grab(gui::TableGrid& grid) {
  grid.viewport()->repaint();
  return grid.viewport()->grab().toImage();
}

// The cells to read in each layout: rows of values in each value column.
struct Layout {
  const char* name;
  const char* steps;
  bool dms;
  std::vector<int> rows;
};

const Layout kLayouts[] = {
    // Diameters, shifts, moduli (three decimals), angles, counts, a backlash
    // of four decimals, measurements.
    {"external", kExternal, false, {2, 3, 4, 5, 7, 9, 15, 18, 23, 43, 45, 54, 56, 67}},
    {"external DMS", kExternal, true, {7, 8, 9, 10, 18, 67}},
    // The ring's negative diameters and the shaper cutter.
    {"internal", kInternal, false, {18, 23, 26, 55, 62, 77, 78, 80, 81, 83}},
    // The rack's zeros and dashes.
    {"rack", kRack, false, {3, 11, 14, 15, 16, 18, 35, 36, 37, 43}},
    {"bevel", kBevel, false, {2, 3, 4, 10, 13, 16, 23, 24, 30, 44}},
    {"bevel DMS", kBevel, true, {3, 7, 23, 24, 25, 32, 44}},
};

int PdfPages(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = f.readAll();
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

// A printer that writes a PDF into a file, as the print dialog's file
// printer does.
std::function<bool(QPrinter&)> PrintTo(const QString& file) {
  return [file](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
  };
}

}  // namespace

class TableWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void opensFromTheReportAtItsSizes() {
    Program p(kExternal);
    gui::TableWindow& table = p.table();
    QVERIFY(QTest::qWaitForWindowActive(&table));
    QCOMPARE(table.size(), QSize(649, 630));
    QCOMPARE(table.windowTitle(), QString("Tabulka rozměrů"));
    QCOMPARE(table.windowModality(), Qt::ApplicationModal);
    QCOMPARE(p.grid().objectName(), QString("StringGrid1"));
    QCOMPARE(p.grid().geometry(), QRect(7, 11, 626, 543));
    QTRY_VERIFY(p.grid().hasFocus());
    // The buttons in one row at y 562, inside the window, apart, their
    // captions the form's and wide enough.
    int right = 0;
    const std::pair<const char*, const char*> buttons[] = {{"Tisk", "Vytiskni &tabulku"},
                                                           {"Button1", "&Zkrácený tisk"},
                                                           {"OkBtn", "&Zpět"},
                                                           {"HelpBtn", "&Help"}};
    for (const auto& [name, caption] : buttons) {
      auto* button = table.findChild<QPushButton*>(name);
      QVERIFY2(button, name);
      QCOMPARE(button->text(), QString(caption));
      QCOMPARE(button->y(), 562);
      QVERIFY2(button->x() > right && button->geometry().right() < 649, name);
      QVERIFY2(button->width() > button->fontMetrics().horizontalAdvance(button->text()), name);
      right = button->geometry().right();
    }
    // The grid fits its columns with no horizontal scrolling.
    QVERIFY(p.grid().viewport()->width() >= GridColumnLeft(kTableColumns, {1, false}));
    // Esc closes it as "&Zpět" does; so does its frame.
    QTest::keyClick(&p.grid(), Qt::Key_Escape);
    QVERIFY(!table.isVisible());
    QVERIFY(!p.ws().table().visible());
    p.Click("Button1", Dialog::Report);
    QVERIFY(table.isVisible());
    table.close();
    QVERIFY(!table.isVisible());
    QVERIFY(!p.ws().table().visible());
  }

  // Every value sits on its anchor: the decimal point starts at 340, 440,
  // 540; the minutes mark of an angle ends there; a bare zero ends there.
  void valuesStandOnTheirAnchors_data() {
    QTest::addColumn<int>("layout");
    for (int i = 0; i < static_cast<int>(std::size(kLayouts)); ++i) {
      QTest::newRow(kLayouts[i].name) << i;
    }
  }
  void valuesStandOnTheirAnchors() {
    QFETCH(int, layout);
    const Layout& l = kLayouts[layout];
    Program p(l.steps, l.dms);
    int points = 0, minutes = 0, zeros = 0;
    for (int row : l.rows) {
      p.grid().ScrollTo(row);
      const QImage image = Grab(p.grid());
      for (int column = 2; column <= 4; ++column) {
        const std::string text = p.Text(column, row);
        const QRect box = p.grid().CellBox(column, row);
        QVERIFY(!box.isEmpty());
        const int anchor = kValueAnchorX[static_cast<std::size_t>(column - 2)];
        // The shift sums carry "Σ =" before them; only the value is read.
        const QRect valueBox = column == 3 && (row == 14 || row == 15) && l.steps != kBevel
                                   ? box.adjusted(anchor - 20 - box.left(), 0, 0, 0)
                                   : box;
        const Marks marks = ReadMarks(image, valueBox);
        const QByteArray where = QByteArray(l.name) + " row " + QByteArray::number(row) +
                                 " column " + QByteArray::number(column) + ": " + text.c_str();
        if (text.find('\'') != std::string::npos) {
          QVERIFY2(marks.minutesRight >= anchor - 3 && marks.minutesRight <= anchor, where);
          ++minutes;
        } else if (text.find('.') != std::string::npos) {
          QVERIFY2(marks.point >= anchor - 1 && marks.point <= anchor + 2, where);
          ++points;
        } else if (text == "0") {
          QVERIFY2(marks.right >= anchor - 3 && marks.right <= anchor, where);
          ++zeros;
        } else if (text.empty()) {
          QVERIFY2(marks.right < 0, where);
        }
      }
    }
    QVERIFY(points + minutes > 0);
    if (l.dms) QVERIFY(minutes >= 3);
    if (l.steps == kRack) QVERIFY(zeros >= 3);
  }

  // A symbol's pieces in the name column: one after the other as measured
  // in the face used, the smaller ones (subscripts, the second letter of a
  // contact ratio) lower, all inside the column; a subscript of a name right
  // after the name.
  void symbolPiecesFollowEachOther_data() {
    QTest::addColumn<QString>("steps");
    for (const char* steps : {kExternal, kInternal, kBevel}) QTest::newRow(steps) << QString(steps);
  }
  void symbolPiecesFollowEachOther() {
    QFETCH(QString, steps);
    Program p(qPrintable(steps));
    const gui::TablePainter painter(p.ws().table().table(), p.pair());
    const QPaintDevice* device = p.grid().viewport();
    const auto end = [&](const gui::TextPiece& piece) {
      return piece.baseline.x() + QFontMetricsF(piece.font, const_cast<QPaintDevice*>(device))
                                      .horizontalAdvance(piece.text);
    };
    int symbols = 0, subscripts = 0;
    for (int row = 1; row < painter.rowCount(); ++row) {
      const QRect box(0, 0, kTableColumnWidths[0], kTableRowHeight);
      const std::vector<gui::TextPiece> pieces = painter.Pieces(0, row, box, 0, device);
      const QByteArray where = "row " + QByteArray::number(row);
      std::size_t first = p.Text(0, row).empty() ? 0 : 1;
      if (!RowNameSubscript(p.pair().gearType, row).text.empty()) {
        QVERIFY2(pieces.size() > first, where);
        QVERIFY2(pieces[first].baseline.x() >= end(pieces[0]) - 0.01, where);
        QVERIFY2(pieces[first].baseline.y() > pieces[0].baseline.y(), where);
        ++first;
      }
      if (pieces.size() == first) continue;
      ++symbols;
      const gui::TextPiece& main = pieces[first];
      QVERIFY2(main.baseline.x() >= 190, where);
      for (std::size_t i = first; i < pieces.size(); ++i) {
        QVERIFY2(end(pieces[i]) <= kTableColumnWidths[0], where);
        if (i > first) QVERIFY2(pieces[i].baseline.x() >= end(pieces[i - 1]) - 0.01, where);
        if (pieces[i].font.pixelSize() < main.font.pixelSize()) {
          QVERIFY2(pieces[i].baseline.y() >= main.baseline.y() + 2, where);
          ++subscripts;
        }
      }
    }
    QVERIFY(symbols > 35 && subscripts > 25);
  }

  // The header row and the name column stay while the rows scroll, and the
  // values are the state's at each paint.
  void fixedRowStaysAndValuesFollowTheState() {
    Program p(kInternal);
    const QRect header = p.grid().CellBox(2, 0);
    const QImage top = Grab(p.grid());
    p.grid().verticalScrollBar()->setValue(p.grid().verticalScrollBar()->maximum());
    QVERIFY(p.grid().topRow() > 50);
    const QImage end = Grab(p.grid());
    QCOMPARE(end.copy(header), top.copy(header));
    // The last row of an internal pair (84) in sight at the end.
    QVERIFY(!p.grid().CellBox(0, 83).isEmpty());
    QCOMPARE(p.grid().CellAt(p.grid().CellBox(4, 83).center()), QPoint(4, 83));

    const QRect cell = p.grid().CellBox(4, 78);
    const QImage before = Grab(p.grid()).copy(cell);
    p.ws().pair().aw0 = -1234.5;
    QCOMPARE(p.Text(4, 78), std::string("-1234.50000"));
    const QImage after = Grab(p.grid());
    QVERIFY(after.copy(cell) != before);
    QVERIFY(ReadMarks(after, cell).point >= 540 - 1 && ReadMarks(after, cell).point <= 540 + 2);
  }

  void printsToAPdfTwoPagesOrOne_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("pages");
    QTest::newRow("external") << QString(kExternal) << 2;
    QTest::newRow("internal") << QString(kInternal) << 2;
    QTest::newRow("rack") << QString(kRack) << 2;
    QTest::newRow("bevel") << QString(kBevel) << 1;
  }
  void printsToAPdfTwoPagesOrOne() {
    QFETCH(QString, steps);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString file = dir.filePath("tabulka.pdf");
    Program p(qPrintable(steps));
    QString title;
    p.printing().choosePrinter = [&](QPrinter& printer) {
      title = printer.docName();
      return PrintTo(file)(printer);
    };
    bool asked = false;
    p.printing().chooseBitmapFile = [&](const QString&) {
      asked = true;
      return QString();
    };
    p.Click("Tisk");
    QCOMPARE(PdfPages(file), pages);
    QCOMPARE(title, QString("Kolmira ozubení"));
    QVERIFY(!asked);
    // Vector text in embedded fonts, no picture of the grid.
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.contains("/FontFile2"));
    QVERIFY(!bytes.contains("/Subtype /Image"));
    // The grid is itself again: not in the printing mode, its title back.
    QVERIFY(!p.pair().tablePrinting);
    QCOMPARE(p.Text(0, 0), std::string("          Název"));
    QVERIFY(p.messages.isEmpty());
  }

  void printsToFileAsMonochromeBitmaps_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<QSize>>("sizes");
    QTest::newRow("external") << QString(kExternal)
                              << QList<QSize>{QSize(626, 1274), QSize(626, 581)};
    QTest::newRow("internal") << QString(kInternal)
                              << QList<QSize>{QSize(626, 1274), QSize(626, 773)};
    QTest::newRow("bevel") << QString(kBevel) << QList<QSize>{QSize(626, 1082)};
  }
  void printsToFileAsMonochromeBitmaps() {
    QFETCH(QString, steps);
    QFETCH(QList<QSize>, sizes);
    QTemporaryDir dir;
    const QString chosen = dir.filePath("TISK1.BMP");
    Program p(qPrintable(steps));
    p.printing().choosePrinter = PrintTo(chosen);
    QString proposed;
    p.printing().chooseBitmapFile = [&](const QString& name) {
      proposed = name;
      return chosen;
    };
    p.Click("Tisk");
    QCOMPARE(proposed, chosen);
    const QStringList files = {chosen, dir.filePath("TISK1_2.BMP")};
    for (int i = 0; i < 2; ++i) {
      if (i >= sizes.size()) {
        QVERIFY(!QFile::exists(files[i]));
        continue;
      }
      QFile bmp(files[i]);
      QVERIFY2(bmp.open(QIODevice::ReadOnly), qPrintable(files[i]));
      const QByteArray header = bmp.read(30);
      QCOMPARE(header.left(2), QByteArray("BM"));
      QCOMPARE(static_cast<int>(header[28]), 1);  // bits per pixel
      bmp.close();
      const QImage image(files[i]);
      QCOMPARE(image.size(), sizes[i]);
      QCOMPARE(image.format(), QImage::Format_Mono);
      QCOMPARE(image.colorCount(), 2);
      // Each page opens with the header row: its line on top, the column
      // headers in black below it.
      QVERIFY(Dark(image.pixel(300, 0), 128));
      const std::vector<Blot> header2 = Blots(image, QRect(296, 2, 100, 22), 128);
      QVERIFY(header2.size() >= 8);  // "PASTOREK"
      // A table of no file prints its title cell empty (the window shows
      // "Název" there).
      QVERIFY(Blots(image, QRect(3, 3, 238, 20), 128).empty());
    }
    if (sizes.size() == 2) {
      // Page 2 goes on with the heading of the check dimensions.
      const QImage page2(files[1]);
      QVERIFY(!Blots(page2, QRect(2, 28, 240, 20), 128).empty());
      QVERIFY(Blots(page2, QRect(297, 29, 97, 19), 128).empty());
    }
    QVERIFY(!p.pair().tablePrinting);
    QVERIFY(p.messages.isEmpty());
  }

  // A cancelled print dialog or save dialog prints and writes nothing; a
  // file that cannot be written says so.
  void cancelledOrFailedPrintWritesNothing() {
    QTemporaryDir dir;
    const QString bitmap = dir.filePath("TISK1.BMP");
    Program p(kExternal);
    int printers = 0, saves = 0;
    p.printing().choosePrinter = [&](QPrinter&) {
      ++printers;
      return false;
    };
    p.printing().chooseBitmapFile = [&](const QString&) {
      ++saves;
      return QString();
    };
    p.Click("Tisk");
    QCOMPARE(printers, 1);
    QCOMPARE(saves, 0);

    p.printing().choosePrinter = PrintTo(bitmap);
    p.Click("Tisk");
    QCOMPARE(saves, 1);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(!p.pair().tablePrinting);
    QCOMPARE(p.Text(0, 0), std::string("          Název"));

    const QString nowhere = dir.filePath("no/such/folder/TISK1.BMP");
    p.printing().chooseBitmapFile = [&](const QString&) { return nowhere; };
    p.Click("Tisk");
    QCOMPARE(p.messages, QStringList{"Soubor „" + nowhere + "“ nelze uložit."});
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(p.table().isVisible());
  }

  // The program's own dialogs: the print dialog offers printing to a file;
  // the save dialog of printing to file is "Tisk do souboru" for bitmaps.
  // Both cancelled here.
  void theDialogsAskAndTheirCancelEndsThePrint() {
    Program p(kExternal);
    QStringList seen;
    const auto cancelWhenShown = [&] {
      QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
          seen << "print" << QString::number(print->testOption(QAbstractPrintDialog::PrintToFile));
          print->reject();
        } else if (auto* save = qobject_cast<QFileDialog*>(modal)) {
          seen << save->windowTitle() << save->nameFilters() << save->defaultSuffix()
               << QString::number(save->acceptMode() == QFileDialog::AcceptSave);
          save->reject();
        }
      });
    };
    cancelWhenShown();
    QVERIFY(!p.printing().choosePrinter(*std::make_unique<QPrinter>()));
    cancelWhenShown();
    QVERIFY(p.printing().chooseBitmapFile("TISK1.BMP").isEmpty());
    QCOMPARE(seen, (QStringList{"print", "1", "Tisk do souboru", "Bitmap (*.BMP)", "BMP", "1"}));
  }

  void shortPrintInAFixedWidthFace() {
    QTemporaryDir dir;
    const QString file = dir.filePath("kratky.pdf");
    Program p(kInternal);
    p.printing().chooseShortPrinter = PrintTo(file);
    p.Click("Button1");
    QCOMPARE(PdfPages(file), 1);
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(QRegularExpression("/BaseFont\\s*/\\w*\\+?\\w*Mono")
                .match(QString::fromLatin1(bytes))
                .hasMatch());

    // Nothing chosen: nothing printed.
    p.printing().chooseShortPrinter = [](QPrinter&) { return false; };
    QFile::remove(file);
    p.Click("Button1");
    QVERIFY(!QFile::exists(file));
  }

  // A range chosen with the mouse, then widened with Shift and an arrow,
  // goes to the clipboard as tab-separated text, values as shown.
  void ctrlCCopiesTheChosenCells() {
    Program p(kExternal);
    gui::TableGrid& grid = p.grid();
    // Through the window, as the mouse goes: the binder sees the press.
    QWindow* window = p.table().windowHandle();
    const auto at = [&](int column, int row) {
      return grid.viewport()->mapTo(&p.table(), grid.CellBox(column, row).center());
    };
    QTest::mousePress(window, Qt::LeftButton, {}, at(0, 18));
    QTest::mouseMove(window, at(2, 19));
    QTest::mouseMove(window, at(4, 19));
    QTest::mouseRelease(window, Qt::LeftButton, {}, at(4, 19));
    QTRY_VERIFY(grid.hasFocus());
    QCOMPARE(grid.selectionStart(), QPoint(0, 18));
    QCOMPARE(grid.current(), QPoint(4, 19));
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    const auto cells = [&](int c1, int r1, int c2, int r2) {
      return QString::fromStdString(
          TableCellsText(p.ws().table().table(), p.pair(), c1, r1, c2, r2));
    };
    QCOMPARE(QApplication::clipboard()->text(), cells(0, 18, 4, 19));
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].split('\t').size(), 5);
    QVERIFY(lines[0].startsWith("Průměr patní kružnice d_f\t[mm]\t"));
    QVERIFY(lines[0].contains(QString::fromStdString(p.Text(2, 18)).trimmed()));

    QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), cells(0, 18, 4, 20));
    // An arrow alone starts a new range at the new cell.
    QTest::keyClick(&grid, Qt::Key_Up);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), cells(4, 19, 4, 19));
  }
};

QTEST_MAIN(TableWindowTest)
#include "TableWindowTest.moc"
