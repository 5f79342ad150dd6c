#pragma once
// frmCurveFit: the "Curve Fitting" dialog: choose the x and y columns, tick
// models and plot options, and run the fit with "OK". Thin over RunCurveFit.
#include <QDialog>

#include "fitting/shared/curve_fit_host.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class frmCurveFit : public QDialog {
    Q_OBJECT
public:
    // Loads the dialog: the column list is filled from gGridColumnNames.
    explicit frmCurveFit(CurveFitHost& host, QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click();  // x: ">>" takes the selected column, "<<" gives it back
    void Command2_Click();  // y: the same
    void Command3_Click();  // "OK": the run; closes when it completes
    void Command4_Click();  // "Cancel"

    QListWidget *List1, *List2, *List3;
    QLabel *Label1, *Label2;
    QPushButton *Command1, *Command2, *Command3, *Command4;
    QGroupBox* Frame1;
    QCheckBox* Check[12];  // Check1 .. Check12 as Check[0] .. Check[11]

private:
    CurveFitHost& host_;
};
