#include "player/ui/TVersionCheck.h"

#include "player/ui/IVersionCheckUser.h"
#include "player/ui/TAssyncHttpRequest.h"
#include "subtitles/translator/TStringCollection.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t kBuildCodeLength = 13;
constexpr std::size_t kPrefixLength = 2;

std::u16string Wide(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// The decimal value of a field of digits.
int FieldValue(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

} // namespace

TVersionCheck::TVersionCheck(IVersionCheckUser& user, const TStringCollection& strings,
                             std::string versionPage, std::chrono::milliseconds delay)
    : user_(user), strings_(strings), versionPage_(std::move(versionPage)), delay_(delay) {}

TVersionCheck::~TVersionCheck() = default;

int32_t TVersionCheck::Start(plat::win::HWND window, plat::win::UINT message, bool askedByUser) {
    if (request_) {
        return -1;
    }
    request_ = std::make_unique<TAssyncHttpRequest>(window, 1, message, versionPage_, delay_);
    askedByUser_ = askedByUser;
    return 0;
}

void TVersionCheck::OnAnswer() {
    if (!request_) {
        return;
    }
    const QByteArray& response = request_->Response();
    if (!response.isEmpty()) {
        const std::string text = AnswerText(response.toStdString());
        const std::size_t dash = text.find('-');
        const std::string code = dash == std::string::npos ? std::string() : text.substr(0, dash);
        if ((code.empty() || CheckVersionAnswer(code) == 0) && askedByUser_) {
            user_.Report(IVersionCheckUser::kInformation, strings_.GetText("Gen_NewVersionNone"), true);
        }
    } else if (askedByUser_) {
        user_.Report(IVersionCheckUser::kWarning, strings_.GetText("Gen_NewVersionError"), true);
    }
    request_.reset();
}

int32_t TVersionCheck::CheckVersionAnswer(std::string_view code) {
    if (!IsBuildCode(code) || code.substr(kPrefixLength) <= kOwnBuildCode.substr(kPrefixLength)) {
        return 0;
    }
    const std::u16string line = strings_.GetText("Gen_NewVersionAct") + u" " +
                                Wide(FormatBuildCode(kOwnBuildCode)) + u" => " +
                                strings_.GetText("Gen_NewVersionNew") + u" " + Wide(FormatBuildCode(code));
    if (user_.Ask(strings_.GetText("Gen_NewVersion1"), strings_.GetText("Gen_NewVersion2"), line, true) ==
        IVersionCheckUser::kYes) {
        user_.OpenPage(kDownloadPage);
    }
    return 1;
}

std::string TVersionCheck::FormatBuildCode(std::string_view code) {
    if (code.size() != kBuildCodeLength || !IsBuildCode(code)) {
        return "-";
    }
    const std::string_view digits = code.substr(kPrefixLength);
    return std::to_string(FieldValue(digits.substr(0, 2))) + "." +
           std::to_string(FieldValue(digits.substr(2, 2))) + "." +
           std::to_string(FieldValue(digits.substr(4, 2))) + " [" +
           std::to_string(FieldValue(digits.substr(6))) + "]-" + std::string(code.substr(0, kPrefixLength));
}

std::string TVersionCheck::AnswerText(const std::string& bytes) {
    return bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));
}

bool TVersionCheck::IsBuildCode(std::string_view code) {
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    return code.size() > kPrefixLength && std::all_of(code.begin(), code.begin() + kPrefixLength, isLetter) &&
           std::all_of(code.begin() + kPrefixLength, code.end(), isDigit);
}
