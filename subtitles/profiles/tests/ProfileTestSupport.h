#pragma once
// Shared pieces of the profile tests: a test with a temporary folder, the error sink recording what is
// reported, and the decoder host over the test plug-ins; the scripts and the
// two-volume profile the tests store and reopen; and a dump of a profile's whole content.
#include "foundation/tests/TErrorSinkRecorder.h"
#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

class TDVDProfile;
class TLanguage;
class TScriptControl;
class TTitle;

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Two volumes: "Disc One" (disc id 123/456) with English (the native script "movie.ssa": title 1
    // with two selections, title 2 with one) and Français (movie.ssa shared, and "extras.srt" decoded
    // by a plug-in, then edited, with a selection in title 1); "Disc Two" (disc id 789/-1) with
    // Deutsch over movie.ssa. The scripts are plain files of the test folder.
    void BuildProfile(TDVDProfile& profile);
    // The errors reported (traces apart), joined; cleared afterwards.
    std::u16string TakeErrors();

    TempDir dir_;
    TErrorSinkRecorder errors_;
};

// The native script: two styles, four dialogue lines and a comment.
extern const std::string_view kMovieSsa;

// Everything a profile holds: header, volumes with their fields and identifiers, and per language
// its language file as the writer writes it and each of its scripts as SubStation text.
std::string Dump(TDVDProfile& profile);

// Appends a selection to the title.
void AddSelect(TTitle& title, TScriptControl* script, int32_t first, int32_t last, int32_t dvdStart,
               const char* name, bool enabled);

// The names of an archive's members, in archive order.
std::vector<std::string> MemberNames(const std::string& archive);
// One member's content; empty when it cannot be read.
std::string MemberText(const std::string& archive, const char* name);
