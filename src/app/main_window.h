#pragma once
// frmF1: the main window.
#include <QMainWindow>

class frmF1 : public QMainWindow {
    Q_OBJECT
public:
    explicit frmF1(QWidget* parent = nullptr);
};
