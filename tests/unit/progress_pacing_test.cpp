#include "timesync/progress_pacing.h"

#include <gtest/gtest.h>

// The step that finds the bar full is the time-out, and carries the bar back to the start.
TEST(ProgressPacing, TimesOutOnTheStepPastAFullBarAndStartsOver) {
    struct Case {
        int position, next;
        bool timedOut;
    };
    for (const Case& c :
         {Case{0, 5, false}, Case{95, 100, false}, Case{97, 0, false}, Case{100, 0, true}}) {
        const pacing::ProgressStep step = pacing::StepProgress(c.position, 0, 100, 5);
        EXPECT_EQ(step.position, c.next) << c.position;
        EXPECT_EQ(step.timedOut, c.timedOut) << c.position;
    }
}
