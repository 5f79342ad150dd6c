#pragma once
// frmF14: the "View Setting" dialog: the camera's projection type and the six
// "View Intervals" values. OK checks the six boxes before it writes anything.
#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmF14 : public QDialog {
    Q_OBJECT
public:
    // Loads the dialog from gCamera and the view globals (Form_Load).
    explicit frmF14(QWidget* parent = nullptr);

    void Command1_Click();  // OK
    void Command2_Click();  // Cancel

    QGroupBox *Frame1, *Frame2;
    QRadioButton *Option1, *Option2;
    // Text1..Text6 ("Min x", "Max x", "Min y", "Max y", "Min z", "Max z") at
    // Text[0]..Text[5], Label1..Label6 likewise.
    std::array<QLineEdit*, 6> Text{};
    std::array<QLabel*, 6> Label{};
    QPushButton *Command1, *Command2;

private:
    void Form_Load();
};
