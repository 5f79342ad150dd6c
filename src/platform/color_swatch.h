#pragma once
// ColorSwatch: a small box showing a colour (&HBBGGRR) as its background. A
// click, or Space or Enter while it has the focus, opens the colour dialog
// given to it; the colour chosen there becomes the swatch's, and a cancelled
// dialog leaves the swatch as it was. The dialogs that edit colours (axis,
// graph properties) use it for every colour they show.
#include <QFrame>

namespace platform {

class CommonDialog;

class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr, long color = 0);

    long color() const { return color_; }
    void setColor(long color);
    // The dialog a click shows (it keeps its own Color between showings);
    // without one a click does nothing.
    void setColorDialog(CommonDialog* dialog) { dialog_ = dialog; }

    // Shows the colour dialog starting from the swatch's colour; true when a
    // colour was chosen.
    bool PickSwatchColor();

    QSize sizeHint() const override;

signals:
    void clicked();
    void colorChanged(long color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void activate();

    long color_ = 0;
    CommonDialog* dialog_ = nullptr;
};

}  // namespace platform
