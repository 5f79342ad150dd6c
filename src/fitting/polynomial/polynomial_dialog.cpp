#include "fitting/polynomial/polynomial_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fitting/shared/dialog_parts.h"
#include "fitting/polynomial/polynomial_fit_run.h"
#include "fitting/polynomial_math/polynomial_models.h"
#include "fitting/solver/polynomial_fit.h"
#include "state/globals.h"

frmPoly::frmPoly(PolynomialFitHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    Label1 = MakeLabel(this, "Label1", "Model");
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(false);  // only picking an entry selects a model
    Label2 = MakeLabel(this, "Label2", "Independent (x)");
    Command1 = MakeDialogButton(this, "Command1", ">>");
    List2 = MakeSlotList(this, "List2");
    Label3 = MakeLabel(this, "Label3", "Dependent (y)");
    Command2 = MakeDialogButton(this, "Command2", ">>");
    List3 = MakeSlotList(this, "List3");
    Label4 = MakeLabel(this, "Label4", "Independent (z)");
    Command3 = MakeDialogButton(this, "Command3", ">>");
    List4 = MakeSlotList(this, "List4");
    Label5 = MakeLabel(this, "Label5", "Dependent (v)");
    Command4 = MakeDialogButton(this, "Command4", ">>");
    List5 = MakeSlotList(this, "List5");
    Frame1 = new QGroupBox("Model Expression", this);
    Frame1->setObjectName("Frame1");
    Text1 = new QPlainTextEdit(Frame1);
    Text1->setObjectName("Text1");
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setEnabled(false);  // shows the model text, takes no typing
    Text1->setFixedHeight(Text1->fontMetrics().height() * 4);
    (new QVBoxLayout(Frame1))->addWidget(Text1);
    Check1 = new QCheckBox("Plot Scatter", this);
    Check1->setObjectName("Check1");
    Check1->setChecked(true);
    Check2 = new QCheckBox("Plot Model", this);
    Check2->setObjectName("Check2");
    Check2->setChecked(true);
    Check3 = new QCheckBox("Clip Surface", this);
    Check3->setObjectName("Check3");
    Command5 = MakeDialogButton(this, "Command5", "OK");
    Command5->setDefault(true);
    Command6 = MakeDialogButton(this, "Command6", "Cancel");

    // The column list on the left; right of it the model box and the rows x,
    // y, z, v, each a label above its one-line list with the button between
    // the column list and that list; OK and Cancel at the top right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(List1, 0, 0, 10, 1);
    grid->addWidget(Label1, 0, 2);
    grid->addWidget(Combo1, 1, 2);
    const std::pair<QPushButton*, QListWidget*> rows[] = {
        {Command1, List2}, {Command2, List3}, {Command3, List4}, {Command4, List5}};
    QLabel* labels[] = {Label2, Label3, Label4, Label5};
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(labels[r], 2 + 2 * r, 2);
        grid->addWidget(rows[r].first, 3 + 2 * r, 1);
        grid->addWidget(rows[r].second, 3 + 2 * r, 2);
    }
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command5);
    buttons->addWidget(Command6);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 4, 1);
    grid->addWidget(Frame1, 10, 0, 1, 4);
    auto* checks = new QHBoxLayout;
    for (QCheckBox* c : {Check1, Check2, Check3}) checks->addWidget(c);
    grid->addLayout(checks, 11, 0, 1, 4);
    SetFixedDialogFrame(this, "frmPoly", "Polynomial Fitting");

    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmPoly::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPoly::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPoly::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmPoly::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmPoly::Command4_Click);
    connect(Check3, &QCheckBox::toggled, this, &frmPoly::Check3_Click);
    connect(Command5, &QPushButton::clicked, this, &frmPoly::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmPoly::Command6_Click);

    Form_Load();
}

void frmPoly::Form_Load() {
    FillColumnList(List1);
    {
        // Filling selects the first entry by itself; only the choice below counts.
        const QSignalBlocker quiet(Combo1);
        for (int m = 1; m <= kPolynomialModels; ++m) Combo1->addItem(polynomialModel(m).name);
    }
    Combo1->setCurrentIndex(1);  // runs Combo1_Click: "Unary Quadratic Model"
    Text1->setPlainText(polynomialModel(2).text);
    Label3->setText("Dependent (y)");
    showRow(Label4, Command3, List4, false);
    showRow(Label5, Command4, List5, false);
    Check3->setChecked(gClipSurface);
}

void frmPoly::showRow(QLabel* label, QPushButton* button, QListWidget* list, bool shown) {
    // A hidden row keeps its column.
    label->setVisible(shown);
    button->setVisible(shown);
    list->setVisible(shown);
}

void frmPoly::Combo1_Click() {
    const int k = Combo1->currentIndex();
    if (k < 0 || k >= kPolynomialModels) return;
    Text1->setPlainText(polynomialModel(k + 1).text);
    const int vars = solver::polynomialVariables(k + 1);
    Label3->setText(vars == 1 ? "Dependent (y)" : "Independent (y)");
    if (vars == 2) Label4->setText("Dependent (z)");
    if (vars == 3) {
        Label4->setText("Independent (z)");
        Label5->setText("Dependent (v)");
    }
    ModelNumber = k + 1;
    showRow(Label4, Command3, List4, vars >= 2);
    showRow(Label5, Command4, List5, vars == 3);
}

void frmPoly::Command1_Click() { ToggleVariableSlot(Command1, List1, List2); }
void frmPoly::Command2_Click() { ToggleVariableSlot(Command2, List1, List3); }
void frmPoly::Command3_Click() { ToggleVariableSlot(Command3, List1, List4); }
void frmPoly::Command4_Click() { ToggleVariableSlot(Command4, List1, List5); }

void frmPoly::Check3_Click() { gClipSurface = Check3->isChecked(); }

void frmPoly::Command5_Click() {
    PolynomialRunRequest r;
    r.model = static_cast<int>(ModelNumber);
    // The independent variables in rows x, y, z in turn; the dependent one in
    // the row captioned "Dependent".
    QListWidget* rowLists[] = {List2, List3, List4, List5};
    const int vars = solver::polynomialVariables(r.model);
    for (int v = 0; v < vars; ++v) r.independent.push_back(SlotColumn(rowLists[v]));
    r.dependent = SlotColumn(rowLists[vars]);
    r.plotScatter = Check1->isChecked();
    r.plotModel = Check2->isChecked();
    if (RunPolynomialFit(r, host_)) accept();
}

void frmPoly::Command6_Click() { reject(); }
