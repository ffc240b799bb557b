// The version check against a local web server: each answer page (newer, same, no build code, an
// error page, an HTTP error, no server at all) leads to the question, the message or nothing, as
// asked by the user or at start; the message comes back to a window of the main thread.
#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "player/ui/IVersionCheckUser.h"
#include "player/ui/MainFormStrings.h"
#include "player/ui/TVersionCheck.h"
#include "subtitles/translator/TStringCollection.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <string>
#include <vector>

namespace win = plat::win;

namespace {

constexpr win::UINT kAnswerMessage = 9912;

struct RecordingUser : IVersionCheckUser {
    void Report(uint8_t kind, const std::u16string& text, bool force) override {
        reports.push_back({kind, text, force});
    }
    int32_t Ask(const std::u16string& line1, const std::u16string& line2, const std::u16string& line3,
                bool yesNo) override {
        questions.push_back({line1, line2, line3});
        EXPECT_TRUE(yesNo);
        return answer;
    }
    void OpenPage(const std::string& url) override { opened.push_back(url); }

    struct Message {
        uint8_t kind;
        std::u16string text;
        bool force;
    };
    std::vector<Message> reports;
    std::vector<std::vector<std::u16string>> questions;
    std::vector<std::string> opened;
    int32_t answer = kYes;
};

// Serves one fixed reply to every request.
class PageServer {
public:
    explicit PageServer(QByteArray reply) : reply_(std::move(reply)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request_ += socket->readAll();
                if (request_.contains("\r\n\r\n") && !reply_.isEmpty()) {
                    socket->write(reply_);
                    socket->disconnectFromHost();
                }
            });
        });
    }
    std::string Url() const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/version.txt";
    }

    static QByteArray Page(const QByteArray& body, const char* status = "200 OK") {
        return "HTTP/1.0 " + QByteArray(status) + "\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    QTcpServer server_;
    QByteArray reply_;
    QByteArray request_;
};

// A window of the main thread that hands the answer message to the check.
class AnswerWindow {
public:
    explicit AnswerWindow(TVersionCheck& check) : check_(check) {
        if (!win::GetClassInfo(kClass, nullptr)) {
            win::RegisterClass({0, &AnswerWindow::Procedure, nullptr, kClass});
        }
        handle_ = win::CreateWindowEx(0, kClass, "", 0, 0, 0, 0, 0, 0, nullptr);
        win::SetWindowLongPtr(handle_, win::GWLP_USERDATA, reinterpret_cast<std::intptr_t>(this));
    }
    ~AnswerWindow() { win::DestroyWindow(handle_); }
    win::HWND Handle() const { return handle_; }

    // Runs the event loop until the answer has been evaluated.
    void AwaitAnswer() {
        if (!answered_) {
            loop_.exec();
        }
    }

private:
    static constexpr const char* kClass = "VersionCheckTestWindow";

    static win::LRESULT Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
        auto* self = reinterpret_cast<AnswerWindow*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
        if (self != nullptr && msg == kAnswerMessage) {
            EXPECT_EQ(wParam, 1u);
            self->check_.OnAnswer();
            self->answered_ = true;
            self->loop_.quit();
            return 0;
        }
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }

    TVersionCheck& check_;
    win::HWND handle_ = 0;
    QEventLoop loop_;
    bool answered_ = false;
};

class VersionCheckTest : public ::testing::Test {
protected:
    VersionCheckTest() { FillMainFormStrings(strings_); }

    // Runs one check against the server's page.
    void RunCheck(const std::string& url, bool askedByUser) {
        TVersionCheck check(user_, strings_, url, std::chrono::milliseconds(0));
        AnswerWindow window(check);
        ASSERT_EQ(check.Start(window.Handle(), kAnswerMessage, askedByUser), 0);
        EXPECT_EQ(check.Start(window.Handle(), kAnswerMessage, askedByUser), -1) << "one check at a time";
        window.AwaitAnswer();
        EXPECT_FALSE(check.Pending());
    }

    TStringCollection strings_;
    RecordingUser user_;
};

const std::u16string kNone = u"No new version available at this time.";
const std::u16string kError = u"Check for new version failed!\n\nUnable to contact Tovrin website.";

TEST_F(VersionCheckTest, AnswerPagesLeadToTheQuestionTheMessageOrNothing) {
    struct Case {
        const char* name;
        QByteArray reply;
        bool askedByUser;
        bool asks;
        std::u16string report; // empty: none
        uint8_t kind;
    };
    const Case cases[] = {
        {"one build newer, at start", PageServer::Page("RC02000401951-Release notes"), false, true, u"", 0},
        {"one build newer, asked", PageServer::Page("RC02000401951-"), true, true, u"", 0},
        {"the own build, asked", PageServer::Page("RC02000401950-x"), true, false, kNone, 3},
        {"the own build, at start", PageServer::Page("RC02000401950-x"), false, false, u"", 0},
        {"older build, asked", PageServer::Page("RC02000401949-x"), true, false, kNone, 3},
        {"no dash, asked", PageServer::Page("RC02000401951"), true, false, kNone, 3},
        {"a NUL before the dash, asked", PageServer::Page(QByteArray("RC02000401951\0-x", 16)), true, false,
         kNone, 3},
        {"an error page, at start", PageServer::Page("<!DOCTYPE html>-<html></html>"), false, false, u"", 0},
        {"an error page, asked", PageServer::Page("<!DOCTYPE html>-<html></html>"), true, false, kNone, 3},
        {"HTTP error, asked", PageServer::Page("RC02000401951-x", "404 Not Found"), true, false, kError, 2},
        {"HTTP error, at start", PageServer::Page("RC02000401951-x", "500 Server Error"), false, false, u"",
         0},
        {"empty page, asked", PageServer::Page(""), true, false, kError, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        user_ = RecordingUser{};
        PageServer server(c.reply);
        RunCheck(server.Url(), c.askedByUser);
        EXPECT_EQ(user_.questions.size(), c.asks ? 1u : 0u);
        ASSERT_EQ(user_.reports.size(), c.report.empty() ? 0u : 1u);
        if (!c.report.empty()) {
            EXPECT_EQ(user_.reports[0].text, c.report);
            EXPECT_EQ(user_.reports[0].kind, c.kind);
            EXPECT_TRUE(user_.reports[0].force);
        }
    }
}

TEST_F(VersionCheckTest, NoServerReportsTheFailureOnlyWhenAsked) {
    std::string url;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        url = "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/";
    }
    RunCheck(url, false);
    EXPECT_TRUE(user_.reports.empty());
    RunCheck(url, true);
    ASSERT_EQ(user_.reports.size(), 1u);
    EXPECT_EQ(user_.reports[0].text, kError);
}

TEST_F(VersionCheckTest, YesOpensTheDownloadPageNoDoesNot) {
    PageServer server(PageServer::Page("RC02000401951-x"));
    RunCheck(server.Url(), false);
    ASSERT_EQ(user_.questions.size(), 1u);
    EXPECT_EQ(user_.questions[0],
              (std::vector<std::u16string>{u"A new version of Tovrin is available,",
                                           u"do you want to download it ?",
                                           u"Actual : 2.0.4 [1950]-RC => New :  2.0.4 [1951]-RC"}));
    EXPECT_EQ(user_.opened, std::vector<std::string>{TVersionCheck::kDownloadPage});

    user_ = RecordingUser{};
    user_.answer = 7;
    RunCheck(server.Url(), false);
    EXPECT_EQ(user_.questions.size(), 1u);
    EXPECT_TRUE(user_.opened.empty());
}

TEST_F(VersionCheckTest, BuildCodesAreComparedAndShown) {
    TVersionCheck check(user_, strings_);
    EXPECT_EQ(TVersionCheck::FormatBuildCode("RC02000401950"), "2.0.4 [1950]-RC");
    EXPECT_EQ(TVersionCheck::FormatBuildCode("XY10020312345"), "10.2.3 [12345]-XY");
    EXPECT_EQ(TVersionCheck::FormatBuildCode("RC0200040195"), "-");
    EXPECT_EQ(TVersionCheck::FormatBuildCode("RC020004019500"), "-");
    // A newer 12-character code is offered, shown as "-".
    EXPECT_EQ(check.CheckVersionAnswer("RC1200040195"), 1);
    ASSERT_EQ(user_.questions.size(), 1u);
    EXPECT_EQ(user_.questions[0][2], u"Actual : 2.0.4 [1950]-RC => New :  -");
    for (const char* notNewer :
         {"RC02000401950", "RC0200040195", "RC", "R", "", "RC0200040195x", "1C12000401950"}) {
        EXPECT_EQ(check.CheckVersionAnswer(notNewer), 0) << notNewer;
    }
    EXPECT_EQ(user_.questions.size(), 1u);
}

TEST_F(VersionCheckTest, DestroyingAPendingCheckEndsItAndPostsNothing) {
    PageServer silent(QByteArray{}); // accepts and never answers
    TVersionCheck check(user_, strings_, silent.Url(), std::chrono::milliseconds(0));
    AnswerWindow window(check);
    {
        TVersionCheck fetching(user_, strings_, silent.Url(), std::chrono::milliseconds(0));
        fetching.Start(window.Handle(), kAnswerMessage, true);
        // The real delay: destroyed while waiting, as at a quick quit.
        TVersionCheck waiting(user_, strings_, silent.Url());
        waiting.Start(window.Handle(), kAnswerMessage, true);
    }
    EXPECT_EQ(win::PendingMessageCount(), 0u);
    EXPECT_TRUE(user_.reports.empty());
}

} // namespace
