#pragma once
// The run behind the OK of a fitting dialog never lets an exception reach Qt:
// a failure becomes a message, and what the run had reported and built stays.
#include <exception>
#include <string>

#include "platform/msgbox.h"

// Runs steps() and returns its answer; an exception shows "<what> stopped: "
// and its reason, and gives false.
template <class Steps>
bool GuardedRun(const std::string& what, Steps&& steps) {
    try {
        return steps();
    } catch (const std::exception& e) {
        platform::MsgBox(what + " stopped: " + e.what());
    } catch (...) {
        platform::MsgBox(what + " stopped.");
    }
    return false;
}
