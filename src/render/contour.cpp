// The contour tracer's plain part: levels, crossings and the walk from
// crossing to crossing.
#include "render/contour.h"

#include <cmath>
#include <stdexcept>

#include "formula/program.h"
#include "render/legend_ticks.h"
#include "scene/scene_scale.h"
#include "state/bounded_array.h"
#include "state/globals.h"
#include "state/kinds.h"

ContourGrid::ContourGrid(long m, long n)
    : m_(m < 0 ? 0 : m), n_(n < 0 ? 0 : n), v_(static_cast<std::size_t>(m_) * static_cast<std::size_t>(n_), 0.0) {}

std::size_t ContourGrid::offset(long i, long j) const {
    if (i < 1 || i > m_ || j < 1 || j > n_) throwSubscriptOutOfRange();
    return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(n_) + static_cast<std::size_t>(j - 1);
}

namespace {

constexpr double kNoCrossing = -2;

bool isDefined(double v) { return v != formula::UndefinedValue && std::isfinite(v); }

bool sizesFit(long m, long n, const ContourGrid& S0) {
    return m >= 1 && n >= 1 && m <= S0.rows() && n <= S0.columns();
}

// One crossing: an i-edge joins nodes (i, j) and (i + 1, j), a j-edge nodes
// (i, j) and (i, j + 1).
struct Edge {
    bool onI;
    long i, j;
    bool operator==(const Edge&) const = default;
};

// The crossings of one level and the walk along them.
class Tracer {
public:
    Tracer(long m, long n, double dx, double dy, double x0, double y0, const ContourGrid& S0)
        : m_(m), n_(n), dx_(dx), dy_(dy), x0_(x0), y0_(y0),
          values_(static_cast<std::size_t>(m) * static_cast<std::size_t>(n)),
          iEdges_(static_cast<std::size_t>(m - 1) * static_cast<std::size_t>(n), kNoCrossing),
          jEdges_(static_cast<std::size_t>(m) * static_cast<std::size_t>(n - 1), kNoCrossing) {
        // A sample without a value becomes NaN, which no level crosses.
        for (long i = 1; i <= m; ++i)
            for (long j = 1; j <= n; ++j) {
                const double v = S0(i, j);
                values_[node(i, j)] = isDefined(v) ? v : std::nan("");
            }
    }

    void traceLevel(double level, ContourLineSink& sink) {
        fillTables(level);
        for (long j = 1; j <= n_ - 1; ++j) traceFrom({false, 1, j}, 0, j, sink);      // first row
        for (long i = 1; i <= m_ - 1; ++i) traceFrom({true, i, 1}, i, 0, sink);       // first column
        for (long j = 1; j <= n_ - 1; ++j) traceFrom({false, m_, j}, m_, j, sink);    // last row
        for (long i = 1; i <= m_ - 1; ++i) traceFrom({true, i, n_}, i, n_, sink);     // last column
        // Inside: closed lines, and the pieces of lines that end where a cell
        // offers no way on (a sample without a value, a node exactly on the level).
        for (long i = 2; i <= m_ - 1; ++i)
            for (long j = 1; j <= n_ - 1; ++j) traceBothWays({false, i, j}, i - 1, j, sink);
        for (long j = 2; j <= n_ - 1; ++j)
            for (long i = 1; i <= m_ - 1; ++i) traceBothWays({true, i, j}, i, j - 1, sink);
    }

private:
    std::size_t node(long i, long j) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(n_) + static_cast<std::size_t>(j - 1);
    }
    bool exists(const Edge& e) const {
        return e.onI ? (e.i >= 1 && e.i <= m_ - 1 && e.j >= 1 && e.j <= n_)
                     : (e.i >= 1 && e.i <= m_ && e.j >= 1 && e.j <= n_ - 1);
    }
    // The table entry of an existing edge.
    double& entry(const Edge& e) {
        if (e.onI) return iEdges_[static_cast<std::size_t>(e.i - 1) * static_cast<std::size_t>(n_) + (e.j - 1)];
        return jEdges_[static_cast<std::size_t>(e.i - 1) * static_cast<std::size_t>(n_ - 1) + (e.j - 1)];
    }
    bool isFree(const Edge& e) { return exists(e) && entry(e) > 0; }

    static double fraction(double a, double b, double level) {
        if ((a < level && level < b) || (a > level && level > b)) return (level - a) / (b - a);
        return kNoCrossing;
    }

    void fillTables(double level) {
        const std::size_t n = static_cast<std::size_t>(n_);
        for (std::size_t k = 0; k < iEdges_.size(); ++k) iEdges_[k] = fraction(values_[k], values_[k + n], level);
        for (std::size_t r = 0; r < static_cast<std::size_t>(m_); ++r)
            for (std::size_t c = 0; c + 1 < n; ++c)
                jEdges_[r * (n - 1) + c] = fraction(values_[r * n + c], values_[r * n + c + 1], level);
    }

    PlanePoint pointOf(const Edge& e) {
        const double f = entry(e);
        if (e.onI) return {x0_ + e.j * dx_, y0_ + (e.i + f) * dy_};
        return {x0_ + (e.j + f) * dx_, y0_ + e.i * dy_};
    }

    bool onBorder(const Edge& e) const { return e.onI ? (e.j == 1 || e.j == n_) : (e.i == 1 || e.i == m_); }

    // The next crossing of the cell entered across `cur`, coming from the
    // crossing at (pi, pj): the other three edges in a fixed order (which
    // settles a cell with four crossings), the first that is free.
    std::optional<Edge> nextCrossing(const Edge& cur, long pi, long pj) {
        const long ci = cur.i, cj = cur.j;
        Edge order[3];
        if (!cur.onI && pi < ci)  // towards higher i, into cell (ci, cj)
            order[0] = {true, ci, cj}, order[1] = {true, ci, cj + 1}, order[2] = {false, ci + 1, cj};
        else if (cur.onI && pj < cj)  // towards higher j, into cell (ci, cj)
            order[0] = {false, ci, cj}, order[1] = {false, ci + 1, cj}, order[2] = {true, ci, cj + 1};
        else if (!cur.onI)  // towards lower i, into cell (ci - 1, cj)
            order[0] = {true, ci - 1, cj + 1}, order[1] = {true, ci - 1, cj}, order[2] = {false, ci - 1, cj};
        else  // towards lower j, into cell (ci, cj - 1)
            order[0] = {false, ci + 1, cj - 1}, order[1] = {false, ci, cj - 1}, order[2] = {true, ci, cj - 1};
        for (const Edge& e : order)
            if (isFree(e)) return e;
        return std::nullopt;
    }

    // Follows one line from the start crossing (at `from`); the start is used
    // up at the end, so a closed line finds it still free when it comes back.
    // Returns whether the line closed.
    bool walk(const Edge& start, PlanePoint from, long pi, long pj, ContourLineSink& sink) {
        points_.clear();
        points_.push_back(from);
        Edge cur = start;
        bool closed = false;
        // Each step uses up one crossing, so no walk is longer than the edges.
        for (std::size_t steps = 0; steps <= iEdges_.size() + jEdges_.size(); ++steps) {
            const std::optional<Edge> next = nextCrossing(cur, pi, pj);
            if (!next) break;
            points_.push_back(pointOf(*next));
            entry(*next) = kNoCrossing;
            pi = cur.i;
            pj = cur.j;
            cur = *next;
            if (cur == start) {
                closed = true;
                break;
            }
            if (onBorder(cur)) break;
        }
        entry(start) = kNoCrossing;
        if (points_.size() >= 2) sink.line(points_, closed);
        return closed;
    }

    void traceFrom(const Edge& start, long pi, long pj, ContourLineSink& sink) {
        if (isFree(start)) walk(start, pointOf(start), pi, pj, sink);
    }

    // An inside start that does not close lies on a line with ends inside:
    // the part behind the start follows as a line of its own, from the start
    // the other way (coming from the start itself turns the walk round).
    void traceBothWays(const Edge& start, long pi, long pj, ContourLineSink& sink) {
        if (!isFree(start)) return;
        const PlanePoint from = pointOf(start);
        if (!walk(start, from, pi, pj, sink)) walk(start, from, start.i, start.j, sink);
    }

    long m_, n_;
    double dx_, dy_, x0_, y0_;
    std::vector<double> values_;  // row by row, i then j
    std::vector<double> iEdges_, jEdges_;
    std::vector<PlanePoint> points_;
};

}  // namespace

bool ContourExtremes(long m, long n, const ContourGrid& S0, double& min, double& max) {
    if (!sizesFit(m, n, S0)) return false;
    bool any = false;
    for (long i = 1; i <= m; ++i)
        for (long j = 1; j <= n; ++j) {
            const double v = S0(i, j);
            if (!isDefined(v)) continue;
            if (!any || v < min) min = v;
            if (!any || v > max) max = v;
            any = true;
        }
    return any;
}

ContourLevels ChooseContourLevels(double min, double max, double interval) {
    if (!(min < max) || !std::isfinite(min) || !std::isfinite(max)) return {};
    auto onMultiples = [&](double step) -> ContourLevels {
        const double first = std::floor(min / step) * step;
        const double last = std::floor(max / step) * step;
        const double count = std::nearbyint((last - first) / step) + 1;
        if (!(count >= 1 && count <= kMaxContourLevels)) return {};
        return {first, step, static_cast<long>(count)};
    };
    if (interval > 0 && std::isfinite(interval))
        if (ContourLevels levels = onMultiples(interval); levels.count > 0) return levels;
    const double step = LegendStep(max - min);
    return step > 0 ? onMultiples(step) : ContourLevels{};
}

void RaiseValuesNearLevels(long m, long n, ContourGrid& S0, const ContourLevels& levels) {
    if (!sizesFit(m, n, S0) || levels.count <= 0 || !(levels.step > 0)) return;
    for (long i = 1; i <= m; ++i)
        for (long j = 1; j <= n; ++j) {
            double& v = S0(i, j);
            if (!isDefined(v)) continue;
            // Only the levels around the value can be near it; they are taken
            // in ascending order, as a raised value meets the next level later.
            const double below = std::floor((v - 0.0001 - levels.first) / levels.step) - 1;
            for (long k = below > 0 ? static_cast<long>(below) : 0; k < levels.count; ++k) {
                const double level = levels.at(k);
                if (level > v + 0.0001) break;
                if (std::fabs(v - level) <= 0.0001) v += 0.00001;
            }
        }
}

void TraceContourLevels(long m, long n, double dx, double dy, ContourGrid& S0, double x0, double y0,
                        const ContourLevels& levels, ContourLineSink& sink) {
    if (!sizesFit(m, n, S0) || levels.count <= 0) return;
    RaiseValuesNearLevels(m, n, S0, levels);
    if (m < 2 || n < 2) return;  // no cells
    Tracer tracer(m, n, dx, dy, x0, y0, S0);
    for (long k = 0; k < levels.count; ++k) {
        const double level = levels.at(k);
        sink.level(level);
        tracer.traceLevel(level, sink);
    }
}

std::optional<ScenePoint> PlaceContourPoint(PlanePoint p, double Z, long plotKind, long sliceAxis) {
    const double sx = usableScale(gSceneScaleX), sy = usableScale(gSceneScaleY), sz = usableScale(gSceneScaleZ);
    const double cx = gSceneCenterX, cy = gSceneCenterY, cz = gSceneCenterZ;
    if (plotKind == plot_kind::ThreeD) return ScenePoint{p.x / sx - cx, Z / sy + 0.08 - cy, p.y / sz - cz};
    if (plotKind != plot_kind::FourD) return std::nullopt;
    switch (sliceAxis) {
    case 1:
        return ScenePoint{p.x / sx - cx, Z / sy - cy, p.y / sz - cz};
    case 2:
        return ScenePoint{p.y / sx - cx, p.x / sy - cy, Z / sz - cz};
    case 3:
        return ScenePoint{Z / sx - cx, p.x / sy - cy, p.y / sz - cz};
    default:
        return std::nullopt;
    }
}

Rgb CContour::LevelColor(long fstFillStyle, long lngSecondColor, const std::string& strColorName, double level,
                         double lowest, double highest) {
    if (fstFillStyle != 5) return SplitColor(lngSecondColor);
    SetColorMap(stops_, strColorName.empty() ? "Rainbow" : strColorName, PresetNames::WithChineseNames);
    return LookupColor(stops_, level, lowest, highest - lowest);
}
