// The surface and volume property dialogs until they are built: "Edit..."
// says so and changes nothing.
#include "app/graph_edit_dialogs.h"
#include "platform/msgbox.h"

namespace {
bool notAvailable() {
    platform::MsgBox("Editing this kind of graph is not available yet.", platform::MsgButtons::Ok,
                     platform::MsgIcon::Information);
    return false;
}
}  // namespace

bool EditSurfaceGraph(frmF1&, Cls9&) { return notAvailable(); }
bool EditVolumeGraph(frmF1&, Cls9&) { return notAvailable(); }
