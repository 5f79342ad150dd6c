// Trackball and quaternion arithmetic: exact values of the drag rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "state/globals.h"
#include "scene/trackball.h"

namespace {

constexpr double kTol = 1e-6;

class TrackballTest : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override { resetGlobals(); }
};

void expectQuat(const Quat& q, double x, double y, double z, double w) {
    EXPECT_NEAR(q[0], x, kTol);
    EXPECT_NEAR(q[1], y, kTol);
    EXPECT_NEAR(q[2], z, kTol);
    EXPECT_NEAR(q[3], w, kTol);
}

TEST_F(TrackballTest, ProjectToSphereOnBothPiecesAndAtTheSeam) {
    struct Case { double x, y, z; };
    const Case cases[] = {
        {0.0, 0.0, 0.5},                 // centre
        {0.1, 0.2, 0.4472136},           // inside: sphere
        {0.3, 0.4, 0.2500755},           // outside: sheet
        {0.35354, 0.0, 0.3535668},       // just inside the seam
        {0.35355, 0.0, 0.3536636},       // strict test: the seam itself is on the sheet
    };
    for (const Case& c : cases) EXPECT_NEAR(ProjectToSphere(0.5, c.x, c.y), c.z, 1e-7) << c.x << "," << c.y;
}

TEST_F(TrackballTest, EqualPointsGiveTheIdentityWhateverQHeld) {
    for (long mode : {0L, 1L, 2L, 3L, 4L}) {
        gRotateMode = mode;
        Quat q{0.3, 0.4, 0.5, 0.6};
        Trackball(q, 0.25, -0.4, 0.25, -0.4);
        expectQuat(q, 0, 0, 0, 1);
    }
}

TEST_F(TrackballTest, DragToTheRightTurnsAboutTheVerticalAxis) {
    gRotateMode = 1;
    Quat q{};
    Trackball(q, -0.1, 0.0, 0.1, 0.0);
    expectQuat(q, 0, -0.2, 0, 0.9797959);
    // The angle is 2 * ArcSin(chord) = 0.4027158.
    EXPECT_NEAR(2.0 * std::acos(q[3]), 0.4027158, kTol);
}

TEST_F(TrackballTest, FixedAxesOfTheSingleAxisModes) {
    struct Case { long mode; double x1, y1, x2, y2; double ax, ay, az; };
    const Case cases[] = {
        {2, -0.1, 0.0, 0.1, 0.0, 0, 0, 1},    // right: +scene Z
        {2, 0.1, 0.0, -0.1, 0.0, 0, 0, -1},
        {2, 0.0, -0.1, 0.0, 0.1, 0, 0, -1},   // vertical drag: a tie gives -1
        {3, 0.0, -0.1, 0.0, 0.1, 1, 0, 0},    // upward: +scene X
        {3, 0.0, 0.1, 0.0, -0.1, -1, 0, 0},
        {4, 0.1, 0.0, -0.1, 0.0, 0, 1, 0},    // left: +scene Y
        {4, -0.1, 0.0, 0.1, 0.0, 0, -1, 0},
    };
    for (const Case& c : cases) {
        gRotateMode = c.mode;
        Quat q{};
        Trackball(q, c.x1, c.y1, c.x2, c.y2);
        const double s = std::sin(ArcSin(0.2));  // sin(angle / 2) of a chord of 0.2
        expectQuat(q, c.ax * s, c.ay * s, c.az * s, std::cos(ArcSin(0.2)));
    }
}

TEST_F(TrackballTest, LongChordIsHalfATurnAndNoModeStaysPut) {
    gRotateMode = 1;
    Quat q{};
    Trackball(q, -0.9, 0.0, 0.9, 0.0);
    EXPECT_NEAR(q[3], 0.0, 1e-12);  // angle pi
    // Half a turn is pi itself, the same Double as the formula language's PI.
    EXPECT_EQ(2.0 * ArcSin(1.0), std::numbers::pi);
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", 2.0 * ArcSin(1.0));
    EXPECT_STREQ(text, "3.14159265358979");
    gRotateMode = 0;  // no axis: identity instead of a division by zero
    Trackball(q, -0.2, 0.0, 0.3, 0.1);
    expectQuat(q, 0, 0, 0, 1);
    EXPECT_TRUE(std::isfinite(q[0]));
}

TEST_F(TrackballTest, MultiplyQuatsComposesAndNormalisesInPlace) {
    const Quat id{0, 0, 0, 1};
    Quat q{0, 2, 0, 2};
    Quat dest{};
    MultiplyQuats(q, id, dest);
    expectQuat(dest, 0, std::sqrt(0.5), 0, std::sqrt(0.5));
    Quat zero{0, 0, 0, 0};
    MultiplyQuats(zero, zero, dest);
    expectQuat(dest, 0, 0, 0, 0);
    // dest = q2 q1: a quarter turn about X, then one about Y, composed in place.
    const double h = std::sqrt(0.5);
    const Quat qx{h, 0, 0, h};
    Quat cur{0, h, 0, h};
    MultiplyQuats(qx, cur, cur);
    expectQuat(cur, 0.5, 0.5, -0.5, 0.5);
}

TEST_F(TrackballTest, BuildRotMatrixIsRowMajor) {
    RotMatrix m{};
    BuildRotMatrix(m, {0, 0, 0, 1});
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(m[i], (i % 5 == 0) ? 1.0 : 0.0) << i;
    // A quarter turn about +Z: row 0 of R is (0, -1, 0).
    const double h = std::sqrt(0.5);
    BuildRotMatrix(m, {0, 0, h, h});
    EXPECT_NEAR(m[0], 0.0, 1e-12);
    EXPECT_NEAR(m[1], -1.0, 1e-12);
    EXPECT_NEAR(m[4], 1.0, 1e-12);
}

TEST_F(TrackballTest, VectorHelpers) {
    Vec4 a{1, 0, 0, 7};
    const Vec4 b{0, 1, 0, 0};
    CrossVectors(a, b, a);  // in place, element 3 cleared
    EXPECT_EQ(a, (Vec4{0, 0, 1, 0}));
    Vec4 axis{0, 3, 4, 0};
    Quat q{};
    AxisToQuat(axis, 0.0, q);
    EXPECT_NEAR(axis[1], 0.6, 1e-12);  // the caller's axis is normalised
    expectQuat(q, 0, 0, 0, 1);
    Vec4 c{9, 9, 9, 5};
    CopyVector(b, c);
    EXPECT_EQ(c, b);
}

}  // namespace
