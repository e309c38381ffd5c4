// How a run yields to whoever started it: progress and cancellation.
#pragma once

namespace qv {

class RunObserver {
public:
    virtual ~RunObserver() = default;
    // Called at most every ~30 ms during a run, with the progress 0 … 100.
    // Returning false cancels the run; what was computed so far stays.
    virtual bool poll(int position) = 0;
};

}  // namespace qv
