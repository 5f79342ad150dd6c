#pragma once
// frmVolFit: "Volume Fitting", the fitting dialog for a model
// v = f(x, y, z, a, ..., t): the three-variable design of FitDialog with the
// surface dialog's keypad (z is typed), frmPara3 for the parameters and
// frmSurFitOptions for the options. OK runs the fit (RunVolumeFit) and closes
// when it completes.
#include "fitting/shared/curve_fit_host.h"
#include "fitting/shared/fit_dialog.h"

class frmVolFit : public FitDialog {
    Q_OBJECT
public:
    explicit frmVolFit(CurveFitHost& host, QWidget* parent = nullptr);

    void Command1_Click() override;  // "Parameters...": frmPara3
    void Command2_Click();           // x: ">>" or "<<"
    void Command3_Click();           // y
    void Command7_Click();           // z
    void Command29_Click();          // v
    void Command5_Click() override;  // "OK"
    void Command28_Click();          // "Options": frmSurFitOptions

    QLabel *Label1, *Label4, *Label5, *Label6;
    QPushButton *Command2, *Command3, *Command7, *Command29, *Command28;
    QListWidget *List3, *List4, *List6, *List7;

private:
    CurveFitHost& host_;
};
