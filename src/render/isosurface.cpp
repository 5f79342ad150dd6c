#include "render/isosurface.h"

#include <cmath>
#include <stdexcept>

#include "formula/program.h"
#include "render/colormap.h"
#include "render/isosurface_tables.h"

namespace {

using iso::kCornerOffset;

// Each edge from its lower corner to its upper one (edges 2, 3, 6 and 7 run
// the other way in the numbering).
constexpr int kEdgeFromLower[12][2] = {{0, 1}, {1, 2}, {3, 2}, {0, 3}, {4, 5}, {5, 6},
                                       {7, 6}, {4, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

bool usable(double v) { return v != formula::UndefinedValue && std::isfinite(v); }

struct Strides {
    std::size_t i, j;  // k is 1
};

// The value difference of a node along one grid axis, towards falling values:
// central inside, one-sided at a border or beside a node without a value.
double slope(const std::vector<double>& w, std::size_t at, std::size_t stride, long pos, long last) {
    const bool prev = pos > 0 && usable(w[at - stride]);
    const bool next = pos < last && usable(w[at + stride]);
    const auto f = [&](std::size_t n) { return static_cast<double>(static_cast<float>(w[n])); };
    if (prev && next) return f(at - stride) - f(at + stride);
    if (prev) return f(at - stride) - f(at);
    if (next) return f(at) - f(at + stride);
    return 0.0;
}

// A unit vector in double, stored as floats; a zero or unusable one is (1, 0, 0).
Float3 unit(double x, double y, double z) {
    const double len = std::sqrt(x * x + y * y + z * z);
    if (!(len > 0) || !std::isfinite(len)) return {1, 0, 0};
    return {static_cast<float>(x / len), static_cast<float>(y / len), static_cast<float>(z / len)};
}

Float3 nodeNormal(const IsoGrid& g, const Strides& s, long i, long j, long k, std::size_t at) {
    return unit(slope(g.W, at, s.i, i, g.U), slope(g.W, at, s.j, j, g.V), slope(g.W, at, 1, k, g.H));
}

Float3 position(const IsoGrid& g, std::size_t at) {
    return {static_cast<float>(g.X[at]), static_cast<float>(g.Y[at]), static_cast<float>(g.Z[at])};
}

// The triangles of a cell whose cube index is known (not 0 or 255).
int polygonise(const IsoGrid& g, const Strides& s, long i, long j, long k, double level, int cube,
               IsoTriangle out[5]) {
    std::size_t at[8];
    float value[8];
    for (int c = 0; c < 8; ++c) {
        at[c] = static_cast<std::size_t>(i + kCornerOffset[c][0]) * s.i +
                static_cast<std::size_t>(j + kCornerOffset[c][1]) * s.j +
                static_cast<std::size_t>(k + kCornerOffset[c][2]);
        const double w = g.W[at[c]];
        if (!usable(w) || !std::isfinite(g.X[at[c]]) || !std::isfinite(g.Y[at[c]]) || !std::isfinite(g.Z[at[c]]))
            return 0;
        value[c] = static_cast<float>(w);
    }

    const int edges = iso::kEdgeTable[cube];
    IsoVertex vertex[12];
    bool haveNormal[8] = {};
    Float3 normal[8];
    for (int e = 0; e < 12; ++e) {
        if (!(edges & (1 << e))) continue;
        const int a = kEdgeFromLower[e][0], b = kEdgeFromLower[e][1];
        for (int c : {a, b})
            if (!haveNormal[c]) {
                normal[c] = nodeNormal(g, s, i + kCornerOffset[c][0], j + kCornerOffset[c][1],
                                       k + kCornerOffset[c][2], at[c]);
                haveNormal[c] = true;
            }
        vertex[e].p = InterpolateEdgeVertex(position(g, at[a]), position(g, at[b]), value[a], value[b], level);
        const Float3 n = InterpolateEdgeVertex(normal[a], normal[b], value[a], value[b], level);
        vertex[e].n = unit(n[0], n[1], n[2]);
    }

    // The table's triangles turn against the normals in this corner
    // numbering: each is sent with its second and third vertex swapped.
    const auto& row = iso::kTriangleTable[cube];
    int n = 0;
    for (int t = 0; t < 15 && row[t] >= 0; t += 3, ++n) {
        out[n].v[0] = vertex[row[t]];
        out[n].v[1] = vertex[row[t + 2]];
        out[n].v[2] = vertex[row[t + 1]];
    }
    return n;
}

Strides stridesOf(const IsoGrid& g) {
    const auto nk = static_cast<std::size_t>(g.H + 1);
    return {static_cast<std::size_t>(g.V + 1) * nk, nk};
}

bool consistent(const IsoGrid& g) {
    if (g.U < 0 || g.V < 0 || g.H < 0) return false;
    const std::size_t n = static_cast<std::size_t>(g.U + 1) * static_cast<std::size_t>(g.V + 1) *
                          static_cast<std::size_t>(g.H + 1);
    return g.X.size() == n && g.Y.size() == n && g.Z.size() == n && g.W.size() == n;
}

}  // namespace

void IsoGrid::resize(long u, long v, long h) {
    if (u < 0 || v < 0 || h < 0) throw std::invalid_argument("IsoGrid: negative interval count");
    U = u, V = v, H = h;
    const std::size_t n = static_cast<std::size_t>(u + 1) * static_cast<std::size_t>(v + 1) *
                          static_cast<std::size_t>(h + 1);
    for (auto* a : {&X, &Y, &Z, &W}) a->assign(n, 0.0);
}

std::size_t IsoGrid::at(long i, long j, long k) const {
    if (i < 0 || i > U || j < 0 || j > V || k < 0 || k > H) throw std::out_of_range("Subscript out of range");
    return (static_cast<std::size_t>(i) * static_cast<std::size_t>(V + 1) + static_cast<std::size_t>(j)) *
               static_cast<std::size_t>(H + 1) +
           static_cast<std::size_t>(k);
}

Float3 InterpolateEdgeVertex(const Float3& pa, const Float3& pb, float va, float vb, double level) {
    const auto lv = static_cast<float>(level);
    if (lv == va) return pa;
    if (lv == vb) return pb;
    if (va == vb) return pa;
    const float mu = (lv - va) / (vb - va);
    return {pa[0] + mu * (pb[0] - pa[0]), pa[1] + mu * (pb[1] - pa[1]), pa[2] + mu * (pb[2] - pa[2])};
}

int PolygoniseCell(const IsoGrid& grid, long i, long j, long k, double level, IsoTriangle out[5]) {
    if (!consistent(grid)) throw std::invalid_argument("IsoGrid: arrays do not match the grid");
    if (i < 0 || i >= grid.U || j < 0 || j >= grid.V || k < 0 || k >= grid.H)
        throw std::out_of_range("Subscript out of range");
    const Strides s = stridesOf(grid);
    const auto lv = static_cast<float>(level);
    int cube = 0;
    for (int c = 0; c < 8; ++c) {
        const std::size_t at = grid.at(i + iso::kCornerOffset[c][0], j + iso::kCornerOffset[c][1],
                                       k + iso::kCornerOffset[c][2]);
        if (lv > static_cast<float>(grid.W[at])) cube |= 1 << c;
    }
    if (cube == 0 || cube == 255) return 0;
    return polygonise(grid, s, i, j, k, level, cube, out);
}

std::size_t ExtractIsoSurface(const IsoGrid& grid, double level, std::vector<IsoTriangle>& out) {
    if (!consistent(grid)) throw std::invalid_argument("IsoGrid: arrays do not match the grid");
    const Strides s = stridesOf(grid);
    const auto lv = static_cast<float>(level);
    const double* w = grid.W.data();
    const auto below = [&](std::size_t at) { return lv > static_cast<float>(w[at]) ? 1 : 0; };
    IsoTriangle tri[5];
    for (long i = 0; i < grid.U; ++i)
        for (long j = 0; j < grid.V; ++j) {
            const std::size_t n0 = static_cast<std::size_t>(i) * s.i + static_cast<std::size_t>(j) * s.j;
            const std::size_t n1 = n0 + s.i, n4 = n0 + s.j, n5 = n0 + s.i + s.j;
            // Corners 0, 1, 4, 5 lie at k, corners 3, 2, 7, 6 at k + 1: each
            // step along k reuses the upper four of the cell before.
            int b0 = below(n0), b1 = below(n1), b4 = below(n4), b5 = below(n5);
            for (long k = 0; k < grid.H; ++k) {
                const auto up = static_cast<std::size_t>(k + 1);
                const int b3 = below(n0 + up), b2 = below(n1 + up), b7 = below(n4 + up), b6 = below(n5 + up);
                const int cube = b0 | b1 << 1 | b2 << 2 | b3 << 3 | b4 << 4 | b5 << 5 | b6 << 6 | b7 << 7;
                if (cube != 0 && cube != 255) {
                    const int n = polygonise(grid, s, i, j, k, level, cube, tri);
                    out.insert(out.end(), tri, tri + n);
                }
                b0 = b3, b1 = b2, b4 = b7, b5 = b6;
            }
        }
    return static_cast<std::size_t>(grid.U) * static_cast<std::size_t>(grid.V) * static_cast<std::size_t>(grid.H);
}

Rgb isoSurface::MapValueToColor(std::string& colorName, double value, double min, double range) {
    // The module's own colour map, kept for the run.
    static ColorStopTable table;
    if (colorName.empty()) colorName = "Rainbow";
    SetColorMap(table, colorName, PresetNames::WithChineseNames);
    return LookupColor(table, value, min, range);
}
