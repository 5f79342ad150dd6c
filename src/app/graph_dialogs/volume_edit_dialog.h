#pragma once
// frmF31: the "4D Slice & Isosurface Properties" dialog of a 4-D graph: its
// colour map, its data points, the slice lists of the three axes and the
// isosurface levels. It changes nothing itself: its OK builds the settings of
// a fresh graph (settings()), which "Edit..." then copies into the edited graph.
#include <QDialog>
#include <functional>
#include <array>
#include <memory>

#include "app/graph_dialogs/volume_edit_model.h"
#include "platform/common_dialog.h"

class Cls9;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
namespace platform {
class ColorSwatch;
}

// One tab's slice editor (X: Text1, Text7..Text10, Check1, Check2, Text4,
// Picture3, List1, Command3..5; Y and Z alike with their own controls).
struct SliceEditor {
    QGroupBox* frame;
    QLabel *valueLabel, *rows1, *to1Label, *rows2, *to2Label, *stepLabel, *colorLabel, *listLabel;
    QLineEdit *value, *from1, *to1, *from2, *to2, *step;
    QCheckBox *colormap, *contour;
    platform::ColorSwatch* swatch;
    QListWidget* list;
    QPushButton *add, *del, *reset;
};

class frmF31 : public QDialog {
    Q_OBJECT
public:
    // Builds the controls with their designed values and runs the load step.
    explicit frmF31(QWidget* parent = nullptr);

    // "Edit..."'s presets from the edited graph.
    void Preset(const Cls9& graph);
    VolumeDialogValues values() const;
    void setValues(const VolumeDialogValues& v);

    // The editors' buttons (0 X, 1 Y, 2 Z): Add, Delete, Reset.
    void AddSlice(int axis);
    void DeleteSlice(int axis);
    void ResetSlices(int axis);
    void Command12_Click();  // "Add" isosurface
    void Command13_Click();  // "Delete"
    void Command14_Click();  // "Reset"
    void Command1_Click();   // OK
    void Command2_Click();   // Cancel

    // The fresh graph OK built; empty until OK succeeded.
    std::shared_ptr<Cls9> settings() const { return mGraph; }
    // What OK does with the fresh graph before the dialog closes ("Edit..."
    // copies it into the edited graph and redraws); false keeps it open.
    std::function<bool(Cls9& fresh)> apply;

    QTabWidget* SSTab1;
    QGroupBox* Frame1;
    QComboBox* Combo1;
    QCheckBox* Check10;
    std::array<SliceEditor, 3> Editors{};
    QLabel* Label1;
    QLineEdit* Text19;
    QListWidget* List4;
    QPushButton *Command1, *Command2, *Command12, *Command13, *Command14;
    platform::CommonDialog dlgColor;  // the contour colour swatches'

private:
    // The names of one editor's controls, in SliceEditor's order.
    struct EditorNames {
        const char* frame;
        const char *valueLabel, *valueCaption, *value;
        const char *rows1, *rows1Caption, *from1, *to1Label, *to1;
        const char *rows2, *rows2Caption, *from2, *to2Label, *to2;
        const char *colormap, *contour, *stepLabel, *step, *colorLabel, *swatch, *listLabel, *list;
        const char *add, *del, *reset;
    };
    void buildGeneralTab();
    void buildSliceTab(int axis, const char* caption, const EditorNames& n);
    void buildIsosurfaceTab();
    void Form_Load();

    std::shared_ptr<Cls9> mGraph;
};
