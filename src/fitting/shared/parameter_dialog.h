#pragma once
// ParameterDialog: the parameter dialog of the fitting dialogs. It works on a
// copy of its fitting dialog's parameter list (List2) and writes it back on OK:
// each parameter a ParameterEntry, a name from "a" to "t" and a starting value.
// frmPara keeps the list sorted; the surface and volume dialogs' versions keep
// the order of arrival. The only refusal is a name already in the list.
#include <QDialog>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class ParameterDialog : public QDialog {
    Q_OBJECT
public:
    // target: the fitting dialog's List2, read now and replaced on OK.
    ParameterDialog(const char* objectName, const char* caption, bool sorted, QListWidget& target,
                    QWidget* parent);

    void Form_Load();
    void List1_Click();    // an entry became selected: its name and value to Combo1 and Text2
    void Command1_Click();  // "Add"
    void Command2_Click();  // "Change": the selected entry; nothing when none is selected
    void Command3_Click();  // "Remove": the selected entry; nothing when none is selected
    void Command4_Click();  // "OK"
    void Command5_Click();  // "Cancel"

    QLabel *Label1, *Label2, *Label3;
    QComboBox* Combo1;
    QLineEdit* Text2;
    QListWidget* List1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
    QGroupBox* Frame1;

protected:
    // No button answers Esc.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<std::string> entries() const;
    // The duplicate test; shows its message when the name is taken.
    bool nameTaken() const;
    void addEntry(const QString& entry);
    void selectEntry(int row);  // selects row and runs the selection rule
    bool hasSelection() const;

    bool sorted_;
    QListWidget& target_;
};

// frmPara: "NCF: Parameters", the sorted parameter list of frmNonLin.
class frmPara : public ParameterDialog {
    Q_OBJECT
public:
    frmPara(QListWidget& List2, QWidget* parent);
};
