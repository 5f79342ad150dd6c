#pragma once
// frmF3: the "Axis Properties" dialog of 3-D and 4-D documents: whether the
// axis frame shows, its style, the scaling of the scene box, the three back
// panels, the plane grids, the label intervals and the axis titles. Nothing
// is written before OK; OK checks every box it will store first.
#include <initializer_list>

#include "app/scene_dialogs/axis_dialog_base.h"
#include "platform/common_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
namespace platform {
class ColorSwatch;
}

class frmF3 : public AxisDialogBase {
    Q_OBJECT
public:
    // Loads the dialog from gAxis and the scale globals (Form_Load).
    explicit frmF3(QWidget* parent = nullptr);

    void Command1_Click() override;  // OK

    // General
    QCheckBox* Check1;
    QGroupBox *Frame1, *Frame2;
    QRadioButton *Option1, *Option2, *Option3, *Option4, *Option5;
    QLabel *Label1, *Label16, *Label17;
    QLineEdit *Text7, *Text8, *Text9;
    // Panel
    QGroupBox *Frame3, *Frame4, *Frame5;
    QCheckBox *Check2, *Check3, *Check4;
    QLabel *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    platform::ColorSwatch *Picture1, *Picture2, *Picture3;
    QComboBox *Combo1, *Combo2, *Combo3;
    // Grid
    QGroupBox *Frame6, *Frame7, *Frame8;
    QCheckBox *Check5, *Check6, *Check7, *Check8, *Check9, *Check10;
    QLabel *Label11, *Label15, *Label21;
    platform::ColorSwatch *Picture5, *Picture7, *Picture9;
    // Label
    QLabel *Label8, *Label9, *Label10;
    QLineEdit *Text1, *Text2, *Text3;
    // Title
    QLabel *Label12, *Label13, *Label14;
    QLineEdit *Text4, *Text5, *Text6;

    platform::CommonDialog Dialog1;  // the colour dialog of the swatches

private:
    void buildGeneralTab();
    void buildPanelTab();
    void buildGridTab();
    void buildLabelTab();
    void buildTitleTab();
    // A tab of labelled boxes, one row each.
    struct BoxRow {
        const char *labelName, *labelCaption, *boxName, *designed;
        QLabel** label;
        QLineEdit** box;
    };
    void boxTab(const char* caption, std::initializer_list<BoxRow> rows);
    void Form_Load();
    void Check1_Click();
    void Option1_Click();
    void panelClick(QCheckBox* box, QLabel* colorLabel, platform::ColorSwatch* swatch, QLabel* materialLabel,
                    QComboBox* materials);
    // False (after the message) when a box that OK would store is refused.
    bool checkInput(double ratios[3], long counts[3]);
    bool appliesFrameTabs() const;
    void ApplyPanelSettings();
    void ApplyGridSettings();
    void ApplyLabelCounts(const long counts[3]);
    void ApplyAxisTitles();
};
