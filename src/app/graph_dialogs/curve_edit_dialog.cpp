#include "app/graph_dialogs/curve_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "app/graph_dialogs/curve_properties.h"
#include "app/dialog_kit/dialog_widgets.h"
#include "app/graph_dialogs/graph_edit.h"
#include "app/graph_dialogs/graph_edit_dialogs.h"
#include "app/dialog_kit/grid_dialogs_buttons.h"
#include "app/graph_dialogs/graph_edit_host.h"
#include "graph/graph.h"
#include "platform/color_swatch.h"
#include "platform/msgbox.h"

using namespace dialogwidgets;

namespace {
constexpr int kListLines = 8;  // the width and size lists offer 1 .. 8

// A list whose text can also be typed, filled with "1" .. "8".
QComboBox* numberList(QWidget* parent, const char* name) {
    auto* c = list(parent, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 1; i <= kListLines; ++i) c->addItem(QString::number(i));
    return c;
}

platform::ColorSwatch* swatch(QWidget* parent, const char* name, long colour, platform::CommonDialog* dialog) {
    auto* s = new platform::ColorSwatch(parent, colour);
    s->setObjectName(QString::fromUtf8(name));
    s->setColorDialog(dialog);
    return s;
}

// Selects the value's line, or puts the value into the text when it has none.
void presetNumber(QComboBox* combo, long value) {
    const int line = PresetLine(value, combo->count());
    combo->setCurrentIndex(line);
    if (line < 0) combo->setEditText(QString::number(value));
}
}  // namespace

frmF33::frmF33(GraphEditHost& host, Cls9& edited)
    : QDialog(host.dialogParent()), host_(host), edited_(edited) {
    setObjectName(QStringLiteral("frmF33"));
    setWindowTitle(QStringLiteral("2D Curve Properties"));
    Label2 = label(this, "Label2", QStringLiteral("Line Color"));
    Picture1 = swatch(this, "Picture1", 0x008000, &dlgColor);
    Label3 = label(this, "Label3", QStringLiteral("Line Width"));
    Combo1 = numberList(this, "Combo1");
    Frame1 = frame(this, "Frame1", QStringLiteral("Data Points"));
    Check1 = check(Frame1, "Check1", QStringLiteral("Show Data Points"), true);
    Label1 = label(Frame1, "Label1", QStringLiteral("Color"));
    Picture2 = swatch(Frame1, "Picture2", 0x000000, &dlgColor);  // the window-frame colour
    Label4 = label(Frame1, "Label4", QStringLiteral("Size"));
    Combo2 = numberList(Frame1, "Combo2");
    Label5 = label(Frame1, "Label5", QStringLiteral("Symbol"));
    Combo3 = list(Frame1, "Combo3");

    auto* line = new QGridLayout;
    line->addWidget(Label2, 0, 0);
    line->addWidget(Picture1, 0, 1);
    line->addWidget(Label3, 1, 0);
    line->addWidget(Combo1, 1, 1);
    auto* points = new QGridLayout(Frame1);
    points->addWidget(Check1, 0, 0, 1, 2);
    points->addWidget(Label1, 1, 0);
    points->addWidget(Picture2, 1, 1);
    points->addWidget(Label4, 2, 0);
    points->addWidget(Combo2, 2, 1);
    points->addWidget(Label5, 3, 0);
    points->addWidget(Combo3, 3, 1);
    const OkCancelRow buttons = makeOkCancelRow(this, "Command1", "Command2");
    Command1 = buttons.ok;
    Command2 = buttons.cancel;
    auto* root = new QVBoxLayout(this);
    root->addLayout(line);
    root->addWidget(Frame1);
    root->addLayout(buttons.row);
    connect(Command1, &QPushButton::clicked, this, &frmF33::Command1_Click);
    Form_Load();
}

void frmF33::Form_Load() {
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
    for (const char* symbol : {"实心圆", "空心圆", "实心矩形", "实心三角形", "菱形", "十字丝形"})
        Combo3->addItem(QString::fromUtf8(symbol));
    Combo3->setCurrentIndex(0);
}

void frmF33::Preset(const Cls9& graph) {
    Check1->setChecked(graph.Show2DScatter);
    presetNumber(Combo1, graph.LineWidth);
    presetNumber(Combo2, graph.ScatterSize);
    // A symbol without a line keeps the first one, as the list cannot show it.
    if (const int line = PresetLine(graph.Symbol, Combo3->count()); line >= 0) Combo3->setCurrentIndex(line);
    Picture1->setColor(graph.LineColor);
    Picture2->setColor(graph.ScatterColor);
}

void frmF33::Command1_Click() {
    const CurveDialogInput in{Check1->isChecked(),
                              Picture1->color(),
                              Picture2->color(),
                              Combo1->currentText().toStdString(),
                              Combo2->currentText().toStdString(),
                              Combo3->currentIndex()};
    auto fresh = std::make_unique<Cls9>();
    if (const auto refused = FillCurveGraph(in, *fresh)) {
        platform::MsgBox(refused->message, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        QComboBox* box = refused->box == CurveBox::Width ? Combo1 : Combo2;
        box->setFocus();
        box->lineEdit()->selectAll();
        return;
    }
    ApplyEditedGraph(host_, edited_, *fresh);
    accept();
}

void frmF33::Command2_Click() { reject(); }

bool EditCurveGraph(GraphEditHost& host, Cls9& edited) {
    frmF33 dialog(host, edited);
    dialog.Preset(edited);
    return dialog.exec() == QDialog::Accepted;
}
