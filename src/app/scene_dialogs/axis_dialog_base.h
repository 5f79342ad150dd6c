#pragma once
// What the two axis dialogs share: a tab control over OK and Cancel; a
// Cancel (the button, Esc or the close box) that records that the dialog was
// cancelled, so that "Axis..." does not redraw; and the "Scales" frame, whose
// ratio boxes each stand for one of the scene's axis ratios.
#include <QDialog>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class AxisDialogBase : public QDialog {
    Q_OBJECT
public:
    virtual void Command1_Click() = 0;  // OK
    void Command2_Click();              // Cancel
    void reject() override;

    QTabWidget* SSTab1;
    QPushButton *Command1, *Command2;

protected:
    // A dialog captioned "Axis Properties" named `name`, with its tab control.
    AxisDialogBase(const char* name, QWidget* parent);
    // Puts OK and Cancel under the tabs (added by then) and opens the first tab.
    void finishLayout();

    struct RatioBox {
        const char* object;  // the box's name (Text7)
        const char* name;    // as the messages name it (Ratio X)
        double* ratio;       // the global it shows and sets
    };
    // The controls of the "Scales" frame: the options "Square", "Equal" and
    // "Custom", then the ratio row: a caption, the boxes with ":" between.
    struct Scales {
        QGroupBox* frame;
        QRadioButton *square, *equal, *custom;
        std::vector<QLabel*> labels;  // the caption, then each ":"
        std::vector<QLineEdit*> boxes;
    };
    // Builds the frame (named Frame2) on `tab`; the options then enable the row.
    Scales buildScales(QWidget* tab, const char* const (&options)[3], const char* caption,
                       const std::vector<const char*>& labelNames, std::vector<RatioBox> ratios);
    // Selects the option of gAxisScaleMode; under "Custom" the boxes show the ratios.
    void loadScales();
    // Under "Custom", every ratio box into `ratios` (in box order), or false
    // after the message of the first one refused.
    bool readRatios(double* ratios);
    // gAxisScaleMode, and under "Custom" the ratios read.
    void storeScales(const double* ratios);

private:
    void scaleClick();
    Scales scales_{};
    std::vector<RatioBox> ratios_;
};
