// The report window lays out by hand: its size is not the sum of its parts
// but follows the measured list, so a QLayout would only fight it.
#include "gui/ReportWindow.h"

#include <QFrame>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "forms/ShiftMapForm.h"
#include "gui/Layout.h"
#include "gui/ReportView.h"
#include "report/Report.h"

namespace kolmira::gui {

namespace {

constexpr int kBottomPanelHeight = 40;
constexpr int kPaintBoxLeft = 5;
constexpr int kPaintBoxTop = 8;
constexpr int kButtonHeight = 25;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonGap = 8;
constexpr int kButtonPadding = 10;  // each side of the caption
constexpr int kButtonMargin = 5;    // least room between a button and the window's edge

QFrame* Panel(const char* name, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QLatin1String(name));
  panel->setFrameStyle(QFrame::NoFrame);
  return panel;
}

}  // namespace

ReportWindow::ReportWindow(const GearPair& pair, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      panel1_(Panel("Panel1", this)),
      panel2_(Panel("Panel2", this)),
      view_(new ReportView(pair, panel1_)),
      okButton_(AddButton("OkBtn", kReportBackButton, panel2_)),
      tableButton_(AddButton("Button1", kReportTableButton, panel2_)),
      mapButton_(AddButton("Button3", kShiftMapButton, panel2_)),
      helpButton_(AddButton("Button2", kReportHelpButton, panel2_)) {
  setWindowTitle(QString::fromUtf8(kReportCaption));
  Relayout();
}

void ReportWindow::Relayout() {
  const ReportLayout layout = view_->Build().layout;
  // A list narrower than the buttons' row (the perfect pair alone) stands
  // in the middle of a window as wide as the row.
  const int width = std::max(layout.windowWidth, PlaceButtons(0));
  const int height = layout.windowHeight;
  setFixedSize(width, height);
  panel1_->setGeometry(0, 0, width, height - kBottomPanelHeight);
  panel2_->setGeometry(0, height - kBottomPanelHeight, width, kBottomPanelHeight);
  view_->setGeometry(kPaintBoxLeft + (width - layout.windowWidth) / 2, kPaintBoxTop,
                     layout.paintWidth, layout.paintHeight);

  PlaceButtons(width);
  view_->update();
}

int ReportWindow::PlaceButtons(int width) {
  // One row, centred on the strip. Each button is as wide as its caption
  // needs, at least the usual width; when the list is narrow the usual
  // width gives way first, so that no caption is cut.
  const std::array<QPushButton*, 4> buttons = {okButton_, tableButton_, mapButton_, helpButton_};
  std::array<int, 4> needs{}, widths{};
  int least = kButtonGap * static_cast<int>(buttons.size() - 1) + 2 * kButtonMargin;
  int rowWidth = kButtonGap * static_cast<int>(buttons.size() - 1);
  int spare = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const QString caption = buttons[i]->text().remove(QLatin1Char('&'));
    needs[i] = buttons[i]->fontMetrics().horizontalAdvance(caption) + 2 * kButtonPadding;
    widths[i] = std::max(kButtonMinWidth, needs[i]);
    least += needs[i];
    rowWidth += widths[i];
    spare += widths[i] - needs[i];
  }
  const int excess = rowWidth - (width - 2 * kButtonMargin);
  if (excess > 0 && spare > 0) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      const int own = widths[i] - needs[i];
      const int cut = std::min(own, (excess * own + spare - 1) / spare);
      widths[i] -= cut;
      rowWidth -= cut;
    }
  }
  int x = (width - rowWidth) / 2;
  const int y = (kBottomPanelHeight - kButtonHeight) / 2;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    buttons[i]->setGeometry(x, y, widths[i], kButtonHeight);
    x += widths[i] + kButtonGap;
  }
  return least;
}

void ReportWindow::showEvent(QShowEvent* event) {
  Relayout();
  QDialog::showEvent(event);
}

}  // namespace kolmira::gui
