#pragma once
// Document kinds (gPlotKind) and graph kinds (Cls9::GraphType), by name. Plain
// numbers, not an enum class: the records and the globals hold them as Longs.

// The kind of the current document.
namespace plot_kind {
inline constexpr long TwoD = 1;        // a new 2-D document
inline constexpr long ThreeD = 3;
inline constexpr long TwoDFitted = 4;  // a 2-D document holding a fitted curve
inline constexpr long ThreeDOther = 6; // a 3-D code the frame accepts; nothing stores it
inline constexpr long TwoDGridOnly = 7;// a 2-D code drawn with the grid but no background; nothing stores it
inline constexpr long FourD = 11;

// The 2-D documents: a new one and one holding a fitted curve.
inline constexpr bool isTwoD(long kind) { return kind == TwoD || kind == TwoDFitted; }
}  // namespace plot_kind

// The kind of one graph.
namespace graph_type {
inline constexpr long Curve2D = 4;     // a 2-D data curve
inline constexpr long Table5 = 5;      // saved as a table, as the curve and the surface
inline constexpr long Surface3D = 6;   // a 3-D data surface
inline constexpr long Function31 = 31; // function forms whose points are not worked out
inline constexpr long Function32 = 32;
inline constexpr long Volume41 = 41;   // the 4-D volumes
inline constexpr long Volume42 = 42;
inline constexpr long Volume4D = 43;   // the one the volume builders make
}  // namespace graph_type
