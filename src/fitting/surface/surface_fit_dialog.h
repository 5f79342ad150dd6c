#pragma once
// frmSurFit: "Surface Fitting", the fitting dialog for a model
// z = f(x, y, a, ..., t): the two-variable design of FitDialog (keypad without
// "B", its last row "0" "." "^" "x" "y"), frmPara2 for the parameters,
// frmSurFitOptions for the options and "Clip Surface", which writes
// gClipSurface at once; Cancel and the close box put the flag back as the
// dialog found it. OK runs the fit (RunSurfaceFit) and closes when it completes.
#include "fitting/shared/curve_fit_host.h"
#include "fitting/shared/fit_dialog.h"

class frmSurFit : public FitDialog {
    Q_OBJECT
public:
    explicit frmSurFit(CurveFitHost& host, QWidget* parent = nullptr);

    // FillFunctionList, FillColumnList, then Check3 from gClipSurface.
    void Form_Load() override;
    void Command1_Click() override;  // "Parameters...": frmPara2
    void Command2_Click();           // x: ">>" or "<<"
    void Command3_Click();           // y
    void Command7_Click();           // z
    void Command5_Click() override;  // "OK"
    void Command28_Click();          // "Options": frmSurFitOptions
    void Check3_Click();             // "Clip Surface": gClipSurface := ticked

    QLabel *Label1, *Label4, *Label5;
    QPushButton *Command2, *Command3, *Command7, *Command28;
    QListWidget *List3, *List4, *List6;
    QCheckBox* Check3;

protected:
    // A close other than by a completed fit restores gClipSurface.
    void done(int result) override;

private:
    CurveFitHost& host_;
    bool clipAtLoad_ = false;
};
