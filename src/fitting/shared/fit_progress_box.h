#pragma once
// The progress box of a running fit: the iteration and the residual sum of
// squares, refreshed while it shows, and Cancel. Cancel (a click on it, Escape
// or closing the box) asks the fit to stop; the box closes when the fit has
// ended. Return, Enter and Space do nothing: typed a moment too late for
// another window, they must not stop a long fit.
#include <QDialog>

class FitProgress;
class QLabel;
class QPushButton;
class QTimer;

class FitProgressBox : public QDialog {
    Q_OBJECT
public:
    FitProgressBox(FitProgress& progress, QWidget* parent);

    QLabel* Label1;
    QPushButton* Command1;  // Cancel

signals:
    void cancelRequested();  // after the fit was asked to stop

public slots:
    void reject() override;  // cancels; the box stays until the fit has stopped

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();

    FitProgress& progress_;
    QTimer* refresher_;
};
