#include "fitting/shared/parameter_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "fitting/common/parameter_entry.h"
#include "fitting/shared/dialog_parts.h"
#include "platform/msgbox.h"

ParameterDialog::ParameterDialog(const char* objectName, const char* caption, bool sorted, QListWidget& target,
                                 QWidget* parent)
    : QDialog(parent), sorted_(sorted), target_(target) {
    Label1 = MakeLabel(this, "Label1", "Name:");
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Label2 = MakeLabel(this, "Label2", "Starting Value:");
    Text2 = new QLineEdit(this);
    Text2->setObjectName("Text2");
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    Command1 = MakeDialogButton(this, "Command1", "Add");
    Command2 = MakeDialogButton(this, "Command2", "Change");
    Command3 = MakeDialogButton(this, "Command3", "Remove");
    Command4 = MakeDialogButton(this, "Command4", "OK");
    Command5 = MakeDialogButton(this, "Command5", "Cancel");
    Frame1 = new QGroupBox("Note", this);
    Frame1->setObjectName("Frame1");
    Label3 = MakeLabel(Frame1, "Label3",
                       "The Parameter must be one of a,b,...,t, and must be in the order of a to t.");
    Label3->setWordWrap(true);
    (new QVBoxLayout(Frame1))->addWidget(Label3);
    Frame1->setFixedWidth(fontMetrics().averageCharWidth() * 20);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Text2, 1, 1);
    auto* edits = new QVBoxLayout;
    edits->addWidget(Command1);
    edits->addWidget(Command2);
    edits->addWidget(Command3);
    edits->addStretch();
    grid->addLayout(edits, 2, 0);
    grid->addWidget(List1, 2, 1);
    List1->setFixedHeight(fontMetrics().height() * 6);
    auto* right = new QVBoxLayout;
    right->addWidget(Frame1);
    right->addStretch();
    right->addWidget(Command4);
    right->addWidget(Command5);
    grid->addLayout(right, 0, 2, 3, 1);

    // The order in which Tab moves; Text2 has the focus first.
    setTabOrder(Text2, List1);
    setTabOrder(List1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Combo1);
    Text2->setFocus();

    connect(List1, &QListWidget::itemClicked, this, &ParameterDialog::List1_Click);
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) List1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &ParameterDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ParameterDialog::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ParameterDialog::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ParameterDialog::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &ParameterDialog::Command5_Click);
    SetFixedDialogFrame(this, objectName, caption);
    Form_Load();
}

void ParameterDialog::Form_Load() {
    for (char c = 'a'; c <= 't'; ++c) Combo1->addItem(QString(QChar(c)));
    Combo1->setCurrentIndex(0);
    if (target_.count() == 0) return;
    List1->clear();
    for (int i = 0; i < target_.count(); ++i) {
        target_.setCurrentRow(i);
        addEntry(target_.item(i)->text());
    }
    selectEntry(0);
}

void ParameterDialog::List1_Click() {
    const QListWidgetItem* item = List1->currentItem();
    if (!item) return;
    const std::string entry = item->text().toStdString();
    const std::string name = ParameterEntryName(entry);
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 't') Combo1->setCurrentIndex(name[0] - 'a');
    Text2->setText(QString::fromStdString(ParameterEntryValue(entry)));
}

std::vector<std::string> ParameterDialog::entries() const {
    std::vector<std::string> list;
    for (int i = 0; i < List1->count(); ++i) list.push_back(List1->item(i)->text().toStdString());
    return list;
}

bool ParameterDialog::nameTaken() const {
    if (!ParameterNameTaken(entries(), Combo1->currentText().toStdString())) return false;
    platform::MsgBox("The parameter names must be different.");
    return true;
}

void ParameterDialog::addEntry(const QString& entry) {
    const std::size_t at = sorted_ ? SortedEntryPosition(entries(), entry.toStdString()) : List1->count();
    List1->insertItem(static_cast<int>(at), entry);
}

void ParameterDialog::selectEntry(int row) {
    {
        const QSignalBlocker quiet(List1);
        List1->setCurrentRow(row);
    }
    List1_Click();
}

bool ParameterDialog::hasSelection() const {
    return List1->currentRow() >= 0 && List1->currentItem() && List1->currentItem()->isSelected();
}

void ParameterDialog::Command1_Click() {
    if (nameTaken()) return;
    addEntry(QString::fromStdString(
        MakeParameterEntry(Combo1->currentText().toStdString(), Text2->text().toStdString())));
    selectEntry(List1->count() - 1);
}

void ParameterDialog::Command2_Click() {
    // With no entry selected (as after a Change) there is nothing to change.
    if (List1->count() == 0 || !hasSelection()) return;
    if (nameTaken()) return;
    const QSignalBlocker quiet(List1);  // the boxes keep what was typed
    delete List1->takeItem(List1->currentRow());
    addEntry(QString::fromStdString(
        MakeParameterEntry(Combo1->currentText().toStdString(), Text2->text().toStdString())));
    List1->setCurrentRow(-1);
    List1->clearSelection();
}

void ParameterDialog::Command3_Click() {
    if (List1->count() == 0 || !hasSelection()) return;
    const int k = List1->currentRow();
    {
        const QSignalBlocker quiet(List1);
        delete List1->takeItem(k);
        List1->setCurrentRow(-1);
    }
    if (List1->count() == 0) return;
    selectEntry(k < List1->count() ? k : k - 1);
}

void ParameterDialog::Command4_Click() {
    target_.clear();
    for (int i = 0; i < List1->count(); ++i) {
        selectEntry(i);
        target_.addItem(List1->item(i)->text());
    }
    accept();
}

void ParameterDialog::Command5_Click() { reject(); }

void ParameterDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

frmPara::frmPara(QListWidget& List2, QWidget* parent)
    : ParameterDialog("frmPara", "NCF: Parameters", true, List2, parent) {}
