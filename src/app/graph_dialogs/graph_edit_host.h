#pragma once
// What the graph property dialogs need of the main window: a parent for their
// dialogs and the redraw that ends an OK. The window hands one to "Edit...",
// so the dialogs do not reach the window itself.
class QWidget;

struct GraphEditHost {
    virtual ~GraphEditHost() = default;
    virtual QWidget* dialogParent() = 0;
    // frmF1::DrawScene and frmF1::mnuViewFit_Click as one compile.
    virtual void redrawAndFit() = 0;
    virtual void repaint() = 0;  // the window's update()
};
