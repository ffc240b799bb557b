// Whole scripts as the player runs them: the caller's value and output, how far a script was read, the
// start-up script file in its encodings, the machine's services, and the stack a script at the
// interpreter's nesting limit needs.
#include "foundation/tests/TempDir.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"
#include "player/scripting/TScriptRunner.h"
#include "player/scripting/TSystemScriptServices.h"
#include "player/scripting/tests/ScriptTestSupport.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <cstdlib>
#include <fstream>

namespace {

namespace r = script_result;

TEST(TScriptRunner, TheCallersValueAndOutputAndTheReadLength) {
    TScriptWorld world;
    const TScriptRunner runner(world.services);
    TGrVariant value(250);
    TGrVariant output(250);
    size_t consumed = 0;
    EXPECT_EQ(runner.RunScript(u"inttostr(7)\nprint(\"a\")", &consumed, value, output), r::kOk);
    EXPECT_EQ(value.Type, TGrVariant::vtText);
    EXPECT_EQ(std::u16string(value.Text()), u"7");
    EXPECT_EQ(std::u16string(output.Text()), u"a");
    EXPECT_EQ(consumed, 22u);

    TGrVariant number(250);
    TGrVariant empty(250);
    EXPECT_EQ(runner.RunScript(u"strtoint(\"12\")", nullptr, number, empty), r::kOk);
    EXPECT_EQ(empty.Type, TGrVariant::vtInt) << "nothing printed: the output takes the value";
    EXPECT_EQ(empty.IntValue(), 12);

    TGrVariant kept(250);
    kept.SetString(u"before ");
    TGrVariant keptOutput(250);
    keptOutput.SetString(u"old ");
    EXPECT_EQ(runner.RunScript(u"print(1)\nnothing", &consumed, kept, keptOutput), r::kUndefined);
    EXPECT_EQ(std::u16string(keptOutput.Text()), u"old 1") << "print appends to what the caller gave";
    EXPECT_EQ(std::u16string(kept.Text()), u"before ");
    EXPECT_EQ(consumed, 16u) << "read up to the end of the failing name";
}

TEST(TScriptRunner, PrintWithoutAnOutput) {
    TScriptServices services;
    TScriptInterpreter interpreter(services);
    TScriptValue value;
    EXPECT_EQ(interpreter.RunScript(u"print(1)", nullptr, value, nullptr), r::kSyntax);
    EXPECT_EQ(interpreter.RunScript(u"inttostr(1)", nullptr, value, nullptr), r::kOk);
}

TEST(TScriptRunner, TheStartUpScriptInItsEncodings) {
    TScriptWorld world;
    const TScriptRunner runner(world.services);
    TempDir folder;
    const std::string root = folder.Path("");
    EXPECT_EQ(runner.RunAutoexecScript(root), r::kSyntax) << "no file";

    // Found without regard to case.
    const auto write = [&](const std::string& bytes) { folder.Write("autoexec.TOVCMD", bytes); };
    write("");
    EXPECT_EQ(runner.RunAutoexecScript(root), r::kSyntax) << "an empty file";

    write(std::string("\xFF\xFE", 2) + std::string("c\0m\0d\0.\0p\0l\0a\0y\0", 16));
    EXPECT_EQ(runner.RunAutoexecScript(root), r::kOk);
    EXPECT_EQ(world.log, (TCallLog{"direct 1", "action Ac_Play direct=1"})) << "UTF-16 with its mark";

    world.log.clear();
    write("\xEF\xBB\xBF"
          "cmd.stop\n");
    EXPECT_EQ(runner.RunAutoexecScript(root), r::kOk) << "the mark of a UTF-8 file is no statement";
    EXPECT_EQ(world.log, (TCallLog{"direct 1", "action Ac_Stop direct=1"}));

    write("cmd.nosuch");
    EXPECT_EQ(runner.RunAutoexecScript(root), r::kSyntax) << "the script's own result";
}

TEST(TSystemScriptServices, TheMachinesClockLocaleAndMemory) {
    const TSystemScriptServices machine;
    const TLocalTime now = machine.Now();
    EXPECT_GE(now.Year, 2020);
    EXPECT_TRUE(now.Month >= 1 && now.Month <= 12);
    EXPECT_TRUE(now.Millisecond >= 0 && now.Millisecond < 1000);
    EXPECT_GT(machine.WorkingSetBytes(), 1 << 20) << "a test program holds more than a megabyte";

    const char* old = std::getenv("LC_ALL");
    const std::string kept = old != nullptr ? old : "";
    setenv("LC_ALL", "C", 1);
    const TLocalTime fixed{2004, 8, 20, 21, 5, 9, 250};
    EXPECT_EQ(machine.TimeText(fixed), u"21:05:09");
    EXPECT_EQ(machine.DateText(fixed), u"08/20/04");
    old != nullptr ? setenv("LC_ALL", kept.c_str(), 1) : unsetenv("LC_ALL");
}

// Runs a script on a thread of its own with the given stack; `printed` gets what it printed.
int32_t RunOnStack(const std::u16string& script, size_t stackBytes, std::u16string* printed = nullptr) {
    struct TJob {
        const std::u16string* script;
        std::u16string* printed;
        int32_t result = 0;
    } job{&script, printed};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    pthread_t thread;
    const auto run = [](void* argument) -> void* {
        auto* j = static_cast<TJob*>(argument);
        TScriptServices services;
        TScriptInterpreter interpreter(services);
        TScriptValue value;
        TScriptValue output;
        j->result = interpreter.RunScript(*j->script, nullptr, value, &output);
        if (j->printed != nullptr) {
            *j->printed = output.Text;
        }
        return nullptr;
    };
    if (pthread_create(&thread, &attributes, run, &job) != 0) {
        return -1;
    }
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    return job.result;
}

TEST(ScriptLimits, TheDeepestNestingFitsInAMegabyteOfStack) {
    // Each recursion level nests a block, an expression and the operand's call; the limit ends it.
    const std::u16string expressions = u"function f(int n) { result = f(n + 1) + 1 }\nprint(f(0))";
    const std::u16string statements = u"function f() { if (1) { f() } }\nf";
    const std::u16string parentheses =
        u"print(" + std::u16string(5000, u'(') + u"1" + std::u16string(5000, u')') + u")";
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__OPTIMIZE__)
    constexpr size_t kStack = 4 << 20; // unoptimised and instrumented frames are several times larger
#else
    constexpr size_t kStack = 1 << 20;
#endif
    for (const std::u16string* script : {&expressions, &statements, &parentheses}) {
        EXPECT_EQ(RunOnStack(*script, kStack), r::kNestedTooDeep);
    }
}

TEST(ScriptLimits, RecursionGoesAsDeepAsTheStackAllowsAndEndsBeforeItsEnd) {
    // A thousand calls on the stack a program's main thread has; a runaway recursion on it still ends.
    const std::u16string deep = u"function f(int n) {\nif (n > 0) {\nresult = f(n - 1) + 1\n} else {\nresult "
                                u"= 0\n}\n}\nprint(inttostr(f(1000)))";
    constexpr size_t kMainThreadStack = 8 << 20;
    std::u16string printed;
    EXPECT_EQ(RunOnStack(deep, kMainThreadStack, &printed), r::kOk);
    EXPECT_EQ(printed, u"1000");
    EXPECT_EQ(RunOnStack(u"function f() { f() }\nf", kMainThreadStack), r::kNestedTooDeep);
}

} // namespace
