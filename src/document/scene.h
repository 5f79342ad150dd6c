#pragma once
// Cls8: a scene: the keyed collection of its graphs, the view rotation, the
// union box of the graphs (which sets the scene scales) and their drawing.
#include <memory>
#include <string>

#include "scene/box.h"
#include "document/keyed_collection.h"

class Cls3;
class Cls9;

class Cls8 {
public:
    Cls8();

    KeyedCollection<Cls9> FunSurfs;  // each graph under the decimal text of its ID
    bool DrawAxis = true;            // stored only
    std::shared_ptr<Cls3> Axis;      // the scene's own frame; the picture draws gAxis
    double RotRoll = 0, RotPitch = 0, RotYaw = 0;  // degrees about scene Z, X, Y
    double TransX = 0, TransY = 0, TransZ = 0;     // stored only
    double ScaleX = 1.0, ScaleY = 1.0, ScaleZ = 1.0;

    // The key of a graph in FunSurfs.
    static std::string KeyOf(long id) { return std::to_string(id); }

    // True when any graph is animated.
    bool Animation() const;
    // Union box of the graphs in data units; sets gSceneScaleX/Y/Z/W by
    // gAxisScaleMode and adds the 2-D margins.
    Cls1 GetBox(long& lngAnimStep);
    // Draws every graph, then turns the two vertical clip planes off.
    void Draw(long& lngAnimStep);
    // The graphs' text records joined in collection order: SaveTable for the
    // data kinds 4, 5, 6, Save for the function kinds; other kinds (43) write
    // nothing.
    std::string Save() const;
    // Uploads the texture files of the textured graphs into the current
    // context; the frame calls it before the picture's lists open.
    void PrepareTextures() const;

private:
    // One union of the graphs' boxes with the scales made from it.
    Cls1 unionPass(long& lngAnimStep);
    // The union being accumulated by GetBox.
    double maxX_ = 0, maxY_ = 0, maxZ_ = 0, maxW_ = 0;
    double minX_ = 0, minY_ = 0, minZ_ = 0, minW_ = 0;
};
