// The progress a fit on a worker thread shares with the waiting window.
#include <thread>

#include <gtest/gtest.h>

#include "fitting/common/fit_progress.h"

TEST(FitProgress, RecordsTheIterationAndStopsTheFitOnceCancelled) {
    FitProgress p;
    EXPECT_EQ(p.text(), "Iteration 0");
    auto hook = p.hook();
    EXPECT_TRUE(hook(1, 2.5e-7));
    EXPECT_EQ(p.iteration(), 1);
    EXPECT_EQ(p.text(), "Iteration 1\nResidual sum of squares: 2.5E-07");
    EXPECT_TRUE(hook(12, 1234.5));
    EXPECT_EQ(p.text(), "Iteration 12\nResidual sum of squares: 1234.5");
    EXPECT_FALSE(p.cancelled());
    p.cancel();
    EXPECT_TRUE(p.cancelled());
    EXPECT_FALSE(hook(13, 1000));
    EXPECT_EQ(p.iteration(), 13);
}

TEST(FitProgress, AWorkerSeesACancelFromAnotherThread) {
    FitProgress p;
    auto hook = p.hook();
    int stoppedAt = 0;
    std::thread worker([&] {
        for (int i = 1;; ++i)
            if (!hook(i, 1.0 / i)) {
                stoppedAt = i;
                return;
            }
    });
    while (p.iteration() < 1000) std::this_thread::yield();
    p.cancel();
    worker.join();
    EXPECT_GE(stoppedAt, 1000);
    EXPECT_EQ(p.iteration(), stoppedAt);
}
