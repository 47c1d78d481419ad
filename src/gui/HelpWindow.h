// The program's help: HTML pages beside the executable (the build tree's
// help folder, or share/kolmira/help of an installation), shown in a
// browser window of their own at the page of a context number.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace kolmira::gui {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // The folder that holds the pages, or empty when there is none. Set
  // KOLMIRA_HELP_DIR to read them from elsewhere.
  static QString Folder();
  // Shows the page of the context (0: the contents). False, and nothing
  // shown, when the page cannot be found.
  bool Open(int context);
  QString page() const { return page_; }

 private:
  QTextBrowser* browser_;
  QString page_;
};

}  // namespace kolmira::gui
