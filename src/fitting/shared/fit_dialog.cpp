#include "fitting/shared/fit_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "fitting/shared/dialog_parts.h"

namespace {

// The function list, in the order the dialogs show it.
const char* const kFunctions[] = {"abs()",  "atan()",  "cos()",   "exp()",   "int()",  "log()",   "rnd()",
                                  "sin()",  "sqr()",   "tan()",   "sec()",   "csec()", "ctan()",  "asin()",
                                  "acos()", "asec()",  "acsec()", "actan()", "sinh()", "cosh()",  "tanh()",
                                  "ctanh()", "asinh()", "acosh()", "atanh()", "asech()", "acsech()", "actanh()"};

QCheckBox* makeCheck(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(true);
    return box;
}

QListWidget* makeList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    return list;
}

}  // namespace

FitDialog::FitDialog(const FitDialogDesign& design, QWidget* parent) : QDialog(parent) {
    // The left column: the columns not assigned, "Parameters...", the parameters.
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    List1 = makeList(Frame1, "List1");
    Command1 = MakeDialogButton(Frame1, "Command1", "Parameters...");
    List2 = makeList(Frame1, "List2");
    auto* left = new QVBoxLayout(Frame1);
    left->addWidget(List1, 3);
    left->addWidget(Command1);
    left->addWidget(List2, 2);
    List1->setMinimumHeight(fontMetrics().height() * 4);
    List2->setMinimumHeight(fontMetrics().height() * 3);
    List1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    List2->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    Frame1->setFixedWidth(Command1->sizeHint().width() + 2 * fontMetrics().averageCharWidth() + 16);

    auto* grid = new QGridLayout(this);
    const int rows = 2 * static_cast<int>(design.variableSlots.size());
    grid->addWidget(Frame1, 0, 0, rows + 4, 1);
    for (std::size_t i = 0; i < design.variableSlots.size(); ++i) {
        const FitDialogDesign::Slot& s = design.variableSlots[i];
        VariableSlot v{MakeLabel(this, s.labelName, s.caption), MakeDialogButton(this, s.buttonName, ">>"),
                       MakeSlotList(this, s.listName)};
        v.button->setFixedWidth(fontMetrics().horizontalAdvance("<<") * 3);
        const int row = 2 * static_cast<int>(i);
        grid->addWidget(v.label, row, 2);
        grid->addWidget(v.button, row + 1, 1);
        grid->addWidget(v.list, row + 1, 2);
        variables.push_back(v);
    }

    Label2 = MakeLabel(this, "Label2", design.modelCaption);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFixedHeight(fontMetrics().height() * 3 + 8);
    grid->addWidget(Label2, rows, 2);
    grid->addWidget(Text1, rows + 1, 2);

    // The keypad, with "Insert" and the function list to its right.
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName("Frame2");
    auto* pad = new QGridLayout(Frame2);
    pad->setSpacing(4);
    const int keySide = fontMetrics().height() + 10;
    for (int k = 0; k < 20; ++k) {
        const QString name = QString("Command%1").arg(design.firstKey + k);
        const QString caption = design.keys[static_cast<std::size_t>(k)];
        QPushButton* key = MakeDialogButton(Frame2, name.toLatin1().constData(), caption);
        key->setFixedSize(keySide * 3 / 2, keySide);
        pad->addWidget(key, k / 5, k % 5);
        keys.push_back(key);
        if (caption == "B")
            connect(key, &QPushButton::clicked, this, &FitDialog::DeleteBeforeCaret);
        else
            connect(key, &QPushButton::clicked, this, [this, caption] { InsertAtCaret(caption); });
    }
    Command4 = MakeDialogButton(this, "Command4", "Insert");
    Label3 = MakeLabel(this, "Label3", "Functions");
    List5 = makeList(this, "List5");
    List5->setFixedHeight(keySide * 4);
    Frame2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* functions = new QVBoxLayout;
    functions->addWidget(Command4, 0, Qt::AlignLeft);
    functions->addWidget(Label3);
    functions->addWidget(List5);
    functions->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addWidget(Frame2, 0, Qt::AlignTop);
    lower->addLayout(functions, 1);
    grid->addLayout(lower, rows + 2, 1, 1, 3);

    Check1 = makeCheck(this, "Check1", "Plot Scatter");
    Check2 = makeCheck(this, "Check2", "Plot Model");
    checkRow_ = new QGridLayout;
    checkRow_->addWidget(Check1, 0, 0);
    checkRow_->addWidget(Check2, 0, 1);
    checkRow_->setColumnStretch(3, 1);
    grid->addLayout(checkRow_, rows + 3, 1, 1, 3);

    Command5 = MakeDialogButton(this, "Command5", "OK");
    Command6 = MakeDialogButton(this, "Command6", "Cancel");
    optionsButton = MakeDialogButton(this, design.optionsName, "Options");
    auto* right = new QVBoxLayout;
    if (design.optionsFirst) right->addWidget(optionsButton);
    right->addWidget(Command5);
    right->addWidget(Command6);
    if (!design.optionsFirst) right->addWidget(optionsButton);
    right->addStretch();
    grid->addLayout(right, 0, 3, rows + 2, 1);
    grid->setColumnMinimumWidth(2, fontMetrics().averageCharWidth() * 36);

    connect(Command1, &QPushButton::clicked, this, &FitDialog::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &FitDialog::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &FitDialog::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &FitDialog::Command6_Click);
    SetFixedDialogFrame(this, design.objectName, design.caption);
}

void FitDialog::Form_Load() {
    FillFunctionList();
    FillColumnList(List1);
}

void FitDialog::FillFunctionList() {
    List5->clear();
    for (const char* f : kFunctions) List5->addItem(f);
    List5->setCurrentRow(0);
}

void FitDialog::InsertAtCaret(const QString& s) {
    QTextCursor c = Text1->textCursor();
    const int p = c.selectionStart();
    c.setPosition(p);
    c.insertText(s);
    c.setPosition(p + static_cast<int>(s.size()));
    Text1->setTextCursor(c);
    Text1->setFocus();
}

void FitDialog::DeleteBeforeCaret() {
    QTextCursor c = Text1->textCursor();
    const int p = c.selectionStart();
    if (p == 0) return;
    c.setPosition(p);
    c.deletePreviousChar();
    Text1->setTextCursor(c);
    Text1->setFocus();
}

void FitDialog::Command4_Click() {
    const QListWidgetItem* item = List5->currentItem();
    if (!item) return;
    QString f = item->text();
    f.chop(1);
    InsertAtCaret(f);
}

void FitDialog::Command6_Click() { reject(); }

FitDialogInput FitDialog::input() const {
    FitDialogInput in;
    in.model = Text1->toPlainText().toStdString();
    for (int i = 0; i < List2->count(); ++i) in.parameters.push_back(List2->item(i)->text().toStdString());
    for (const VariableSlot& v : variables) in.columns.push_back(SlotColumn(v.list));
    in.plotScatter = Check1->isChecked();
    in.plotModel = Check2->isChecked();
    return in;
}
