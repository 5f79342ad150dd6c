#include "app/scene_dialogs/light_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialog_kit/dialog_input.h"
#include "app/dialog_kit/dialog_widgets.h"
#include "app/dialog_kit/grid_dialogs_buttons.h"
#include "scene/light.h"
#include "state/globals.h"

using namespace dialogwidgets;

namespace {
// The four rows of boxes: frame, caption, and the box numbers (1-based) in
// the order of the row.
struct Row {
    const char* frame;
    const char* caption;
    std::array<int, 4> boxes;
    std::array<const char*, 4> labels;
};
constexpr Row kRows[4] = {{"Frame1", "Light Position", {1, 2, 3, 16}, {"X", "Y", "Z", "W"}},
                          {"Frame2", "Diffuse light color", {4, 5, 6, 7}, {"R", "G", "B", "A"}},
                          {"Frame3", "Ambient light color", {8, 9, 10, 11}, {"R", "G", "B", "A"}},
                          {"Frame4", "Specular light color", {12, 13, 14, 15}, {"R", "G", "B", "A"}}};

// The light's four values a row edits.
template <class Light>
auto& rowValues(Light& light, int row) {
    switch (row) {
    case 0: return light.Position;
    case 1: return light.Diffuse;
    case 2: return light.Amission;
    default: return light.Specular;
    }
}
}  // namespace

frmF8::frmF8(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmF8"));
    setWindowTitle(QStringLiteral("Light Properties"));
    Check1 = check(this, "Check1", QStringLiteral(" Lighting"), true);
    Check2 = check(this, "Check2", QStringLiteral(" Two sides"), true);
    Check3 = check(this, "Check3", QStringLiteral("Global ambient light"), true);
    auto* root = new QVBoxLayout(this);
    for (QWidget* w : {Check1, Check2, Check3}) root->addWidget(w);
    QGroupBox** frames[4] = {&Frame1, &Frame2, &Frame3, &Frame4};
    for (int r = 0; r < 4; ++r) {
        QGroupBox* f = *frames[r] = frame(this, kRows[r].frame, QString::fromUtf8(kRows[r].caption));
        auto* row = new QHBoxLayout(f);
        for (int k = 0; k < 4; ++k) {
            const int n = kRows[r].boxes[static_cast<std::size_t>(k)];
            const std::string labelName = "Label" + std::to_string(n), textName = "Text" + std::to_string(n);
            QLabel* l = Label[static_cast<std::size_t>(n - 1)] =
                label(f, labelName.c_str(), QString::fromUtf8(kRows[r].labels[static_cast<std::size_t>(k)]));
            QLineEdit* e = Text[static_cast<std::size_t>(n - 1)] =
                edit(f, textName.c_str(), n <= 3 ? "100" : "1");
            e->setMaximumWidth(80);
            row->addWidget(l);
            row->addWidget(e);
        }
        root->addWidget(f);
    }
    const OkCancelRow buttons = makeOkCancelRow(this, "Command1", "Command2");
    Command1 = buttons.ok;
    Command2 = buttons.cancel;
    root->addLayout(buttons.row);
    connect(Command1, &QPushButton::clicked, this, &frmF8::Command1_Click);
    Form_Load();
}

void frmF8::Form_Load() {
    const Cls10& light = *gLight;
    Check1->setChecked(light.Enabled);
    Check2->setChecked(light.TwoSides(0) != 0);
    Check3->setChecked(light.GlobalAmbient(0) != 0);
    for (int r = 0; r < 4; ++r) {
        const auto& values = rowValues(light, r);
        for (int k = 0; k < 4; ++k) {
            QLineEdit* e = Text[static_cast<std::size_t>(kRows[r].boxes[static_cast<std::size_t>(k)] - 1)];
            e->setText(QString::fromStdString(dialoginput::SingleText(values(k))));
        }
    }
}

void frmF8::Command1_Click() {
    // Every box first, in the order Text1, Text2, Text3, Text16, Text4 .. Text15.
    std::array<float, 16> v{};
    for (int r = 0; r < 4; ++r) {
        const Row& row = kRows[r];
        std::array<std::string, 4> names;
        for (int k = 0; k < 4; ++k)
            names[static_cast<std::size_t>(k)] = std::string(row.caption) + " " + row.labels[static_cast<std::size_t>(k)];
        const auto box = [&](int k) {
            return Box{Text[static_cast<std::size_t>(row.boxes[static_cast<std::size_t>(k)] - 1)],
                       names[static_cast<std::size_t>(k)].c_str()};
        };
        if (!readBoxes({box(0), box(1), box(2), box(3)}, &v[static_cast<std::size_t>(4 * r)], dialoginput::ReadSingle,
                       dialoginput::SingleMessage))
            return;
    }
    Cls10& light = *gLight;
    light.Enabled = Check1->isChecked();
    light.TwoSides(0) = Check2->isChecked() ? 1.0f : 0.0f;
    light.GlobalAmbient(0) = Check3->isChecked() ? 1.0f : 0.0f;
    for (int r = 0; r < 4; ++r) {
        auto& values = rowValues(light, r);
        for (int k = 0; k < 4; ++k) values(k) = v[static_cast<std::size_t>(4 * r + k)];
    }
    accept();
}

void frmF8::Command2_Click() { reject(); }
