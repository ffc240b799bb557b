#pragma once
// The editor's modal questions and file choosers, behind an interface so that tests answer them
// without a modal loop.
#include <string>
#include <string_view>

class IEditorDialogs {
public:
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    virtual ~IEditorDialogs() = default;
    // The three-line yes/no question: kYes, kNo, or 0 when closed otherwise.
    virtual int Ask(std::u16string_view line1, std::u16string_view line2, std::u16string_view line3) = 0;
    // The chosen file; empty when cancelled.
    virtual std::u16string OpenFileName(std::u16string_view title, const std::string& folder) = 0;
    virtual std::u16string SaveFileName(std::u16string_view title, const std::string& folder) = 0;
};
