// Cls8::Save: each graph's record by its kind, in collection order.
#include <gtest/gtest.h>

#include <memory>

#include "document/scene.h"
#include "graph/graph.h"

TEST(SceneRecord, JoinsTheRecordsOfItsGraphsByKind) {
    Cls8 scene;
    EXPECT_EQ(scene.Save(), "");
    long id = 0;
    auto add = [&](long type) {
        auto g = std::make_shared<Cls9>();
        g->GraphType = type;
        g->ID = ++id;
        g->StepU = g->StepV = 0;
        scene.FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        return g;
    };
    const auto curve = add(4), volume = add(43), function = add(1), surface = add(6), unknown = add(16);
    (void)volume;
    (void)unknown;
    EXPECT_EQ(scene.Save(), curve->SaveTable() + function->Save() + surface->SaveTable());
}
