#pragma once
// frmF33: the "2D Curve Properties" dialog of "Edit...": the line's colour
// and width, and whether, in which colour, size and symbol the data points
// are marked. OK copies the settings into the edited curve (ApplyEditedGraph).
#include <QDialog>

#include "platform/common_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class Cls9;
struct GraphEditHost;
namespace platform {
class ColorSwatch;
}

class frmF33 : public QDialog {
    Q_OBJECT
public:
    // The dialog as loaded (Form_Load), editing `edited` of the host's document.
    frmF33(GraphEditHost& host, Cls9& edited);

    // What "Edit..." writes into the controls before showing the dialog. A
    // width or size that has no line of its list goes into the list's text.
    void Preset(const Cls9& graph);

    void Command1_Click();  // OK
    void Command2_Click();  // Cancel

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    platform::ColorSwatch *Picture1, *Picture2;
    QComboBox *Combo1, *Combo2, *Combo3;
    QGroupBox* Frame1;
    QCheckBox* Check1;
    QPushButton *Command1, *Command2;
    platform::CommonDialog dlgColor;

private:
    void Form_Load();
    GraphEditHost& host_;
    Cls9& edited_;
};
