#include "app/scene_dialogs/axis_dialog_base.h"

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
#include "app/dialog_kit/grid_dialogs_buttons.h"
#include "state/globals.h"

AxisDialogBase::AxisDialogBase(const char* name, QWidget* parent) : QDialog(parent) {
    SSTab1 = dialogwidgets::tabDialog(this, name, QStringLiteral("Axis Properties"));
}

void AxisDialogBase::finishLayout() {
    const OkCancelRow buttons = dialogwidgets::finishTabs(this, SSTab1, "Command1", "Command2");
    Command1 = buttons.ok;
    Command2 = buttons.cancel;
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void AxisDialogBase::Command2_Click() { reject(); }

void AxisDialogBase::reject() {
    gAxisDialogResult = false;
    QDialog::reject();
}

AxisDialogBase::Scales AxisDialogBase::buildScales(QWidget* tab, const char* const (&options)[3],
                                                   const char* caption, const std::vector<const char*>& labelNames,
                                                   std::vector<RatioBox> ratios) {
    using namespace dialogwidgets;
    Scales s{};
    s.frame = frame(tab, "Frame2", QStringLiteral("Scales"));
    s.square = option(s.frame, options[0], QStringLiteral("Square"));
    s.equal = option(s.frame, options[1], QStringLiteral("Equal"));
    s.custom = option(s.frame, options[2], QStringLiteral("Custom"));
    s.square->setChecked(true);
    auto* column = new QVBoxLayout(s.frame);
    auto* row = new QHBoxLayout;
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        s.labels.push_back(label(s.frame, labelNames[i], i == 0 ? QString::fromUtf8(caption) : QStringLiteral(":")));
        s.boxes.push_back(edit(s.frame, ratios[i].object, QStringLiteral("1")));
        s.boxes.back()->setMaximumWidth(70);
        row->addWidget(s.labels.back());
        row->addWidget(s.boxes.back());
    }
    row->addStretch();
    for (QWidget* w : {s.square, s.equal, s.custom}) column->addWidget(w);
    column->addLayout(row);
    for (QRadioButton* o : {s.square, s.equal, s.custom})
        connect(o, &QRadioButton::toggled, this, [this] { scaleClick(); });
    scales_ = s;
    ratios_ = std::move(ratios);
    return s;
}

void AxisDialogBase::loadScales() {
    if (gAxisScaleMode == 1) scales_.square->setChecked(true);
    if (gAxisScaleMode == 2) scales_.equal->setChecked(true);
    if (gAxisScaleMode == 3) {
        scales_.custom->setChecked(true);
        for (std::size_t i = 0; i < ratios_.size(); ++i)
            scales_.boxes[i]->setText(QString::fromStdString(dialoginput::DecimalText(*ratios_[i].ratio)));
    }
    scaleClick();
}

void AxisDialogBase::scaleClick() {
    const bool custom = scales_.custom->isChecked();
    for (QWidget* w : scales_.labels) w->setEnabled(custom);
    for (QWidget* w : scales_.boxes) w->setEnabled(custom);
}

bool AxisDialogBase::readRatios(double* ratios) {
    if (!scales_.custom->isChecked()) return true;
    for (std::size_t i = 0; i < ratios_.size(); ++i) {
        if (!dialoginput::ReadRatio(dialogwidgets::boxText(scales_.boxes[i]), ratios[i])) {
            SSTab1->setCurrentIndex(0);
            dialogwidgets::refuse(scales_.boxes[i], dialoginput::RatioMessage(ratios_[i].name));
            return false;
        }
    }
    return true;
}

void AxisDialogBase::storeScales(const double* ratios) {
    if (scales_.square->isChecked()) gAxisScaleMode = 1;
    if (scales_.equal->isChecked()) gAxisScaleMode = 2;
    if (!scales_.custom->isChecked()) return;
    gAxisScaleMode = 3;
    for (std::size_t i = 0; i < ratios_.size(); ++i) *ratios_[i].ratio = ratios[i];
}
