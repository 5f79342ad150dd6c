// The colour swatch: a click or Space opens its colour dialog from the
// swatch's colour; a chosen colour becomes the swatch's, a cancel keeps it.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/color_swatch.h"
#include "platform/common_dialog.h"

using namespace platform;

TEST(ColorSwatch, PickKeepsTheColourOnCancel) {
    DialogRecorder rec;
    CommonDialog dlg;
    dlg.Color = 0;  // a fresh dialog's colour is black
    ColorSwatch s(nullptr, 0x00FF00);
    s.setColorDialog(&dlg);
    s.resize(48, 20);
    QSignalSpy changed(&s, &ColorSwatch::colorChanged);

    rec.answerCancel();
    QTest::mouseClick(&s, Qt::LeftButton);
    EXPECT_EQ(s.color(), 0x00FF00);
    EXPECT_EQ(changed.count(), 0);

    rec.answerColor(0x0000FF);
    QTest::mouseClick(&s, Qt::LeftButton);
    EXPECT_EQ(s.color(), 0x0000FF);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<long>(), 0x0000FF);

    rec.answerColor(0xFF0000);
    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_EQ(s.color(), 0xFF0000);

    // Each showing starts from the swatch's colour.
    ASSERT_EQ(rec.shown().size(), 3u);
    EXPECT_EQ(rec.shown()[0].kind, DialogKind::Color);
    EXPECT_EQ(rec.shown()[0].color, 0x00FF00);
    EXPECT_EQ(rec.shown()[2].color, 0x0000FF);
}

TEST(ColorSwatch, DisabledOrWithoutDialogDoesNothing) {
    DialogRecorder rec;
    ColorSwatch alone(nullptr, 0x123456);
    alone.resize(48, 20);
    rec.answerColor(0x0000FF);
    QTest::mouseClick(&alone, Qt::LeftButton);
    EXPECT_EQ(alone.color(), 0x123456);
    EXPECT_TRUE(rec.shown().empty());

    CommonDialog dlg;
    ColorSwatch off(nullptr, 0x123456);
    off.resize(48, 20);
    off.setColorDialog(&dlg);
    off.setEnabled(false);
    QTest::mouseClick(&off, Qt::LeftButton);
    EXPECT_EQ(off.color(), 0x123456);
    EXPECT_TRUE(rec.shown().empty());
}

TEST(ColorSwatch, ShowsItsColour) {
    ColorSwatch s(nullptr, 0x0000FF);  // red
    s.resize(48, 20);
    const QImage img = s.grab().toImage();
    const QRgb c = img.pixel(24, 10);
    EXPECT_EQ(qRed(c), 255);
    EXPECT_EQ(qGreen(c), 0);
    EXPECT_EQ(qBlue(c), 0);
}
