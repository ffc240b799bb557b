#include "player/ui/TCommandLine.h"

#include "platform/text/CaseFold.h"

#include <cctype>
#include <charconv>

namespace {

bool StartsWithNoCase(std::string_view text, size_t position, std::string_view keyword) {
    return text.size() - position >= keyword.size() &&
           plat::text::EqualsNoCaseA(text.substr(position, keyword.size()), keyword);
}

// The integer value of a leading number, as the C library reads it (0 when there is none).
int32_t IntegerOf(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && text[start] == ' ') {
        ++start;
    }
    int32_t value = 0;
    std::from_chars(text.data() + start, text.data() + text.size(), value);
    return value;
}

std::string UpperTrimmed(std::string word) {
    while (!word.empty() && word.back() == ' ') {
        word.pop_back();
    }
    for (char& c : word) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return word;
}

} // namespace

bool TCommandLine::ReadCommandToken(std::string_view text, std::string* token, size_t* position) {
    token->clear();
    size_t at = *position;
    for (;;) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '/')) {
            ++at;
        }
        if (at >= text.size()) {
            *position = at;
            return false;
        }
        if (text[at] != '"') {
            break;
        }
        // A quoted token: to the closing quote; a doubled quote is one quote.
        ++at;
        while (at < text.size()) {
            if (text[at] == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                token->push_back('"');
                at += 2;
            } else if (text[at] == '"') {
                break;
            } else {
                token->push_back(text[at++]);
            }
        }
        *position = at < text.size() ? at + 1 : at;
        if (!token->empty()) {
            return true;
        }
        at = *position; // an empty pair of quotes is skipped like the blanks around it
    }
    const size_t end = text.find_first_of("\"/", at);
    const size_t stop = end == std::string_view::npos ? text.size() : end;
    token->assign(text.substr(at, stop - at));
    *position = (stop < text.size() && text[stop] == '"') ? stop + 1 : stop;
    return true;
}

bool TCommandLine::IsQueueNumber(std::string_view text) {
    for (const char c : text) {
        if (c != ' ' && (c < '0' || c > '9')) {
            return false;
        }
    }
    return true;
}

std::string TCommandLine::Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

void TCommandLine::ProcessPlaylist(std::string_view text, size_t* position, ICommandTarget& target) {
    const bool quoted = *position < text.size() && text[*position] == '"';
    std::string token;
    if (!quoted && StartsWithNoCase(text, *position, "DEL:")) {
        *position += 4;
        if (ReadCommandToken(text, &token, position)) {
            if (const int32_t n = IntegerOf(token); n != 0) {
                target.DeletePlaylistItem(n - 1);
            }
        }
        return;
    }
    if (!ReadCommandToken(text, &token, position)) {
        return;
    }
    if (!quoted && StartsWithNoCase(token, 0, "CLEAR")) {
        target.DeletePlaylistItem(-1);
    } else if (!quoted && IsQueueNumber(token)) {
        if (const int32_t n = IntegerOf(token); n != 0) {
            target.PlayQueueItem(n - 1);
        }
        target.BringVideoToFront();
    } else {
        target.EnqueueFile(token);
    }
}

bool TCommandLine::ProcessQuery(const std::string& word, ICommandTarget& target, int32_t* answer) {
    if (word == "GETTIME") {
        *answer = target.GetTimeCode();
    } else if (word == "GETDISKIDHI" || word == "GETDISKIDLO") {
        uint32_t high = 0;
        uint32_t low = 0;
        *answer =
            target.GetDiscId(&high, &low) ? static_cast<int32_t>(word == "GETDISKIDHI" ? high : low) : 0;
    } else if (word == "CLEARPROFSUBS") {
        target.CloseProfile();
    } else if (word == "SHOWPROFSUBS" || word == "HIDEPROFSUBS") {
        target.ShowProfileSubtitles(word == "SHOWPROFSUBS");
    } else if (word == "SHOWVIDEOWIN") {
        target.BringVideoToFront();
    } else {
        return false;
    }
    return true;
}

int32_t TCommandLine::Process(std::string_view text, plat::win::HWND sender, ICommandTarget& target) {
    if (target.IsClosing()) {
        return 0;
    }
    int32_t answer = 0;
    size_t position = 0;
    std::string token;
    while ((position = text.find('/', position)) != std::string_view::npos) {
        ++position;
        const auto keyword = [&](std::string_view word) {
            if (!StartsWithNoCase(text, position, word)) {
                return false;
            }
            position += word.size();
            return true;
        };
        const auto readToken = [&] { return ReadCommandToken(text, &token, &position); };
        if (keyword("PL:")) {
            ProcessPlaylist(text, &position, target);
        } else if (keyword("O:")) {
            if (readToken()) {
                target.OpenFile(token);
                target.BringVideoToFront();
            }
        } else if (keyword("SM:")) {
            if (readToken()) {
                if (StartsWithNoCase(token, 0, "window")) {
                    target.SetScreenMode(1);
                } else if (StartsWithNoCase(token, 0, "fullscreen")) {
                    target.SetScreenMode(2);
                }
            }
        } else if (keyword("SKIN:")) {
            if (readToken()) {
                target.LoadSkin(token);
            }
        } else if (keyword("CONFIG:")) {
            if (readToken()) {
                target.SetSettingsFolder(token);
            }
        } else if (keyword("NOPLUG")) {
            target.SetPluginsOff();
        } else if (keyword("AR:")) {
            if (readToken()) {
                target.LoadAspectProfile(token);
            }
        } else if (keyword("IR:")) {
            target.RemoteCode(std::string(text.substr(position)));
            position = text.size();
        } else if (keyword("NOINTERFACE")) {
            target.HideInterface();
        } else if (keyword("SILENTOFF")) {
            target.SetSilent(false);
        } else if (keyword("EDITMODE:ON")) {
            target.SetEditMode(true, sender);
        } else if (keyword("EDITMODE:OFF")) {
            target.SetEditMode(false, 0);
        } else if (keyword("SILENT")) {
            target.SetSilent(true);
        } else if (keyword("RESETWINPOS")) {
            target.ResetWindowsPosition();
        } else if (keyword("CMD:")) {
            if (readToken()) {
                const std::string word = UpperTrimmed(token);
                if (!ProcessQuery(word, target, &answer)) {
                    target.RunCommandWord(word);
                }
            }
        }
    }
    return answer;
}
