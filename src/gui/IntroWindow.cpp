#include "IntroWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Style.h"

namespace kolmira::gui {

IntroWindow::IntroWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm1");
  setFont(DialogFont());
  // A fixed dialog without system buttons: "Ok" is the way on.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle("Kolmira ozubení");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 20, 28, 16);
  auto* heading = new QLabel("Kolmira");
  QFont big = font();
  big.setPointSize(20);
  big.setBold(true);
  heading->setFont(big);
  heading->setAlignment(Qt::AlignCenter);
  layout->addWidget(heading);
  auto* subtitle = new QLabel("Geometrický výpočet a kontrola evolventního ozubení");
  subtitle->setAlignment(Qt::AlignCenter);
  layout->addWidget(subtitle);
  layout->addSpacing(12);
  for (const char* line :
       {"- Pro obecné parametry soukolí", "- Čelních vnějších a vnitřních", "- Kuželových",
        "- S uvažováním boční vůle", "- Míry čelního ozubení", "- Identifikace čelního ozubení"}) {
    layout->addWidget(new QLabel(QString::fromUtf8(line)));
  }
  auto* tools = new QLabel("Nástroj");
  QFont bold = font();
  bold.setBold(true);
  tools->setFont(bold);
  layout->addSpacing(6);
  layout->addWidget(tools);
  layout->addWidget(
      new QLabel("- Hřebenový nástroj se sražením hlavy a protuberancí, kolečko Fellow"));
  layout->addSpacing(12);
  auto* edition = new QLabel(QStringLiteral("Verze %1 · vývojový tým Kolmira · vydání 2026")
                                 .arg(QStringLiteral(KOLMIRA_VERSION)));
  edition->setAlignment(Qt::AlignCenter);
  layout->addWidget(edition);
  auto* ok = new QPushButton("Ok");
  ok->setObjectName("OkButton");
  ok->setDefault(true);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  connect(ok, &QPushButton::clicked, this, &IntroWindow::ok);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kolmira::gui
