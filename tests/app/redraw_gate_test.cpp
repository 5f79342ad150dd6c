// The redraw gate: what a batch of changes still owes the picture when it
// ends, whatever was asked for inside it and however batches nest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/redraw_gate.h"

namespace {
using Owed = RedrawGate::Owed;

// Runs the steps ('(' open, ')' close, 'S' scene, 'V' view, 'D' show,
// 's' stale, 'c' compiled) and returns what each close handed over, and
// which of S, V and D were held back ('h') or let through ('-').
struct Outcome {
    std::vector<Owed> closes;
    std::string held;
};
Outcome run(const std::string& steps) {
    RedrawGate gate;
    Outcome r;
    for (char c : steps) switch (c) {
            case '(': gate.open(); break;
            case ')': r.closes.push_back(gate.close()); break;
            case 'S': r.held += gate.holdScene() ? 'h' : '-'; break;
            case 'V': r.held += gate.holdView() ? 'h' : '-'; break;
            case 'D': r.held += gate.holdShow() ? 'h' : '-'; break;
            case 's': gate.sceneStale(); break;
            case 'c': gate.compiled(); break;
        }
    return r;
}
}  // namespace

TEST(RedrawGate, ABatchOwesTheLeastThatCoversWhatWasAskedOnce) {
    const Owed none{}, scene{true, false, true}, view{false, true, true}, show{false, false, true};
    struct Case {
        const char* steps;
        std::vector<Owed> closes;
        const char* held;
    };
    const std::vector<Case> cases{
        {"SD", {}, "--"},                           // no batch: everything runs at once
        {"()", {none}, ""},                         // an empty batch draws nothing
        {"(SDSDSD)", {scene}, "hhhhhh"},            // three redraws become one
        {"(VDVD)", {view}, "hhhh"},                 // drag steps: one view
        {"(VSD)", {scene}, "hhh"},                  // a compile covers the view
        {"(D)", {show}, "h"},                       // only shown again
        {"((SD)D)", {none, scene}, "hhh"},          // the inner end owes nothing
        {"(S)(D)", {scene, show}, "hh"},            // each batch owes its own
        {"s()", {scene}, ""},                       // a stale picture is drawn by the next batch's end
        {"sc()", {none}, ""},                       // ... unless a compile came first
        {"(S)S", {scene}, "h-"},                    // after the last end nothing is held
        {")(S)", {none, scene}, "h"},               // an end without a batch owes nothing and opens none
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.steps);
        EXPECT_EQ(r.held, c.held) << c.steps;
        ASSERT_EQ(r.closes.size(), c.closes.size()) << c.steps;
        for (std::size_t i = 0; i < c.closes.size(); ++i) {
            EXPECT_EQ(r.closes[i].scene, c.closes[i].scene) << c.steps << " close " << i;
            EXPECT_EQ(r.closes[i].view, c.closes[i].view) << c.steps << " close " << i;
            EXPECT_EQ(r.closes[i].show, c.closes[i].show) << c.steps << " close " << i;
        }
    }
}

TEST(RedrawGate, AStalePictureIsOwedUntilTheNextCompile) {
    RedrawGate gate;
    EXPECT_FALSE(gate.sceneOwed());
    gate.sceneStale();
    EXPECT_TRUE(gate.sceneOwed());
    EXPECT_FALSE(gate.holding());
    gate.compiled();
    EXPECT_FALSE(gate.sceneOwed());
}
