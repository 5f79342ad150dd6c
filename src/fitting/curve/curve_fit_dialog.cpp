#include "fitting/curve/curve_fit_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/globals.h"
#include "fitting/curve/curve_fit_run.h"
#include "fitting/shared/dialog_parts.h"
#include "fitting/curve_math/curve_models.h"

frmCurveFit::frmCurveFit(CurveFitHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("frmCurveFit");
    setWindowTitle("Curve Fitting");

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    Label1 = new QLabel("Independent (x)", this);
    Label1->setObjectName("Label1");
    List2 = MakeSlotList(this, "List2");
    Command1 = MakeDialogButton(this, "Command1", ">>");
    Label2 = new QLabel("Dependent (y)", this);
    Label2->setObjectName("Label2");
    List3 = MakeSlotList(this, "List3");
    Command2 = MakeDialogButton(this, "Command2", ">>");
    Command3 = MakeDialogButton(this, "Command3", "OK");
    Command3->setDefault(true);
    Command4 = MakeDialogButton(this, "Command4", "Cancel");

    Frame1 = new QGroupBox("Models", this);
    Frame1->setObjectName("Frame1");
    auto* models = new QGridLayout(Frame1);
    for (int i = 0; i < 12; ++i) {
        const bool isModel = i < kCurveModelCount;
        Check[i] = new QCheckBox(isModel ? curveModel(i + 1).caption : (i == 10 ? "Plot Scatter" : "Plot Model(s)"),
                                 isModel ? static_cast<QWidget*>(Frame1) : this);
        Check[i]->setObjectName(QString("Check%1").arg(i + 1));
        if (isModel) models->addWidget(Check[i], i / 3, i % 3);
    }
    Check[0]->setChecked(true);
    Check[1]->setChecked(true);
    Check[4]->setChecked(true);
    Check[10]->setChecked(true);
    Check[11]->setChecked(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(List1, 0, 0, 6, 1);
    grid->addWidget(Label1, 0, 2);
    grid->addWidget(Command1, 1, 1);
    grid->addWidget(List2, 1, 2);
    grid->addWidget(Label2, 2, 2);
    grid->addWidget(Command2, 3, 1);
    grid->addWidget(List3, 3, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 4, 1);
    grid->addWidget(Frame1, 6, 0, 1, 4);
    grid->addWidget(Check[10], 7, 0);
    grid->addWidget(Check[11], 7, 1, 1, 2);

    connect(Command1, &QPushButton::clicked, this, &frmCurveFit::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCurveFit::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCurveFit::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmCurveFit::Command4_Click);

    Form_Load();
}

void frmCurveFit::Form_Load() { FillColumnList(List1); }

void frmCurveFit::Command1_Click() { ToggleVariableSlot(Command1, List1, List2); }
void frmCurveFit::Command2_Click() { ToggleVariableSlot(Command2, List1, List3); }

void frmCurveFit::Command3_Click() {
    CurveFitRequest r;
    const ChosenColumn x = SlotColumn(List2), y = SlotColumn(List3);
    r.xName = x.name, r.xColumn = x.listed;
    r.yName = y.name, r.yColumn = y.listed;
    for (int i = 0; i < kCurveModelCount; ++i) r.models[static_cast<std::size_t>(i)] = Check[i]->isChecked();
    r.plotScatter = Check[10]->isChecked();
    r.plotModels = Check[11]->isChecked();
    if (RunCurveFit(r, host_)) accept();
}

void frmCurveFit::Command4_Click() { reject(); }
