#pragma once
// The installed error sink for one test: it keeps every report, formatted, with its level, and removes
// itself at the end.
#include "foundation/ErrorReport.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TErrorSinkRecorder : public IErrorSink {
public:
    struct TReport {
        int8_t level;
        std::u16string text;
    };

    TErrorSinkRecorder() { InstallErrorSink(this); }
    ~TErrorSinkRecorder() override { InstallErrorSink(nullptr); }
    TErrorSinkRecorder(const TErrorSinkRecorder&) = delete;
    TErrorSinkRecorder& operator=(const TErrorSinkRecorder&) = delete;

    void Report(int8_t level, const char16_t* format, std::span<const plat::text::FormatArg> args) override {
        plat::text::WString text;
        plat::text::FormatAppend(text, format, args);
        reports.push_back({level, std::u16string(text)});
    }

    std::vector<TReport> reports;
};
