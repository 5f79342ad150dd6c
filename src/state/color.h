#pragma once
// The colour split of a Long &HBBGGRR into red, green and blue in 0..1, the
// one arithmetic every drawing routine uses.

struct Rgb {
    double r, g, b;
};

// B = trunc(c / 65536), G = trunc((c - 65536 B) / 256), R = c - 65536 B - 256 G,
// each divided by 255. C++ integer division truncates toward zero, which is
// the trunc above; for 0..&HFFFFFF this is byte extraction.
constexpr Rgb SplitColor(long colour) {
    const long B = colour / 65536;
    const long G = (colour - 65536 * B) / 256;
    const long R = colour - 65536 * B - 256 * G;
    return {R / 255.0, G / 255.0, B / 255.0};
}
