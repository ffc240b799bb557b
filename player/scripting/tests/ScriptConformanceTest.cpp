// The command script language as one table: each row runs a script against the recording player of
// ScriptTestSupport (state set by the row) and checks the result code, the statement value, the output,
// every call made of the player (orders to the core included) and, where it matters, how far the
// script was read.
#include "player/scripting/ScriptResult.h"
#include "player/scripting/tests/ScriptTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace r = script_result;
using TSetup = std::function<void(TScriptWorld&)>;

struct TRow {
    const char* name;
    std::u16string script;
    int32_t result;
    std::string value;  // "-" nothing, "i:..." or "t:..."
    std::string output; // the same
    TCallLog calls = {};
    TSetup setup = nullptr;
    int64_t consumed = -1; // -1: not checked
};

void TwoItems(TScriptWorld& w) {
    w.playList.items = {{u"/m/a.avi", u"a.avi", u"Movie A", u"/p/a.zds", 2, 60000, 1},
                        {u"/m/b.mkv", u"b.mkv", u"Movie B", u"", 0, 1000, 2}};
}

void Profile(TScriptWorld& w) {
    w.profile.volumes = {{{"Disc 1", "Ann", 1, 2}, {{u"English", "Bob", 1}, {u"Fran\u00e7ais", "Cy", 2}}},
                         {{"Disc 2", "", 2, 0}, {}}};
    w.profile.currentVolume = 0;
    w.profile.currentLanguage = 1;
}

const std::u16string kName49(49, u'n');
const std::u16string kName50(50, u'n');

std::u16string Nested(const std::u16string& open, const std::u16string& inner, const std::u16string& close,
                      int levels) {
    std::u16string text;
    for (int i = 0; i < levels; ++i) {
        text += open;
    }
    text += inner;
    for (int i = 0; i < levels; ++i) {
        text += close;
    }
    return text;
}

const TRow kRows[] = {
    // Expressions: strictly left to right, 32-bit integers, texts.
    {"no precedence", u"print(1 + 2 * 3)", r::kOk, "-", "t:9"},
    {"negative by difference", u"print(0 - 5)", r::kOk, "-", "t:-5"},
    {"no unary minus", u"print(-5)", r::kSyntax, "-", "-", {}, nullptr, 9},
    {"division by zero", u"print(7 / 0)", r::kOk, "-", "t:0"},
    {"division truncates toward zero", u"print((0 - 7) / 2)", r::kOk, "-", "t:-3"},
    {"comparisons chain left to right", u"print(1 == 1 AND 2 == 2)", r::kOk, "-", "t:0"},
    {"parenthesised comparisons", u"print((1 == 1) AND (2 == 2))", r::kOk, "-", "t:1"},
    {"OR and XOR", u"print((0 OR 3), (1 XOR 1), (1 XOR 0))", r::kTooManyArguments, "-", "-"},
    {"logic values", u"print((0 OR 3) + (1 XOR 1) * 10 + (1 XOR 0))", r::kOk, "-", "t:11"},
    {"texts compare by code units", u"print(\"B\" < \"a\")", r::kOk, "-", "t:1"},
    {"text comparisons",
     u"print((\"ab\" >= \"ab\") + (\"ab\" <= \"a\") + (\"b\" > \"a\") + (\"a\" == \"a\"))", r::kOk, "-",
     "t:3"},
    {"text and integer do not mix", u"print(\"a\" + 1)", r::kSyntax, "-", "-"},
    {"texts do not subtract", u"print(\"a\" - \"a\")", r::kSyntax, "-", "-"},
    {"AND on texts", u"print(\"a\" AND \"b\")", r::kSyntax, "-", "-"},
    {"text concatenation", u"print(\"con\" + \"cat\" + \"\")", r::kOk, "-", "t:concat"},
    {"too many arguments", u"print(1 2)", r::kTooManyArguments, "-", "-"},
    {"commas separate", u"print(1, 2)", r::kTooManyArguments, "-", "-"},
    {"too few arguments", u"print()", r::kTooFewArguments, "-", "-"},
    {"wrap-around", u"print(2147483647 + 1)", r::kOk, "-", "t:-2147483648"},
    {"multiplication wraps", u"print(65536 * 65536 + 7)", r::kOk, "-", "t:7"},
    {"smallest value divided by -1 wraps", u"print((0 - 2147483647 - 1) / (0 - 1))", r::kOk, "-",
     "t:-2147483648"},
    {"literal beyond the range saturates", u"print(2147483648)", r::kOk, "-", "t:2147483647"},
    {"huge literal saturates", u"print(99999999999999999999999 - 1)", r::kOk, "-", "t:2147483646"},
    {"number followed by a letter", u"print(1a)", r::kSyntax, "-", "-", {}, nullptr, 5},
    {"unclosed text literal", u"print(\"abc)", r::kSyntax, "-", "-", {}, nullptr, 5},
    {"parenthesis inside a literal breaks the list", u"print(\"a(b\")", r::kSyntax, "-", "-"},
    {"list not closed on its line", u"print(1\n)", r::kSyntax, "-", "-"},
    {"a name needs blanks around operators", u"int x\nprint(x+1)", r::kSyntax, "-", "-"},
    {"a TAB separates like a space", u"print(1 +\t2)", r::kOk, "-", "t:3"},
    {"operator pending at the end", u"print(1 +)", r::kSyntax, "-", "-"},
    {"operator without a left value", u"print(* 2)", r::kSyntax, "-", "-"},

    // Variables and assignment.
    {"declare, assign, use", u"int x\nx = 4\nprint(x * x)", r::kOk, "i:4", "t:16"},
    {"a bare expression statement yields its value", u"int x\nx = 4\nx * 10", r::kOk, "i:40", "i:40"},
    {"a declaration has no initial value", u"int x = 4", r::kSyntax, "-", "-"},
    {"exactly a space after the type", u"int\tx", r::kSyntax, "-", "-"},
    {"two spaces are fine", u"int  x\nprint(x)", r::kOk, "-", "t:0"},
    {"a digit ends a name", u"int a1", r::kSyntax, "-", "-"},
    {"a name followed by a digit", u"int a\na1", r::kSyntax, "-", "-"},
    {"49 letters", u"int " + kName49 + u"\n" + kName49 + u" = 3\nprint(" + kName49 + u")", r::kOk, "i:3",
     "t:3"},
    {"50 letters", u"int " + kName50, r::kSyntax, "-", "-"},
    {"50 letters as a statement", kName50, r::kSyntax, "-", "-"},
    {"the declared type holds", u"int x\nx = \"a\"", r::kSyntax, "-", "-"},
    {"an empty text variable adds as the empty text", u"wstr s\nprint(s + \"x\")", r::kOk, "-", "t:x"},
    {"two assignments in one expression", u"int x\nint y\nx = y = 1", r::kSyntax, "-", "-"},
    {"assignment needs a variable first", u"int x\nprint(1 = x)", r::kSyntax, "-", "-"},
    {"an undefined name", u"nothing", r::kUndefined, "-", "-"},
    {"a variable declared in a block is gone after it", u"if (1) { int y }\ny", r::kUndefined, "-", "-"},

    // Blocks, if and else, comments.
    {"else runs when the condition is 0", u"if (0)\n{print(\"a\")}\nelse\n{print(\"b\")}", r::kOk, "-",
     "t:b"},
    {"if runs when the condition is not 0", u"if (2) {print(\"a\")} else {print(\"b\")}", r::kOk, "-", "t:a"},
    {"the brace may stand on the next line", u"if (1)\n{print(\"a\")}", r::kOk, "-", "t:a"},
    {"not two lines further", u"if (1)\n\n{print(\"a\")}", r::kIfWithoutBlock, "-", "-"},
    {"CR LF is one line end", u"if (1)\r\n{print(\"a\")}", r::kOk, "-", "t:a"},
    {"two CR LF are two", u"if (1)\r\n\r\n{print(\"a\")}", r::kIfWithoutBlock, "-", "-"},
    {"if without a block", u"if (1) print(1)", r::kIfWithoutBlock, "-", "-"},
    {"else without a block", u"if (1) {}\nelse print(1)", r::kElseWithoutBlock, "-", "-"},
    {"a text condition", u"if (\"x\") {}", r::kWrongType, "-", "-"},
    {"no condition", u"if {}", r::kTooFewArguments, "-", "-"},
    {"two conditions", u"if (1, 2) {}", r::kTooManyArguments, "-", "-"},
    {"a word with e after an if block", u"if (0) {}\nexit", r::kSyntax, "-", "-"},
    {"a word with e two lines further", u"if (0) {}\n\nint exit\nprint(1)", r::kOk, "-", "t:1"},
    {"a failing statement fails the if", u"if (1) { nothing }", r::kUndefined, "-", "-"},
    {"nested blocks", u"if (1) { if (0) { print(1) } else { if (1) { print(2) } } }", r::kOk, "-", "t:2"},
    {"stray brace", u"}", r::kStrayBrace, "-", "-", {}, nullptr, 1},
    {"unclosed block", u"{print(\"a\")", r::kUnclosedBlock, "-", "t:a"},
    {"an empty block with blanks", u"{ }", r::kOk, "-", "-"},
    {"a brace in a text of a block", u"{ print(\"}\") }", r::kOk, "-", "t:}"},
    {"a brace in a comment of a block", u"{ // }\nprint(1) /* { */ }\n{print(2)}", r::kOk, "-", "t:12"},
    {"blocks on their own lines, each in a scope", u"{int x\nx = 1\nprint(x)}\n\n{print(\"b\")}", r::kOk,
     "i:1", "t:1b"},
    {"a block's variable is not the next block's", u"{int x\n}\n{x}", r::kUndefined, "-", "-"},
    {"a declaration ends at its block's brace", u"{int x}", r::kOk, "-", "-"},
    {"a built-in ends at its block's brace", u"if (1) {print}", r::kTooFewArguments, "-", "-"},
    {"a variable ends at its block's brace", u"int x\nif (1) {x}", r::kOk, "i:0", "i:0"},
    {"an assignment ends at its block's brace", u"int x\nif (1) { x = 2 }\nprint(x)", r::kOk, "i:2", "t:2"},
    {"line comment", u"// print(1)\nprint(2) // end", r::kOk, "-", "t:2"},
    {"block comment with a lone star", u"/* a * b */print(3)", r::kOk, "-", "t:3"},
    {"unclosed block comment", u"/* x", r::kSyntax, "-", "-"},
    {"a brace in a comment still counts for a block", u"if (1) {\n// }\nprint(1)\n}", r::kStrayBrace, "-",
     "t:1"},
    {"an empty script", u"", r::kOk, "-", "-", {}, nullptr, 0},
    {"blanks only", u" \r\n\t", r::kOk, "-", "-", {}, nullptr, 4},

    // User functions.
    {"a function with a typed parameter", u"function f(int n) { result = n * 2 }\nprint(f(21))", r::kOk, "-",
     "t:42"},
    {"text parameter given an integer", u"function f(wstr s) {}\nf(1)", r::kWrongType, "-", "-"},
    {"no argument", u"function f(wstr s) {}\nf()", r::kTooFewArguments, "-", "-"},
    {"two arguments", u"function f(wstr s) {}\nf(\"a\",\"b\")", r::kTooManyArguments, "-", "-"},
    {"two parameters", u"function cat(wstr a, int b) { result = a + inttostr(b) }\nprint(cat(\"n\", 5))",
     r::kOk, "-", "t:n5"},
    {"scoping is dynamic", u"function g() { result = x }\nint x\nx = 3\nprint(g())", r::kOk, "i:3", "t:3"},
    {"each call sees the scopes in force at that call",
     u"function g() { print(q) }\nif (1) { int q\nq = 3\ng }\ng",
     r::kSyntax,
     "i:3",
     "t:3",
     {},
     nullptr,
     23},
    {"a name read as a variable in one call and as a function in the next",
     u"function g() { result = h + 1 }\nint h\nh = 1\nprint(g)\nif (1) {\nfunction h() { result = 10 "
     u"}\nprint(g)\n}",
     r::kOk, "i:1", "t:211"},
    {"a call without parentheses", u"function g() { result = 5 }\nprint(g)", r::kOk, "-", "t:5"},
    {"defined twice", u"function f() {}\nfunction f() {}", r::kSyntax, "-", "-"},
    {"a parameter that cannot be read", u"function f(int) {}", r::kSyntax, "-", "-"},
    {"a parameter list with blanks", u"function f( int a , wstr b ) { result = b }\nprint(f(1, \"z\"))",
     r::kOk, "-", "t:z"},
    {"no result leaves the value", u"inttostr(5)\nfunction f() {}\nf", r::kOk, "t:5", "t:5"},
    {"result takes the first type", u"function f() { result = 1\nresult = \"a\" }\nf", r::kSyntax, "-", "-"},
    {"a function hides a variable of its scope", u"int v\nfunction v() { result = 9 }\nprint(v)", r::kOk, "-",
     "t:9"},
    {"recursion",
     u"function fact(int n) {\nresult = 1\nif (n > 1) { result = n * fact(n - 1) }\n}\nprint(fact(10))",
     r::kOk, "-", "t:3628800"},
    {"a failure inside a definition is reported there",
     u"function f() {\nx\n}\nf",
     r::kUndefined,
     "-",
     "-",
     {},
     nullptr,
     16},

    // Limits that keep a script from taking the player down.
    {"unbounded recursion ends", u"function f() { f() }\nf", r::kNestedTooDeep, "-", "-"},
    {"unbounded recursion in an expression ends", u"function f(int n) { result = f(n + 1) }\nprint(f(0))",
     r::kNestedTooDeep, "-", "-"},
    {"deep parentheses end", u"print(" + Nested(u"(", u"1", u")", 2000) + u")", r::kNestedTooDeep, "-", "-"},
    {"deep blocks end", Nested(u"if (1) {", u"print(1)", u"}", 400), r::kNestedTooDeep, "-", "-"},
    {"a call tree ends",
     u"function f(int n) {\nif (n > 0) {\nf(n - 1)\nf(n - 1)\n}\n}\nf(60)",
     r::kTooManySteps,
     "-",
     "-",
     {},
     [](TScriptWorld& w) { w.services.Limits.MaxSteps = 5000; }},
    {"a text too long",
     u"function d(wstr s, int n) { if (n > 0) { result = d(s + s, n - 1) } else { result = s } }\n"
     u"print(d(\"ab\", 30))",
     r::kSyntax,
     "-",
     "-",
     {},
     [](TScriptWorld& w) { w.services.Limits.MaxTextUnits = 4096; }},

    // Output, conversions, version.
    {"two prints make one text", u"print(\"a\")\nprint(2)", r::kOk, "-", "t:a2"},
    {"strtoint", u"print(strtoint(\" -12abc\"))", r::kOk, "-", "t:-12"},
    {"strtoint without digits", u"strtoint(\"abc\")", r::kOk, "i:0", "i:0"},
    {"strtoint saturates", u"strtoint(\"-99999999999\")", r::kOk, "i:-2147483648", "i:-2147483648"},
    {"strtoint of an integer", u"strtoint(1)", r::kWrongType, "-", "-"},
    {"inttostr", u"inttostr(0 - 42)", r::kOk, "t:-42", "t:-42"},
    {"inttostr of a text", u"inttostr(\"1\")", r::kWrongType, "-", "-"},
    {"version", u"version", r::kOk, "t:RC1d (Build 1950) [08.20.2004]", "t:RC1d (Build 1950) [08.20.2004]"},
    {"version with an argument", u"version(1)", r::kTooManyArguments, "-", "-"},
    {"version members", u"print(version.name + version.date)\nversion.build", r::kOk, "i:1950",
     "t:RC1d08.20.2004"},
    {"unknown version member", u"version.other", r::kUndefined, "-", "-"},
    {"a built-in name followed by a dot is not the function", u"print.x", r::kSyntax, "-", "-"},

    // system.
    {"clock fields",
     u"print(system.time.hour)\nprint(system.time.min)\nprint(system.time.sec)\nsystem.time.ms", r::kOk,
     "i:250", "t:2159"},
    {"date fields", u"print(system.date.year)\nprint(system.date.month)\nsystem.date.day", r::kOk, "i:20",
     "t:20048"},
    {"time and date texts", u"print(system.time)\nprint(\" \")\nprint(system.date)", r::kOk, "-",
     "t:21:05:09 08/20/2004"},
    {"memory", u"system.memory", r::kOk, "i:12345678", "i:12345678"},
    {"unknown system member", u"system.uptime", r::kUndefined, "-", "-"},
    {"system members take no arguments", u"system.memory(1)", r::kTooManyArguments, "-", "-"},

    // cmd.
    {"an action runs with direct control on",
     u"cmd.play",
     r::kOk,
     "-",
     "-",
     {"direct 1", "action Ac_Play direct=1"}},
    {"direct control is switched back off",
     u"cmd.Play()",
     r::kOk,
     "-",
     "-",
     {"direct 1", "action Ac_Play direct=1", "direct 0"},
     [](TScriptWorld& w) { w.main.directControl = false; }},
    {"an action with an argument", u"cmd.play(1)", r::kWrongType, "-", "-"},
    {"an undefined action", u"cmd.nosuch", r::kSyntax, "-", "-"},
    {"quit is posted", u"cmd.quit", r::kOk, "-", "-", {"direct 1", "post 1534"}},
    {"the settings dialog is posted", u"cmd.enterconfig", r::kOk, "-", "-", {"post 1533"}},
    {"file mode in file mode does nothing", u"cmd.enterfilemode", r::kOk, "-", "-"},
    {"disc mode in file mode runs",
     u"cmd.enterdvdmode",
     r::kOk,
     "-",
     "-",
     {"direct 1", "action Ac_EnterDVDMode direct=1"}},
    {"a remote code runs its action", u"cmd.ir(\"IRM1-2\")", r::kOk, "-", "-", {"remote IRM1-2"}},
    {"an empty remote code runs nothing", u"cmd.ir(\"\")", r::kOk, "-", "-"},
    {"a remote code of an integer", u"cmd.ir(5)", r::kWrongType, "-", "-"},
    {"the settings dialog learns a code",
     u"cmd.ir(\"IRM9\")",
     r::kOk,
     "-",
     "-",
     {"settings show IRM9", "settings assign IRM9"},
     [](TScriptWorld& w) { w.settings.visible = w.settings.waiting = true; }},
    {"the settings dialog shows a code",
     u"cmd.ir(\"IRM9\")",
     r::kOk,
     "-",
     "-",
     {"settings show IRM9"},
     [](TScriptWorld& w) { w.settings.visible = true; }},

    // video.
    {"caption",
     u"video.showcaption(0)",
     r::kOk,
     "-",
     "-",
     {"caption 0", "order 150", "background -1", "apply stayontop"}},
    {"border already as wished", u"video.showborder(1)", r::kOk, "-", "-", {"order 150", "background -1"}},
    {"border toggled", u"video.showborder(0)", r::kOk, "-", "-", {"border 0", "order 150", "background -1"}},
    {"position", u"video.position(5, 6)", r::kOk, "-", "-", {"bounds 5,6,640,480"}},
    {"position with one argument", u"video.position(10)", r::kTooFewArguments, "-", "-"},
    {"position with a text", u"video.position(\"a\", 1)", r::kWrongType, "-", "-"},
    {"size", u"video.size(800, 600)", r::kOk, "-", "-", {"bounds 10,20,800,600"}},
    {"stay on top",
     u"video.stayontop(1)",
     r::kOk,
     "-",
     "-",
     {"stayontop 1", "check Ac_VideoOnTop 1", "apply stayontop"}},
    {"full screen", u"video.fullscreen(1)\nvideo.fullscreen(0)", r::kOk, "-", "-", {"screen 2", "screen 1"}},
    {"is full screen",
     u"video.isfullscreen",
     r::kOk,
     "i:1",
     "i:1",
     {"order 205"},
     [](TScriptWorld& w) { w.core->writeBack[kOrderDisplayMode] = BytesOf(kDisplayModeFullScreen); }},
    {"visibility of the full-screen window",
     u"video.isvisible",
     r::kOk,
     "i:0",
     "i:0",
     {"order 205"},
     [](TScriptWorld& w) { w.core->writeBack[kOrderDisplayMode] = BytesOf(kDisplayModeFullScreen); }},
    {"visibility of the video window", u"video.isvisible", r::kOk, "i:1", "i:1", {"order 205"}},
    {"show", u"video.show", r::kOk, "-", "-", {"order 205", "video visible 1", "order 151"}},
    {"hide", u"video.hide", r::kOk, "-", "-", {"order 152", "video visible 0", "fullscreen visible 0"}},
    {"unknown video member", u"video.blink", r::kUndefined, "-", "-"},

    // player.
    {"play state",
     u"player.getstate",
     r::kOk,
     "i:3",
     "i:3",
     {"order 301"},
     [](TScriptWorld& w) { w.core->writeBack[kOrderPlayState] = BytesOf(kPlayStatePlaying); }},
    {"paused",
     u"player.getstate",
     r::kOk,
     "i:2",
     "i:2",
     {"order 301"},
     [](TScriptWorld& w) { w.core->writeBack[kOrderPlayState] = BytesOf(kPlayStatePaused); }},
    {"nothing loaded", u"player.getstate", r::kOk, "i:0", "i:0", {"order 301"}},
    {"mode", u"player.getmode", r::kOk, "i:1", "i:1"},
    {"another mode",
     u"player.getmode",
     r::kOk,
     "i:99",
     "i:99",
     {},
     [](TScriptWorld& w) { w.main.videoMode = 7; }},
    {"no file loaded", u"player.getactfile", r::kOk, "-", "-"},
    {"the current file",
     u"player.getactfile",
     r::kOk,
     "t:movie.avi",
     "t:movie.avi",
     {},
     [](TScriptWorld& w) { w.hub.SetFileName(u"movie.avi"); }},
    {"time and position",
     u"print(player.timecode)\nprint(player.title)\nprint(player.chapter)\nplayer.duration",
     r::kOk,
     "i:0",
     "t:81234" + std::string("00"),
     {"order 307"},
     [](TScriptWorld& w) { w.core->answers[kOrderClockTime] = 81234; }},

    // interface.
    {"hide and show",
     u"interface.hide\ninterface.show()",
     r::kOk,
     "-",
     "-",
     {"interface hide", "interface show"}},
    {"context menu", u"interface.allowcontextmenu(0)", r::kOk, "-", "-", {"contextmenu 0"}},
    {"context menu with a text", u"interface.allowcontextmenu(\"a\")", r::kUndefined, "-", "-"},
    {"direct control", u"interface.allowdirectcontrol(0)", r::kOk, "-", "-", {"direct 0"}},

    // graph.
    {"no graph yet: the log", u"graph.log", r::kNoGraph, "-", "-"},
    {"no filter by that name",
     u"graph.filterbyname(\"zz\").name",
     r::kWrongType,
     "-",
     "-",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"a filter without a member",
     u"graph.filterbyname(\"File\")",
     r::kSyntax,
     "-",
     "-",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"a filter's name and class",
     u"print(graph.filterbyname(\"video\").name)\ngraph.filterbystr(\"source\").clsid",
     r::kOk,
     "t:{S}",
     "t:Video Decoder",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"by class: the first of it",
     u"graph.filterbyclsid(\"{d}\").name()",
     r::kOk,
     "t:Video Decoder",
     "t:Video Decoder",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"pins",
     u"print(graph.filterbyname(\"Video\").pins.list)\ngraph.filterbyname(\"Video\").pins.count",
     r::kOk,
     "i:2",
     "t:[IN] sink->(src) File Source\r\n[OUT] src\r\n",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"property pages",
     u"graph.filterbyname(\"Video\").showproperties",
     r::kOk,
     "-",
     "-",
     {"order 206 77 2"},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"a member with an argument",
     u"graph.filterbyname(\"Video\").name(1)",
     r::kSyntax,
     "-",
     "-",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"the filter list",
     u"graph.listfilters",
     r::kOk,
     "t:File Source\r\nVideo Decoder\r\nAudio Decoder\r\n",
     "t:File Source\r\nVideo Decoder\r\nAudio Decoder\r\n",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"the log",
     u"graph.log",
     r::kOk,
     "t:<GRAPHLOG>built</GRAPHLOG>",
     "t:<GRAPHLOG>built</GRAPHLOG>",
     {},
     [](TScriptWorld& w) { w.BuildSampleGraph(); }},
    {"a search with an integer", u"graph.filterbyname(1)", r::kWrongType, "-", "-"},

    // playlist.
    {"count", u"playlist.count", r::kOk, "i:2", "i:2", {}, TwoItems},
    {"an index past the end", u"playlist.items(99)", r::kUndefined, "-", "-", {}, TwoItems},
    {"a position", u"playlist.items(0).pos", r::kOk, "i:0", "i:0", {}, TwoItems},
    {"the default member is the file name",
     u"print(playlist.items(1))",
     r::kOk,
     "-",
     "t:/m/b.mkv",
     {},
     TwoItems},
    {"item members",
     u"print(playlist.items(0).shortfn + \"|\" + playlist.items(0).friendly + \"|\" + "
     u"playlist.items(0).profile)\n"
     u"print(playlist.items(0).title + playlist.items(0).duration)",
     r::kOk,
     "-",
     "t:a.avi|Movie A|/p/a.zds60002",
     {},
     TwoItems},
    {"an unknown item member", u"playlist.items(0).size", r::kSyntax, "-", "-", {}, TwoItems},
    {"no current item", u"playlist.actitem", r::kUndefined, "-", "-", {}, TwoItems},
    {"the current item plays",
     u"playlist.actitem.play",
     r::kOk,
     "-",
     "-",
     {"play item 1"},
     [](TScriptWorld& w) {
         TwoItems(w);
         w.playList.current = 1;
     }},
    {"an item is deleted through the window",
     u"playlist.items(0).delete()",
     r::kOk,
     "-",
     "-",
     {"list delete 0"},
     TwoItems},
    {"window operations",
     u"playlist.add(\"/x.avi\")\nplaylist.swap(0, 1)\nplaylist.load(\"/l.wsx\")\nplaylist.save(\"/s.wsx\")",
     r::kOk,
     "-",
     "-",
     {"list add /x.avi", "list move 0 1", "list load /l.wsx", "list save /s.wsx"}},
    {"index of a file",
     u"print(playlist.isfileinqueue(\"/m/b.mkv\"))\nplaylist.isfileinqueue(\"/none\")",
     r::kOk,
     "i:-1",
     "t:1",
     {},
     [](TScriptWorld& w) { w.playlistWindow.indexes[u"/m/b.mkv"] = 1; }},
    {"shuffle and repeat",
     u"playlist.random(1)\nplaylist.repeat(0)\nprint(playlist.israndom)\nplaylist.isrepeat",
     r::kOk,
     "i:0",
     "t:1",
     {"playlist shuffle 1", "playlist repeat 0"}},
    {"clear", u"playlist.clear\nplaylist.count", r::kOk, "i:0", "i:0", {"playlist clear"}, TwoItems},

    // volume: a new volume sets the on-screen variable AudioVolume (order 605) first.
    {"set", u"volume.set(50)", r::kOk, "-", "-", {"order 605", "order 111 -1250 1"}},
    {"set above the range is clamped", u"volume.set(150)", r::kOk, "-", "-", {"order 605", "order 111 0 1"}},
    {"set below the range is clamped",
     u"volume.set(0 - 5)",
     r::kOk,
     "-",
     "-",
     {"order 605", "order 111 -10000 1"}},
    {"set with a text", u"volume.set(\"a\")", r::kWrongType, "-", "-"},
    {"get",
     u"volume.get",
     r::kOk,
     "i:50",
     "i:50",
     {"order 111 0 0"},
     [](TScriptWorld& w) { w.core->writeBack[kOrderVolume] = BytesOf(int32_t{-1250}); }},
    {"mute state",
     u"print(volume.ismuted)\nvolume.mute(0 - 1)\nvolume.ismuted",
     r::kOk,
     "i:1",
     "t:0",
     {"order 605", "order 111 -10000 1"}},
    {"up and down run their actions",
     u"volume.up\nvolume.down",
     r::kOk,
     "-",
     "-",
     {"direct 1", "action Ac_VolumeMore direct=1", "direct 1", "action Ac_VolumeLess direct=1"}},

    // profile.
    {"load for the current media",
     u"profile.load(\"/p/x.zds\")",
     r::kOk,
     "-",
     "-",
     {"open null /p/x.zds 1 -1 0"}},
    {"select",
     u"profile.select(1, 0)",
     r::kOk,
     "-",
     "-",
     {"profile volume 1", "profile language 0"},
     Profile},
    {"select with a text", u"profile.select(\"a\", 0)", r::kUndefined, "-", "-", {}, Profile},
    {"a volume's language",
     u"profile.volumes(0).languages(1).name",
     r::kOk,
     "t:Fran\xc3\xa7"
     "ais",
     "t:Fran\xc3\xa7"
     "ais",
     {},
     Profile},
    {"languages without an index",
     u"profile.volumes(0).languages",
     r::kTooFewArguments,
     "-",
     "-",
     {},
     Profile},
    {"no such language", u"profile.volumes(0).languages(5)", r::kSyntax, "-", "-", {}, Profile},
    {"a language of a text index",
     u"profile.volumes(0).languages(\"a\")",
     r::kWrongType,
     "-",
     "-",
     {},
     Profile},
    {"volume members",
     u"print(profile.volumes.count)\nprint(profile.actvolume)\nprint(profile.volumes(1).pos)\n"
     u"print(profile.actvolume.createdby)\nprofile.volumes(0).languages.count",
     r::kOk,
     "i:2",
     "t:2Disc 11Ann",
     {},
     Profile},
    {"language members",
     u"print(profile.actlanguage)\nprint(profile.actlanguage.pos)\nprofile.actlanguage.createdby",
     r::kOk,
     "t:Cy",
     "t:Fran\xc3\xa7"
     "ais1",
     {},
     Profile},
    {"no such volume", u"profile.volumes(2)", r::kUndefined, "-", "-", {}, Profile},
    {"no profile volume", u"profile.actvolume", r::kUndefined, "-", "-"},
};

void PrintTo(const TRow& row, std::ostream* out) {
    *out << row.name;
}

class ScriptConformance : public testing::TestWithParam<TRow> {};

TEST_P(ScriptConformance, Runs) {
    const TRow& row = GetParam();
    TScriptWorld world;
    if (row.setup) {
        row.setup(world);
    }
    const TScriptOutcome outcome = world.Run(row.script);
    EXPECT_EQ(outcome.result, row.result);
    EXPECT_EQ(outcome.value, row.value);
    EXPECT_EQ(outcome.output, row.output);
    EXPECT_EQ(outcome.calls, row.calls);
    if (row.consumed >= 0) {
        EXPECT_EQ(outcome.consumed, static_cast<size_t>(row.consumed));
    }
}

std::string RowName(const testing::TestParamInfo<TRow>& info) {
    std::string name = std::to_string(info.index) + "_";
    for (const char* c = info.param.name; *c != 0; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, ScriptConformance, testing::ValuesIn(kRows), RowName);

} // namespace
