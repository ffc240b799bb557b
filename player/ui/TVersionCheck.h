#pragma once
// The check for a newer build of the player: a request for the version page of the maker's site runs
// on a worker thread (at start when the settings ask for it, or when the user asks); its answer comes
// back as a message to the main form, which compares the page's build code with the player's own and
// offers the download page when the page's is newer. The automatic check at start shows nothing
// unless a newer build exists.
//
// A build code is two letters and eleven digits: major, minor, release (two digits each) and build
// (five); "RC02000401950" is 2.0.4 [1950]-RC. The page starts with a code, then "-" and any text.
#include "platform/win/Types.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

class IVersionCheckUser;
class TAssyncHttpRequest;
class TStringCollection;

class TVersionCheck {
public:
    static constexpr std::string_view kOwnBuildCode = "RC02000401950";
    // The maker's site has no public address: the reserved ".example" domain stands for it.
    static constexpr const char* kVersionPage = "https://www.tovrin.example/version.txt";
    static constexpr const char* kDownloadPage = "https://www.tovrin.example/download.html";

    // `strings` holds the texts "Gen_NewVersion..." (the main form's collection).
    TVersionCheck(IVersionCheckUser& user, const TStringCollection& strings,
                  std::string versionPage = kVersionPage,
                  std::chrono::milliseconds delay = std::chrono::milliseconds(250));
    ~TVersionCheck();

    // Starts a request whose answer is posted to the window as `message` with wParam 1. -1 while a
    // request is pending, 0 after starting one.
    int32_t Start(plat::win::HWND window, plat::win::UINT message, bool askedByUser);
    bool Pending() const { return request_ != nullptr; }

    // The answer has arrived: evaluates it (asking or telling the user) and frees the request.
    // Nothing without a pending request.
    void OnAnswer();

    // 1 when the code is newer than the own one (the user was asked whether to open the download
    // page), 0 otherwise. Only a code of two letters and digits counts as one: another page (an
    // error page, a login portal) is never taken for a newer build.
    int32_t CheckVersionAnswer(std::string_view code);

    // "2.0.4 [1950]-RC" for "RC02000401950"; "-" for any other text than a code of 13 characters.
    static std::string FormatBuildCode(std::string_view code);

private:
    // The page's text up to its first NUL, within the bytes received.
    static std::string AnswerText(const std::string& bytes);
    static bool IsBuildCode(std::string_view code);

    IVersionCheckUser& user_;
    const TStringCollection& strings_;
    const std::string versionPage_;
    const std::chrono::milliseconds delay_;
    std::unique_ptr<TAssyncHttpRequest> request_;
    bool askedByUser_ = false;
};
