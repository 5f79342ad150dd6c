#pragma once
// Driving a fitting dialog of the FitDialog family as a user would: columns
// into its slots and parameters through its parameter dialog.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "fitting/shared/fit_dialog.h"
#include "support/when_shown.h"

struct Parameter {
    QString name, start;
};

// Moves the first column of the list into each slot in turn (Var1 to x, ...)
// and lists the parameters in the parameter dialog D.
template <class D>
void chooseColumnsAndParameters(FitDialog* d, const std::vector<Parameter>& parameters) {
    for (const FitDialog::VariableSlot& v : d->variables) {
        d->List1->setCurrentRow(0);
        v.button->click();
    }
    whenShown<D>([parameters](D* p) {
        for (const Parameter& q : parameters) {
            p->Combo1->setCurrentText(q.name);
            p->Text2->clear();
            QTest::keyClicks(p->Text2, q.start);
            p->Command1->click();
        }
        p->Command4->click();
    });
    d->Command1->click();
}
