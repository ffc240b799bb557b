#include "platform/shell/ShellDialogs.h"

#include "platform/forms/DialogRunner.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

using plat::shell::BrowseForFolder;
using plat::shell::ConvertFilter;
using plat::shell::OpenFileDialog;

// Plays the user's part in the file dialog and keeps what the dialog was set up with.
class ScriptedUser : public plat::forms::DialogRunner {
public:
    explicit ScriptedUser(std::function<int(QFileDialog&)> script) : script_(std::move(script)) {
        SetCurrent(this);
    }
    ~ScriptedUser() override { SetCurrent(nullptr); }

    int Run(QDialog& dialog) override {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        title = files.windowTitle();
        folder = files.directory().absolutePath();
        nameFilters = files.nameFilters();
        selectedFilter = files.selectedNameFilter();
        suffix = files.defaultSuffix();
        foldersOnly =
            files.fileMode() == QFileDialog::Directory && files.testOption(QFileDialog::ShowDirsOnly);
        return script_(files);
    }

    QString title;
    QString folder;
    QStringList nameFilters;
    QString selectedFilter;
    QString suffix;
    bool foldersOnly = false;

private:
    std::function<int(QFileDialog&)> script_;
};

std::function<int(QFileDialog&)> Choose(const QString& path) {
    return [path](QFileDialog& dialog) {
        dialog.selectFile(path);
        return static_cast<int>(QDialog::Accepted);
    };
}

TEST(ShellDialogs, WindowsFiltersBecomeQtNameFilters) {
    struct Row {
        const char* windows;
        QStringList qt;
    };
    const Row rows[] = {
        {"Videos|*.avi;*.mpg|All files|*.*|", {"Videos (*.avi *.mpg)", "All files (*)"}},
        {"Subtitles (*.srt)|*.srt", {"Subtitles (*.srt) (*.srt)"}},
        {"No pattern||Lists|*.tpl; *.m3u|", {"Lists (*.tpl *.m3u)"}},
        {"Dangling", {}},
        {"", {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ConvertFilter(row.windows), row.qt) << row.windows;
    }
}

TEST(ShellDialogs, TheFolderBrowserAcceptsFoldersAndCutsFilesToTheirFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("Films/Été"));
    const QString inner = root.path() + "/Films/Été";
    QFile file(inner + "/clip.vob");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    {
        ScriptedUser user(Choose(inner));
        EXPECT_EQ(BrowseForFolder(nullptr, "Pick", root.path() + "/Films"), inner);
        EXPECT_EQ(user.title, "Pick");
        EXPECT_EQ(user.folder, root.path() + "/Films");
        EXPECT_TRUE(user.foldersOnly);
    }
    {
        ScriptedUser user(Choose(inner + "/clip.vob"));
        EXPECT_EQ(BrowseForFolder(nullptr, "Pick", ""), inner);
    }
    ScriptedUser cancels([](QFileDialog&) { return static_cast<int>(QDialog::Rejected); });
    EXPECT_EQ(BrowseForFolder(nullptr, "Pick", root.path()), "");
}

TEST(ShellDialogs, TheOpenDialogTakesFilterIndexExtensionAndFolder) {
    QTemporaryDir root;
    QFile file(root.path() + "/list.tpl");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString filter = "Videos|*.avi|Lists|*.tpl|";
    {
        ScriptedUser user(Choose(root.path() + "/list.tpl"));
        EXPECT_EQ(OpenFileDialog(nullptr, "Open", filter, "tpl", root.path(), 2), root.path() + "/list.tpl");
        EXPECT_EQ(user.nameFilters, QStringList({"Videos (*.avi)", "Lists (*.tpl)"}));
        EXPECT_EQ(user.selectedFilter, "Lists (*.tpl)");
        EXPECT_EQ(user.suffix, "tpl");
        EXPECT_EQ(user.folder, root.path());
    }
    for (int outOfRange : {0, 3, -1}) {
        ScriptedUser user([](QFileDialog&) { return static_cast<int>(QDialog::Rejected); });
        EXPECT_EQ(OpenFileDialog(nullptr, "Open", filter, "", root.path(), outOfRange), "");
        EXPECT_EQ(user.selectedFilter, "Videos (*.avi)") << outOfRange;
    }
}

} // namespace
