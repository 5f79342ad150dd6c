#pragma once
// The parameter and options dialogs of surface and volume fitting: frmPara2
// ("SF: Parameters") and frmPara3 ("VF: Parameters") keep the parameters in
// the order the user enters them; frmSurFitOptions ("Surface: Options") sets
// gSurfMaxIterations and gSurfTolerance, the one pair both fits share.
#include "fitting/shared/options_dialog.h"
#include "fitting/shared/parameter_dialog.h"

class frmPara2 : public ParameterDialog {
    Q_OBJECT
public:
    frmPara2(QListWidget& List2, QWidget* parent);
};

// As frmPara2; Tab runs backwards (Combo1, Cancel, OK, Remove, Change, Add,
// List1, Text2) and Combo1 has the focus first.
class frmPara3 : public ParameterDialog {
    Q_OBJECT
public:
    frmPara3(QListWidget& List2, QWidget* parent);
};

// "Iteration" alone; OK refuses a count outside 1 .. 100000 or a tolerance
// outside 1E-15 .. 0.5 with its message, the dialog staying open.
class frmSurFitOptions : public IterationOptionsDialog {
    Q_OBJECT
public:
    explicit frmSurFitOptions(QWidget* parent);

    void Form_Load();  // both settings as number texts
};
