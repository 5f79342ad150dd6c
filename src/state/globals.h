#pragma once
// The program's shared state: every module global of the main window, the
// scene, the graph model and the fitting dialogs, with its start value.
// resetGlobals() restores the scalar start values (tests call it between cases);
// the main window's start-up creates the objects (scenes, camera, light).
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class Cls1;   // axis-aligned box
class Cls3;   // axis frame
class Cls4;   // camera
class Cls8;   // scene
class Cls10;  // light
class ClsData;

// Formula evaluation: domain errors answer UndefinedValue silently while False.
extern bool gShowEvalMessages;

// The document's two scenes: every graph, and the shown graphs with the rotation.
extern std::shared_ptr<Cls8> gGraphs;
extern std::shared_ptr<Cls8> gScene;
extern std::shared_ptr<Cls4> gCamera;
extern std::shared_ptr<Cls10> gLight;
// The axis frame is created on first use; axisFrame() creates it when missing.
extern std::shared_ptr<Cls3> gAxis;
Cls3& axisFrame();
// The scene box the frame draws the axes with; created on first use.
extern std::shared_ptr<Cls1> gSceneBox;
extern std::shared_ptr<ClsData> gDataSet;

// Fitting options.
extern long gNonLinMethod;         // 1 Gauss-Newton, 2 Levenberg-Marquardt
extern long gNonLinMaxIterations;
extern double gNonLinTolerance;
extern long gNonLinCurveColor;     // &HBBGGRR
extern long gSurfMaxIterations;
extern double gSurfTolerance;

// Animation (no graph is ever animated).
extern long gAnimStep;
extern long gAnimStepCount;
extern long gAnimRecordValue;

// Document and dialogs.
extern long gPlotKind;             // 1 2-D, 3 3-D, 4 2-D with a fitted curve, 11 4-D
extern bool gAxisDialogResult;
extern long gGraphCounter;         // the last graph ID handed out
extern long gRotateMode;           // 0 none, 1 trackball, 2/3/4 about data x/y/z
extern bool gReplaceSelectedGraph;

// Scene scaling: data units per scene unit and the scene centre (scene axes).
extern double gSceneScaleX, gSceneScaleY, gSceneScaleZ, gSceneScaleW;
extern double gSceneCenterX, gSceneCenterY, gSceneCenterZ;
extern bool gClipSurface;
extern long gAxisScaleMode;        // 1 own scales, 2 one common scale, 3 custom ratios
extern double gAxisRatioX, gAxisRatioY, gAxisRatioZ;
extern double gViewMinX, gViewMaxX, gViewMinY, gViewMaxY, gViewMinZ, gViewMaxZ;

// Plane code of the next contour drawing: 1 horizontal, 2 X slices, 3 Y slices.
extern long gContourSliceAxis;

// Display-list bases of the three fonts (128 lists each); 0 until built.
extern unsigned gOutlineFont, gOutlineFontBold, gBitmapFont;

// Report separators.
extern std::string gNewLine;       // CR LF
extern std::string gTabChar;       // TAB

// What a grid cell held when it was loaded: the fits leave out rows whose
// chosen cells are all empty and refuse a row with a gap or a text.
enum class GridCell : unsigned char { Number, Empty, Text };

// The grid's numbers as loaded for the fitting dialogs, indexed (column, row)
// from 1; cells that are not numbers read 0.
struct GridValues {
    long columns = 0, rows = 0;
    std::vector<double> data;     // column-major, columns * rows
    std::vector<GridCell> cells;  // the same layout: what each cell held
    // Every cell 0, of the kind given.
    void resize(long cols, long rowCount, GridCell fill = GridCell::Number);
    // Out-of-range indexes throw std::out_of_range.
    double& at(long column, long row);
    double at(long column, long row) const;
    GridCell& cell(long column, long row);
    GridCell cell(long column, long row) const;

private:
    std::size_t offset(long column, long row) const;
};
extern GridValues gGridValues;
extern std::vector<std::string> gGridColumnNames;  // index 1..gGridColumnCount; [0] unused
extern long gGridRowCount;
extern long gGridColumnCount;

// Restores every scalar global above to its start value and drops the grid
// data; object globals are left to the main window's start-up.
void resetGlobals();
