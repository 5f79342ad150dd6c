#include "fitting/nonlinear/nonlin_dialog.h"

#include <QPushButton>

#include "fitting/shared/dialog_parts.h"
#include "fitting/nonlinear/nonlin_fit_run.h"
#include "fitting/shared/options_dialog.h"
#include "fitting/shared/parameter_dialog.h"
#include "state/globals.h"

namespace {

const FitDialogDesign kDesign = {
    "frmNonLin",
    "Nonlinear Curve Fitting",
    "Model Expression ( f(x,a,...) )",
    {{"Independent (x)", "Label1", "Command2", "List3"}, {"Dependent (y)", "Label4", "Command3", "List4"}},
    7,
    {"1", "2", "3", "+", "-", "4", "5", "6", "*", "/", "7", "8", "9", "(", ")", "0", ".", "x", "^", "B"},
    "Command27",
    false,
};

}  // namespace

frmNonLin::frmNonLin(CurveFitHost& host, QWidget* parent)
    : FitDialog(kDesign, parent),
      Label1(variables[0].label),
      Label4(variables[1].label),
      Command2(variables[0].button),
      Command3(variables[1].button),
      Command26(keys.back()),
      Command27(optionsButton),
      List3(variables[0].list),
      List4(variables[1].list),
      host_(host) {
    connect(Command2, &QPushButton::clicked, this, &frmNonLin::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmNonLin::Command3_Click);
    connect(Command27, &QPushButton::clicked, this, &frmNonLin::Command27_Click);
    Form_Load();
}

void frmNonLin::Form_Load() {
    FitDialog::Form_Load();
    gNonLinCurveColor = 255;
}

void frmNonLin::Command1_Click() {
    frmPara dialog(*List2, this);
    dialog.exec();
}

void frmNonLin::Command2_Click() { ToggleVariableSlot(Command2, List1, List3); }
void frmNonLin::Command3_Click() { ToggleVariableSlot(Command3, List1, List4); }
void frmNonLin::Command26_Click() { DeleteBeforeCaret(); }

void frmNonLin::Command5_Click() {
    if (RunNonLinFit(input(), host_)) accept();
}

void frmNonLin::Command27_Click() {
    frmNLOptions dialog(this);
    dialog.exec();
}
