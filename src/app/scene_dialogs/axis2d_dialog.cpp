#include "app/scene_dialogs/axis2d_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/scene_dialogs/background_thumbnail.h"
#include "app/dialog_kit/dialog_input.h"
#include "app/dialog_kit/dialog_widgets.h"
#include "platform/color_swatch.h"
#include "scene/axis.h"
#include "state/globals.h"

using namespace dialogwidgets;
using platform::ColorSwatch;

namespace {
constexpr int kWidths = 5;
// The picture of choices: rows of 7, 7 and 5 thumbnails.
constexpr int kPerRow = 7;
constexpr QSize kThumb{40, 30};
constexpr int kGap = 8, kLeft = 12, kTop = 24;

ColorSwatch* swatch(QWidget* parent, const char* name) {
    auto* s = new ColorSwatch(parent);
    s->setObjectName(QString::fromUtf8(name));
    return s;
}
}  // namespace

frmF20::frmF20(QWidget* parent) : AxisDialogBase("frmF20", parent) {
    buildGeneralTab();
    buildAxisTab();
    buildGridTab();
    buildBackgroundTab();
    SSTab1->addTab(new QWidget, QStringLiteral("Fonts"));  // holds no controls
    finishLayout();
    for (ColorSwatch* s : {Picture1, Picture2, Picture4, Picture5}) s->setColorDialog(&dlgColor);
    Form_Load();
}

void frmF20::buildGeneralTab() {
    auto* tab = new QWidget;
    Check1 = check(tab, "Check1", QStringLiteral("Show Axis"), true);
    Check6 = check(tab, "Check6", QStringLiteral("Use π To Label Ticks"), false);
    const Scales scales = buildScales(tab, {"Option1", "Option2", "Option3"}, "X:Y=", {"Label7", "Label8"},
                                      {{"Text1", "Ratio X", &gAxisRatioX}, {"Text2", "Ratio Y", &gAxisRatioY}});
    Frame2 = scales.frame;
    Option1 = scales.square, Option2 = scales.equal, Option3 = scales.custom;
    Label7 = scales.labels[0], Label8 = scales.labels[1];
    Text1 = scales.boxes[0], Text2 = scales.boxes[1];
    auto* page = new QVBoxLayout(tab);
    page->addWidget(Check1);
    page->addWidget(Check6);
    page->addWidget(Frame2);
    page->addStretch();
    SSTab1->addTab(tab, QStringLiteral("General"));
}

void frmF20::buildAxisTab() {
    auto* tab = new QWidget;
    Check5 = check(tab, "Check5", QStringLiteral("Show Secondary Ticks"), false);
    Label1 = label(tab, "Label1", QStringLiteral("Color"));
    Picture1 = swatch(tab, "Picture1");
    Label2 = label(tab, "Label2", QStringLiteral("Width"));
    Combo1 = list(tab, "Combo1");
    auto* page = new QGridLayout(tab);
    page->addWidget(Check5, 0, 0, 1, 2);
    page->addWidget(Label1, 1, 0);
    page->addWidget(Picture1, 1, 1);
    page->addWidget(Label2, 2, 0);
    page->addWidget(Combo1, 2, 1);
    page->setColumnStretch(2, 1);
    page->setRowStretch(3, 1);
    SSTab1->addTab(tab, QStringLiteral("Axis"));
}

void frmF20::buildGridTab() {
    auto* tab = new QWidget;
    Check2 = check(tab, "Check2", QStringLiteral("Show Grid"), false);
    Label3 = label(tab, "Label3", QStringLiteral("Color"));
    Picture2 = swatch(tab, "Picture2");
    auto* page = new QGridLayout(tab);
    page->addWidget(Check2, 0, 0, 1, 2);
    page->addWidget(Label3, 1, 0);
    page->addWidget(Picture2, 1, 1);
    page->setColumnStretch(2, 1);
    page->setRowStretch(2, 1);
    SSTab1->addTab(tab, QStringLiteral("Grid"));
}

void frmF20::buildBackgroundTab() {
    auto* tab = new QWidget;
    Check4 = check(tab, "Check4", QStringLiteral("Show Background"), false);
    Label5 = label(tab, "Label5", QStringLiteral("1st Color/ Single Color"));
    Picture4 = swatch(tab, "Picture4");
    Label6 = label(tab, "Label6", QStringLiteral("2nd Color"));
    Picture5 = swatch(tab, "Picture5");
    Frame1 = frame(tab, "Frame1", QStringLiteral("Select A Style"));
    // Fixed places, so that the marker can be put around a thumbnail at once.
    for (int i = 0; i < kStyles; ++i) {
        QLabel* img = Image1[static_cast<std::size_t>(i)] =
            label(Frame1, "Image1", QString());
        img->setProperty("Index", i);
        img->setToolTip(QStringLiteral("Style %1").arg(i + 1));
        img->setPixmap(QPixmap::fromImage(BackgroundThumbnail(i + 1, kThumb)));
        img->setGeometry(kLeft + (i % kPerRow) * (kThumb.width() + kGap), kTop + (i / kPerRow) * (kThumb.height() + kGap),
                         kThumb.width(), kThumb.height());
        img->setCursor(Qt::PointingHandCursor);
        img->installEventFilter(this);
    }
    Shape1 = new QFrame(Frame1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(2);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 2px solid #d00000; background: transparent; }"));
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1->hide();
    Frame1->setMinimumSize(2 * kLeft + kPerRow * kThumb.width() + (kPerRow - 1) * kGap,
                           kTop + 3 * kThumb.height() + 2 * kGap + kLeft);
    auto* page = new QGridLayout(tab);
    page->addWidget(Check4, 0, 0, 1, 2);
    page->addWidget(Label5, 1, 0);
    page->addWidget(Picture4, 1, 1);
    page->addWidget(Label6, 2, 0);
    page->addWidget(Picture5, 2, 1);
    page->addWidget(Frame1, 3, 0, 1, 3);
    page->setColumnStretch(2, 1);
    page->setRowStretch(4, 1);
    SSTab1->addTab(tab, QStringLiteral("Background"));
}

void frmF20::Form_Load() {
    const Cls3& a = axisFrame();
    loadScales();
    Check1->setChecked(a.Show);
    Combo1->clear();
    for (int w = 1; w <= kWidths; ++w) Combo1->addItem(QString::number(w));
    // A width the list does not hold selects nothing.
    Combo1->setCurrentIndex(a.AxisWidth >= 1 && a.AxisWidth <= kWidths ? static_cast<int>(a.AxisWidth - 1) : -1);
    Picture1->setColor(a.AxisColor);
    Check2->setChecked(a.ShowprimaryGrid);
    Check4->setChecked(a.ShowBackground);
    Check5->setChecked(a.ShowSecondaryLabel);
    Check6->setChecked(a.ShowPI);
    Picture2->setColor(a.PriGridColor);
    Picture4->setColor(a.BackColor);
    Picture5->setColor(a.BackColor2);
    // A style without a thumbnail marks style 2, which OK then stores.
    const bool known = a.BackStyle >= 1 && a.BackStyle <= kStyles;
    markThumbnail(known ? static_cast<int>(a.BackStyle - 1) : 1);
    mBackStyle = a.BackStyle;
}

void frmF20::markThumbnail(int index) {
    if (index < 0 || index >= kStyles) return;
    Shape1->setGeometry(Image1[static_cast<std::size_t>(index)]->geometry().adjusted(-2, -2, 2, 2));
    Shape1->show();
    Shape1->raise();
    mMarked = index;
}

void frmF20::Image1_Click(int Index) {
    if (Index < 0 || Index >= kStyles) return;
    mBackStyle = Index + 1;
    markThumbnail(Index);
}

bool frmF20::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QVariant index = watched->property("Index");
        if (index.isValid()) {
            Image1_Click(index.toInt());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmF20::Command1_Click() {
    double ratios[2] = {1, 1};
    if (!readRatios(ratios)) return;
    Cls3& a = axisFrame();
    gAxisDialogResult = true;
    storeScales(ratios);
    a.Show = Check1->isChecked();
    a.AxisColor = Picture1->color();
    // With no width chosen in the list the width stays as it was.
    if (Combo1->currentIndex() >= 0) a.AxisWidth = Combo1->currentIndex() + 1;
    a.ShowprimaryGrid = Check2->isChecked();
    a.ShowBackground = Check4->isChecked();
    a.ShowSecondaryLabel = Check5->isChecked();
    a.ShowPI = Check6->isChecked();
    if (mBackStyle < 1 || mBackStyle > kStyles) mBackStyle = 2;
    a.PriGridColor = Picture2->color();
    a.BackColor = Picture4->color();
    a.BackColor2 = Picture5->color();
    a.BackStyle = mBackStyle;
    accept();
}
