#include "gui/Printing.h"

#include <QFileDialog>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <string_view>

#include "forms/TableForm.h"
#include "gui/TablePainter.h"

namespace kolmira::gui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// While the table is rendered for printing its cells are white with black
// text and its title cell shows the bare file name; both come back after.
class PrintMode {
 public:
  explicit PrintMode(Workspace& ws)
      : ws_(ws), title_(ws.table().table().BeginPrintTitle(ws.main().tableCaption())) {
    ws_.pair().tablePrinting = true;
  }
  ~PrintMode() {
    ws_.pair().tablePrinting = false;
    ws_.table().table().SetStored(0, 0, std::move(title_));
  }
  PrintMode(const PrintMode&) = delete;
  PrintMode& operator=(const PrintMode&) = delete;

 private:
  Workspace& ws_;
  std::string title_;
};

// The print dialog's file printer, not a printer on the system.
bool PrintsToFile(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

bool BitmapName(const QString& name) {
  return name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setMinMax(1, 1);
  return dialog.exec() == QDialog::Accepted;
}

QString RunSaveDialog(const QString& proposed, QWidget* parent) {
  // The filter is written "text|pattern"; the dialog shows the text.
  const QString filter = Q(kPrintFileFilter).section(QLatin1Char('|'), 0, 0);
  QFileDialog dialog(parent, Q(kPrintFileDialogTitle), proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(Q(kPrintFileDefaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

// The largest point size up to `points` at which the widest line fits the
// page.
double FittingPointSize(const QStringList& lines, const QFont& font, QPrinter& printer,
                        double points) {
  QFont probe = font;
  probe.setPointSizeF(points);
  const QFontMetricsF metrics(probe, &printer);
  double widest = 0.0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  if (widest <= printer.width() || widest <= 0.0) return points;
  return points * printer.width() / widest;
}

}  // namespace

void PaintTablePage(QPainter& p, const TablePainter& painter, const PrintPageImage& page) {
  p.fillRect(QRect(0, 0, kPrintImageWidth, page.height), Qt::white);
  for (const ImageStrip& strip : page.strips) {
    // The band's rows, where the full image has them relative to the band;
    // a row cut by the band's edge is cut here as well.
    const RowRange rows = RowsInStrip(strip);
    p.save();
    p.setClipRect(QRect(0, strip.targetTop, kPrintImageWidth, strip.height), Qt::IntersectClip);
    for (int row = rows.first; row < rows.first + rows.count && row < painter.rowCount(); ++row) {
      const int top = strip.targetTop + GridRowTop(row, kPrintGridLines) - strip.sourceTop;
      painter.PaintRow(p, row, top, 0, kPrintGridLines);
    }
    p.restore();
  }
}

void PaintTableSheet(QPainter& p, const TablePainter& painter, const PrintPageImage& page,
                     QSize sheet) {
  const PrintRect target =
      PrintTargetRect(sheet.width(), sheet.height(), kPrintImageWidth, page.height, page.divisor);
  p.save();
  p.translate(target.left, target.top);
  p.scale(static_cast<double>(target.right - target.left) / kPrintImageWidth,
          static_cast<double>(target.bottom - target.top) / std::max(page.height, 1));
  PaintTablePage(p, painter, page);
  p.restore();
}

std::vector<QImage> TablePageImages(TablePainter painter, GearType gearType) {
  // Two colours in the end: the letters without grey edges.
  painter.setAliasedText(true);
  std::vector<QImage> images;
  for (const PrintPageImage& page :
       TablePrintPages(gearType, TableImageHeight(painter.rowCount()))) {
    QImage image(kPrintImageWidth, page.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    PaintTablePage(p, painter, page);
    p.end();
    images.push_back(std::move(image));
  }
  return images;
}

QImage Monochrome(const QImage& image) {
  const QImage source = image.convertToFormat(QImage::Format_RGB32);
  QImage mono(source.size(), QImage::Format_Mono);
  mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  mono.fill(0);
  const QRgb white = qRgb(255, 255, 255);
  for (int y = 0; y < source.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      if ((line[x] | 0xff000000u) != white) mono.setPixel(x, y, 1);
    }
  }
  return mono;
}

Printing::Printing(Workspace& ws, QWidget* window) : ws_(ws), window_(window) {
  choosePrinter = [this](QPrinter& printer) { return RunPrintDialog(printer, window_); };
  chooseBitmapFile = [this](const QString& proposed) { return RunSaveDialog(proposed, window_); };
  chooseShortPrinter = [this](QPrinter& printer) {
    return !QPrinterInfo::defaultPrinter().isNull() || RunPrintDialog(printer, window_);
  };
  showMessage = [this](const Message& m) { QMessageBox::critical(window_, Q(m.title), Q(m.text)); };
}

void Printing::Print(Outcome::Print what) {
  if (what == Outcome::Print::Table) {
    PrintTable();
  } else {
    PrintShort();
  }
}

void Printing::PrintTable() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Q(kPrintJobTitle));
  if (!choosePrinter(printer)) return;
  if (PrintsToFile(printer) && BitmapName(printer.outputFileName())) {
    SaveBitmaps(printer.outputFileName());
  } else {
    PrintPages(printer);
  }
}

void Printing::PrintPages(QPrinter& printer) {
  const PrintMode mode(ws_);
  const TablePainter painter(ws_.table().table(), ws_.pair());
  const std::vector<PrintPageImage> pages =
      TablePrintPages(ws_.pair().gearType, TableImageHeight(painter.rowCount()));
  const auto failed = [&] {
    if (PrintsToFile(printer))
      showMessage(PrintFileFailure(printer.outputFileName().toStdString()));
  };

  if (PrintsToFile(printer)) {
    // A file holds one document: the pages one after the other.
    QPainter p;
    if (!p.begin(&printer)) return failed();
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) printer.newPage();
      PaintTableSheet(p, painter, pages[i], QSize(printer.width(), printer.height()));
    }
    if (!p.end()) failed();
    return;
  }
  // On a printer each page is a job of its own, once for every copy.
  const int copies = std::max(printer.copyCount(), 1);
  printer.setCopyCount(1);
  for (int copy = 0; copy < copies; ++copy) {
    for (const PrintPageImage& page : pages) {
      QPainter p;
      if (!p.begin(&printer)) return;
      PaintTableSheet(p, painter, page, QSize(printer.width(), printer.height()));
      p.end();
    }
  }
}

void Printing::SaveBitmaps(const QString& proposed) {
  // The pages are rendered first; the grid is itself again while the save
  // dialog asks.
  std::vector<QImage> images;
  {
    const PrintMode mode(ws_);
    images = TablePageImages(TablePainter(ws_.table().table(), ws_.pair()), ws_.pair().gearType);
  }
  const QString file = chooseBitmapFile(proposed);
  if (file.isEmpty()) return;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const QString name = i == 0 ? file : Q(SecondPageFileName(file.toStdString()));
    // Written beside the target and renamed over it: a failure leaves the
    // old file as it was.
    QSaveFile out(name);
    if (!out.open(QIODevice::WriteOnly) || !Monochrome(images[i]).save(&out, "BMP") ||
        !out.commit()) {
      showMessage(PrintFileFailure(name.toStdString()));
      return;
    }
  }
}

void Printing::PrintShort() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Q(kPrintJobTitle));
  if (!chooseShortPrinter(printer)) return;

  const std::string text = ShortPrintText(ws_.pair(), ws_.main().tableCaption());
  QStringList lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    lines << Q(ExpandTabs(std::string_view(text).substr(at, end - at)));
    at = end + 1;
  }

  QPainter p;
  if (!p.begin(&printer)) {
    if (PrintsToFile(printer))
      showMessage(PrintFileFailure(printer.outputFileName().toStdString()));
    return;
  }
  // A line printer's face: every character as wide as the next, so the
  // columns the tabs make stay columns.
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(FittingPointSize(lines, font, printer, 10.0));
  p.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  double y = metrics.ascent();
  for (const QString& line : lines) {
    if (y + metrics.descent() > printer.height()) {
      printer.newPage();
      y = metrics.ascent();
    }
    p.drawText(QPointF(0.0, y), line);
    y += metrics.lineSpacing();
  }
  p.end();
}

}  // namespace kolmira::gui
