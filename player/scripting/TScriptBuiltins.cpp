#include "player/scripting/TScriptBuiltins.h"

#include "platform/text/CodePage.h"
#include "platform/text/Format.h"
#include "player/scripting/ScriptChars.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"
#include "player/scripting/TSystemScriptServices.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>

namespace result = script_result;
using TKind = TScriptCall::TKind;

namespace {

// The integer in decimal ("%d").
std::u16string Decimal(int32_t number) {
    char16_t digits[12];
    char16_t* start = std::end(digits);
    uint32_t magnitude = number < 0 ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
    do {
        *--start = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) {
        *--start = u'-';
    }
    return std::u16string(start, std::end(digits));
}

// Leading white space, an optional sign and decimal digits, read as the C library reads a 32-bit long:
// past the range it stays at the largest or smallest value; no digits give 0.
int32_t TextToInt(std::u16string_view text) {
    size_t p = 0;
    while (p < text.size() && (text[p] == u' ' || (text[p] >= u'\t' && text[p] <= u'\r'))) {
        ++p;
    }
    bool negative = false;
    if (p < text.size() && (text[p] == u'+' || text[p] == u'-')) {
        negative = text[p] == u'-';
        ++p;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t number = 0;
    for (; p < text.size() && script_chars::IsDigit(text[p]); ++p) {
        number = std::min(number * 10 + (text[p] - u'0'), kLimit);
    }
    number = negative ? -number : std::min<int64_t>(number, std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(number);
}

const IScriptSystem& SystemOf(const TScriptCall& call) {
    static const TSystemScriptServices machine;
    const IScriptSystem* system = call.Services().System;
    return system != nullptr ? *system : machine;
}

// The action name behind "cmd.": up to NUL, a parenthesis, a double quote, a blank or a line end.
std::string ActionName(TScriptCursor& cursor) {
    const size_t start = cursor.Pos;
    for (char16_t c = cursor.Ch();
         c != 0 && c != u'(' && c != u')' && c != u'"' && !script_chars::IsBlankOrLineEnd(c);
         c = cursor.Ch()) {
        ++cursor.Pos;
    }
    std::string name = plat::text::WideToAnsi(cursor.View(start, cursor.Pos));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return name;
}

} // namespace

namespace {

// A built-in name: a function (followed by what ends a word) or an object's prefix (followed directly by
// its member). No two of them match the same text.
struct TBuiltin {
    std::u16string_view name;
    bool prefix;
};

} // namespace

// In the order of TScriptBuiltins::kRun.
constexpr TBuiltin kBuiltins[] = {
    {u"print", false},     {u"strtoint", false}, {u"inttostr", false}, {u"version", false},
    {u"version.", true},   {u"video.", true},    {u"system.", true},   {u"player.", true},
    {u"interface.", true}, {u"graph.", true},    {u"playlist.", true}, {u"volume.", true},
    {u"profile.", true},   {u"cmd.", true},
};

const TScriptBuiltins::TRun TScriptBuiltins::kRun[] = {
    Print,
    StrToInt,
    IntToStr,
    Version,
    VersionMember,
    TScriptPlayerObjects::Video,
    System,
    TScriptPlayerObjects::Player,
    TScriptPlayerObjects::Interface,
    TScriptPlayerObjects::Graph,
    TScriptPlayerObjects::Playlist,
    TScriptPlayerObjects::Volume,
    TScriptPlayerObjects::Profile,
    Command,
};
static_assert(std::size(kBuiltins) == std::size(TScriptBuiltins::kRun));

int32_t TScriptBuiltins::Find(const TScriptCursor& cursor) {
    for (size_t i = 0; i < std::size(kBuiltins); ++i) {
        const TBuiltin& builtin = kBuiltins[i];
        if (cursor.StartsWith(builtin.name) &&
            (builtin.prefix || script_chars::IsWordEnd(cursor.At(cursor.Pos + builtin.name.size())))) {
            return static_cast<int32_t>(i);
        }
    }
    return kNone;
}

int32_t TScriptBuiltins::Run(int32_t builtin, TScriptCursor& cursor, TScriptValue& value,
                             TScriptValue* output, TStackInfo& scope) {
    cursor.Pos += kBuiltins[builtin].name.size();
    TScriptCall call(interpreter_, cursor, value, output, scope);
    return kRun[builtin](call);
}

int32_t TScriptBuiltins::Print(TScriptCall& call) {
    TScriptValues values;
    if (const int32_t read = call.Arguments({TKind::kIntOrText}, values); read != result::kOk) {
        return read;
    }
    if (call.Output == nullptr) {
        return result::kSyntax;
    }
    const std::u16string printed =
        values[0].Type == TScriptValue::kInt ? Decimal(values[0].Int) : values[0].Text;
    TScriptValue& output = *call.Output;
    if (output.Type != TScriptValue::kText) {
        output.SetText(u"");
    }
    if (output.Text.size() + printed.size() > call.Interpreter.MaxTextUnits()) {
        return result::kSyntax;
    }
    output.Text += printed;
    return result::kOk;
}

int32_t TScriptBuiltins::StrToInt(TScriptCall& call) {
    TScriptValues values;
    const int32_t read = call.Arguments({TKind::kText}, values);
    if (read == result::kOk) {
        call.Yield(TextToInt(values[0].Text));
    }
    return read;
}

int32_t TScriptBuiltins::IntToStr(TScriptCall& call) {
    TScriptValues values;
    const int32_t read = call.Arguments({TKind::kInt}, values);
    if (read == result::kOk) {
        call.Yield(Decimal(values[0].Int));
    }
    return read;
}

int32_t TScriptBuiltins::Version(TScriptCall& call) {
    TScriptValues values;
    const int32_t read = call.Arguments({}, values);
    if (read == result::kOk) {
        const TScriptVersion& version = call.Services().Version;
        call.Yield(plat::text::Format(u"%hs (Build %d) [%hs]", version.Name, version.Build, version.Date));
    }
    return read;
}

int32_t TScriptBuiltins::VersionMember(TScriptCall& call) {
    const TScriptVersion& version = call.Services().Version;
    std::optional<TScriptValue> member;
    if (call.Member(u"name")) {
        member = TScriptValue::OfText(plat::text::AnsiToWide(version.Name));
    } else if (call.Member(u"date")) {
        member = TScriptValue::OfText(plat::text::AnsiToWide(version.Date));
    } else if (call.Member(u"build")) {
        member = TScriptValue::OfInt(version.Build);
    } else {
        return result::kUndefined;
    }
    TScriptValues values;
    const int32_t read = call.Arguments({}, values);
    if (read == result::kOk) {
        call.Value = std::move(*member);
    }
    return read;
}

int32_t TScriptBuiltins::System(TScriptCall& call) {
    const IScriptSystem& system = SystemOf(call);
    TScriptValues values;
    std::optional<int32_t> number;
    std::optional<std::u16string> text;
    if (call.Prefix(u"time.")) {
        const TLocalTime now = system.Now();
        number = call.Member(u"hour")  ? std::optional(now.Hour)
                 : call.Member(u"min") ? std::optional(now.Minute)
                 : call.Member(u"sec") ? std::optional(now.Second)
                 : call.Member(u"ms")  ? std::optional(now.Millisecond)
                                       : std::nullopt;
    } else if (call.Member(u"time")) {
        text = system.TimeText(system.Now());
    } else if (call.Prefix(u"date.")) {
        const TLocalTime now = system.Now();
        number = call.Member(u"year")    ? std::optional(now.Year)
                 : call.Member(u"month") ? std::optional(now.Month)
                 : call.Member(u"day")   ? std::optional(now.Day)
                                         : std::nullopt;
    } else if (call.Member(u"date")) {
        text = system.DateText(system.Now());
    } else if (call.Member(u"memory")) {
        number = static_cast<int32_t>(std::clamp<int64_t>(system.WorkingSetBytes(), 0, INT32_MAX));
    }
    if (!number && !text) {
        return result::kUndefined;
    }
    const int32_t read = call.Arguments({}, values);
    if (read == result::kOk) {
        number ? call.Yield(*number) : call.Yield(*text);
    }
    return read;
}

int32_t TScriptBuiltins::Command(TScriptCall& call) {
    return call.Member(u"ir") ? RemoteCode(call) : RunAction(call);
}

// A remote-control code: learnt by the settings dialog while it is open, else the action mapped to it
// runs. An empty code maps to nothing.
int32_t TScriptBuiltins::RemoteCode(TScriptCall& call) {
    TScriptValues values;
    if (const int32_t read = call.Arguments({TKind::kText}, values); read != result::kOk) {
        return read;
    }
    const std::string code = plat::text::WideToAnsi(values[0].Text);
    IScriptSettingsDialog* settings = call.Services().SettingsDialog;
    IScriptMainWindow* main = call.Services().MainWindow;
    if (settings != nullptr && settings->IsVisible()) {
        settings->ShowRemoteCode(code);
        if (settings->IsWaitingForRemoteCode()) {
            settings->AssignRemoteCode(code);
        }
    } else if (main != nullptr && !code.empty()) {
        main->ExecuteRemoteCode(code);
    }
    return result::kOk;
}

int32_t TScriptBuiltins::RunAction(TScriptCall& call) {
    const std::string command = ActionName(call.Cursor);
    TScriptValues values;
    if (call.Arguments({}, values) != result::kOk) {
        return result::kWrongType;
    }
    IScriptMainWindow* main = call.Services().MainWindow;
    const std::optional<std::string> action =
        main != nullptr ? main->FindActionByCommand(command) : std::nullopt;
    if (!action) {
        return result::kSyntax;
    }
    const std::optional<uint8_t> mode = main->VideoMode();
    if ((*action == "Ac_EnterFileMode" && mode == IScriptMainWindow::kModeFile) ||
        (*action == "Ac_EnterDVDMode" && mode == IScriptMainWindow::kModeDisc)) {
        return result::kOk;
    }
    if (*action == "Ac_EnterConfig") {
        main->PostMessage(IScriptMainWindow::kMsgShowSettings);
    } else if (*action == "Ac_Quit") {
        main->SetDirectControl(true);
        main->PostMessage(IScriptMainWindow::kMsgQuit);
    } else {
        TScriptPlayerObjects::ExecuteAction(*main, *action);
    }
    return result::kOk;
}
