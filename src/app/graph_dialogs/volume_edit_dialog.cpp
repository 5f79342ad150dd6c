#include "app/graph_dialogs/volume_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialog_kit/colormap_names.h"
#include "app/dialog_kit/dialog_widgets.h"
#include "app/graph_dialogs/graph_edit.h"
#include "app/graph_dialogs/graph_edit_dialogs.h"
#include "app/graph_dialogs/graph_edit_host.h"
#include "graph/graph.h"
#include "graph/slice_descriptor.h"
#include "platform/color_swatch.h"
#include "platform/msgbox.h"

using namespace dialogwidgets;
using platform::ColorSwatch;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

std::vector<std::string> lines(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
}

void setLines(QListWidget* list, const std::vector<std::string>& texts) {
    list->clear();
    for (const std::string& t : texts) list->addItem(qs(t));
}

void deleteSelected(QListWidget* list) {
    const int row = list->currentRow();
    if (row >= 0 && list->currentItem()->isSelected()) delete list->takeItem(row);
}

// The step box a Reset gives each editor: "30" for X and Y, "20" for Z.
constexpr const char* kResetSteps[3] = {"30", "30", "20"};

}  // namespace

frmF31::frmF31(QWidget* parent) : QDialog(parent) {
    SSTab1 = tabDialog(this, "frmF31", QStringLiteral("4D Slice & Isosurface Properties"));
    buildGeneralTab();
    buildSliceTab(0, "YZ Slices",
                  {"Frame2", "Label3", "Input a X Value", "Text1", "Label19", "Rows Y    From", "Text7", "Label20",
                   "Text8", "Label21", "Rows Z     From", "Text9", "Label22", "Text10", "Check1", "Check2", "Label9",
                   "Text4", "Label11", "Picture3", "Label4", "List1", "Command3", "Command4", "Command5"});
    buildSliceTab(1, "ZX Slices",
                  {"Frame3", "Label13", "Input a Y Value", "Text3", "Label23", "Rows Z      From", "Text11",
                   "Label24", "Text12", "Label25", "Rows X      From", "Text13", "Label26", "Text14", "Check4",
                   "Check5", "Label7", "Text2", "Label6", "Picture5", "Label8", "List2", "Command6", "Command7",
                   "Command8"});
    buildSliceTab(2, "XY Slices",
                  {"Frame4", "Label18", "Input a Z Value", "Text6", "Label27", "Rows X      From", "Text15",
                   "Label28", "Text16", "Label29", "Rows Y      From", "Text17", "Label30", "Text18", "Check7",
                   "Check8", "Label16", "Text5", "Label15", "Picture7", "Label17", "List3", "Command9", "Command10",
                   "Command11"});
    buildIsosurfaceTab();
    const OkCancelRow buttons = finishTabs(this, SSTab1, "Command1", "Command2");
    Command1 = buttons.ok;
    Command2 = buttons.cancel;
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Form_Load();
}

void frmF31::buildGeneralTab() {
    auto* tab = new QWidget;
    Frame1 = frame(tab, "Frame1", QStringLiteral("Color"));
    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);  // a typed name is stored as typed
    Combo1->setEditText(QStringLiteral("Combo1"));
    auto* color = new QVBoxLayout(Frame1);
    color->addWidget(Combo1);
    Check10 = check(tab, "Check10", QStringLiteral("Show Data Points(Yellow)"), true);
    auto* page = new QVBoxLayout(tab);
    page->addWidget(Frame1);
    page->addWidget(Check10);
    page->addStretch();
    SSTab1->addTab(tab, QStringLiteral("General"));
}

void frmF31::buildSliceTab(int axis, const char* caption, const EditorNames& n) {
    auto* tab = new QWidget;
    SliceEditor& e = Editors[axis];
    e.frame = frame(tab, n.frame, QString());
    QGroupBox* f = e.frame;
    e.valueLabel = label(f, n.valueLabel, QString::fromUtf8(n.valueCaption));
    e.value = edit(f, n.value, QStringLiteral("0"));
    e.rows1 = label(f, n.rows1, QString::fromUtf8(n.rows1Caption));
    e.from1 = edit(f, n.from1, QStringLiteral("1"));
    e.to1Label = label(f, n.to1Label, QStringLiteral("To"));
    e.to1 = edit(f, n.to1, QStringLiteral("21"));
    e.rows2 = label(f, n.rows2, QString::fromUtf8(n.rows2Caption));
    e.from2 = edit(f, n.from2, QStringLiteral("1"));
    e.to2Label = label(f, n.to2Label, QStringLiteral("To"));
    e.to2 = edit(f, n.to2, QStringLiteral("21"));
    // New slices always span nodes 1 to 21 along both axes of their plane.
    for (QLineEdit* box : {e.from1, e.to1, e.from2, e.to2}) box->setEnabled(false);
    e.colormap = check(f, n.colormap, QStringLiteral("Add Colormap"), true);
    e.contour = check(f, n.contour, QStringLiteral("Add Contour"), true);
    e.stepLabel = label(f, n.stepLabel, QStringLiteral("Step"));
    e.step = edit(f, n.step, QStringLiteral("20"));
    e.colorLabel = label(f, n.colorLabel, QStringLiteral("Color"));
    e.swatch = new ColorSwatch(f, kSliceContourGrey);
    e.swatch->setObjectName(QString::fromUtf8(n.swatch));
    e.swatch->setColorDialog(&dlgColor);  // a cancelled colour dialog keeps the swatch
    e.listLabel = label(f, n.listLabel, QStringLiteral("Selected Values"));
    e.list = new QListWidget(f);
    e.list->setObjectName(QString::fromUtf8(n.list));
    e.add = button(f, n.add, "Add");
    e.del = button(f, n.del, "Delete");
    e.reset = button(f, n.reset, "Reset");

    auto* grid = new QGridLayout(f);
    grid->addWidget(e.valueLabel, 0, 0);
    grid->addWidget(e.value, 0, 1, 1, 3);
    grid->addWidget(e.rows1, 1, 0);
    grid->addWidget(e.from1, 1, 1);
    grid->addWidget(e.to1Label, 1, 2);
    grid->addWidget(e.to1, 1, 3);
    grid->addWidget(e.rows2, 2, 0);
    grid->addWidget(e.from2, 2, 1);
    grid->addWidget(e.to2Label, 2, 2);
    grid->addWidget(e.to2, 2, 3);
    grid->addWidget(e.colormap, 3, 0, 1, 4);
    grid->addWidget(e.contour, 4, 0);
    grid->addWidget(e.stepLabel, 4, 1);
    grid->addWidget(e.step, 4, 2, 1, 2);
    grid->addWidget(e.colorLabel, 5, 1);
    grid->addWidget(e.swatch, 5, 2, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->setRowStretch(6, 1);
    grid->addWidget(e.listLabel, 0, 4);
    grid->addWidget(e.list, 1, 4, 6, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(e.add);
    buttons->addWidget(e.del);
    buttons->addWidget(e.reset);
    grid->addLayout(buttons, 7, 4);
    auto* page = new QVBoxLayout(tab);
    page->addWidget(f);
    SSTab1->addTab(tab, QString::fromUtf8(caption));

    connect(e.add, &QPushButton::clicked, this, [this, axis] { AddSlice(axis); });
    connect(e.del, &QPushButton::clicked, this, [this, axis] { DeleteSlice(axis); });
    connect(e.reset, &QPushButton::clicked, this, [this, axis] { ResetSlices(axis); });
}

void frmF31::buildIsosurfaceTab() {
    auto* tab = new QWidget;
    Label1 = label(tab, "Label1", QStringLiteral("Input The Value of Isosurface"));
    Text19 = edit(tab, "Text19", QString());
    Command12 = button(tab, "Command12", "Add");
    Command13 = button(tab, "Command13", "Delete");
    Command14 = button(tab, "Command14", "Reset");
    List4 = new QListWidget(tab);
    List4->setObjectName(QStringLiteral("List4"));
    auto* grid = new QGridLayout(tab);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text19, 1, 0);
    grid->addWidget(List4, 0, 1, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command12);
    buttons->addWidget(Command13);
    buttons->addWidget(Command14);
    grid->addLayout(buttons, 4, 1);
    grid->setRowStretch(3, 1);
    SSTab1->addTab(tab, QStringLiteral("Isosurface"));
    connect(Command12, &QPushButton::clicked, this, [this] { Command12_Click(); });
    connect(Command13, &QPushButton::clicked, this, [this] { Command13_Click(); });
    connect(Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });
}

void frmF31::Form_Load() {
    for (const char* name : kColorMapNames) Combo1->addItem(QString::fromUtf8(name));
    Combo1->setCurrentIndex(0);
}

void frmF31::Preset(const Cls9& graph) {
    VolumeDialogValues v = values();
    PresetVolumeDialog(graph, v);
    setValues(v);
}

VolumeDialogValues frmF31::values() const {
    VolumeDialogValues v;
    v.showData = Check10->isChecked();
    v.colorName = Combo1->currentText().toStdString();
    for (int a = 0; a < 3; ++a) v.slices[a] = lines(Editors[a].list);
    v.levels = lines(List4);
    return v;
}

void frmF31::setValues(const VolumeDialogValues& v) {
    Check10->setChecked(v.showData);
    Combo1->setEditText(qs(v.colorName));
    for (int a = 0; a < 3; ++a) setLines(Editors[a].list, v.slices[a]);
    setLines(List4, v.levels);
}

void frmF31::AddSlice(int axis) {
    const SliceEditor& e = Editors[axis];
    SliceEditorBoxes boxes{boxText(e.value), boxText(e.from1), boxText(e.to1), boxText(e.from2),
                           boxText(e.to2),   e.colormap->isChecked(), e.contour->isChecked(),
                           boxText(e.step),  e.swatch->color()};
    const AddResult r = AddSliceLine(boxes, static_cast<std::size_t>(e.list->count()));
    if (r.refused != AddResult::Box::None) {
        refuse(r.refused == AddResult::Box::Step ? e.step : e.value, r.message);
        return;
    }
    e.list->addItem(qs(r.line));
}

void frmF31::DeleteSlice(int axis) { deleteSelected(Editors[axis].list); }

void frmF31::ResetSlices(int axis) {
    const SliceEditor& e = Editors[axis];
    e.list->clear();
    e.value->clear();
    e.colormap->setChecked(true);
    e.contour->setChecked(true);
    e.step->setText(QString::fromUtf8(kResetSteps[axis]));
}

void frmF31::Command12_Click() {
    const AddResult r = AddIsoLevelLine(boxText(Text19), static_cast<std::size_t>(List4->count()));
    if (r.refused != AddResult::Box::None) {
        refuse(Text19, r.message);
        return;
    }
    List4->addItem(qs(r.line));
}

void frmF31::Command13_Click() { deleteSelected(List4); }

void frmF31::Command14_Click() { List4->clear(); }

void frmF31::Command1_Click() {
    auto fresh = std::make_shared<Cls9>();
    std::string message;
    if (!BuildVolumeSettings(values(), *fresh, message)) {
        platform::MsgBox(message, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return;
    }
    if (apply && !apply(*fresh)) return;
    mGraph = fresh;
    accept();
}

void frmF31::Command2_Click() { reject(); }

bool EditVolumeGraph(GraphEditHost& host, Cls9& edited) {
    frmF31 dialog(host.dialogParent());
    dialog.Preset(edited);
    dialog.apply = [&](Cls9& fresh) { return ApplyEditedGraph(host, edited, fresh); };
    return dialog.exec() == QDialog::Accepted;
}
