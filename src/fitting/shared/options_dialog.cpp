#include "fitting/shared/options_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "fitting/common/fit_options.h"
#include "fitting/shared/dialog_parts.h"
#include "formula/number_text.h"
#include "platform/msgbox.h"
#include "state/color.h"
#include "state/globals.h"
#include "state/fit_defaults.h"

namespace {

QString numberText(double v) { return QString::fromStdString(formula::formatNumberText(v)); }

}  // namespace

IterationOptionsDialog::IterationOptionsDialog(const char* objectName, const char* caption, long& maxIterations,
                                               double& tolerance, QWidget* parent)
    : QDialog(parent), objectName_(objectName), caption_(caption), maxIterations_(maxIterations),
      tolerance_(tolerance) {
    Frame2 = new QGroupBox("Iteration", this);
    Frame2->setObjectName("Frame2");
    Label1 = MakeLabel(Frame2, "Label1", "Maximum Number");
    Text1 = new QLineEdit(kDefaultMaxIterationsText, Frame2);
    Text1->setObjectName("Text1");
    Label2 = MakeLabel(Frame2, "Label2", "Tollerance");
    Text2 = new QLineEdit(kDefaultToleranceText, Frame2);
    Text2->setObjectName("Text2");
    auto* iteration = new QGridLayout(Frame2);
    iteration->addWidget(Label1, 0, 0);
    iteration->addWidget(Text1, 0, 1);
    iteration->addWidget(Label2, 1, 0);
    iteration->addWidget(Text2, 1, 1);

    Command1 = MakeDialogButton(this, "Command1", "OK");
    Command2 = MakeDialogButton(this, "Command2", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* column = new QVBoxLayout(this);
    frames_ = new QVBoxLayout;
    frames_->addWidget(Frame2);
    column->addLayout(frames_);
    column->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &IterationOptionsDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &IterationOptionsDialog::Command2_Click);
}

void IterationOptionsDialog::finishFrame() { SetFixedDialogFrame(this, objectName_, caption_); }

void IterationOptionsDialog::showIterationOptions() {
    Text1->setText(numberText(static_cast<double>(maxIterations_)));
    Text2->setText(numberText(tolerance_));
}

void IterationOptionsDialog::Command1_Click() {
    long count = 0;
    double tol = 0;
    const std::string refused =
        ReadIterationOptions(Text1->text().toStdString(), Text2->text().toStdString(), count, tol);
    if (!refused.empty()) {
        platform::MsgBox(refused);
        return;
    }
    storeMore();
    maxIterations_ = count;
    tolerance_ = tol;
    accept();
}

void IterationOptionsDialog::Command2_Click() { reject(); }

frmNLOptions::frmNLOptions(QWidget* parent)
    : IterationOptionsDialog("frmNLOptions", "Non-Linear: Options", gNonLinMaxIterations, gNonLinTolerance, parent) {
    Frame1 = new QGroupBox("Methods", this);
    Frame1->setObjectName("Frame1");
    Option1 = new QRadioButton("Gauss-Newton", Frame1);
    Option1->setObjectName("Option1");
    Option2 = new QRadioButton("Levenberg-Marquardt", Frame1);
    Option2->setObjectName("Option2");
    Option2->setChecked(true);
    auto* methods = new QHBoxLayout(Frame1);
    methods->addWidget(Option1);
    methods->addWidget(Option2);

    Frame3 = new QGroupBox("Color", this);
    Frame3->setObjectName("Frame3");
    Label3 = MakeLabel(Frame3, "Label3", "Curve Color");
    Picture1 = new QLabel(Frame3);
    Picture1->setObjectName("Picture1");
    Picture1->setFixedSize(fontMetrics().height() * 3, fontMetrics().height() + 6);
    Picture1->setAutoFillBackground(true);
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Sunken);
    Picture1->installEventFilter(this);
    auto* colour = new QHBoxLayout(Frame3);
    colour->addWidget(Label3);
    colour->addWidget(Picture1);
    colour->addStretch();

    frames()->insertWidget(0, Frame1);
    frames()->addWidget(Frame3);
    colour_ = 0xFF;
    paintSwatch();
    finishFrame();
    Form_Load();
}

void frmNLOptions::Form_Load() {
    (gNonLinMethod == 1 ? Option1 : Option2)->setChecked(true);
    showIterationOptions();
    colour_ = gNonLinCurveColor;
    paintSwatch();
}

void frmNLOptions::paintSwatch() {
    const Rgb c = SplitColor(colour_);
    QPalette p = Picture1->palette();
    p.setColor(QPalette::Window, QColor::fromRgbF(static_cast<float>(c.r), static_cast<float>(c.g),
                                                  static_cast<float>(c.b)));
    Picture1->setPalette(p);
}

void frmNLOptions::Picture1_Click() {
    // The colour dialog starts from the swatch; a cancel leaves it as it was.
    Dialog1.Color = colour_;
    if (!Dialog1.ShowColor()) return;
    colour_ = Dialog1.Color;
    paintSwatch();
}

bool frmNLOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1 && event->type() == QEvent::MouseButtonRelease) {
        Picture1_Click();
        return true;
    }
    return IterationOptionsDialog::eventFilter(watched, event);
}

void frmNLOptions::storeMore() {
    gNonLinMethod = Option1->isChecked() ? 1 : 2;
    gNonLinCurveColor = colour_;
}
