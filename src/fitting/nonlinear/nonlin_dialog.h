#pragma once
// frmNonLin: "Nonlinear Curve Fitting", the fitting dialog for a model
// y = f(x, a, ..., t): the one-variable design of FitDialog with the "B" key,
// frmPara for the parameters and frmNLOptions for the options. OK runs the fit
// (RunNonLinFit) and closes when it completes.
#include "fitting/shared/curve_fit_host.h"
#include "fitting/shared/fit_dialog.h"

class frmNonLin : public FitDialog {
    Q_OBJECT
public:
    explicit frmNonLin(CurveFitHost& host, QWidget* parent = nullptr);

    // FillFunctionList, FillColumnList, then the curve colour red.
    void Form_Load() override;
    void Command1_Click() override;  // "Parameters...": frmPara
    void Command2_Click();           // x: ">>" or "<<"
    void Command3_Click();           // y: ">>" or "<<"
    void Command5_Click() override;  // "OK"
    void Command26_Click();          // "B"
    void Command27_Click();          // "Options": frmNLOptions

    QLabel *Label1, *Label4;
    QPushButton *Command2, *Command3, *Command26, *Command27;
    QListWidget *List3, *List4;

private:
    CurveFitHost& host_;
};
