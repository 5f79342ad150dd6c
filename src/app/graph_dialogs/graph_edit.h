#pragma once
// The replace step that every graph property dialog ends its OK with (see
// app/graph_dialogs/graph_edit_dialogs.h for the whole contract).
class Cls9;
struct GraphEditHost;

// fresh takes edited's NameS, StepU and StepV; edited (and a distinct graph
// of the same ID in gScene, should there be one) then takes fresh's settings
// with TabEqualTo, keeping its ID, name, step counts and data.
// gReplaceSelectedGraph is clear afterwards; the scene is redrawn and zoomed to
// fit. False, with nothing changed and nothing redrawn, when fresh holds a
// count beyond its arrays.
bool ApplyEditedGraph(GraphEditHost& host, Cls9& edited, Cls9& fresh);
