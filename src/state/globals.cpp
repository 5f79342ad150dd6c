#include "state/globals.h"
#include "state/fit_defaults.h"
#include "state/kinds.h"

#include <stdexcept>

bool gShowEvalMessages = false;
std::shared_ptr<Cls8> gGraphs;
std::shared_ptr<Cls8> gScene;
std::shared_ptr<Cls4> gCamera;
std::shared_ptr<Cls10> gLight;
std::shared_ptr<Cls3> gAxis;
std::shared_ptr<Cls1> gSceneBox;
std::shared_ptr<ClsData> gDataSet;

long gNonLinMethod = kDefaultNonLinMethod;
long gNonLinMaxIterations = kDefaultMaxIterations;
double gNonLinTolerance = kDefaultTolerance;
long gNonLinCurveColor = kDefaultNonLinCurveColor;
long gSurfMaxIterations = kDefaultMaxIterations;
double gSurfTolerance = kDefaultTolerance;

long gAnimStep = 1;
long gAnimStepCount = 10;
long gAnimRecordValue = 10;

long gPlotKind = plot_kind::TwoD;
bool gAxisDialogResult = false;
long gGraphCounter = 0;
long gRotateMode = 0;
bool gReplaceSelectedGraph = false;

double gSceneScaleX = 1.0, gSceneScaleY = 1.0, gSceneScaleZ = 1.0, gSceneScaleW = 0.0;
double gSceneCenterX = 0.0, gSceneCenterY = 0.0, gSceneCenterZ = 0.0;
bool gClipSurface = false;
long gAxisScaleMode = 1;
double gAxisRatioX = 1.0, gAxisRatioY = 1.0, gAxisRatioZ = 1.0;
double gViewMinX = -500, gViewMaxX = 500, gViewMinY = -500, gViewMaxY = 500, gViewMinZ = -500, gViewMaxZ = 500;

long gContourSliceAxis = 0;

unsigned gOutlineFont = 0, gOutlineFontBold = 0, gBitmapFont = 0;

std::string gNewLine = "\r\n";
std::string gTabChar = "\t";

GridValues gGridValues;
std::vector<std::string> gGridColumnNames;
long gGridRowCount = 0;
long gGridColumnCount = 0;

void GridValues::resize(long cols, long rowCount, GridCell fill) {
    columns = cols < 0 ? 0 : cols;
    rows = rowCount < 0 ? 0 : rowCount;
    const size_t n = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    data.assign(n, 0.0);
    cells.assign(n, fill);
}

size_t GridValues::offset(long column, long row) const {
    if (column < 1 || column > columns || row < 1 || row > rows) throw std::out_of_range("Subscript out of range");
    return static_cast<size_t>(column - 1) * static_cast<size_t>(rows) + static_cast<size_t>(row - 1);
}

double& GridValues::at(long column, long row) { return data[offset(column, row)]; }
double GridValues::at(long column, long row) const { return data[offset(column, row)]; }
GridCell& GridValues::cell(long column, long row) { return cells[offset(column, row)]; }
GridCell GridValues::cell(long column, long row) const { return cells[offset(column, row)]; }

void resetGlobals() {
    gShowEvalMessages = false;
    gNonLinMethod = kDefaultNonLinMethod;
    gNonLinMaxIterations = kDefaultMaxIterations;
    gNonLinTolerance = kDefaultTolerance;
    gNonLinCurveColor = kDefaultNonLinCurveColor;
    gSurfMaxIterations = kDefaultMaxIterations;
    gSurfTolerance = kDefaultTolerance;
    gAnimStep = 1;
    gAnimStepCount = 10;
    gAnimRecordValue = 10;
    gPlotKind = plot_kind::TwoD;
    gAxisDialogResult = false;
    gGraphCounter = 0;
    gRotateMode = 0;
    gReplaceSelectedGraph = false;
    gSceneScaleX = gSceneScaleY = gSceneScaleZ = 1.0;
    gSceneScaleW = 0.0;
    gSceneCenterX = gSceneCenterY = gSceneCenterZ = 0.0;
    gClipSurface = false;
    gAxisScaleMode = 1;
    gAxisRatioX = gAxisRatioY = gAxisRatioZ = 1.0;
    gViewMinX = gViewMinY = gViewMinZ = -500;
    gViewMaxX = gViewMaxY = gViewMaxZ = 500;
    gContourSliceAxis = 0;
    gNewLine = "\r\n";
    gTabChar = "\t";
    gGridValues = GridValues{};
    gGridColumnNames.clear();
    gGridRowCount = 0;
    gGridColumnCount = 0;
}
