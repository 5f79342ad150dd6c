#pragma once
// frmF20: the "Axis Properties" dialog of 2-D documents: whether the axes
// show, their colour and width, the grid, the plot background (one colour or
// one of 18 two-colour styles picked on a picture of choices) and the scaling
// of X and Y. Everything is written by OK, after its checks.
#include <array>

#include "app/scene_dialogs/axis_dialog_base.h"
#include "platform/common_dialog.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
namespace platform {
class ColorSwatch;
}

class frmF20 : public AxisDialogBase {
    Q_OBJECT
public:
    // Loads the dialog from gAxis and the scale globals (Form_Load).
    explicit frmF20(QWidget* parent = nullptr);

    void Command1_Click() override;  // OK
    void Image1_Click(int Index);
    long backStyle() const { return mBackStyle; }
    int markedThumbnail() const { return mMarked; }

    static constexpr int kStyles = 19;

    // General
    QCheckBox *Check1, *Check6;
    QGroupBox* Frame2;
    QRadioButton *Option1, *Option2, *Option3;
    QLabel *Label7, *Label8;
    QLineEdit *Text1, *Text2;
    // Axis
    QCheckBox* Check5;
    QLabel *Label1, *Label2;
    platform::ColorSwatch* Picture1;
    QComboBox* Combo1;
    // Grid
    QCheckBox* Check2;
    QLabel* Label3;
    platform::ColorSwatch* Picture2;
    // Background
    QCheckBox* Check4;
    QLabel *Label5, *Label6;
    platform::ColorSwatch *Picture4, *Picture5;
    QGroupBox* Frame1;
    std::array<QLabel*, kStyles> Image1{};  // Image1(i) stands for style i + 1
    QFrame* Shape1;

    platform::CommonDialog dlgColor;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGeneralTab();
    void buildAxisTab();
    void buildGridTab();
    void buildBackgroundTab();
    void Form_Load();
    void markThumbnail(int index);

    long mBackStyle = 2;
    int mMarked = -1;
};
