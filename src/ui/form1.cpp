#include "form1.h"

namespace kalvira::ui {

Form1::Form1(QWidget *parent) : QWidget(parent) {}

}  // namespace kalvira::ui
