#pragma once
// The interpreter of graph descriptions (XGR): runs each step of a text through the graph step
// operations. Normal mode executes the children of every top-level GRAPH element; undo mode executes
// every top-level element (the merit undo log).
#include "core/src/graph/TGraphSteps.h"

#include <string>

class TXmlNode;

class TGraphScript {
public:
    // Longest attribute value read, in characters; the Direct attribute of CONNECT has its own.
    static constexpr int kAttributeCapacity = 2500;
    static constexpr int kDirectCapacity = 19;

    explicit TGraphScript(TGraphSteps& steps);

    // Runs the text; true when the run failed (a source file not set, a sample grabber not inserted).
    bool Run(const char16_t* text, bool undoMode);

    // Replaces a value that as a whole is "##TOVVAR:name##" by the variable's value when the variable
    // exists and its value is shorter than `capacity`; otherwise the value stays as written.
    void SubstituteVariable(std::u16string& value, int capacity);

private:
    using Step = void (TGraphScript::*)(TXmlNode&);
    struct StepEntry {
        const char16_t* name;
        Step step;
        bool needsGraph;
    };
    static const StepEntry kSteps[];

    void RunStep(TXmlNode& element);
    // True when the attribute is present, not empty and fits `capacity`; `value` then holds it.
    static bool Given(TXmlNode& element, const char16_t* name, std::u16string& value,
                      int capacity = kAttributeCapacity);
    void RefreshIfPending();
    void SetSourceFile(const std::u16string& file, TGraphFilter* filter);

    void DmoFilter(TXmlNode& element);
    void SetFileName(TXmlNode& element);
    void Filter(TXmlNode& element);
    void FilterParameter(TXmlNode& parameter, TGraphFilter* filter);
    void ChangeMerit(TXmlNode& element);
    void CreateMultimediaGraph(TXmlNode& element);
    void LoadGrf(TXmlNode& element);
    void RenderFile(TXmlNode& element);
    void Connect(TXmlNode& element);
    void Render(TXmlNode& element);
    void RenderEx(TXmlNode& element);
    void RenderPin(TXmlNode& element, bool onlyExistingRenderers);
    void ForbidFilter(TXmlNode& element);
    void InsertSampleGrabber(TXmlNode& element);
    void AddToRot(TXmlNode& element);

    TGraphSteps& steps_;
    bool failed_ = false;
    bool refreshPending_ = false;
    bool stopped_ = false; // a failed sample grabber ends the run
};
