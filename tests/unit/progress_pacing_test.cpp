#include "timesync/progress_pacing.h"

#include <gtest/gtest.h>

using pacing::StepProgress;

TEST(ProgressPacing, TheTwentyFirstStepFromEmptyTimesOut) {
    int position = 0;
    int step = 0;
    for (;;) {
        ++step;
        const pacing::ProgressStep result = StepProgress(position, 0, 100, 5);
        position = result.position;
        if (result.timedOut) {
            break;
        }
        ASSERT_LT(step, 100);
    }
    EXPECT_EQ(step, 21);
    // The time-out step itself carries the bar back to the start.
    EXPECT_EQ(position, 0);
}

TEST(ProgressPacing, StepsByTheStepAndStartsOverPastTheMaximum) {
    struct Case {
        int position, next;
        bool timedOut;
    };
    const Case cases[] = {{0, 5, false}, {95, 100, false}, {100, 0, true}, {97, 0, false}};
    for (const Case& c : cases) {
        const pacing::ProgressStep result = StepProgress(c.position, 0, 100, 5);
        EXPECT_EQ(result.position, c.next) << c.position;
        EXPECT_EQ(result.timedOut, c.timedOut) << c.position;
    }
}
