#pragma once
// The text of the subtitle being collected: at most kMaxChars bytes, further bytes dropped.
#include <cstddef>
#include <string>
#include <string_view>

class TSubtitleText {
public:
    static constexpr std::size_t kMaxChars = 2499;

    void Append(char c) {
        if (FText.size() < kMaxChars) {
            FText.push_back(c);
        }
    }
    void Append(std::string_view text) { FText.append(text.substr(0, kMaxChars - FText.size())); }
    // Appends all of the text or, when it does not fit, nothing (a character is never cut).
    void AppendWhole(std::string_view text) {
        if (text.size() <= kMaxChars - FText.size()) {
            FText.append(text);
        }
    }
    void TrimTrailingSpaces() {
        while (!FText.empty() && FText.back() == ' ') {
            FText.pop_back();
        }
    }
    void Clear() { FText.clear(); }
    const std::string& Text() const { return FText; }
    // Empty or spaces only.
    bool IsBlank() const { return FText.find_first_not_of(' ') == std::string::npos; }

private:
    std::string FText;
};
