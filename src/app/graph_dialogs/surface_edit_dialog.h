#pragma once
// frmF12: the "3D Surface Properties" dialog of a surface graph: colour map,
// floor colour map and contours, data points, material, shading, texture and
// transparency. It changes nothing itself: its OK builds the settings of a
// fresh graph (settings()), which "Edit..." then copies into the edited graph.
#include <QDialog>
#include <functional>
#include <memory>

#include "app/graph_dialogs/surface_edit_model.h"
#include "platform/common_dialog.h"

class Cls9;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

class frmF12 : public QDialog {
    Q_OBJECT
public:
    // Builds the controls with their designed values and runs the load step.
    explicit frmF12(QWidget* parent = nullptr);

    // "Edit..."'s presets from the edited graph.
    void Preset(const Cls9& graph);
    // What the controls hold, and setting them as "Edit..." does.
    SurfaceDialogValues values() const;
    void setValues(const SurfaceDialogValues& v);

    void Command1_Click();  // "...": the texture browse
    void Command3_Click();  // OK
    void Command4_Click();  // Cancel

    // The fresh graph OK built; empty until OK succeeded.
    std::shared_ptr<Cls9> settings() const { return mGraph; }
    // What OK does with the fresh graph before the dialog closes ("Edit..."
    // copies it into the edited graph and redraws); false keeps it open.
    std::function<bool(Cls9& fresh)> apply;

    QTabWidget* SSTab1;
    QCheckBox *Check1, *Check2, *Check4, *Check5, *Check6;
    QLabel *Label2, *Label7;
    QLineEdit *Text1, *Text2;
    QComboBox* Combo1;
    QListWidget* List1;
    QGroupBox *Frame1, *Frame2;
    QRadioButton *Option5, *Option6, *Option8, *Option9, *Option10;
    QPushButton *Command1, *Command3, *Command4;
    QSlider* Slider1;
    platform::CommonDialog dlgColor;  // the texture browse

private:
    void buildGeneralTab();
    void buildColorTab();
    void buildMaterialTab();
    void buildSmoothnessTab();
    void buildTextureTab();
    void buildTransparencyTab();
    void Form_Load();
    void Check2_Click();
    void Check5_Click();
    void Check6_Click();

    std::shared_ptr<Cls9> mGraph;
};
