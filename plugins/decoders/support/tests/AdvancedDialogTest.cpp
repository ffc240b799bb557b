// The advanced-settings dialog on Qt's offscreen platform: what it shows, values refused with a message
// box while the dialog stays, the setting handed out on OK, nothing on Cancel, and the call from a
// thread that is not the widgets' one. A scripted runner plays the user, so nothing blocks.
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/ShowAdvancedDialog.h"
#include "plugins/decoders/support/TAdvancedDialog.h"

#include "platform/forms/DialogRunner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace {

// What a modal dialog showed when it was run.
struct TShown {
    std::string Name; // object name ("101" for the settings dialog)
    std::string Title;
    std::string Text;  // the label, or the message box's text
    std::string Field; // the edit field's text when shown
    bool Modal = false;
    bool OnApplicationThread = false;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// Plays the user: types each entry into the field and presses OK (or Cancel for "<cancel>") until the
// dialog closes; message boxes are recorded and dismissed.
class TypingRunner : public plat::forms::DialogRunner {
public:
    explicit TypingRunner(std::vector<std::string> typed) : FTyped(std::move(typed)) { SetCurrent(this); }
    ~TypingRunner() override { SetCurrent(nullptr); }

    int Run(QDialog& dialog) override {
        TShown shown{dialog.objectName().toStdString(),
                     dialog.windowTitle().toStdString(),
                     {},
                     {},
                     dialog.windowModality() == Qt::ApplicationModal,
                     QThread::currentThread() == qApp->thread()};
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            shown.Text = box->text().toStdString();
            shown.Icon = box->icon();
            Shown.push_back(shown);
            return QMessageBox::Ok;
        }
        shown.Text = dialog.findChild<QLabel*>("Label")->text().toStdString();
        auto* field = dialog.findChild<QLineEdit*>("1002");
        shown.Field = field->text().toStdString();
        Shown.push_back(shown);
        for (const std::string& text : FTyped) {
            if (text == "<cancel>") {
                dialog.findChild<QPushButton*>("Cancel")->click();
                break;
            }
            field->setText(QString::fromStdString(text));
            dialog.findChild<QPushButton*>("OK")->click();
            if (dialog.result() == QDialog::Accepted) {
                break;
            }
        }
        return dialog.result();
    }

    std::vector<TShown> Shown;

private:
    std::vector<std::string> FTyped;
};

// ShowAdvancedDialog's answer with the setting it handed out (freed again).
struct TAnswer {
    int32_t Result;
    std::string Setting;
    int32_t Length;
};

TAnswer Show(const scr::TAdvancedPrompt& prompt, const std::string& shown) {
    char given[] = "given";
    char* advanced = given;
    int32_t length = 5;
    TAnswer answer{scr::ShowAdvancedDialog(prompt, shown, &advanced, &length), {}, length};
    if (advanced != given) {
        answer.Setting.assign(advanced, static_cast<std::size_t>(length));
        scr::FreeHandedOut(nullptr, &advanced);
    }
    return answer;
}

TEST(AdvancedDialog, ShowsTheLabelAndTheValueInAModalDialogNamedAsItsResource) {
    TypingRunner runner({"<cancel>"});
    Show(scr::kFrameRatePrompt, "24.0000");
    ASSERT_EQ(runner.Shown.size(), 1u);
    EXPECT_EQ(runner.Shown[0].Name, "101");
    EXPECT_EQ(runner.Shown[0].Title, "Dialog");
    EXPECT_EQ(runner.Shown[0].Text, "Frames per seconds");
    EXPECT_EQ(runner.Shown[0].Field, "24.0000");
    EXPECT_TRUE(runner.Shown[0].Modal);
    scr::TAdvancedDialog dialog(scr::kSamiClassPrompt, "ENCC");
    EXPECT_EQ(dialog.findChild<QLabel*>("Label")->text(), "SAMI Class");
    EXPECT_EQ(dialog.findChild<QPushButton*>("OK")->text(), "OK");
    EXPECT_EQ(dialog.findChild<QPushButton*>("Cancel")->text(), "Cancel");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("1002")->maxLength(), 254);
}

TEST(AdvancedDialog, RefusedValuesShowTheMessageAndKeepTheDialogOpenUntilOneFits) {
    const struct {
        const scr::TAdvancedPrompt& prompt;
        std::vector<std::string> typed;
        std::vector<std::string> messages; // one per refused value
        int32_t result;
        const char* setting;
    } cases[] = {
        {scr::kFrameRatePrompt,
         {"10", "40", "abc", "23.976"},
         {"Value must be > 10.00 and < 40.00", "Value must be > 10.00 and < 40.00",
          "Value must be > 10.00 and < 40.00"},
         1,
         "23.9760"},
        {scr::kFrameRatePrompt, {" 25 "}, {}, 1, "25.0000"},
        {scr::kResolutionPrompt,
         {"100", "2048", "720"},
         {"Value must be > 100.00 and < 2048.00", "Value must be > 100.00 and < 2048.00"},
         1,
         "720.00"},
        {scr::kResolutionPrompt, {"5", "<cancel>"}, {"Value must be > 100.00 and < 2048.00"}, 0, ""},
        {scr::kSamiClassPrompt, {"KRCC"}, {}, 1, "KRCC"},
        {scr::kSamiClassPrompt, {""}, {}, 1, ""},
    };
    for (const auto& c : cases) {
        TypingRunner runner(c.typed);
        const TAnswer answer = Show(c.prompt, "");
        EXPECT_EQ(answer.Result, c.result) << c.typed.front();
        EXPECT_EQ(answer.Setting, c.setting);
        EXPECT_EQ(answer.Length, c.result == 1 ? static_cast<int32_t>(answer.Setting.size()) : 5);
        ASSERT_EQ(runner.Shown.size(), c.messages.size() + 1) << c.typed.front();
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(runner.Shown[i + 1].Title, "Invalid value.");
            EXPECT_EQ(runner.Shown[i + 1].Text, c.messages[i]);
            EXPECT_EQ(runner.Shown[i + 1].Icon, QMessageBox::Critical);
        }
    }
}

TEST(AdvancedDialog, AClassLongerThanTheFieldIsCut) {
    TypingRunner runner({std::string(300, 'c')});
    EXPECT_EQ(Show(scr::kSamiClassPrompt, "").Setting, std::string(254, 'c'));
}

TEST(AdvancedDialog, CancelOrAMissingPointerHandsOutNothing) {
    TypingRunner runner({"<cancel>"});
    const TAnswer cancelled = Show(scr::kFrameRatePrompt, "24.0000");
    EXPECT_EQ(cancelled.Result, 0);
    EXPECT_EQ(cancelled.Length, 5);
    char* advanced = nullptr;
    int32_t length = 0;
    EXPECT_EQ(scr::ShowAdvancedDialog(scr::kFrameRatePrompt, "", nullptr, &length), 0);
    EXPECT_EQ(scr::ShowAdvancedDialog(scr::kFrameRatePrompt, "", &advanced, nullptr), 0);
    EXPECT_EQ(runner.Shown.size(), 1u);
}

TEST(AdvancedDialog, ACallFromAnotherThreadIsShownOnTheWidgetsThreadAndWaits) {
    TypingRunner runner({"23.976"});
    std::atomic<bool> returned = false;
    TAnswer answer{};
    QObject wake; // an event to it ends the main thread's wait; the event itself carries nothing
    std::thread caller([&] {
        answer = Show(scr::kFrameRatePrompt, "24.0000");
        returned = true;
        QCoreApplication::postEvent(&wake, new QEvent(QEvent::User));
    });
    while (!returned) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    caller.join();
    EXPECT_EQ(answer.Setting, "23.9760");
    ASSERT_EQ(runner.Shown.size(), 1u);
    EXPECT_TRUE(runner.Shown[0].OnApplicationThread);
}

} // namespace
