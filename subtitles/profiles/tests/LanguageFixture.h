#pragma once
// The language tests' fixture: a temporary folder for profiles and scripts, the script pool the
// languages share, and the texts the error control reports (level 5 errors apart from traces).
#include "foundation/tests/TempDir.h"
#include "player/model/profiles/TScriptsPool.h"
#include "subtitles/profiles/TLanguage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LanguageTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

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

    TempDir Dir;
    TScriptsPool Pool;
    std::vector<std::string> Errors;
    std::vector<std::string> Traces;

private:
    static uint8_t Collect(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b, intptr_t c);
};

// The selections of a title as "name@first-last>dvd" texts, in order.
std::vector<std::string> SelectionsOf(const TTitle& title);
