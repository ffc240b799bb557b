#pragma once
// Support of the editor's tests: a temporary folder and a private runtime folder per test, fixture
// profiles, and views that record what the editor-wide services tell them.
#include "editor/IEditorDialogs.h"
#include "editor/IEditorViews.h"
#include "editor/TProfileCursor.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A folder of its own below the system's temporary folder, removed with everything in it.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A private runtime folder (where windows are published and named mutexes live) for the test.
class RuntimeScope {
public:
    RuntimeScope();
    // Uses a folder the test made already.
    explicit RuntimeScope(const std::string& folder);
    ~RuntimeScope();

private:
    std::optional<TestFolder> own_;
};

// A profile of two volumes: "Disc 1" with a language "English" whose script "1-English.ssa" has
// these events (1 s long each), and "Disc 2" with a language "French" and its own script
// "2-French.ssa"; each language has title 1 with a select over its whole script.
bool WriteEditorFixture(const std::string& path, const std::vector<std::pair<int32_t, std::string>>& events);

std::string ReadBytes(const std::string& path);
// The bytes of an archive member; nothing when it cannot be read.
std::optional<std::string> MemberBytes(const std::string& archive, const std::string& member);

// The program-wide error control and binding for the test, with every reported text kept.
class ReportedErrors {
public:
    ReportedErrors();
    ~ReportedErrors();
    std::vector<std::u16string> Texts;
};

class RecordingMainView : public IMainFormView {
public:
    void SetMainCaption(const std::u16string& caption) override { Caption = caption; }
    void RestartAutoRefresh() override { ++Restarts; }
    void MarkModified() override { Modified = true; }
    void ClearModified() override { Modified = false; }
    bool ConfirmDiscardChanges() override {
        ++Questions;
        return !Modified || AgreeToDiscard;
    }
    void ClearViews() override { ++Clears; }
    void BuildStylesMenu(const TPointer<TStyles>* styles) override {
        StylesMenuHasStyles = styles != nullptr;
    }
    void RebuildHistoryMenu() override { ++HistoryRebuilds; }

    std::u16string Caption;
    int Restarts = 0;
    bool Modified = false;
    bool AgreeToDiscard = true;
    int Questions = 0;
    int Clears = 0;
    bool StylesMenuHasStyles = false;
    int HistoryRebuilds = 0;
};

class RecordingListingView : public IEventsListingView {
public:
    void SetCursor(const TProfileCursor* cursor) override {
        Shown = cursor != nullptr ? *cursor : TProfileCursor{};
    }
    bool UpdateEditors(bool, bool) override { return ++EditorUpdates > 0; }
    void RepaintGrid() override { ++Repaints; }
    void EnableFilters() override { ++FilterEnables; }
    void SetCurrentEventTimes(int32_t start, int32_t end, bool) override { Times = {start, end}; }
    void SuspendDrawing() override {}
    void ResumeDrawing() override {}

    TProfileCursor Shown;
    int EditorUpdates = 0;
    int Repaints = 0;
    int FilterEnables = 0;
    std::pair<int32_t, int32_t> Times{-1, -1};
};

class ScriptedDialogs : public IEditorDialogs {
public:
    int Ask(std::u16string_view, std::u16string_view, std::u16string_view) override { return Answer; }
    std::u16string OpenFileName(std::u16string_view, const std::string&) override { return Chosen; }
    std::u16string SaveFileName(std::u16string_view, const std::string&) override { return Chosen; }

    int Answer = kYes;
    std::u16string Chosen;
};
