#include "editor/tests/EditorTestSupport.h"

#include "player/model/binding/PlayerGlobals.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "subtitles/zip/TZipControl.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TestFolder::TestFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("pellit-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::replace);
}

TestFolder::~TestFolder() {
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::replace, error);
    fs::remove_all(path_, error);
}

RuntimeScope::RuntimeScope() {
    own_.emplace();
    setenv("TOVRIN_RUNTIME_DIR", own_->Path().c_str(), 1);
}

RuntimeScope::RuntimeScope(const std::string& folder) {
    setenv("TOVRIN_RUNTIME_DIR", folder.c_str(), 1);
}

RuntimeScope::~RuntimeScope() {
    unsetenv("TOVRIN_RUNTIME_DIR");
}

bool WriteEditorFixture(const std::string& path, const std::vector<std::pair<int32_t, std::string>>& events) {
    TFixtureLanguage language;
    language.Name = "English";
    for (const auto& [start, text] : events) {
        language.Events.push_back({start, start + 1000, text});
    }
    language.Titles.push_back({1, 0});
    TFixtureVolume first;
    first.Name = "Disc 1";
    first.Languages.push_back(language);
    TFixtureLanguage french;
    french.Name = "French";
    french.Events = {{500, 1500, "Bonjour"}, {2500, 3500, "Au revoir"}};
    french.Titles.push_back({1, 0});
    TFixtureVolume second;
    second.Name = "Disc 2";
    second.Languages.push_back(french);
    return WriteFixtureProfile(path, {first, second});
}

std::optional<std::string> MemberBytes(const std::string& archive, const std::string& member) {
    TZipControl zip;
    char* buffer = nullptr;
    uint32_t size = 0;
    if (!zip.Open(archive.c_str()) || !zip.ReadEntry(member.c_str(), buffer, size)) {
        return std::nullopt;
    }
    std::string bytes(buffer, size);
    TZipControl::FreeBuffer(buffer);
    return bytes;
}

namespace {

uint8_t KeepReport(void* user, uint32_t, uint32_t event, intptr_t a, intptr_t, intptr_t) {
    if (event == TErrorControl::kErrorEvent && a != 0) {
        static_cast<ReportedErrors*>(user)->Texts.emplace_back(reinterpret_cast<const char16_t*>(a));
    }
    return 1;
}

} // namespace

ReportedErrors::ReportedErrors() {
    CreatePlayerGlobals();
    ErrorControl()->AddListener(this, 1, &KeepReport);
}

ReportedErrors::~ReportedErrors() {
    DestroyPlayerGlobals();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
