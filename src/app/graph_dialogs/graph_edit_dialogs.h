#pragma once
// The property dialogs that "Edit..." (frmF1::mnuFunEdit_Click) opens, through a
// GraphEditHost (app/graph_dialogs/graph_edit_host.h), one per
// graph kind: 2-D curve (GraphType 4, frmF33), 3-D surface (6, frmF12) and
// 4-D volume (43, frmF31).
//
// What every dialog gets and must do:
// - It is called with gReplaceSelectedGraph set and `edited`, the first graph
//   of the document (item 1 of gGraphs->FunSurfs, shown or hidden). It presets
//   its controls from `edited` as "Edit..." does, shows itself modally and
//   returns when it has closed: true after OK, false after Cancel, Escape or
//   the close box. "Edit..." clears gReplaceSelectedGraph on every way out,
//   so a dialog need not clear it on Cancel.
// - A cancelled colour or file dialog keeps the value the control had.
// - Checks come first: a refused entry shows its message (platform/msgbox.h)
//   and leaves the dialog open with nothing changed.
// - OK builds a fresh Cls9 from the controls (counts within their arrays) and
//   hands it to ApplyEditedGraph (app/graph_dialogs/graph_edit.h), which gives it the edited
//   graph's NameS, StepU and StepV, copies it into the edited graph with
//   TabEqualTo (so the graph keeps its ID, name, step counts and data), clears
//   gReplaceSelectedGraph, redraws and zooms to fit. Then the dialog closes
//   (accept()). No dialog adds a graph: the add branch of the property dialogs
//   cannot be reached from "Edit...", so none is built.
// - Nothing may throw out of a dialog: the main window's event loop runs it.
class Cls9;
struct GraphEditHost;

bool EditCurveGraph(GraphEditHost& host, Cls9& edited);    // GraphType 4
bool EditSurfaceGraph(GraphEditHost& host, Cls9& edited);  // GraphType 6
bool EditVolumeGraph(GraphEditHost& host, Cls9& edited);   // GraphType 43
