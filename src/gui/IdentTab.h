#pragma once
#include <QWidget>
namespace kolmira::gui { class IdentTab : public QWidget { public: explicit IdentTab(QWidget* p = nullptr) : QWidget(p) {} }; }
