// The main window's menus, popups and toolbar. Every action carries its menu
// item's name as its object name so that handlers and tests can find it.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/window/main_window.h"

namespace {
struct Item {
    const char* name;     // object name; empty for a separator
    const char* caption;
    const char* shortcut;
};
}  // namespace

QAction* frmF1::addMenuItem(QMenu* menu, const char* name, const char* caption, const char* shortcut) {
    if (!name || !*name) {
        menu->addSeparator();
        return nullptr;
    }
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(name));
    if (shortcut && *shortcut) a->setShortcut(QKeySequence(QString::fromUtf8(shortcut)));
    // Items whose command is not wired stay disabled.
    a->setEnabled(false);
    mActions[a->objectName()] = a;
    return a;
}

void frmF1::buildMenus() {
    auto fill = [this](QMenu* menu, std::initializer_list<Item> items) {
        for (const Item& it : items) addMenuItem(menu, it.name, it.caption, it.shortcut);
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    fill(file, {{"mnuFileNew", "New Data", ""},
                {"mnuFileOpen", "Open Data ...", ""},
                {"mnuFileSaveData", "Save Data ...", ""},
                {"mnuFileSaveDataAs", "Save Data As ...", ""},
                {"mnuFileSave", "Save Image ...", ""},
                {"", "", ""},
                {"mnuFileExit", "Exit", "Ctrl+Q"}});
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    fill(edit, {{"mnuEditCopyAs", "Copy As BMP", ""},
                {"", "", ""},
                {"mnuEditDelete", "Delete", ""},
                {"mnuEditDelAll", "Delete All", ""}});
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    fill(view, {{"mnuViewMove", "Move", "F7"},
                {"mnuViewZoom", "Zoom", "F8"},
                {"mnuViewFit", "Zoom to Fit", ""},
                {"mnuViewRotX", "Rotate About X Axis", ""},
                {"mnuViewRotY", "Rotate About Y Axis", ""},
                {"mnuViewRotZ", "Rotate About Z Axis", ""},
                {"mnuViewRotate", "Track Ball", ""},
                {"", "", ""},
                {"mnuViewFront", "Front", ""},
                {"mnuViewRight", "Right", ""},
                {"mnuViewTop", "Top", ""},
                {"mnuViewISO", "ISO", ""},
                {"", "", ""},
                {"mnuViewSet", "Settings...", ""}});
    QMenu* fitting = menuBar()->addMenu(QStringLiteral("F&itting"));
    fitting->setObjectName(QStringLiteral("mnuDraw"));
    fill(fitting, {{"mnuDrawCF", "Curve Fitting", ""},
                   {"mnuDrawNLR", "Nonlinear Curve Fitting", ""},
                   {"mnuDrawSF", "Surface Fitting", ""},
                   {"mnuDrawVF", "Volume Fitting", ""},
                   {"mnuDrawPoly", "Polynomial Fitting", ""},
                   {"", "", ""},
                   {"mnuDrawAxis", "Axis...", ""},
                   {"mnuDrawLight", "Light...", ""}});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    fill(help, {{"mnuHelpCon", "Contents...", ""},
                {"", "", ""},
                {"mnuHelpHome", "Home Page", ""},
                {"mnuHelpCus", "Customer Support", ""},
                {"", "", ""},
                {"mnuHelpAbout", "About...", ""}});

    // Popups: not in the menu bar.
    FunEdit = new QMenu(QStringLiteral("FunEdit"), this);
    FunEdit->setObjectName(QStringLiteral("FunEdit"));
    fill(FunEdit, {{"mnuFunDelete", "Delete", ""}, {"mnuFunDelAll", "Delete All", ""}});
    GraphEdit = new QMenu(QStringLiteral("GraphEdit"), this);
    GraphEdit->setObjectName(QStringLiteral("GraphEdit"));
    fill(GraphEdit, {{"mnuFunEdit", "Edit...", ""},
                     {"mnuGraphCopyAs", "Copy As BMP", ""},
                     {"mnuGraphDelAll", "Delete All", ""},
                     {"", "", ""},
                     {"mnuGraphAxis", "Axis...", ""},
                     {"mnuGraphLight", "Light...", ""}});
    mnuGE = new QMenu(QStringLiteral("GEdit"), this);
    mnuGE->setObjectName(QStringLiteral("mnuGE"));
    fill(mnuGE, {{"mnuGESet", "Settings...", ""},
                 {"mnuGEVar", "Set Variables...", ""},
                 {"", "", ""},
                 {"mnuGECut", "Cut", ""},
                 {"mnuGECopy", "Copy", ""},
                 {"mnuGEPaste", "Paste", ""},
                 {"mnuGEDel", "Delete", ""},
                 {"", "", ""},
                 {"mnuGEInsertRow", "Insert Row", ""},
                 {"mnuGEInsertCol", "Insert Column", ""},
                 {"mnuGEDelRow", "Delete Row", ""},
                 {"mnuGEDelCol", "Delete Column", ""}});

    connectAction("mnuFileExit", [this] { close(); });
}

void frmF1::connectAction(const char* name, std::function<void()> handler) {
    QAction* a = action(QString::fromUtf8(name));
    if (!a) return;
    a->setEnabled(true);
    mActionWired.insert(a->objectName());
    connect(a, &QAction::triggered, this, [h = std::move(handler)] { h(); });
}
