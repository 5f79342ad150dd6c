#include "fitting/surface/surface_fit_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

#include "fitting/shared/dialog_parts.h"
#include "fitting/surface/surface_fit_run.h"
#include "fitting/surface/surface_keypad.h"
#include "fitting/surface/surface_option_dialogs.h"
#include "state/globals.h"

namespace {

const FitDialogDesign kDesign = {
    "frmSurFit",
    "Surface Fitting",
    "Model Expression ( f(x,y,a,...) )",
    {{"Independent (x)", "Label1", "Command2", "List3"},
     {"Independent (y)", "Label4", "Command3", "List4"},
     {"Dependent (z)", "Label5", "Command7", "List6"}},
    kSurfaceFirstKey,
    kSurfaceKeys,
    "Command28",
    true,
};

}  // namespace

frmSurFit::frmSurFit(CurveFitHost& host, QWidget* parent)
    : FitDialog(kDesign, parent),
      Label1(variables[0].label),
      Label4(variables[1].label),
      Label5(variables[2].label),
      Command2(variables[0].button),
      Command3(variables[1].button),
      Command7(variables[2].button),
      Command28(optionsButton),
      List3(variables[0].list),
      List4(variables[1].list),
      List6(variables[2].list),
      host_(host) {
    Check3 = new QCheckBox("Clip Surface", this);
    Check3->setObjectName("Check3");
    checkRow()->addWidget(Check3, 0, 2);
    connect(Command2, &QPushButton::clicked, this, &frmSurFit::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmSurFit::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &frmSurFit::Command7_Click);
    connect(Command28, &QPushButton::clicked, this, &frmSurFit::Command28_Click);
    connect(Check3, &QCheckBox::toggled, this, &frmSurFit::Check3_Click);
    Form_Load();
}

void frmSurFit::Form_Load() {
    FitDialog::Form_Load();
    clipAtLoad_ = gClipSurface;
    Check3->setChecked(gClipSurface);
}

void frmSurFit::Command1_Click() {
    frmPara2 dialog(*List2, this);
    dialog.exec();
}

void frmSurFit::Command2_Click() { ToggleVariableSlot(Command2, List1, List3); }
void frmSurFit::Command3_Click() { ToggleVariableSlot(Command3, List1, List4); }
void frmSurFit::Command7_Click() { ToggleVariableSlot(Command7, List1, List6); }

void frmSurFit::Command5_Click() {
    if (RunSurfaceFit(input(), host_)) accept();
}

void frmSurFit::Command28_Click() {
    frmSurFitOptions dialog(this);
    dialog.exec();
}

void frmSurFit::Check3_Click() { gClipSurface = Check3->isChecked(); }

void frmSurFit::done(int result) {
    if (result != QDialog::Accepted) gClipSurface = clipAtLoad_;
    FitDialog::done(result);
}
