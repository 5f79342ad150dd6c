#pragma once
// Small builders for the controls of the axis, light and view dialogs: each
// control gets its name (Text1, Check2, ...) as its object name, so tests
// and readers find it as the dialogs name it.
#include <QString>
#include <initializer_list>
#include <string>

#include "app/dialog_kit/grid_dialogs_buttons.h"

class QCheckBox;
class QDialog;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace dialogwidgets {

QLabel* label(QWidget* parent, const char* name, const QString& caption);
QLineEdit* edit(QWidget* parent, const char* name, const QString& text);
QCheckBox* check(QWidget* parent, const char* name, const QString& caption, bool ticked);
QRadioButton* option(QWidget* parent, const char* name, const QString& caption);
QGroupBox* frame(QWidget* parent, const char* name, const QString& caption);
// A drop-down list that takes no typed text.
QComboBox* list(QWidget* parent, const char* name);

// A dialog of tabs over an OK and Cancel row: tabDialog names and captions
// the dialog and gives it its tab control SSTab1; once the tabs are added,
// finishTabs puts the row under them and opens the first tab.
QTabWidget* tabDialog(QDialog* dialog, const char* name, const QString& caption);
OkCancelRow finishTabs(QDialog* dialog, QTabWidget* tabs, const char* okName, const char* cancelName);

// Refuses a box: the message (with the application's title) and the box
// selected for a new entry. The dialog stays open.
void refuse(QLineEdit* box, const std::string& message);

// A box and the name its messages give it.
struct Box {
    QLineEdit* edit;
    const char* name;
};
std::string boxText(const QLineEdit* edit);

// Reads every box with read(text, out[i]); refuses the first box it cannot
// read with message(name) and returns false, leaving the later outputs alone.
template <class T, class Read, class Message>
bool readBoxes(std::initializer_list<Box> boxes, T* out, Read read, Message message) {
    for (const Box& b : boxes) {
        if (!read(boxText(b.edit), *out++)) {
            refuse(b.edit, message(b.name));
            return false;
        }
    }
    return true;
}

}  // namespace dialogwidgets
