#pragma once
// A filter of the engine's graph as the graph steps see it: an opaque handle that the step operations
// hand out and take back. The engine derives its filter record from it; the steps never own one.
class TGraphFilter {
public:
    virtual ~TGraphFilter() = default;
};
