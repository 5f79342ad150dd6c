#include "render/slice_plane.h"

#include <algorithm>
#include <cmath>

#include "formula/program.h"
#include "graph/graph.h"

namespace {

// The fields of one family of slices, and its axes: data axes 0 x, 1 y, 2 z.
struct Family {
    SliceFamily family;
    long GraphData::*count;
    SliceArray<double> GraphData::*position;
    SliceArray<long> GraphData::*firstB;
    SliceArray<long> GraphData::*firstE;
    SliceArray<long> GraphData::*secondB;
    SliceArray<long> GraphData::*secondE;
    SliceArray<bool> GraphData::*showColor;
    SliceArray<bool> GraphData::*showContour;
    SliceArray<long> GraphData::*contourLevel;
    SliceArray<long> GraphData::*contourColor;
    int searched, first, second;
    long axisCode;
    std::array<double, 3> normal;
};

const Family kFamilies[] = {
    {SliceFamily::Z, &GraphData::Slice4NumZ, &GraphData::Slice4Z, &GraphData::Slice4XYXB, &GraphData::Slice4XYXE,
     &GraphData::Slice4XYYB, &GraphData::Slice4XYYE, &GraphData::SliceZShowColor, &GraphData::SliceZShowCont,
     &GraphData::SliceZContLevels, &GraphData::SliceZContColor, 2, 0, 1, 1, {0, 1, 0}},
    {SliceFamily::X, &GraphData::Slice4NumX, &GraphData::Slice4X, &GraphData::Slice4YZYB, &GraphData::Slice4YZYE,
     &GraphData::Slice4YZZB, &GraphData::Slice4YZZE, &GraphData::SliceXShowColor, &GraphData::SliceXShowCont,
     &GraphData::SliceXContLevels, &GraphData::SliceXContColor, 0, 1, 2, 2, {0, 0, 1}},
    {SliceFamily::Y, &GraphData::Slice4NumY, &GraphData::Slice4Y, &GraphData::Slice4ZXXB, &GraphData::Slice4ZXXE,
     &GraphData::Slice4ZXZB, &GraphData::Slice4ZXZE, &GraphData::SliceYShowColor, &GraphData::SliceYShowCont,
     &GraphData::SliceYContLevels, &GraphData::SliceYContColor, 1, 0, 2, 3, {1, 0, 0}},
};

// Data x, y, z are drawn on scene Z, X, Y.
constexpr int kSceneAxis[3] = {2, 0, 1};

bool usable(double v) { return v != formula::UndefinedValue && std::isfinite(v); }

// The grid along each data axis: intervals, and the node positions from the
// graph's box.
struct Axes {
    long intervals[3];
    double min[3], step[3];
};

Axes axesOf(const Cls9& g) {
    const Cls9::Box& b = g.GraphBox;
    Axes a{{g.StepU, g.StepV, g.StepH}, {b.MinZ, b.MinX, b.MinY}, {}};
    const double max[3] = {b.MaxZ, b.MaxX, b.MaxY};
    for (int d = 0; d < 3; ++d) a.step[d] = (max[d] - a.min[d]) / static_cast<double>(a.intervals[d]);
    return a;
}

void buildSlice(const Cls9& g, const Family& f, const Axes& ax, long s, std::vector<SlicePlane>& out) {
    const double p = (g.*f.position)(s);
    const auto level = FindSliceLevel(p, ax.min[f.searched], ax.step[f.searched], ax.intervals[f.searched]);
    if (!level) return;
    const auto r1 = ClampSliceRange((g.*f.firstB)(s), (g.*f.firstE)(s), ax.intervals[f.first] + 1);
    const auto r2 = ClampSliceRange((g.*f.secondB)(s), (g.*f.secondE)(s), ax.intervals[f.second] + 1);
    if (!r1 || !r2) return;

    SlicePlane sp;
    sp.family = f.family;
    sp.position = p;
    sp.m = r1->count();
    sp.n = r2->count();
    sp.normal = f.normal;
    sp.showColor = (g.*f.showColor)(s);
    sp.showContour = (g.*f.showContour)(s);
    sp.contourLevel = (g.*f.contourLevel)(s);
    sp.contourColor = (g.*f.contourColor)(s);
    sp.axisCode = f.axisCode;
    sp.dx = ax.step[f.second];
    sp.dy = ax.step[f.first];
    sp.x0 = ax.min[f.second] + static_cast<double>(r2->first - 1) * sp.dx;
    sp.y0 = ax.min[f.first] + static_cast<double>(r1->first - 1) * sp.dy;

    const std::size_t nodes = static_cast<std::size_t>(sp.m * sp.n);
    sp.point.resize(nodes);
    sp.value.resize(nodes);
    sp.defined.resize(nodes);
    const Grid4D* coord[3] = {&g.Reg4DX, &g.Reg4DY, &g.Reg4DZ};
    long idx[3];
    for (long a = 0; a < sp.m; ++a)
        for (long b = 0; b < sp.n; ++b) {
            idx[f.first] = r1->first + a;
            idx[f.second] = r2->first + b;
            idx[f.searched] = level->lower;
            const double vLow = g.Reg4DV(idx[0], idx[1], idx[2]);
            std::array<double, 3> pt{};
            bool ok = usable(vLow);
            for (int d = 0; d < 3; ++d) {
                const double c = d == f.searched ? p : (*coord[d])(idx[0], idx[1], idx[2]);
                ok = ok && std::isfinite(c);
                pt[kSceneAxis[d]] = c;
            }
            double v = vLow;
            if (level->upper != level->lower) {
                idx[f.searched] = level->upper;
                const double vUp = g.Reg4DV(idx[0], idx[1], idx[2]);
                ok = ok && usable(vUp);
                v = vLow + level->t * (vUp - vLow);
            }
            const std::size_t at = sp.at(a, b);
            sp.point[at] = pt;
            sp.value[at] = v;
            sp.defined[at] = ok;
        }
    out.push_back(std::move(sp));
}

}  // namespace

std::optional<SliceLevel> FindSliceLevel(double p, double min, double step, long intervals) {
    // An absolute 0.0001 would take nodes several steps away on a fine axis.
    const double tol = step > 0 ? std::min(0.0001, step / 1000) : 0.0001;
    for (long q = 0; q < intervals; ++q) {
        const double lo = min + static_cast<double>(q) * step, hi = min + static_cast<double>(q + 1) * step;
        if (p - lo > tol && hi - p > tol) return SliceLevel{q, q + 1, (p - lo) / (hi - lo)};
        if (std::fabs(lo - p) <= tol) return SliceLevel{q, q, 0};
        if (std::fabs(hi - p) <= tol) return SliceLevel{q + 1, q + 1, 0};
    }
    return std::nullopt;
}

std::optional<NodeRange> ClampSliceRange(long first, long last, long nodes) {
    const long b = std::max(first, 1L), e = std::min(last, nodes);
    if (b > e) return std::nullopt;
    return NodeRange{b - 1, e - 1};
}

bool VolumeStepsUsable(const Cls9& g) {
    for (long s : {g.StepU, g.StepV, g.StepH})
        if (s < 1 || s > Grid4D::upper(0)) return false;
    return true;
}

std::vector<SlicePlane> BuildSlicePlanes(const Cls9& g) {
    std::vector<SlicePlane> planes;
    if (!VolumeStepsUsable(g)) return planes;
    const Axes ax = axesOf(g);
    for (const Family& f : kFamilies) {
        const long count = std::min(g.*f.count, kMaxSlicesPerFamily);
        for (long s = 1; s <= count; ++s) buildSlice(g, f, ax, s, planes);
    }
    return planes;
}
