#include "app/dialog_kit/property_input.h"

#include <cmath>

#include "formula/number_text.h"

namespace propertyinput {

bool ReadPropertyLong(std::string_view text, long& value) {
    // Rounded in Doubles first: the range check must see the true whole number,
    // not one already clamped to a Long.
    const double whole = std::nearbyint(formula::readNumberText(text));
    if (!(whole >= 0.0 && whole <= 2147483647.0)) return false;
    value = static_cast<long>(whole);
    return true;
}

std::string PropertyLongMessage(std::string_view name) {
    return std::string(name) + " must be a number from 0 to 2147483647.";
}

}  // namespace propertyinput
