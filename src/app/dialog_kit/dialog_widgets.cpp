#include "app/dialog_kit/dialog_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/msgbox.h"

namespace dialogwidgets {
namespace {
template <class W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromUtf8(name));
    return w;
}
}  // namespace

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
    return named(new QLabel(caption, parent), name);
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& text) {
    return named(new QLineEdit(text, parent), name);
}

QCheckBox* check(QWidget* parent, const char* name, const QString& caption, bool ticked) {
    auto* c = named(new QCheckBox(caption, parent), name);
    c->setChecked(ticked);
    return c;
}

QRadioButton* option(QWidget* parent, const char* name, const QString& caption) {
    return named(new QRadioButton(caption, parent), name);
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    return named(new QGroupBox(caption, parent), name);
}

QComboBox* list(QWidget* parent, const char* name) {
    auto* c = named(new QComboBox(parent), name);
    c->setEditable(false);
    return c;
}

QTabWidget* tabDialog(QDialog* dialog, const char* name, const QString& caption) {
    named(dialog, name);
    dialog->setWindowTitle(caption);
    return named(new QTabWidget(dialog), "SSTab1");
}

OkCancelRow finishTabs(QDialog* dialog, QTabWidget* tabs, const char* okName, const char* cancelName) {
    tabs->setCurrentIndex(0);
    const OkCancelRow buttons = makeOkCancelRow(dialog, okName, cancelName);
    auto* root = new QVBoxLayout(dialog);
    root->addWidget(tabs);
    root->addLayout(buttons.row);
    return buttons;
}

std::string boxText(const QLineEdit* edit) { return edit->text().toStdString(); }

void refuse(QLineEdit* box, const std::string& message) {
    platform::MsgBox(message, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
    box->setFocus();
    box->selectAll();
}

}  // namespace dialogwidgets
