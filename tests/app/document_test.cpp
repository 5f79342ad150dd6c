// The document as a user drives it: new documents and their prompt, the graph
// list's check marks, Delete and Delete All, and the enable states.
#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "scene/light.h"
#include "window_fixture.h"

namespace {
const std::vector<double> kX{1, 2, 3, 4};
const std::vector<double> kY{2, 4, 5, 9};

std::vector<long> ids(const Cls8& scene) {
    std::vector<long> out;
    for (const auto& e : scene.FunSurfs) out.push_back(e.second->ID);
    return out;
}
}  // namespace

using DocumentTest = WindowTest;

TEST_F(DocumentTest, CurveJoinsBothScenesAndTheListTicked) {
    addCurve("Scatter", kX, kY, kCurveKindScatter);
    addCurve("Linear", kX, kY);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_EQ(ids(*gScene), (std::vector<long>{1, 2}));
    ASSERT_EQ(w->graphList()->count(), 2);
    EXPECT_EQ(w->graphList()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(gPlotKind, 4);
}

TEST_F(DocumentTest, CheckMarksDecideWhatIsShown) {
    addCurve("A", kX, kY);
    addCurve("B", kX, kY);
    addCurve("C", kX, kY);
    w->graphList()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(ids(*gScene), (std::vector<long>{2, 3}));
    // Shown again, it goes to the end.
    w->graphList()->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(ids(*gScene), (std::vector<long>{2, 3, 1}));
}

TEST_F(DocumentTest, DeleteKeepsOrderAndNeverReusesAnId) {
    for (const char* n : {"A", "B", "C", "D", "E"}) addCurve(n, kX, kY);
    w->graphList()->item(1)->setCheckState(Qt::Unchecked);  // B hidden
    w->graphList()->setCurrentRow(2);                        // C
    w->action("mnuEditDelete")->trigger();
    EXPECT_EQ(ids(*gGraphs), (std::vector<long>{1, 2, 4, 5}));
    EXPECT_EQ(ids(*gScene), (std::vector<long>{1, 4, 5}));
    EXPECT_EQ(w->graphList()->count(), 4);
    EXPECT_EQ(w->graphList()->currentRow(), -1);
    // No current line: Delete does nothing and does not fail.
    w->action("mnuEditDelete")->trigger();
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 4);
    // A hidden graph's delete removes its line and its entry in gGraphs only.
    w->graphList()->setCurrentRow(1);
    w->Toolbar1_ButtonClick(4);
    EXPECT_EQ(ids(*gGraphs), (std::vector<long>{1, 4, 5}));
    EXPECT_EQ(ids(*gScene), (std::vector<long>{1, 4, 5}));
    EXPECT_EQ(addCurve("F", kX, kY)->ID, 6);
}

TEST_F(DocumentTest, DeleteAllRestartsIds) {
    addCurve("A", kX, kY);
    addCurve("B", kX, kY);
    w->action("mnuEditDelAll")->trigger();
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    EXPECT_EQ(gScene->FunSurfs.Count(), 0);
    EXPECT_EQ(w->graphList()->count(), 0);
    EXPECT_EQ(addCurve("C", kX, kY)->ID, 1);
}

TEST_F(DocumentTest, NewDocumentPromptAnswers) {
    addCurve("A", kX, kY);
    w->appendReport("report");
    gScene->RotYaw = 20;

    boxes.queue({platform::MsgResult::Cancel});
    w->mnuFileNew3D();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Save changes to file?");
    EXPECT_EQ(boxes.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(boxes.shown()[0].title, "Note");
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_EQ(gScene->RotYaw, 20);

    // Yes, then the save dialog is cancelled: nothing changes.
    boxes.queue({platform::MsgResult::Yes});
    dialogs.answerCancel();
    w->mnuFileNew3D();
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_EQ(gPlotKind, 4);

    boxes.queue({platform::MsgResult::No});
    w->mnuFileNew3D();
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    EXPECT_EQ(w->graphList()->count(), 0);
    EXPECT_TRUE(w->report()->toPlainText().isEmpty());
    EXPECT_EQ(gPlotKind, 3);
    EXPECT_EQ(gScene->RotPitch, -30);
    EXPECT_EQ(gScene->RotYaw, 45);
    EXPECT_EQ(gLight->Position(0), 100);
    EXPECT_EQ(gLight->Position(1), 100);
}

TEST_F(DocumentTest, YesSavesTheImageFirst) {
    QTemporaryDir dir;
    addCurve("A", kX, kY);
    const std::string file = dir.filePath("picture.bmp").toStdString();
    boxes.queue({platform::MsgResult::Yes});
    dialogs.answerFile(file);
    w->mnuFileNew2D();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(file)));
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    EXPECT_EQ(gPlotKind, 1);
}

TEST_F(DocumentTest, YesWithAFailedSaveKeepsTheGraphs) {
    addCurve("A", kX, kY);
    boxes.queue({platform::MsgResult::Yes});
    dialogs.answerFile("/nonexistent-folder/picture.bmp");
    w->mnuFileNew2D();
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    // The prompt, then the message naming the file that could not be written.
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_NE(boxes.shown()[1].text.find("/nonexistent-folder/picture.bmp"), std::string::npos);
}

TEST_F(DocumentTest, EnableStatesFollowTheKind) {
    struct Case {
        const char* item;
        bool in2D;
    };
    const std::vector<Case> menus{{"mnuViewRotX", false}, {"mnuViewRotY", false}, {"mnuViewRotZ", false},
                                  {"mnuViewRotate", false}, {"mnuViewFront", false}, {"mnuViewRight", false},
                                  {"mnuViewTop", false}, {"mnuViewISO", false}, {"mnuDrawLight", false},
                                  {"mnuGraphLight", false}, {"mnuGraphAxis", true}, {"mnuViewSet", true}};
    const std::vector<std::pair<int, bool>> buttons{{1, true},  {3, true},   {4, true},   {6, false},
                                                    {9, false}, {11, true},  {13, true},  {14, false},
                                                    {17, false}, {19, false}, {21, false}, {23, false},
                                                    {24, true}, {26, true}};
    w->mnuFileNew3D();
    for (const Case& c : menus) EXPECT_TRUE(w->action(c.item)->isEnabled()) << c.item;
    for (auto [i, on] : buttons) EXPECT_TRUE(w->toolbarButton(i)->isEnabled()) << i;
    w->mnuFileNew2D();
    for (const Case& c : menus) EXPECT_EQ(w->action(c.item)->isEnabled(), c.in2D) << c.item;
    for (auto [i, on] : buttons) EXPECT_EQ(w->toolbarButton(i)->isEnabled(), on) << i;
}
