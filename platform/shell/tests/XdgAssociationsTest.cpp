#include "platform/shell/XdgAssociations.h"

#include "foundation/tests/TempDir.h"
#include "platform/shell/MimeAppsList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using plat::shell::DesktopEntry;
using plat::shell::MimeAppsList;
using plat::shell::XdgAssociations;

DesktopEntry PlayerEntry() {
    DesktopEntry entry;
    entry.Id = "tovrin.desktop";
    entry.Name = "Tovrin \\ player";
    entry.Program = "/opt/my player/tovrin";
    entry.Arguments = {"--enqueue", "say \"$HOME\" `x` \\ 100%"};
    entry.Icon = "/opt/my player/tovrin.png";
    entry.MimeTypes = {"video/mpeg", "application/x-tovrin-playlist"};
    return entry;
}

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

class XdgAssociationsTest : public testing::Test {
protected:
    TempDir dir;
    XdgAssociations associations{dir.Path("data"), dir.Path("config")};
};

TEST_F(XdgAssociationsTest, DesktopEntriesQuoteTheirCommandLine) {
    ASSERT_TRUE(associations.WriteDesktopEntry(PlayerEntry()));
    EXPECT_EQ(TempDir::Read(dir.Path("data/applications/tovrin.desktop")),
              "[Desktop Entry]\nType=Application\nVersion=1.0\nName=Tovrin \\\\ player\n"
              "Exec=\"/opt/my player/tovrin\" --enqueue \"say \\\\\"\\\\$HOME\\\\\" \\\\`x\\\\` \\\\\\\\ "
              "100%%\" %F\n"
              "Terminal=false\nIcon=/opt/my player/tovrin.png\n"
              "MimeType=video/mpeg;application/x-tovrin-playlist;\n");
    EXPECT_TRUE(associations.RemoveDesktopEntry("tovrin.desktop"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("data/applications/tovrin.desktop")));
    EXPECT_TRUE(associations.RemoveDesktopEntry("tovrin.desktop"));
    EXPECT_FALSE(associations.RemoveDesktopEntry("../escape.desktop"));
}

TEST_F(XdgAssociationsTest, EntriesThatCannotBeWrittenSafelyAreRefused) {
    const auto with = [](auto change) {
        DesktopEntry entry = PlayerEntry();
        change(entry);
        return entry;
    };
    const DesktopEntry refused[] = {
        with([](DesktopEntry& e) { e.Id = "../../evil.desktop"; }),
        with([](DesktopEntry& e) { e.Id = "tovrin"; }),
        with([](DesktopEntry& e) { e.Id = ".desktop"; }),
        with([](DesktopEntry& e) { e.Name = ""; }),
        with([](DesktopEntry& e) { e.Name = "two\nlines"; }),
        with([](DesktopEntry& e) { e.Program = "relative/tovrin"; }),
        with([](DesktopEntry& e) { e.Arguments = {"new\nline"}; }),
        with([](DesktopEntry& e) { e.MimeTypes = {"video"}; }),
        with([](DesktopEntry& e) { e.MimeTypes = {"Video/MPEG"}; }),
        with([](DesktopEntry& e) { e.MimeTypes = {"video/mp;eg"}; }),
    };
    for (const DesktopEntry& entry : refused) {
        EXPECT_FALSE(associations.WriteDesktopEntry(entry)) << entry.Id << " " << entry.Name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("data")));
}

TEST_F(XdgAssociationsTest, DefaultsAreSetAndRemovedKeepingTheRestOfTheList) {
    const std::string existing =
        "# mine\n[Default Applications]\ntext/plain=editor.desktop;\n"
        "video/mpeg=other.desktop;\n\n[Removed Associations]\nvideo/mpeg=tovrin.desktop;\n"
        "[Private]\nkey=value\n";
    std::filesystem::create_directories(dir.Path("config"));
    dir.Write("config/mimeapps.list", existing);
    ASSERT_TRUE(associations.SetDefault("video/mpeg", "tovrin.desktop"));
    ASSERT_TRUE(associations.SetDefault("video/dvd", "tovrin.desktop"));
    EXPECT_EQ(
        TempDir::Read(associations.MimeAppsPath()),
        "# mine\n[Default Applications]\ntext/plain=editor.desktop;\n"
        "video/mpeg=tovrin.desktop;other.desktop;\nvideo/dvd=tovrin.desktop;\n\n[Removed Associations]\n"
        "[Private]\nkey=value\n\n[Added "
        "Associations]\nvideo/mpeg=tovrin.desktop;\nvideo/dvd=tovrin.desktop;\n");
    EXPECT_TRUE(associations.IsDefault("video/mpeg", "tovrin.desktop"));
    EXPECT_FALSE(associations.IsDefault("text/plain", "tovrin.desktop"));

    ASSERT_TRUE(associations.RemoveDefault("video/mpeg", "tovrin.desktop"));
    ASSERT_TRUE(associations.RemoveDefault("video/dvd", "tovrin.desktop"));
    EXPECT_EQ(TempDir::Read(associations.MimeAppsPath()),
              "# mine\n[Default Applications]\ntext/plain=editor.desktop;\nvideo/mpeg=other.desktop;\n\n"
              "[Removed Associations]\n[Private]\nkey=value\n\n[Added Associations]\n");
    EXPECT_FALSE(associations.IsDefault("video/mpeg", "tovrin.desktop"));
}

TEST_F(XdgAssociationsTest, FailedWritesAnswerFalseAndHoldNothingOpen) {
    const std::size_t descriptors = OpenDescriptors();
    dir.Write("file", "x");
    const XdgAssociations blocked(dir.Path("file/data"), dir.Path("file/config"));
    EXPECT_FALSE(blocked.SetDefault("video/mpeg", "tovrin.desktop"));
    EXPECT_FALSE(blocked.WriteDesktopEntry(PlayerEntry()));

    std::filesystem::create_directories(dir.Path("folder/mimeapps.list"));
    const XdgAssociations listIsFolder(dir.Path("data"), dir.Path("folder"));
    EXPECT_FALSE(listIsFolder.SetDefault("video/mpeg", "tovrin.desktop"));
    EXPECT_FALSE(listIsFolder.IsDefault("video/mpeg", "tovrin.desktop"));

    std::filesystem::create_directories(dir.Path("config"));
    const std::string big(MimeAppsList::kMaxSize + 1, '#');
    dir.Write("config/mimeapps.list", big);
    EXPECT_FALSE(associations.SetDefault("video/mpeg", "tovrin.desktop"));
    EXPECT_EQ(TempDir::Read(associations.MimeAppsPath()), big);

    EXPECT_FALSE(associations.SetDefault("not a type", "tovrin.desktop"));
    EXPECT_FALSE(associations.SetDefault("video/mpeg", "a/b.desktop"));
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("config")), {}),
              1); // no temporary left
}

// What xdg-mime answers for the type with only our temporary folders to look in.
std::string QueryDefault(const TempDir& dir, const std::string& mimeType) {
    const std::string command = "env -i PATH=/usr/bin:/bin HOME='" + dir.Path("home") + "' XDG_DATA_HOME='" +
                                dir.Path("data") + "' XDG_CONFIG_HOME='" + dir.Path("config") +
                                "' XDG_DATA_DIRS='" + dir.Path("none") + "' XDG_CONFIG_DIRS='" +
                                dir.Path("none") + "' " + XDG_MIME_PROGRAM + " query default " + mimeType +
                                " 2>/dev/null";
    std::string answer;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, pipe)) {
            answer += chunk;
        }
        ::pclose(pipe);
    }
    return answer;
}

TEST_F(XdgAssociationsTest, XdgMimeReadsBackWhatWasWritten) {
    if (std::string(XDG_MIME_PROGRAM).empty() ||
        std::string(XDG_MIME_PROGRAM).find("NOTFOUND") != std::string::npos) {
        GTEST_SKIP() << "xdg-mime is not installed (Debian package xdg-utils)";
    }
    ASSERT_TRUE(associations.WriteDesktopEntry(PlayerEntry()));
    ASSERT_TRUE(associations.SetDefault("video/mpeg", "tovrin.desktop"));
    EXPECT_EQ(QueryDefault(dir, "video/mpeg"), "tovrin.desktop\n");
    ASSERT_TRUE(associations.RemoveDefault("video/mpeg", "tovrin.desktop"));
    ASSERT_TRUE(associations.RemoveDesktopEntry("tovrin.desktop"));
    EXPECT_EQ(QueryDefault(dir, "video/mpeg"), "");
}

} // namespace
