#include "app/scene_dialogs/axis3d_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialog_kit/dialog_input.h"
#include "app/dialog_kit/dialog_widgets.h"
#include "platform/color_swatch.h"
#include "scene/axis.h"
#include "scene/material.h"
#include "state/globals.h"

using namespace dialogwidgets;
using platform::ColorSwatch;

namespace {
constexpr long kMaterialCount = 13;

// A material list: the presets in code order, position i for code i + 1.
void fillMaterials(QComboBox* combo, long material) {
    combo->clear();
    for (long code = 1; code <= kMaterialCount; ++code) combo->addItem(QString::fromUtf8(materialPreset(code)->name));
    // A code outside the list (0, or one no preset has) selects nothing.
    combo->setCurrentIndex(material >= 1 && material <= kMaterialCount ? static_cast<int>(material - 1) : -1);
}

long materialOf(const QComboBox* combo) { return combo->currentIndex() + 1; }

QString text(const std::string& s) { return QString::fromStdString(s); }
std::string text(const QLineEdit* e) { return boxText(e); }
}  // namespace

frmF3::frmF3(QWidget* parent) : AxisDialogBase("frmF3", parent) {
    buildGeneralTab();
    buildPanelTab();
    buildGridTab();
    buildLabelTab();
    buildTitleTab();
    finishLayout();
    for (ColorSwatch* s : {Picture1, Picture2, Picture3, Picture5, Picture7, Picture9}) s->setColorDialog(&Dialog1);
    Form_Load();
}

void frmF3::buildGeneralTab() {
    auto* tab = new QWidget;
    Check1 = check(tab, "Check1", QStringLiteral(" Show Axis"), true);
    Frame1 = frame(tab, "Frame1", QStringLiteral("Style"));
    Option1 = option(Frame1, "Option1", QStringLiteral("Panel Style"));
    Option2 = option(Frame1, "Option2", QStringLiteral("Line Style"));
    Option1->setChecked(true);
    auto* style = new QVBoxLayout(Frame1);
    style->addWidget(Option1);
    style->addWidget(Option2);
    // The boxes follow the data axes: X is the data x axis, scene Z.
    const Scales scales = buildScales(tab, {"Option3", "Option4", "Option5"}, "X:Y:Z=", {"Label1", "Label16", "Label17"},
                                      {{"Text7", "Ratio X", &gAxisRatioZ},
                                       {"Text8", "Ratio Y", &gAxisRatioX},
                                       {"Text9", "Ratio Z", &gAxisRatioY}});
    Frame2 = scales.frame;
    Option3 = scales.square, Option4 = scales.equal, Option5 = scales.custom;
    Label1 = scales.labels[0], Label16 = scales.labels[1], Label17 = scales.labels[2];
    Text7 = scales.boxes[0], Text8 = scales.boxes[1], Text9 = scales.boxes[2];
    auto* page = new QGridLayout(tab);
    page->addWidget(Check1, 0, 0, 1, 2);
    page->addWidget(Frame1, 1, 0);
    page->addWidget(Frame2, 1, 1);
    page->setRowStretch(2, 1);
    SSTab1->addTab(tab, QStringLiteral("General"));

    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Option1, &QRadioButton::toggled, this, [this] { Option1_Click(); });
}

void frmF3::buildPanelTab() {
    auto* tab = new QWidget;
    auto* page = new QHBoxLayout(tab);
    struct Names {
        const char *frame, *caption, *check, *colorLabel, *swatch, *materialLabel, *combo;
    };
    const Names names[3] = {{"Frame3", "XY Panel", "Check2", "Label2", "Picture1", "Label3", "Combo1"},
                            {"Frame4", "XZ Panel", "Check3", "Label4", "Picture2", "Label5", "Combo2"},
                            {"Frame5", "YZ Panel", "Check4", "Label6", "Picture3", "Label7", "Combo3"}};
    QGroupBox** frames[3] = {&Frame3, &Frame4, &Frame5};
    QCheckBox** checks[3] = {&Check2, &Check3, &Check4};
    QLabel** colorLabels[3] = {&Label2, &Label4, &Label6};
    ColorSwatch** swatches[3] = {&Picture1, &Picture2, &Picture3};
    QLabel** materialLabels[3] = {&Label3, &Label5, &Label7};
    QComboBox** combos[3] = {&Combo1, &Combo2, &Combo3};
    for (int i = 0; i < 3; ++i) {
        const Names& n = names[i];
        QGroupBox* f = *frames[i] = frame(tab, n.frame, QString::fromUtf8(n.caption));
        QCheckBox* c = *checks[i] = check(f, n.check, QStringLiteral(" Show"), true);
        QLabel* cl = *colorLabels[i] = label(f, n.colorLabel, QStringLiteral("Color"));
        auto* s = *swatches[i] = new ColorSwatch(f);
        s->setObjectName(QString::fromUtf8(n.swatch));
        QLabel* ml = *materialLabels[i] = label(f, n.materialLabel, QStringLiteral("Material"));
        QComboBox* m = *combos[i] = list(f, n.combo);
        auto* g = new QGridLayout(f);
        g->addWidget(c, 0, 0, 1, 2);
        g->addWidget(cl, 1, 0);
        g->addWidget(s, 1, 1);
        g->addWidget(ml, 2, 0);
        g->addWidget(m, 2, 1);
        g->setRowStretch(3, 1);
        page->addWidget(f);
        connect(c, &QCheckBox::toggled, this, [this, c, cl, s, ml, m] { panelClick(c, cl, s, ml, m); });
    }
    SSTab1->addTab(tab, QStringLiteral("Panel"));
}

void frmF3::buildGridTab() {
    auto* tab = new QWidget;
    auto* page = new QHBoxLayout(tab);
    struct Names {
        const char *frame, *caption, *first, *firstCaption, *second, *secondCaption, *colorLabel, *swatch;
    };
    const Names names[3] = {
        {"Frame6", "XY", "Check5", "X direction", "Check6", "Y direction", "Label11", "Picture5"},
        {"Frame7", "XZ", "Check7", "X direction", "Check8", "Z direction", "Label15", "Picture7"},
        {"Frame8", "YZ", "Check9", "Y direction", "Check10", "Z direction", "Label21", "Picture9"}};
    QGroupBox** frames[3] = {&Frame6, &Frame7, &Frame8};
    QCheckBox** firsts[3] = {&Check5, &Check7, &Check9};
    QCheckBox** seconds[3] = {&Check6, &Check8, &Check10};
    QLabel** colorLabels[3] = {&Label11, &Label15, &Label21};
    ColorSwatch** swatches[3] = {&Picture5, &Picture7, &Picture9};
    for (int i = 0; i < 3; ++i) {
        const Names& n = names[i];
        QGroupBox* f = *frames[i] = frame(tab, n.frame, QString::fromUtf8(n.caption));
        *firsts[i] = check(f, n.first, QString::fromUtf8(n.firstCaption), true);
        *seconds[i] = check(f, n.second, QString::fromUtf8(n.secondCaption), true);
        *colorLabels[i] = label(f, n.colorLabel, QStringLiteral("Color"));
        auto* s = *swatches[i] = new ColorSwatch(f);
        s->setObjectName(QString::fromUtf8(n.swatch));
        auto* g = new QGridLayout(f);
        g->addWidget(*firsts[i], 0, 0, 1, 2);
        g->addWidget(*seconds[i], 1, 0, 1, 2);
        g->addWidget(*colorLabels[i], 2, 0);
        g->addWidget(s, 2, 1);
        g->setRowStretch(3, 1);
        page->addWidget(f);
    }
    SSTab1->addTab(tab, QStringLiteral("Grid"));
}

void frmF3::buildLabelTab() {
    boxTab("Label", {{"Label8", "X Axis Intervals", "Text1", "2", &Label8, &Text1},
                     {"Label9", "Y Axis Intervals", "Text2", "2", &Label9, &Text2},
                     {"Label10", "Z Axis Intervals", "Text3", "2", &Label10, &Text3}});
}

void frmF3::buildTitleTab() {
    boxTab("Title", {{"Label12", "X Axis Title", "Text4", "X", &Label12, &Text4},
                     {"Label13", "Y Axis Title", "Text5", "Y", &Label13, &Text5},
                     {"Label14", "Z Axis Title", "Text6", "Z", &Label14, &Text6}});
}

void frmF3::boxTab(const char* caption, std::initializer_list<BoxRow> rows) {
    auto* tab = new QWidget;
    auto* page = new QGridLayout(tab);
    int r = 0;
    for (const BoxRow& row : rows) {
        *row.label = label(tab, row.labelName, QString::fromUtf8(row.labelCaption));
        *row.box = edit(tab, row.boxName, QString::fromUtf8(row.designed));
        page->addWidget(*row.label, r, 0);
        page->addWidget(*row.box, r++, 1);
    }
    page->setRowStretch(r, 1);
    SSTab1->addTab(tab, QString::fromUtf8(caption));
}

void frmF3::Form_Load() {
    const Cls3& a = axisFrame();
    loadScales();
    Check1->setChecked(a.Show);
    if (a.AxisStyle == 1) Option1->setChecked(true);
    if (a.AxisStyle == 2) Option2->setChecked(true);
    Check2->setChecked(a.ShowXYPanel);
    Check3->setChecked(a.ShowXZPanel);
    Check4->setChecked(a.ShowYZPanel);
    Check5->setChecked(a.ShowXYXGrid);
    Check6->setChecked(a.ShowXYYGrid);
    Check7->setChecked(a.ShowXZXGrid);
    Check8->setChecked(a.ShowXZZGrid);
    Check9->setChecked(a.ShowYZYGrid);
    Check10->setChecked(a.ShowYZZGrid);
    Picture1->setColor(a.XYPanelColor);
    Picture2->setColor(a.XZPanelColor);
    Picture3->setColor(a.YZPanelColor);
    Picture5->setColor(a.XYGridColor);
    Picture7->setColor(a.XZGridColor);
    Picture9->setColor(a.YZGridColor);
    Text1->setText(QString::number(a.LabelNumX));
    Text2->setText(QString::number(a.LabelNumY));
    Text3->setText(QString::number(a.LabelNumZ));
    Text4->setText(text(a.TitleX));
    Text5->setText(text(a.TitleY));
    Text6->setText(text(a.TitleZ));
    fillMaterials(Combo1, a.XYPanelMaterial);
    fillMaterials(Combo2, a.XZPanelMaterial);
    fillMaterials(Combo3, a.YZPanelMaterial);
    Check1_Click();
}

bool frmF3::appliesFrameTabs() const { return Option1->isChecked() && Check1->isChecked(); }

void frmF3::Check1_Click() {
    // The panel, grid, label and title tabs are stored only for a shown
    // frame in panel style.
    for (int t = 1; t < SSTab1->count(); ++t) SSTab1->setTabEnabled(t, appliesFrameTabs());
}

void frmF3::Option1_Click() { Check1_Click(); }

void frmF3::panelClick(QCheckBox* box, QLabel* colorLabel, ColorSwatch* swatch, QLabel* materialLabel,
                       QComboBox* materials) {
    const bool on = box->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{colorLabel, swatch, materialLabel, materials}) w->setEnabled(on);
}

bool frmF3::checkInput(double ratios[3], long counts[3]) {
    // The tab of a refused box comes to the front with it.
    if (!readRatios(ratios)) return false;
    if (appliesFrameTabs()) {
        SSTab1->setCurrentIndex(3);
        if (!readBoxes({{Text1, "X Axis Intervals"}, {Text2, "Y Axis Intervals"}, {Text3, "Z Axis Intervals"}}, counts,
                       dialoginput::ReadLabelCount, dialoginput::LabelCountMessage))
            return false;
    }
    return true;
}

void frmF3::Command1_Click() {
    double ratios[3] = {1, 1, 1};
    long counts[3] = {2, 2, 2};
    if (!checkInput(ratios, counts)) return;
    Cls3& a = axisFrame();
    gAxisDialogResult = true;
    a.Show = Check1->isChecked();
    if (Option1->isChecked()) a.AxisStyle = 1;
    if (Option2->isChecked()) a.AxisStyle = 2;
    storeScales(ratios);
    // The colours chosen with the swatches are kept whatever else is stored.
    a.XYPanelColor = Picture1->color();
    a.XZPanelColor = Picture2->color();
    a.YZPanelColor = Picture3->color();
    a.XYGridColor = Picture5->color();
    a.XZGridColor = Picture7->color();
    a.YZGridColor = Picture9->color();
    if (a.AxisStyle == 1 && a.Show) {
        ApplyPanelSettings();
        ApplyGridSettings();
        ApplyLabelCounts(counts);
        ApplyAxisTitles();
    }
    accept();
}

void frmF3::ApplyPanelSettings() {
    Cls3& a = axisFrame();
    a.ShowXYPanel = Check2->isChecked();
    a.ShowXZPanel = Check3->isChecked();
    a.ShowYZPanel = Check4->isChecked();
    a.XYPanelMaterial = materialOf(Combo1);
    a.XZPanelMaterial = materialOf(Combo2);
    a.YZPanelMaterial = materialOf(Combo3);
}

void frmF3::ApplyGridSettings() {
    Cls3& a = axisFrame();
    a.ShowXYXGrid = Check5->isChecked();
    a.ShowXYYGrid = Check6->isChecked();
    a.ShowXZXGrid = Check7->isChecked();
    a.ShowXZZGrid = Check8->isChecked();
    a.ShowYZYGrid = Check9->isChecked();
    a.ShowYZZGrid = Check10->isChecked();
}

void frmF3::ApplyLabelCounts(const long counts[3]) {
    Cls3& a = axisFrame();
    a.LabelNumX = counts[0];
    a.LabelNumY = counts[1];
    a.LabelNumZ = counts[2];
}

void frmF3::ApplyAxisTitles() {
    Cls3& a = axisFrame();
    a.TitleX = text(Text4);
    a.TitleY = text(Text5);
    a.TitleZ = text(Text6);
}
