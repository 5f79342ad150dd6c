#pragma once
// A colour Long &HBBGGRR (red in the low byte) to and from Qt's colour.
#include <QColor>

namespace platform {

inline QColor ToQColor(long c) {
    return QColor(static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255), static_cast<int>((c >> 16) & 255));
}

inline long FromQColor(const QColor& q) {
    return q.red() | (q.green() << 8) | (static_cast<long>(q.blue()) << 16);
}

}  // namespace platform
