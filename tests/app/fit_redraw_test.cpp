// Every fitting road draws its result once: the graphs a fit adds, its own
// redraw, its zoom to fit and (for the curve roads) the Front view after the
// dialog make one compile of the picture, and that picture is the one a
// fresh redraw and zoom to fit give.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "fitting/curve/curve_fit_dialog.h"
#include "fitting/nonlinear/nonlin_dialog.h"
#include "fitting/shared/parameter_dialog.h"
#include "fitting/polynomial/polynomial_dialog.h"
#include "fitting/surface/surface_fit_dialog.h"
#include "fitting/surface/surface_option_dialogs.h"
#include "fitting/surface/volume_fit_dialog.h"
#include "support/gl_offscreen.h"
#include "support/when_shown.h"
#include "fit_dialog_driver.h"
#include "fit_road_fixture.h"

namespace {

// Moves the named column of List1 into a slot with its button.
void pick(QListWidget* list, const QString& name, QPushButton* button) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    list->setCurrentItem(found[0]);
    button->click();
}

// A dialog of the FitDialog family: the columns into the slots in turn, the
// parameters through the parameter dialog P, the model, OK.
template <class D, class P>
std::function<void()> fitDialogRun(const char* menu, std::vector<Parameter> parameters, QString model,
                                   frmF1* w) {
    return [=] {
        whenShown<D>([=](D* d) {
            chooseColumnsAndParameters<P>(d, parameters);
            d->Text1->setPlainText(model);
            d->Command5->click();
            if (d->isVisible()) d->Command6->click();
        });
        w->action(menu)->trigger();
    };
}

struct FitCase {
    const char* name;
    long graphs;   // the graphs the fit adds
    bool front;    // the road ends in the Front view
    std::function<std::function<void()>(frmF1*)> road;
};

const FitCase kCases[] = {
    {"Curve", 2, true,
     [](frmF1* w) {
         return std::function<void()>([w] {
             whenShown<frmCurveFit>([](frmCurveFit* d) {
                 pick(d->List1, "Var1", d->Command1);
                 pick(d->List1, "Var2", d->Command2);
                 for (int i = 0; i < 10; ++i) d->Check[i]->setChecked(i == 0);  // Linear only
                 d->Command3->click();
                 if (d->isVisible()) d->Command4->click();
             });
             w->action("mnuDrawCF")->trigger();
         });
     }},
    {"Nonlinear", 2, true,
     [](frmF1* w) {
         return fitDialogRun<frmNonLin, frmPara>("mnuDrawNLR", {{"a", "1"}, {"b", "1"}}, "a+b*x", w);
     }},
    {"Surface", 1, false,
     [](frmF1* w) {
         return fitDialogRun<frmSurFit, frmPara2>("mnuDrawSF", {{"a", "1"}, {"b", "1"}, {"c", "1"}}, "a+b*x+c*y",
                                                  w);
     }},
    {"Volume", 1, false,
     [](frmF1* w) {
         return fitDialogRun<frmVolFit, frmPara3>("mnuDrawVF", {{"a", "1"}, {"b", "1"}, {"c", "1"}, {"d", "1"}},
                                                  "a+b*x+c*y+d*z", w);
     }},
    {"TrinaryPolynomial", 1, false,
     [](frmF1* w) {
         return std::function<void()>([w] {
             whenShown<frmPoly>([](frmPoly* d) {
                 d->Combo1->setCurrentIndex(6);  // Trinary Linear Model
                 QPushButton* rows[] = {d->Command1, d->Command2, d->Command3, d->Command4};
                 for (int r = 0; r < 4; ++r) pick(d->List1, QStringLiteral("Var%1").arg(r + 1), rows[r]);
                 d->Command5->click();
                 if (d->isVisible()) d->Command6->click();
             });
             w->action("mnuDrawPoly")->trigger();
         });
     }},
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

}  // namespace

class FitRedraw : public FitRoadTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(FitRedraw, OneCompileFittedToTheView) {
    const FitCase& c = GetParam();
    // 27 points on {0, 1, 2}^3 with a value that no model fits exactly.
    std::vector<double> x, y, z, v;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) {
                x.push_back(i);
                y.push_back(j + 0.5 * i);
                z.push_back(k + 0.3 * i - 0.2 * j);
                v.push_back(1 + i + 2 * j - k + 0.1 * i * j * k);
            }
    fillGrid({x, y, z, v});
    const long compiles = w->scenesCompiled();
    c.road(w.get())();
    ASSERT_TRUE(boxes.shown().empty()) << boxes.shown()[0].text;
    ASSERT_EQ(gScene->FunSurfs.Count(), c.graphs);
    EXPECT_EQ(w->scenesCompiled() - compiles, 1);
    const QImage fitted = picture();
    savePicture(fitted, std::string("fit_redraw_") + c.name);
    EXPECT_GT(testsupport::countNonWhite(fitted), 500);

    // The same picture as the redraw, zoom to fit (and Front view) drawn apart.
    w->DrawScene();
    w->mnuViewFit_Click();
    if (c.front) w->mnuViewFront_Click();
    EXPECT_EQ(differing(fitted, picture()), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, FitRedraw, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FitCase>& i) { return std::string(i.param.name); });
