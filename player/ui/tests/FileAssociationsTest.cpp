// The player's file types on the desktop, in a temporary home: associating takes a type over, keeping
// the user's earlier default behind the player's; releasing brings that default back, and another
// program's association is never touched.
#include "player/ui/TFileAssociations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class FileAssociationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(DataHome() + "/applications");
        std::filesystem::create_directories(ConfigHome());
        // The user's own player, the default for AVI files.
        std::ofstream(DataHome() + "/applications/other.desktop")
            << "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true "
               "%F\nMimeType=video/x-msvideo;\n";
        std::ofstream(ConfigHome() + "/mimeapps.list")
            << "[Default Applications]\nvideo/x-msvideo=other.desktop;\n";
    }

    std::string DataHome() const { return home_.path().toStdString() + "/data"; }
    std::string ConfigHome() const { return home_.path().toStdString() + "/config"; }
    // The desktop's tool only takes an entry whose program exists: the test's own stands for the player.
    TFileAssociations Associations() const {
        return {{DataHome(), ConfigHome()}, QCoreApplication::applicationFilePath().toStdString()};
    }
    std::string MimeApps() const {
        std::ifstream file(ConfigHome() + "/mimeapps.list");
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    // What the desktop's own tool answers as the type's default; empty without the tool.
    std::string QueryDefault(const char* mimeType) const {
        QProcess query;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", QString::fromStdString(DataHome()));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(ConfigHome()));
        environment.insert("XDG_DATA_DIRS", QString::fromStdString(DataHome()));
        environment.insert("XDG_CONFIG_DIRS", QString::fromStdString(ConfigHome()));
        environment.remove("XDG_CURRENT_DESKTOP");
        environment.remove("DESKTOP_SESSION");
        query.setProcessEnvironment(environment);
        query.start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        query.waitForFinished(10000);
        return query.readAllStandardOutput().trimmed().toStdString();
    }

    QTemporaryDir home_;
};

TEST_F(FileAssociationsTest, ExtensionsMapToTheDesktopsMimeTypes) {
    EXPECT_EQ(TFileAssociations::MimeTypeOf(u".avi"), "video/x-msvideo");
    EXPECT_EQ(TFileAssociations::MimeTypeOf(u".AVI"), "video/x-msvideo");
    EXPECT_EQ(TFileAssociations::MimeTypeOf(u".no-such-type"), "");
}

TEST_F(FileAssociationsTest, ReleasingBringsTheUsersEarlierDefaultBack) {
    const std::vector<TExtensionEntry> associated = {{u".avi", true, true, 1}};
    const std::vector<TExtensionEntry> released = {{u".avi", false, true, 1}};
    EXPECT_TRUE(Associations().Apply(associated, false));
    EXPECT_NE(MimeApps().find("video/x-msvideo=tovrin-video.desktop;other.desktop;"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(DataHome() + "/applications/tovrin-video.desktop"));
    // Associated already: nothing changes, even when the kind changed in the table.
    EXPECT_FALSE(Associations().AssociateExtension("tovrin-audio.desktop", u".avi"));
    const bool tool = !QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty();
    if (tool) {
        EXPECT_EQ(QueryDefault("video/x-msvideo"), "tovrin-video.desktop");
    }
    EXPECT_TRUE(Associations().Apply(released, false));
    EXPECT_NE(MimeApps().find("video/x-msvideo=other.desktop;"), std::string::npos);
    EXPECT_EQ(MimeApps().find("tovrin"), std::string::npos);
    if (tool) {
        EXPECT_EQ(QueryDefault("video/x-msvideo"), "other.desktop");
    } else {
        std::printf("xdg-mime is not installed: the desktop tool's view was not checked\n");
    }
}

TEST_F(FileAssociationsTest, ReleasingAnotherProgramsTypeLeavesItUntouched) {
    const std::string before = MimeApps();
    EXPECT_FALSE(Associations().UnassociateExtension(u".avi"));
    EXPECT_TRUE(Associations().Apply({{u".avi", false, true, 1}}, false));
    EXPECT_EQ(MimeApps(), before);
    EXPECT_FALSE(std::filesystem::exists(DataHome() + "/applications/tovrin-video.desktop"));
}

TEST_F(FileAssociationsTest, ForcingWritesTheFiveDesktopEntriesAndAnEmptyTableDoesNothing) {
    EXPECT_FALSE(Associations().Apply({}, true));
    EXPECT_FALSE(std::filesystem::exists(DataHome() + "/applications/tovrin-iso.desktop"));
    EXPECT_TRUE(Associations().Apply({{u".zzunknown", true, true, 1}, {u".x", false, false, 9}}, true));
    for (const char* id : TFileAssociations::kDesktopIds) {
        EXPECT_TRUE(std::filesystem::exists(DataHome() + "/applications/" + id)) << id;
    }
}

} // namespace
