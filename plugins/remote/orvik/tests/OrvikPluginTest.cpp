#include "plugins/remote/orvik/OrvikPlugin.h"

#include "platform/forms/DialogRunner.h"
#include "plugins/remote/orvik/QtPluginMessages.h"
#include "plugins/remote/orvik/TPortDialog.h"
#include "plugins/remote/orvik/tests/FakeIrman.h"
#include "plugins/remote/orvik/tests/TempFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace orvik {
namespace {

namespace fs = std::filesystem;
using testing::FakeIrman;
using testing::FakeModemLines;
using testing::ManualClock;
using testing::RecordingMessages;
using testing::TempFolder;

// Plays the user's part in a dialog without blocking, and keeps what it saw.
class ScriptedRunner : public plat::forms::DialogRunner {
public:
    ScriptedRunner() { SetCurrent(this); }
    ~ScriptedRunner() override { SetCurrent(nullptr); }
    int Run(QDialog& dialog) override {
        ++Runs;
        return Play ? Play(dialog) : QDialog::Rejected;
    }

    std::function<int(QDialog&)> Play;
    int Runs = 0;
};

QComboBox& PortList(QDialog& dialog) {
    return *dialog.findChild<QComboBox*>("Cb_Port");
}

std::vector<std::string> Entries(QDialog& dialog) {
    std::vector<std::string> entries;
    for (int i = 0; i < PortList(dialog).count(); ++i) {
        entries.push_back(PortList(dialog).itemText(i).toStdString());
    }
    return entries;
}

class OrvikPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(SysRoot.Path / "class" / "tty");
        fs::create_directories(SysRoot.Path / "devices" / "port");
    }

    void AddPort(const std::string& name) {
        const fs::path entry = SysRoot.Path / "class" / "tty" / name;
        fs::create_directories(entry);
        fs::create_directory_symlink(SysRoot.Path / "devices" / "port", entry / "device");
        std::ofstream(entry / "type") << "4\n";
    }
    void WriteSettings(const std::string& block) {
        std::ofstream(PluginFolder.Name() + PluginSettings::FileName)
            << "<CONFIG><IRMANCONFIG>" << block << "</IRMANCONFIG></CONFIG>";
    }
    std::string SettingsFile() {
        std::ifstream file(PluginFolder.Name() + PluginSettings::FileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    // OK on the entry with that text (or on whatever is selected, for an empty text).
    std::function<int(QDialog&)> ChooseAndConfirm(const std::string& text) {
        return [this, text](QDialog& dialog) {
            Seen = Entries(dialog);
            Selected = PortList(dialog).currentText().toStdString();
            if (!text.empty()) {
                PortList(dialog).setCurrentIndex(PortList(dialog).findText(QString::fromStdString(text)));
            }
            dialog.findChild<QPushButton*>("Bt_Ok")->click();
            return dialog.result();
        };
    }

    std::unique_ptr<OrvikPlugin> MakePlugin() {
        return std::make_unique<OrvikPlugin>(OrvikPlugin::Services{
            Messages, &Clock, [this](int) { return std::make_unique<FakeModemLines>(Device); },
            [this] { return PluginFolder.Name() + "plug_orvik.so"; }, SysRoot.Path.string()});
    }

    TempFolder SysRoot;
    TempFolder PluginFolder{"plugin"};
    ManualClock Clock;
    FakeIrman Device{Clock};
    std::shared_ptr<RecordingMessages> Messages = std::make_shared<RecordingMessages>();
    ScriptedRunner Runner;
    std::vector<std::string> Seen;
    std::string Selected;
};

TEST_F(OrvikPluginTest, TheDialogListsTheSystemsPortsAndSelectsTheCurrentOne) {
    AddPort("ttyS0");
    AddPort("ttyS3");
    AddPort("ttyUSB0");
    WriteSettings("<COMPORT>4</COMPORT>");
    Runner.Play = [this](QDialog& dialog) {
        Seen = Entries(dialog);
        Selected = PortList(dialog).currentText().toStdString();
        EXPECT_EQ("IR-Man Plug-In Configuration", dialog.windowTitle().toStdString());
        EXPECT_EQ("Connect using:", dialog.findChild<QLabel*>("Lb_ConnectUsing")->text().toStdString());
        EXPECT_EQ("OK", dialog.findChild<QPushButton*>("Bt_Ok")->text().toStdString());
        dialog.findChild<QPushButton*>("Bt_Cancel")->click();
        return dialog.result();
    };
    auto plugin = MakePlugin();
    EXPECT_EQ(0, plugin->ShowProperties());
    EXPECT_EQ((std::vector<std::string>{"COM1", "COM4", "/dev/ttyUSB0"}), Seen);
    EXPECT_EQ("COM4", Selected);
    EXPECT_FALSE(fs::exists(PluginFolder.Name() + "plug_orvik.cfg.tmp"));
    EXPECT_EQ("<CONFIG><IRMANCONFIG><COMPORT>4</COMPORT></IRMANCONFIG></CONFIG>", SettingsFile())
        << "Cancel writes nothing";
}

TEST_F(OrvikPluginTest, OkWithoutASettingsFileCreatesIt) {
    AddPort("ttyS1");
    Runner.Play = ChooseAndConfirm("COM2");
    auto plugin = MakePlugin();
    EXPECT_EQ(1, plugin->ShowProperties());
    EXPECT_EQ(2, plugin->Settings().Port());
    EXPECT_NE(std::string::npos, SettingsFile().find("<COMPORT>2</COMPORT>"));
}

TEST_F(OrvikPluginTest, AnUnlistedCurrentPortSelectsTheFirstEntryWhichOkStores) {
    AddPort("ttyS1");
    AddPort("ttyS2");
    WriteSettings("<COMPORT>9</COMPORT>");
    Runner.Play = ChooseAndConfirm("");
    auto plugin = MakePlugin();
    EXPECT_EQ(1, plugin->ShowProperties());
    EXPECT_EQ("COM2", Selected);
    EXPECT_EQ(2, plugin->Settings().Port());
}

TEST_F(OrvikPluginTest, OkWithAnEmptyListKeepsThePortAndStillWritesTheFile) {
    WriteSettings("<COMPORT>3</COMPORT>");
    Runner.Play = ChooseAndConfirm("");
    auto plugin = MakePlugin();
    EXPECT_EQ(1, plugin->ShowProperties());
    EXPECT_TRUE(Seen.empty());
    EXPECT_EQ(3, plugin->Settings().Port());
    EXPECT_NE(std::string::npos, SettingsFile().find("\r\n      <COMPORT>3</COMPORT>\r\n"));
}

TEST_F(OrvikPluginTest, AUsbReceiverIsStoredByItsDevicePath) {
    AddPort("ttyUSB2");
    Runner.Play = ChooseAndConfirm("/dev/ttyUSB2");
    auto plugin = MakePlugin();
    EXPECT_EQ(1, plugin->ShowProperties());
    EXPECT_EQ("/dev/ttyUSB2", plugin->Settings().DevicePath());
    EXPECT_NE(std::string::npos, SettingsFile().find("<DEVICE>/dev/ttyUSB2</DEVICE>"));
}

TEST_F(OrvikPluginTest, OkOnAnotherPortWhileRunningReopensTheReceiverThere) {
    if (!Device.Terminal.IsValid()) {
        GTEST_SKIP() << "this system gives no pseudo-terminals";
    }
    ManualClock otherClock;
    // The plug-in's modem lines belong to the first receiver; the second powers itself.
    FakeIrman other(otherClock, true);
    // Both receivers answer on the one clock the plug-in pauses on.
    Clock.AfterSleep = [&] {
        Device.Service();
        other.Service();
    };
    WriteSettings("<DEVICE>" + Device.Terminal.SlavePath() + "</DEVICE>");
    auto plugin = MakePlugin();
    ASSERT_EQ(1, plugin->Start());
    ASSERT_TRUE(plugin->IsRunning());
    const std::size_t logged = Device.Log.size();

    // The pseudo-terminal is not a port the system lists; the user's choice is put in the list.
    Runner.Play = [&](QDialog& dialog) {
        PortList(dialog).addItem(QString::fromStdString(other.Terminal.SlavePath()));
        return ChooseAndConfirm(other.Terminal.SlavePath())(dialog);
    };
    EXPECT_EQ(1, plugin->ShowProperties());
    EXPECT_TRUE(plugin->IsRunning());
    EXPECT_EQ(other.Terminal.SlavePath(), plugin->Settings().DevicePath());
    // The lines are switched through the one fake, so the handshake shows on the bytes each side heard.
    const std::vector<std::string> heard(Device.Log.begin() + static_cast<long>(logged), Device.Log.end());
    EXPECT_EQ(0, std::count_if(heard.begin(), heard.end(), [](const std::string& e) { return e[0] == 'I'; }));
    EXPECT_EQ(1, std::count_if(other.Log.begin(), other.Log.end(),
                               [](const std::string& e) { return e[0] == 'I'; }));
    plugin->Stop();
    EXPECT_FALSE(plugin->IsRunning());
}

TEST_F(OrvikPluginTest, StartReportsAReceiverThatDoesNotAnswer) {
    if (!Device.Terminal.IsValid()) {
        GTEST_SKIP() << "this system gives no pseudo-terminals";
    }
    Device.Answer = "";
    WriteSettings("<DEVICE>" + Device.Terminal.SlavePath() + "</DEVICE>");
    auto plugin = MakePlugin();
    EXPECT_EQ(0, plugin->Start());
    EXPECT_EQ(std::vector<std::string>{PluginMessages::NoAnswer}, Messages->Shown());
    EXPECT_EQ(1, plugin->Stop());
}

// Records the message boxes the plug-in shows.
struct BoxRecord {
    std::string Caption;
    std::string Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    bool OnApplicationThread = false;
};

TEST_F(OrvikPluginTest, MessagesFromOtherThreadsAreQueuedToTheApplicationWithoutWaiting) {
    std::vector<BoxRecord> boxes;
    Runner.Play = [&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        boxes.push_back({box.windowTitle().toStdString(), box.text().toStdString(), box.icon(),
                         QThread::currentThread() == qApp->thread()});
        return int(QDialog::Accepted);
    };
    QtPluginMessages messages;
    std::thread([&] { messages.ShowMessage(PluginMessages::NoAnswer); }).join();
    EXPECT_TRUE(boxes.empty()) << "the other thread did not wait for the box";
    QCoreApplication::processEvents();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("IR-Man Plug-In Error", boxes[0].Caption);
    EXPECT_EQ("No Answer from IR-Man unit", boxes[0].Text);
    EXPECT_EQ(QMessageBox::Information, boxes[0].Icon);
    EXPECT_TRUE(boxes[0].OnApplicationThread);

    messages.ShowSystemError(EACCES);
    ASSERT_EQ(2u, boxes.size()) << "on the application's thread the box shows at once";
    EXPECT_EQ("Permission denied", boxes[1].Text);
}

} // namespace
} // namespace orvik
