#include "app/main_window.h"

frmF1::frmF1(QWidget* parent) : QMainWindow(parent) { setWindowTitle(QStringLiteral("Trelvane")); }
