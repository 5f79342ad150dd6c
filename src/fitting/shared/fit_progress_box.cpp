#include "fitting/shared/fit_progress_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "fitting/common/fit_progress.h"

namespace {

constexpr int kRefreshMs = 100;

}  // namespace

FitProgressBox::FitProgressBox(FitProgress& progress, QWidget* parent)
    : QDialog(parent), progress_(progress), refresher_(new QTimer(this)) {
    setObjectName("frmFitProgress");
    setWindowTitle("Fitting");
    setWindowModality(Qt::ApplicationModal);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setMinimumWidth(fontMetrics().averageCharWidth() * 44);
    Command1 = new QPushButton("Cancel", this);
    Command1->setObjectName("Command1");
    // Not a default button, and no focus for Space: only a click cancels by it.
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    Command1->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    connect(Command1, &QPushButton::clicked, this, &FitProgressBox::reject);
    connect(refresher_, &QTimer::timeout, this, &FitProgressBox::refresh);
    refresh();
}

void FitProgressBox::showEvent(QShowEvent* event) {
    refresh();
    refresher_->start(kRefreshMs);
    QDialog::showEvent(event);
}

void FitProgressBox::refresh() { Label1->setText(QString::fromStdString(progress_.text())); }

void FitProgressBox::keyPressEvent(QKeyEvent* event) {
    // QDialog would press a default button, or the focused one, on Return and Enter.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);  // Escape cancels
}

void FitProgressBox::reject() {
    progress_.cancel();
    Command1->setEnabled(false);
    emit cancelRequested();
}
