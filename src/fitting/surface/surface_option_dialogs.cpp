#include "fitting/surface/surface_option_dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "state/globals.h"

frmPara2::frmPara2(QListWidget& List2, QWidget* parent)
    : ParameterDialog("frmPara2", "SF: Parameters", false, List2, parent) {}

frmPara3::frmPara3(QListWidget& List2, QWidget* parent)
    : ParameterDialog("frmPara3", "VF: Parameters", false, List2, parent) {
    setTabOrder(Combo1, Command5);
    setTabOrder(Command5, Command4);
    setTabOrder(Command4, Command3);
    setTabOrder(Command3, Command2);
    setTabOrder(Command2, Command1);
    setTabOrder(Command1, List1);
    setTabOrder(List1, Text2);
    Combo1->setFocus();
}

frmSurFitOptions::frmSurFitOptions(QWidget* parent)
    : IterationOptionsDialog("frmSurFitOptions", "Surface: Options", gSurfMaxIterations, gSurfTolerance, parent) {
    finishFrame();
    Form_Load();
}

void frmSurFitOptions::Form_Load() { showIterationOptions(); }
