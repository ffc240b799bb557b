#pragma once
// The language tests' fixture: a temporary folder for profiles and scripts, the script pool the
// languages share, and the texts the languages report (errors apart from traces).
#include "foundation/tests/TErrorSinkRecorder.h"
#include "foundation/tests/TempDir.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LanguageTest : public testing::Test {
protected:
    // A SubStation v4 script with one style and one event per start time (2 s long).
    std::string WriteScript(const std::string& name, const std::vector<int32_t>& starts = {1000},
                            const std::string& style = "Big");
    // A language named "English" reading the plain profile `name` of the folder.
    std::unique_ptr<TLanguage> PlainLanguage(const std::string& name);
    // Writes the profile text, then loads it into a new plain language.
    std::unique_ptr<TLanguage> LoadText(std::string_view text, const std::string& name = "lang.ds");
    static std::string Written(TLanguage& language, bool fileNamesOnly = true);
    static std::string GoldenPath(const std::string& name);
    // The reported errors that contain `part`.
    int32_t ErrorsWith(std::string_view part) const;
    // The texts reported so far: errors, or the traces meant only for listeners.
    std::vector<std::string> Errors() const { return Reported(false); }
    std::vector<std::string> Traces() const { return Reported(true); }

    TempDir Dir;
    TScriptsPool Pool;
    TErrorSinkRecorder Sink;

private:
    std::vector<std::string> Reported(bool traces) const;
};

// The selections of a title as "name@first-last>dvd" texts, in order.
std::vector<std::string> SelectionsOf(const TTitle& title);
