#pragma once
// FitDialog: the fitting dialog design that frmNonLin, frmSurFit and frmVolFit
// share, for one, two or three independent variables: the column list and
// the parameter list on the left, a ">>"/"<<" button and a slot per variable,
// the model text with its keypad and function list, the "Plot Scatter" and
// "Plot Model" boxes, and OK, Cancel and Options at the right edge. A design
// names its controls and captions; the dialog of a method adds its handlers.
#include <QDialog>
#include <array>
#include <vector>

#include "fitting/common/fit_setup.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

struct FitDialogDesign {
    struct Slot {
        const char* caption;     // "Independent (x)"
        const char* labelName;   // "Label1"
        const char* buttonName;  // "Command2"
        const char* listName;    // "List3"
    };
    const char* objectName;            // "frmNonLin"
    const char* caption;               // "Nonlinear Curve Fitting"
    const char* modelCaption;          // "Model Expression ( f(x,a,...) )"
    std::vector<Slot> variableSlots;          // the independent variables, then the dependent one
    int firstKey;                      // the number of the first keypad key's name: 7 is Command7
    std::array<const char*, 20> keys;  // captions, row by row; "B" deletes the character before the caret
    const char* optionsName;           // "Command27"
    bool optionsFirst;                 // right edge: Options, OK, Cancel (else OK, Cancel, Options)
};

class FitDialog : public QDialog {
    Q_OBJECT
public:
    // The designed state; the dialog of a method then runs its Form_Load.
    FitDialog(const FitDialogDesign& design, QWidget* parent);

    // The load step: FillFunctionList, then FillColumnList.
    virtual void Form_Load();

    // The shared mechanics.
    void FillFunctionList();
    // Inserts s at the caret (in front of a selection, which stays, unselected),
    // focuses the model text and puts the caret after s.
    void InsertAtCaret(const QString& s);
    // "B": deletes the one character in front of the caret (in front of a
    // selection); nothing at the start of the text.
    void DeleteBeforeCaret();
    virtual void Command1_Click() = 0;  // "Parameters..."
    void Command4_Click();              // "Insert": the selected function without its ")"
    virtual void Command5_Click() = 0;  // "OK": the fit; closes when it completes
    void Command6_Click();              // "Cancel"

    // What the dialog holds, for the fit behind OK.
    FitDialogInput input() const;

    QGroupBox *Frame1, *Frame2;
    QListWidget *List1, *List2, *List5;  // the columns, the parameters, the functions
    QPlainTextEdit* Text1;               // the model
    QLabel *Label2, *Label3;             // "Model Expression ...", "Functions"
    QPushButton *Command1, *Command4, *Command5, *Command6, *optionsButton;
    QCheckBox *Check1, *Check2;
    struct VariableSlot {
        QLabel* label;
        QPushButton* button;
        QListWidget* list;
    };
    std::vector<VariableSlot> variables;  // as the design's slots
    std::vector<QPushButton*> keys;       // the keypad, row by row

protected:
    // The row of check boxes along the bottom edge, for a third box.
    QGridLayout* checkRow() const { return checkRow_; }

private:
    QGridLayout* checkRow_;
};
