#pragma once
// frmPoly: the "Polynomial Fitting" dialog: choose one of the nine models,
// assign a grid column to each of its variables, set the plot options and the
// clip option, and run the fit with "OK". Thin over RunPolynomialFit.
#include <QDialog>

#include "fitting/polynomial/polynomial_fit_host.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class frmPoly : public QDialog {
    Q_OBJECT
public:
    // Loads the dialog: the column list from gGridColumnNames, the
    // "Unary Quadratic Model", the clip option from gClipSurface.
    explicit frmPoly(PolynomialFitHost& host, QWidget* parent = nullptr);

    void Form_Load();
    void Combo1_Click();    // the model selected: its text, row captions and rows
    void Command1_Click();  // row x: ">>" takes the selected column, "<<" gives it back
    void Command2_Click();  // row y
    void Command3_Click();  // row z
    void Command4_Click();  // row v
    void Check3_Click();    // "Clip Surface" writes gClipSurface at once
    void Command5_Click();  // "OK": the run; closes when it completes
    void Command6_Click();  // "Cancel"

    long ModelNumber = 0;  // 1 .. 9, the selected model

    QListWidget *List1, *List2, *List3, *List4, *List5;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QComboBox* Combo1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6;
    QGroupBox* Frame1;
    QPlainTextEdit* Text1;
    QCheckBox *Check1, *Check2, *Check3;

private:
    void showRow(QLabel* label, QPushButton* button, QListWidget* list, bool shown);

    PolynomialFitHost& host_;
};
