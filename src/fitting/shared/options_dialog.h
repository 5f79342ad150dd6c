#pragma once
// The fitting options dialogs. IterationOptionsDialog holds what they share:
// the "Iteration" frame with "Maximum Number" and "Tollerance", shown as
// number texts and read back on OK, which refuses a value out of range (the
// dialog stays open) and otherwise stores both in the globals it was given.
// frmNLOptions adds the method and the curve colour of nonlinear curve
// fitting; the surface and volume fits use the frame alone.
#include <QDialog>

#include "platform/common_dialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

class IterationOptionsDialog : public QDialog {
    Q_OBJECT
public:
    IterationOptionsDialog(const char* objectName, const char* caption, long& maxIterations, double& tolerance,
                           QWidget* parent);

    void Command1_Click();  // "OK"
    void Command2_Click();  // "Cancel"

    QGroupBox* Frame2;
    QLabel *Label1, *Label2;
    QLineEdit *Text1, *Text2;
    QPushButton *Command1, *Command2;

protected:
    // Shows the two settings; called by the load step.
    void showIterationOptions();
    // Stores the dialog's further settings once both numbers were accepted.
    virtual void storeMore() {}
    // Where a dialog puts its further frames: above "Iteration", or below it.
    QVBoxLayout* frames() const { return frames_; }
    // Fixes the window; called once every frame is in place.
    void finishFrame();

private:
    const char* objectName_;
    const char* caption_;
    long& maxIterations_;
    double& tolerance_;
    QVBoxLayout* frames_;
};

// frmNLOptions: "Non-Linear: Options", the method, iterations, tolerance and
// curve colour of nonlinear curve fitting. The colour changes only by OK.
class frmNLOptions : public IterationOptionsDialog {
    Q_OBJECT
public:
    explicit frmNLOptions(QWidget* parent);

    void Form_Load();
    void Picture1_Click();  // the swatch: the colour dialog; a cancel keeps the colour

    QGroupBox *Frame1, *Frame3;
    QRadioButton *Option1, *Option2;
    QLabel *Label3, *Picture1;
    platform::CommonDialog Dialog1;

    long swatchColour() const { return colour_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void storeMore() override;

private:
    void paintSwatch();
    long colour_ = 0;
};
