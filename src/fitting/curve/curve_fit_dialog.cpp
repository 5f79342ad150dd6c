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
#include "fitting/curve/curve_models.h"

namespace {

// The grid column a list line stands for, kept with the line so that equal
// column names stay apart.
constexpr int kColumnRole = Qt::UserRole;

QListWidget* makeSlot(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    // One line tall: a slot holds at most one column.
    list->setFixedHeight(list->fontMetrics().height() + 2 * list->frameWidth() + 6);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

frmCurveFit::frmCurveFit(CurveFitHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("frmCurveFit");
    setWindowTitle("Curve Fitting");

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    Label1 = new QLabel("Independent (x)", this);
    Label1->setObjectName("Label1");
    List2 = makeSlot(this, "List2");
    Command1 = makeButton(this, "Command1", ">>");
    Label2 = new QLabel("Dependent (y)", this);
    Label2->setObjectName("Label2");
    List3 = makeSlot(this, "List3");
    Command2 = makeButton(this, "Command2", ">>");
    Command3 = makeButton(this, "Command3", "OK");
    Command3->setDefault(true);
    Command4 = makeButton(this, "Command4", "Cancel");

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

void frmCurveFit::Form_Load() {
    List1->clear();
    for (long i = 1; i <= gGridColumnCount && i < static_cast<long>(gGridColumnNames.size()); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(gGridColumnNames[static_cast<std::size_t>(i)]));
        item->setData(kColumnRole, static_cast<qlonglong>(i));
        List1->addItem(item);
    }
    if (List1->count() > 0) List1->setCurrentRow(0);
}

void frmCurveFit::moveVariable(QListWidget* slot, QPushButton* button) {
    if (button->text() == ">>") {
        if (List1->count() == 0) return;
        button->setText("<<");
        const int k = std::max(List1->currentRow(), 0);
        QListWidgetItem* item = List1->takeItem(k);
        slot->addItem(item);
        if (List1->count() > 0) List1->setCurrentRow(k < List1->count() ? k : k - 1);
        slot->setCurrentItem(item);
    } else {
        if (slot->count() == 0) return;
        button->setText(">>");
        QListWidgetItem* item = slot->takeItem(std::max(slot->currentRow(), 0));
        List1->addItem(item);
        List1->setCurrentItem(item);
    }
}

void frmCurveFit::Command1_Click() { moveVariable(List2, Command1); }
void frmCurveFit::Command2_Click() { moveVariable(List3, Command2); }

void frmCurveFit::Command3_Click() {
    CurveFitRequest r;
    if (List2->count() > 0) {
        r.xName = List2->item(0)->text().toStdString();
        r.xColumn = List2->item(0)->data(kColumnRole).toLongLong();
    }
    if (List3->count() > 0) {
        r.yName = List3->item(0)->text().toStdString();
        r.yColumn = List3->item(0)->data(kColumnRole).toLongLong();
    }
    for (int i = 0; i < kCurveModelCount; ++i) r.models[static_cast<std::size_t>(i)] = Check[i]->isChecked();
    r.plotScatter = Check[10]->isChecked();
    r.plotModels = Check[11]->isChecked();
    if (RunCurveFit(r, host_)) accept();
}

void frmCurveFit::Command4_Click() { reject(); }
