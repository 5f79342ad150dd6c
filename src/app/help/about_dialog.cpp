#include "app/help/about_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/help/help.h"

#ifndef TRELVANE_VERSION
#define TRELVANE_VERSION "0"
#endif

namespace {
QLabel* named(QLabel* l, const char* name, const QString& family, double points, bool bold = false) {
    l->setObjectName(QString::fromUtf8(name));
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    l->setFont(f);
    return l;
}

// One line of the etched separator.
QFrame* rule(QWidget* parent, const QColor& colour) {
    auto* r = new QFrame(parent);
    r->setFixedHeight(1);
    r->setAutoFillBackground(true);
    QPalette p = r->palette();
    p.setColor(QPalette::Window, colour);
    r->setPalette(p);
    return r;
}
}  // namespace

frmF2::frmF2(std::string helpPath, QWidget* parent) : QDialog(parent), helpPath_(std::move(helpPath)) {
    setObjectName(QStringLiteral("frmF2"));
    setWindowTitle(QStringLiteral("About Trelvane"));
    lblTitle = named(new QLabel(QStringLiteral("Trelvane"), this), "lblTitle", QStringLiteral("Times New Roman"), 15.75,
                     true);
    Label2 = named(new QLabel(QStringLiteral("Version " TRELVANE_VERSION), this), "Label2", QStringLiteral("Arial"), 9);
    Label1 = named(new QLabel(QStringLiteral("Where is the help?"), this), "Label1", QStringLiteral("Arial"), 8.25);
    QFont link = Label1->font();
    link.setUnderline(true);
    Label1->setFont(link);
    QPalette lp = Label1->palette();
    lp.setColor(QPalette::WindowText, lp.color(QPalette::Highlight));
    Label1->setPalette(lp);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    lblDisclaimer = named(new QLabel(QStringLiteral("Trelvane fits models to tabulated data and draws them. It comes "
                                                    "without any warranty: check its results before you rely on them."),
                                     this),
                          "lblDisclaimer", QStringLiteral("Arial"), 8.25);
    lblDisclaimer->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("O K"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    QFont okFont(QStringLiteral("Arial"));
    okFont.setPointSizeF(8.25);
    cmdOK->setFont(okFont);
    // The default button (Enter); Esc closes the box through reject, the same way.
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmF2::cmdOK_Click);

    auto* root = new QVBoxLayout(this);
    root->addWidget(lblTitle);
    root->addWidget(Label2);
    root->addWidget(Label1);
    // Grey over white: an etched line.
    auto* etched = new QVBoxLayout;
    etched->setSpacing(0);
    etched->addWidget(rule(this, QColor(0x80, 0x80, 0x80)));
    etched->addWidget(rule(this, Qt::white));
    root->addLayout(etched);
    root->addWidget(lblDisclaimer);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    root->addLayout(buttons);
    setMinimumWidth(360);
}

void frmF2::Label1_Click() { ShowNoWebPage(helpPath_); }

void frmF2::cmdOK_Click() { accept(); }

bool frmF2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
