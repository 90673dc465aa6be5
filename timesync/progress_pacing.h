#pragma once

// How the progress control steps while a query waits: the step that finds the bar
// already full is the query's time-out.
namespace pacing {

// The control's range and step, and the pause between steps: about 4 s to a time-out.
inline constexpr int kProgressMinimum = 0;
inline constexpr int kProgressMaximum = 100;
inline constexpr int kProgressStep = 5;
inline constexpr int kStepPeriodMs = 200;

struct ProgressStep {
    int position = 0;
    // The bar was full before this step.
    bool timedOut = false;
};

// A position beyond the maximum starts over at the minimum.
constexpr ProgressStep StepProgress(int position, int minimum, int maximum, int step) {
    const int next = position + step;
    return {next > maximum ? minimum : next, position >= maximum};
}

} // namespace pacing
