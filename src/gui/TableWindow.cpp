// The table window lays out by hand, at the sizes of the grid it shows: the
// column widths, row height and anchors are pixels, so the window is too.
#include "gui/TableWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "gui/TablePainter.h"

namespace kolmira::gui {

namespace {

constexpr QSize kWindowSize(649, 630);
constexpr QRect kGridBox(7, 11, kTableGridWidth, kTableGridHeight);
constexpr int kButtonTop = 562;
constexpr int kButtonHeight = 25;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonPadding = 12;  // each side of the caption
constexpr int kButtonGap = 16;

// The window's grid: 1-pixel lines after every cell.
constexpr GridLines kScreenLines = {1, false};

QPushButton* Button(const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

// ---------------------------------------------------------------- the grid

TableGrid::TableGrid(const DimensionTable& table, const GearPair& pair, QWidget* parent)
    : QAbstractScrollArea(parent), table_(table), pair_(pair) {
  setObjectName(QStringLiteral("StringGrid1"));
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  verticalScrollBar()->setSingleStep(1);
  // Dragging the thumb scrolls at once.
  verticalScrollBar()->setTracking(true);
  SyncScrollRange();
}

int TableGrid::topRow() const {
  return 1 + verticalScrollBar()->value();
}

void TableGrid::ScrollTo(int row) {
  SyncScrollRange();
  verticalScrollBar()->setValue(row - 1);
}

int TableGrid::WholeRowsShown() const {
  const int room = viewport()->height() - GridRowTop(1, kScreenLines);
  const int pitch = kTableRowHeight + kScreenLines.width;
  return room < kTableRowHeight ? 0 : (room - kTableRowHeight) / pitch + 1;
}

void TableGrid::SyncScrollRange() {
  const int scrolling = std::max(rowCount() - 1, 0);
  const int shown = std::max(WholeRowsShown(), 1);
  QScrollBar* bar = verticalScrollBar();
  const int max = std::max(scrolling - shown, 0);
  if (bar->maximum() != max) bar->setRange(0, max);
  if (bar->pageStep() != shown) bar->setPageStep(shown);
}

QRect TableGrid::CellBox(int column, int row) const {
  if (column < 0 || column >= kTableColumns || row < 0 || row >= rowCount()) return {};
  int shown = 0;
  if (row > 0) {
    if (row < topRow()) return {};
    shown = row - topRow() + 1;
  }
  const int top = GridRowTop(shown, kScreenLines);
  if (top >= viewport()->height()) return {};
  return QRect(GridColumnLeft(column, kScreenLines), top,
               kTableColumnWidths[static_cast<std::size_t>(column)], kTableRowHeight);
}

QPoint TableGrid::CellAt(QPoint at) const {
  int column = -1;
  for (int c = 0; c < kTableColumns; ++c) {
    if (at.x() >= GridColumnLeft(c, kScreenLines) && at.x() < GridColumnLeft(c + 1, kScreenLines)) {
      column = c;
    }
  }
  const int pitch = kTableRowHeight + kScreenLines.width;
  int row = -1;
  if (at.y() >= 0 && at.y() < viewport()->height()) {
    const int shown = at.y() / pitch;
    row = shown == 0 ? 0 : topRow() + shown - 1;
    if (row >= rowCount()) row = -1;
  }
  if (column < 0 || row < 0) return {-1, -1};
  return {column, row};
}

void TableGrid::Select(QPoint from, QPoint to) {
  start_ = from;
  current_ = to;
  viewport()->update();
}

void TableGrid::Copy() const {
  const std::string text =
      TableCellsText(table_, pair_, start_.x(), start_.y(), current_.x(), current_.y());
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TableGrid::paintEvent(QPaintEvent*) {
  // The row count follows the gear type on every paint.
  SyncScrollRange();
  QPainter p(viewport());
  p.fillRect(viewport()->rect(), palette().color(QPalette::Base));
  const TablePainter painter(table_, pair_);
  const int rows = painter.rowCount();
  const int height = viewport()->height();
  painter.PaintRow(p, 0, GridRowTop(0, kScreenLines), 0, kScreenLines);
  for (int row = topRow(), shown = 1; row < rows; ++row, ++shown) {
    const int top = GridRowTop(shown, kScreenLines);
    if (top >= height) break;
    painter.PaintRow(p, row, top, 0, kScreenLines);
  }

  if (!hasFocus() || pair_.tablePrinting) return;
  // The chosen range: a dotted frame around its cells in sight.
  const int left = std::min(start_.x(), current_.x());
  const int right = std::max(start_.x(), current_.x());
  const int first = std::min(start_.y(), current_.y());
  const int last = std::max(start_.y(), current_.y());
  QRect frame;
  for (int row = first; row <= last && row < rows; ++row) {
    frame |= CellBox(left, row) | CellBox(right, row);
  }
  if (frame.isEmpty()) return;
  p.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame.adjusted(1, 1, -2, -2));
}

void TableGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  SyncScrollRange();
}

void TableGrid::scrollContentsBy(int, int) {
  viewport()->update();
}

void TableGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  const QPoint cell = CellAt(event->position().toPoint());
  if (cell.x() < 0) return;
  MoveCurrent(cell, event->modifiers() & Qt::ShiftModifier);
}

void TableGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  QPoint at = event->position().toPoint();
  // Dragged past the bottom or into the header: the rows scroll along.
  const int pitch = kTableRowHeight + kScreenLines.width;
  if (at.y() >= viewport()->height() && current_.y() >= 1) {
    MoveCurrent({current_.x(), current_.y() + 1}, true);
    return;
  }
  if (at.y() < pitch && start_.y() > 0 && topRow() > 1) {
    MoveCurrent({current_.x(), topRow() - 1}, true);
    return;
  }
  at.setX(std::clamp(at.x(), 0, GridColumnLeft(kTableColumns, kScreenLines) - 1));
  at.setY(std::clamp(at.y(), 0, viewport()->height() - 1));
  const QPoint cell = CellAt(at);
  if (cell.x() >= 0 && cell != current_) MoveCurrent(cell, true);
}

void TableGrid::MoveCurrent(QPoint to, bool extend) {
  to.setX(std::clamp(to.x(), 0, kTableColumns - 1));
  to.setY(std::clamp(to.y(), 0, std::max(rowCount() - 1, 0)));
  current_ = to;
  if (!extend) start_ = to;
  // The current row in sight.
  const int row = to.y();
  if (row >= 1 && row < topRow()) {
    ScrollTo(row);
  } else if (row >= 1 && row >= topRow() + WholeRowsShown()) {
    ScrollTo(row - WholeRowsShown() + 1);
  }
  viewport()->update();
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) return Copy();
  if (event->matches(QKeySequence::SelectAll)) {
    Select({0, 0}, {kTableColumns - 1, rowCount() - 1});
    return;
  }
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  const int page = std::max(WholeRowsShown(), 1);
  QPoint to = current_;
  switch (event->key()) {
    case Qt::Key_Up:
      to.ry() -= 1;
      break;
    case Qt::Key_Down:
      to.ry() += 1;
      break;
    case Qt::Key_Left:
      to.rx() -= 1;
      break;
    case Qt::Key_Right:
      to.rx() += 1;
      break;
    case Qt::Key_PageUp:
      to.ry() -= page;
      break;
    case Qt::Key_PageDown:
      to.ry() += page;
      break;
    case Qt::Key_Home:
      to = event->modifiers() & Qt::ControlModifier ? QPoint(to.x(), 1) : QPoint(0, to.y());
      break;
    case Qt::Key_End:
      to = event->modifiers() & Qt::ControlModifier ? QPoint(to.x(), rowCount() - 1)
                                                    : QPoint(kTableColumns - 1, to.y());
      break;
    default:
      return QAbstractScrollArea::keyPressEvent(event);
  }
  MoveCurrent(to, extend);
}

void TableGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TableGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

// -------------------------------------------------------------- the window

TableWindow::TableWindow(const DimensionTable& table, const GearPair& pair, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      grid_(new TableGrid(table, pair, this)),
      buttons_{Button("Tisk", this), Button("Button1", this), Button("OkBtn", this),
               Button("HelpBtn", this)} {
  setWindowTitle(QString::fromUtf8(kTableCaption));
  setFixedSize(kWindowSize);
  grid_->setGeometry(kGridBox);
  PlaceButtons();
}

void TableWindow::PlaceButtons() {
  int widths[4];
  int row = kButtonGap * 3;
  for (int i = 0; i < 4; ++i) {
    const QString caption = buttons_[i]->text().remove(QLatin1Char('&'));
    widths[i] = std::max(kButtonMinWidth, buttons_[i]->fontMetrics().horizontalAdvance(caption) +
                                              2 * kButtonPadding);
    row += widths[i];
  }
  int x = kGridBox.left() + (kGridBox.width() - row) / 2;
  for (int i = 0; i < 4; ++i) {
    buttons_[i]->setGeometry(x, kButtonTop, widths[i], kButtonHeight);
    x += widths[i] + kButtonGap;
  }
}

void TableWindow::showEvent(QShowEvent* event) {
  // The captions are the form's, set by the binder before the window shows.
  PlaceButtons();
  QDialog::showEvent(event);
}

}  // namespace kolmira::gui
