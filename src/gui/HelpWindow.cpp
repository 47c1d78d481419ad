#include "HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kolmira::gui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setObjectName("HelpWindow");
  setWindowTitle("Kolmira – nápověda");
  setWindowFlags(Qt::Window);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenLinks(true);
  resize(640, 560);
}

QString HelpWindow::Folder() {
  const QString given = qEnvironmentVariable("KOLMIRA_HELP_DIR");
  const QString bin = QCoreApplication::applicationDirPath();
  const QStringList candidates = given.isEmpty()
                                     ? QStringList{bin + "/help", bin + "/../share/kolmira/help"}
                                     : QStringList{given};
  for (const QString& dir : candidates) {
    if (QFileInfo::exists(dir + "/index.html")) return QDir(dir).absolutePath();
  }
  return {};
}

bool HelpWindow::Open(int context) {
  const QString folder = Folder();
  if (folder.isEmpty()) return false;
  const QString file =
      context == 0 ? QStringLiteral("index.html") : QStringLiteral("context-%1.html").arg(context);
  const QString path = folder + "/" + file;
  if (!QFileInfo::exists(path)) return false;
  page_ = file;
  QFile css(folder + "/help.css");
  if (css.open(QIODevice::ReadOnly)) {
    browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
  }
  browser_->setSearchPaths({folder});
  browser_->setSource(QUrl::fromLocalFile(path));
  show();
  raise();
  activateWindow();
  return true;
}

}  // namespace kolmira::gui
