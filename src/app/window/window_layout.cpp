// The main window's panes: creation, placement in twips and the splitter bars.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/window/layout_model.h"
#include "app/window/main_window.h"
#include "app/window/splitter_bar.h"

int frmF1::toPixelsX(long twips) const { return static_cast<int>(layout::roundHalfEven(twips * logicalDpiX() / 1440.0)); }
int frmF1::toPixelsY(long twips) const { return static_cast<int>(layout::roundHalfEven(twips * logicalDpiY() / 1440.0)); }
long frmF1::toTwipsX(int pixels) const { return layout::roundHalfEven(pixels * 1440.0 / logicalDpiX()); }
long frmF1::toTwipsY(int pixels) const { return layout::roundHalfEven(pixels * 1440.0 / logicalDpiY()); }

void frmF1::buildWidgets() {
    mClient = new QWidget(this);
    mClient->setObjectName(QStringLiteral("client"));
    setCentralWidget(mClient);

    Toolbar1 = new QToolBar(mClient);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(16, 16));
    StatusBar1 = new QStatusBar(mClient);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->showMessage(QStringLiteral("Ready"));

    mGridWidget = createGridWidget(mClient);

    List1 = new QListWidget(mClient);
    List1->setObjectName(QStringLiteral("List1"));
    Result = new QPlainTextEdit(mClient);
    Result->setObjectName(QStringLiteral("Result"));
    Result->setLineWrapMode(QPlainTextEdit::NoWrap);

    if (probeOpenGL()) {
        picDraw = new GLView(mClient);
        picDraw->setObjectName(QStringLiteral("picDraw"));
        picDraw->onInitialize = [this] { initializeGLState(); };
        picDraw->onPaint = [this] { picDraw_Paint(); };
        picDraw->onResize = [this] { mFrameFresh = false; };
        picDrawWidget = picDraw;
    } else {
        // Without OpenGL the drawing area is a plain white pane.
        picDrawWidget = new QWidget(mClient);
        picDrawWidget->setObjectName(QStringLiteral("picDraw"));
        picDrawWidget->setAutoFillBackground(true);
        QPalette p = picDrawWidget->palette();
        p.setColor(QPalette::Window, Qt::white);
        picDrawWidget->setPalette(p);
    }

    Splitter = new SplitterBar(Qt::Horizontal, mClient);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter2 = new SplitterBar(Qt::Vertical, mClient);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter3 = new SplitterBar(Qt::Vertical, mClient);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    for (SplitterBar* bar : {Splitter, Splitter2, Splitter3}) {
        bar->onDragMove = [this, bar](int offset) {
            // The bar's edge follows the pointer; the panes move on release.
            if (bar == Splitter) {
                mSplitterX += toTwipsX(offset);
                bar->move(toPixelsX(mSplitterX), bar->y());
            } else {
                long& y = bar == Splitter2 ? mSplitter2Y : mSplitter3Y;
                y += toTwipsY(offset);
                bar->move(bar->x(), toPixelsY(y));
            }
        };
        bar->onRelease = [this, bar] { splitterReleased(bar); };
    }
}

void frmF1::splitterReleased(SplitterBar* bar) {
    const long W = toTwipsX(mClient->width());
    const long H = toTwipsY(mClient->height());
    const long T = toTwipsY(Toolbar1->height());
    mSplitterDrag = false;
    if (bar == Splitter) {
        mSplitterX = layout::clampVertical(mSplitterX, W);
    } else {
        long& y = bar == Splitter2 ? mSplitter2Y : mSplitter3Y;
        y = layout::clampHorizontal(y, H, T);
    }
    Form_Resize();
}

void frmF1::Form_Resize() {
    if (!mClient) return;
    const int wpx = mClient->width(), hpx = mClient->height();
    const int tpx = Toolbar1->sizeHint().height(), spx = StatusBar1->sizeHint().height();
    Toolbar1->setGeometry(0, 0, wpx, tpx);
    StatusBar1->setGeometry(0, hpx - spx, wpx, spx);
    const long W = toTwipsX(wpx), H = toTwipsY(hpx), T = toTwipsY(tpx), S = toTwipsY(spx);
    const layout::Panes p = layout::placePanes(W, H, T, S, mSplitterX, mSplitter3Y, mSplitter2Y);
    auto place = [this](QWidget* w, const layout::Rect& r) {
        // A pane that would get a negative size is skipped; the rest still move.
        if (!w || !r.valid()) return;
        w->setGeometry(toPixelsX(r.left), toPixelsY(r.top), toPixelsX(r.width), toPixelsY(r.height));
    };
    place(Splitter, p.splitter);
    place(Splitter2, p.splitter2);
    place(Splitter3, p.splitter3);
    place(picDrawWidget, p.picDraw);
    place(Result, p.result);
    place(List1, p.list1);
    place(mGridWidget, p.grid1);
    Splitter->raise();
    Splitter2->raise();
    Splitter3->raise();
    viewportChanged();
    if (picDraw) picDraw->update();
}
