#pragma once
// frmF8: the "Light Properties" dialog: lighting on or off, two-sided
// lighting, the global ambient light, the light position and its diffuse,
// ambient and specular colours. OK checks every box, then writes them all.
#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmF8 : public QDialog {
    Q_OBJECT
public:
    // Loads the dialog from gLight (Form_Load).
    explicit frmF8(QWidget* parent = nullptr);

    void Command1_Click();  // OK
    void Command2_Click();  // Cancel

    QCheckBox *Check1, *Check2, *Check3;
    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4;
    // Text1..Text16 at Text[0]..Text[15], Label1..Label16 likewise.
    std::array<QLineEdit*, 16> Text{};
    std::array<QLabel*, 16> Label{};
    QPushButton *Command1, *Command2;

private:
    void Form_Load();
};
