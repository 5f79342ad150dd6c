#include "app/graph_dialogs/surface_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialog_kit/colormap_names.h"
#include "app/dialog_kit/dialog_widgets.h"
#include "app/graph_dialogs/graph_edit.h"
#include "app/graph_dialogs/graph_edit_dialogs.h"
#include "app/graph_dialogs/graph_edit_host.h"
#include "graph/graph.h"
#include "scene/material.h"

using namespace dialogwidgets;

namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

frmF12::frmF12(QWidget* parent) : QDialog(parent) {
    SSTab1 = tabDialog(this, "frmF12", QStringLiteral("3D Surface Properties"));
    SSTab1->setUsesScrollButtons(false);  // all six tabs in view
    buildGeneralTab();
    buildColorTab();
    buildMaterialTab();
    buildSmoothnessTab();
    buildTextureTab();
    buildTransparencyTab();
    const OkCancelRow buttons = finishTabs(this, SSTab1, "Command3", "Command4");
    Command3 = buttons.ok;
    Command4 = buttons.cancel;
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    Form_Load();
}

void frmF12::buildGeneralTab() {
    auto* tab = new QWidget;
    Check1 = check(tab, "Check1", QStringLiteral("Add Colormap"), true);
    Check2 = check(tab, "Check2", QStringLiteral("Add Contour"), true);
    Label2 = label(tab, "Label2", QStringLiteral("Step"));
    Text2 = edit(tab, "Text2", QStringLiteral("20"));
    Label2->setEnabled(false);
    Text2->setEnabled(false);
    Check4 = check(tab, "Check4", QStringLiteral("Show Data Points(Yellow)"), true);
    auto* page = new QGridLayout(tab);
    page->addWidget(Check1, 0, 0, 1, 3);
    page->addWidget(Check2, 1, 0);
    page->addWidget(Label2, 1, 1);
    page->addWidget(Text2, 1, 2);
    page->addWidget(Check4, 2, 0, 1, 3);
    page->setRowStretch(3, 1);
    SSTab1->addTab(tab, QStringLiteral("General"));
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
}

void frmF12::buildColorTab() {
    auto* tab = new QWidget;
    Combo1 = new QComboBox(tab);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);  // a typed name is stored as typed
    Combo1->setEditText(QStringLiteral("Combo1"));
    auto* page = new QVBoxLayout(tab);
    page->addWidget(Combo1);
    page->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Color"));
}

void frmF12::buildMaterialTab() {
    auto* tab = new QWidget;
    Label7 = label(tab, "Label7", QStringLiteral("Select a material"));
    List1 = new QListWidget(tab);
    List1->setObjectName(QStringLiteral("List1"));
    auto* page = new QVBoxLayout(tab);
    page->addWidget(Label7);
    page->addWidget(List1);
    SSTab1->addTab(tab, QStringLiteral("Material"));
}

void frmF12::buildSmoothnessTab() {
    auto* tab = new QWidget;
    Frame2 = frame(tab, "Frame2", QStringLiteral("Smoothness"));
    Option8 = option(Frame2, "Option8", QStringLiteral("Flat"));
    Option9 = option(Frame2, "Option9", QStringLiteral("Smooth"));
    Option10 = option(Frame2, "Option10", QStringLiteral("Smoother"));
    Option10->setChecked(true);
    auto* options = new QVBoxLayout(Frame2);
    for (QRadioButton* o : {Option8, Option9, Option10}) options->addWidget(o);
    auto* page = new QVBoxLayout(tab);
    page->addWidget(Frame2);
    page->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Smoothness"));
}

void frmF12::buildTextureTab() {
    auto* tab = new QWidget;
    Check5 = check(tab, "Check5", QStringLiteral("Add Texture"), false);
    Text1 = edit(tab, "Text1", QString());
    Command1 = new QPushButton(QStringLiteral("..."), tab);
    Command1->setObjectName(QStringLiteral("Command1"));
    Frame1 = frame(tab, "Frame1", QStringLiteral("Style"));
    Option5 = option(Frame1, "Option5", QStringLiteral("Overlap"));
    Option6 = option(Frame1, "Option6", QStringLiteral("Blend"));
    Option5->setChecked(true);
    auto* style = new QVBoxLayout(Frame1);
    style->addWidget(Option5);
    style->addWidget(Option6);
    auto* page = new QGridLayout(tab);
    page->addWidget(Check5, 0, 0, 1, 2);
    page->addWidget(Text1, 1, 0);
    page->addWidget(Command1, 1, 1);
    page->addWidget(Frame1, 2, 0, 1, 2);
    page->setRowStretch(3, 1);
    SSTab1->addTab(tab, QStringLiteral("Texture"));
    connect(Check5, &QCheckBox::toggled, this, [this] { Check5_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmF12::buildTransparencyTab() {
    auto* tab = new QWidget;
    Check6 = check(tab, "Check6", QStringLiteral("Set Transparency"), false);
    Slider1 = new QSlider(Qt::Horizontal, tab);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(0, kTransparencySteps);
    Slider1->setValue(0);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setPageStep(1);
    auto* page = new QVBoxLayout(tab);
    page->addWidget(Check6);
    page->addWidget(Slider1);
    page->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Transparency"));
    connect(Check6, &QCheckBox::toggled, this, [this] { Check6_Click(); });
}

void frmF12::Form_Load() {
    for (const char* name : kColorMapNames) Combo1->addItem(QString::fromUtf8(name));
    Combo1->setCurrentIndex(0);
    for (long code = 1; code <= kSurfaceMaterialCount; ++code)
        List1->addItem(QString::fromUtf8(materialPreset(code)->name));
    List1->setCurrentRow(SurfaceDialogValues{}.materialIndex);
    if (!Check5->isChecked()) {
        Text1->setEnabled(false);
        Command1->setEnabled(false);
    }
    if (!Check6->isChecked()) Slider1->setEnabled(false);
}

void frmF12::Check2_Click() {
    Label2->setEnabled(Check2->isChecked());
    Text2->setEnabled(Check2->isChecked());
}

void frmF12::Check5_Click() {
    Text1->setEnabled(Check5->isChecked());
    Command1->setEnabled(Check5->isChecked());
}

void frmF12::Check6_Click() { Slider1->setEnabled(Check6->isChecked()); }

void frmF12::Preset(const Cls9& graph) {
    SurfaceDialogValues v = values();
    PresetSurfaceDialog(graph, v);
    setValues(v);
}

SurfaceDialogValues frmF12::values() const {
    SurfaceDialogValues v;
    v.colorName = Combo1->currentText().toStdString();
    v.materialIndex = List1->currentRow();
    v.smoothness = Option8->isChecked() ? 1 : Option9->isChecked() ? 2 : Option10->isChecked() ? 3 : 0;
    v.showColormap = Check1->isChecked();
    v.showContour = Check2->isChecked();
    v.contourStep = boxText(Text2);
    v.showData = Check4->isChecked();
    v.showTex = Check5->isChecked();
    v.texName = boxText(Text1);
    v.texMode = Option6->isChecked() ? 2 : 1;
    v.showTrans = Check6->isChecked();
    v.transPosition = Slider1->value();
    return v;
}

void frmF12::setValues(const SurfaceDialogValues& v) {
    Combo1->setEditText(qs(v.colorName));
    List1->setCurrentRow(v.materialIndex);
    QRadioButton* const shading[] = {Option8, Option9, Option10};
    if (v.smoothness >= 1 && v.smoothness <= 3) shading[v.smoothness - 1]->setChecked(true);
    Check1->setChecked(v.showColormap);
    Check2->setChecked(v.showContour);
    Check2_Click();  // the step box follows the box even when it was ticked already
    Text2->setText(qs(v.contourStep));
    Check4->setChecked(v.showData);
    Check5->setChecked(v.showTex);
    Text1->setText(qs(v.texName));
    (v.texMode == 2 ? Option6 : Option5)->setChecked(true);
    Check6->setChecked(v.showTrans);
    Slider1->setValue(v.transPosition);
}

void frmF12::Command1_Click() {
    dlgColor.FileName.clear();
    dlgColor.Filter = "(*.bmp)|*.bmp|*.jpg|*.jpg|*.gif|*.gif";
    dlgColor.FilterIndex = 1;
    dlgColor.DialogTitle = "打开";
    // A cancelled browse keeps the name already in the box.
    if (dlgColor.ShowOpen()) Text1->setText(qs(dlgColor.FileName));
}

void frmF12::Command3_Click() {
    auto fresh = std::make_shared<Cls9>();
    std::string message;
    if (!BuildSurfaceSettings(values(), *fresh, message)) {
        SSTab1->setCurrentIndex(0);
        refuse(Text2, message);
        return;
    }
    if (apply && !apply(*fresh)) return;
    mGraph = fresh;
    accept();
}

void frmF12::Command4_Click() { reject(); }

bool EditSurfaceGraph(GraphEditHost& host, Cls9& edited) {
    frmF12 dialog(host.dialogParent());
    dialog.Preset(edited);
    dialog.apply = [&](Cls9& fresh) { return ApplyEditedGraph(host, edited, fresh); };
    if (dialog.exec() == QDialog::Accepted) return true;
    host.repaint();  // every way out without OK repaints the main window
    return false;
}
