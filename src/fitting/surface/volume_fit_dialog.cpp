#include "fitting/surface/volume_fit_dialog.h"

#include <QPushButton>

#include "fitting/shared/dialog_parts.h"
#include "fitting/surface/surface_fit_run.h"
#include "fitting/surface/surface_keypad.h"
#include "fitting/surface/surface_option_dialogs.h"

namespace {

const FitDialogDesign kDesign = {
    "frmVolFit",
    "Volume Fitting",
    "Model Expression ( f(x,y,z,a,...) )",
    {{"Independent (x)", "Label1", "Command2", "List3"},
     {"Independent (y)", "Label4", "Command3", "List4"},
     {"Independent (z)", "Label5", "Command7", "List6"},
     {"Dependent (v)", "Label6", "Command29", "List7"}},
    kSurfaceFirstKey,
    kSurfaceKeys,
    "Command28",
    true,
};

}  // namespace

frmVolFit::frmVolFit(CurveFitHost& host, QWidget* parent)
    : FitDialog(kDesign, parent),
      Label1(variables[0].label),
      Label4(variables[1].label),
      Label5(variables[2].label),
      Label6(variables[3].label),
      Command2(variables[0].button),
      Command3(variables[1].button),
      Command7(variables[2].button),
      Command29(variables[3].button),
      Command28(optionsButton),
      List3(variables[0].list),
      List4(variables[1].list),
      List6(variables[2].list),
      List7(variables[3].list),
      host_(host) {
    connect(Command2, &QPushButton::clicked, this, &frmVolFit::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmVolFit::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &frmVolFit::Command7_Click);
    connect(Command29, &QPushButton::clicked, this, &frmVolFit::Command29_Click);
    connect(Command28, &QPushButton::clicked, this, &frmVolFit::Command28_Click);
    Form_Load();
}

void frmVolFit::Command1_Click() {
    frmPara3 dialog(*List2, this);
    dialog.exec();
}

void frmVolFit::Command2_Click() { ToggleVariableSlot(Command2, List1, List3); }
void frmVolFit::Command3_Click() { ToggleVariableSlot(Command3, List1, List4); }
void frmVolFit::Command7_Click() { ToggleVariableSlot(Command7, List1, List6); }
void frmVolFit::Command29_Click() { ToggleVariableSlot(Command29, List1, List7); }

void frmVolFit::Command5_Click() {
    if (RunVolumeFit(input(), host_)) accept();
}

void frmVolFit::Command28_Click() {
    frmSurFitOptions dialog(this);
    dialog.exec();
}
