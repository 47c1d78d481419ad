#include "Application.h"

#include <QApplication>
#include <QScreen>

#include "BacklashDialog.h"
#include "Binder.h"
#include "FellowDialog.h"
#include "HelpWindow.h"
#include "IdentTab.h"
#include "IntroWindow.h"
#include "MainDialog.h"
#include "MeasureTab.h"
#include "Printing.h"
#include "RackToolDialog.h"
#include "ReportWindow.h"
#include "ShiftMapWindow.h"
#include "TableWindow.h"
#include "forms/TableForm.h"

namespace kolmira::gui {

Application::Application() {
  intro_ = std::make_unique<IntroWindow>();
  main_ = std::make_unique<MainDialog>(ws_.pair());
  // The windows beside the main dialog stay above it.
  report_ = new ReportWindow(ws_.pair(), main_.get());
  report_->setWindowFlag(Qt::Window);
  table_ = new TableWindow(ws_.table().table(), ws_.pair(), main_.get());
  table_->setWindowFlag(Qt::Window);
  shiftMap_ = new ShiftMapWindow(ws_.shiftMap(), main_.get());
  auto* cutter = new FellowDialog(main_.get());
  auto* backlash = new BacklashDialog(ws_.form(Dialog::Backlash), main_.get());
  auto* tools = new RackToolDialog(ws_.pair(), main_.get());
  help_ = new HelpWindow(main_.get());

  binder_ = std::make_unique<Binder>(ws_);
  binder_->SetWindow(Dialog::Main, main_.get());
  binder_->SetWindow(Dialog::Report, report_);
  binder_->SetWindow(Dialog::Table, table_);
  binder_->SetWindow(Dialog::ShiftMap, shiftMap_);
  binder_->SetWindow(Dialog::ShaperCutter, cutter);
  binder_->SetWindow(Dialog::Backlash, backlash);
  binder_->SetWindow(Dialog::RackTools, tools);
  binder_->Bind(Dialog::Main, main_.get());
  binder_->Bind(Dialog::Measure, main_->measurePage());
  binder_->Bind(Dialog::Ident, main_->identPage());
  binder_->Bind(Dialog::Report, report_);
  binder_->Bind(Dialog::Table, table_);
  binder_->Bind(Dialog::ShiftMap, shiftMap_);
  binder_->Bind(Dialog::ShaperCutter, cutter);
  binder_->Bind(Dialog::Backlash, backlash);
  binder_->Bind(Dialog::RackTools, tools);
  binder_->BindTabs(main_->tabs());
  binder_->openHelp = [this](int context) { return help_->Open(context); };
  // A click on the map is the user's event: the shifts typed, the pair
  // checked, and the outcomes carried out.
  shiftMap_->view()->clicked = [this](QPointF at) {
    binder_->Run([&] { ws_.ClickOnMap(at.x(), at.y()); });
  };
  binder_->repaint = [this] {
    report_->Relayout();
    table_->grid()->viewport()->update();
  };
  printing_ = std::make_unique<Printing>(ws_, table_);
  printing_->showMessage = [this](const Message& m) {
    Outcome o;
    o.kind = Outcome::Kind::Message;
    o.messageKind = Outcome::MessageKind::Error;
    o.message = m;
    binder_->showMessage(o);
  };
  binder_->print = [this](Outcome::Print what) { printing_->Print(what); };
  binder_->quit = [] { QApplication::quit(); };

  connect(intro_.get(), &IntroWindow::ok, this, &Application::OpenMain);
  connect(main_.get(), &QDialog::finished, qApp, &QApplication::quit, Qt::QueuedConnection);
}

Application::~Application() = default;

namespace {

// The intro window and the main dialog stand in the middle of the screen.
void Centre(QWidget& w) {
  if (const QScreen* screen = w.screen()) {
    w.adjustSize();
    w.move(screen->availableGeometry().center() - w.rect().center());
  }
}

}  // namespace

void Application::Start() {
  Centre(*intro_);
  intro_->show();
}

void Application::OpenMain() {
  intro_->hide();
  Centre(*main_);
  main_->show();
  main_->activateWindow();
  binder_->Refresh();
  const std::string focus(ws_.main().focused());
  if (QWidget* w = binder_->widget(Dialog::Main, focus)) w->setFocus(Qt::OtherFocusReason);
}

}  // namespace kolmira::gui
