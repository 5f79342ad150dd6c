#include "app/scene_dialogs/view_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialog_kit/dialog_input.h"
#include "app/dialog_kit/dialog_widgets.h"
#include "app/dialog_kit/grid_dialogs_buttons.h"
#include "platform/msgbox.h"
#include "scene/camera.h"
#include "state/globals.h"

using namespace dialogwidgets;

namespace {
constexpr const char* kCaptions[6] = {"Min x", "Max x", "Min y", "Max y", "Min z", "Max z"};
double* const kValues[6] = {&gViewMinX, &gViewMaxX, &gViewMinY, &gViewMaxY, &gViewMinZ, &gViewMaxZ};
}  // namespace

frmF14::frmF14(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmF14"));
    setWindowTitle(QStringLiteral("View Setting"));
    Frame1 = frame(this, "Frame1", QStringLiteral("Projection Type"));
    Option1 = option(Frame1, "Option1", QStringLiteral("Ortho"));
    Option2 = option(Frame1, "Option2", QStringLiteral("Perspective"));
    Option1->setChecked(true);
    auto* projection = new QVBoxLayout(Frame1);
    projection->addWidget(Option1);
    projection->addWidget(Option2);
    Frame2 = frame(this, "Frame2", QStringLiteral("View Intervals"));
    auto* grid = new QGridLayout(Frame2);
    // Three columns x, y, z; the minimum above the maximum.
    for (int i = 0; i < 6; ++i) {
        const std::string n = std::to_string(i + 1);
        Label[static_cast<std::size_t>(i)] = label(Frame2, ("Label" + n).c_str(), QString::fromUtf8(kCaptions[i]));
        Text[static_cast<std::size_t>(i)] = edit(Frame2, ("Text" + n).c_str(), QString());
        Text[static_cast<std::size_t>(i)]->setMaximumWidth(90);
        const int column = 2 * (i / 2), row = i % 2;
        grid->addWidget(Label[static_cast<std::size_t>(i)], row, column);
        grid->addWidget(Text[static_cast<std::size_t>(i)], row, column + 1);
    }
    const OkCancelRow buttons = makeOkCancelRow(this, "Command1", "Command2");
    Command1 = buttons.ok;
    Command2 = buttons.cancel;
    auto* root = new QVBoxLayout(this);
    root->addWidget(Frame1);
    root->addWidget(Frame2);
    root->addLayout(buttons.row);
    connect(Command1, &QPushButton::clicked, this, &frmF14::Command1_Click);
    Form_Load();
}

void frmF14::Form_Load() {
    for (int i = 0; i < 6; ++i)
        Text[static_cast<std::size_t>(i)]->setText(QString::fromStdString(dialoginput::DecimalText(*kValues[i])));
    if (gCamera->ProjectType == 1) Option1->setChecked(true);
    if (gCamera->ProjectType == 2) Option2->setChecked(true);
}

void frmF14::Command1_Click() {
    // All six boxes are checked before anything is written.
    std::array<std::string, 6> cleaned;
    std::array<double, 6> values{};
    for (std::size_t i = 0; i < 6; ++i) {
        if (!dialoginput::ReadViewValue(boxText(Text[i]), cleaned[i], values[i])) {
            platform::MsgBox(dialoginput::kIllegalData, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
                             "Error");
            Text[i]->setFocus();
            Text[i]->selectAll();
            return;
        }
    }
    if (Option1->isChecked()) gCamera->ProjectType = 1;
    if (Option2->isChecked()) gCamera->ProjectType = 2;
    for (std::size_t i = 0; i < 6; ++i) {
        Text[i]->setText(QString::fromStdString(cleaned[i]));
        *kValues[i] = values[i];
    }
    accept();
}

void frmF14::Command2_Click() { reject(); }
