#pragma once
// The main window for the fitting roads' tests: numbers into the grid as
// columns Var1, Var2, ..., and the picture saved, redrawn with a change and
// compared.
#include <QDir>
#include <QImage>
#include <charconv>
#include <functional>
#include <string>
#include <vector>

#include "platform/grid_control.h"
#include "window_fixture.h"
#include "support/pictures.h"

class FitRoadTest : public WindowTest {
protected:
    // The columns Var1.. with the values given, as number texts.
    void fillGrid(const std::vector<std::vector<double>>& columns) {
        GridControl* g = w->grid();
        g->Clear();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            g->SetCellText(0, static_cast<long>(c) + 1, "Var" + std::to_string(c + 1));
            for (std::size_t r = 0; r < columns[c].size(); ++r) {
                char buf[32];
                g->SetCellText(static_cast<long>(r) + 1, static_cast<long>(c) + 1,
                               std::string(buf, std::to_chars(buf, buf + 32, columns[c][r]).ptr));
            }
        }
    }

    // The picture redrawn after change() and saved as name, then restore()
    // and redrawn again.
    QImage redrawnWith(const std::function<void()>& change, const std::function<void()>& restore,
                       const std::string& name) {
        change();
        w->DrawScene();
        w->Display(gAnimStep);
        const QImage img = picture();
        savePicture(img, name);
        restore();
        w->DrawScene();
        w->Display(gAnimStep);
        return img;
    }
};
