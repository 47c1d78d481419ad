#pragma once
#include <QWidget>
namespace kolmira::gui { class MeasureTab : public QWidget { public: explicit MeasureTab(QWidget* p = nullptr) : QWidget(p) {} }; }
