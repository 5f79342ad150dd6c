#include "app/window/layout_model.h"

namespace layout {

Panes placePanes(long W, long H, long T, long S, long X, long y3, long y2) {
    Panes p;
    p.splitter = {X, T, kBarWidth, H - T - S};
    p.splitter2 = {0, y2, X, kBarHeight};
    p.splitter3 = {0, y3, X, kBarHeight};
    p.picDraw = {X + kBarWidth, T, W - X - kBarWidth, H - T - S};
    p.result = {0, y2 + kBarHeight, X, H - 60 - S - y2};
    p.list1 = {0, y3 + 25, X, y2 - y3 - kBarHeight};
    p.grid1 = {0, T + kBarHeight, X, y3 - T - kBarHeight};
    return p;
}

StartBars startBars(long scaleHeight, long toolbarHeight, long statusHeight) {
    long h = roundHalfEven((scaleHeight - toolbarHeight - statusHeight - 40) / 2.0);
    long top3 = toolbarHeight + h;
    return {top3, top3 + 1800};
}

long clampVertical(long x, long W) {
    long upper = roundHalfEven(W - 1000.0);
    if (x < 1000) x = 1000;
    if (x > upper) x = upper;
    return x;
}

long clampHorizontal(long y, long H, long T) {
    long upper = roundHalfEven(H - 3.0 * T);
    if (y < 2000) y = 2000;
    if (y > upper) y = upper;
    return y;
}

}  // namespace layout
