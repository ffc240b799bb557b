#pragma once
// Helpers of the script tests: corpus files, writing a script to bytes, and comparing two scripts
// field by field (info fields, style records, event records and texts).
#include "foundation/TMemoryObject.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/scripts/TScriptTextEvent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

inline std::string TestDataPath(std::string_view relative) {
    return std::string(SCRIPTS_TEST_DATA_DIR) + "/" + std::string(relative);
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Written(const TScriptControl& script) {
    TMemoryObject out(2048);
    script.Write(script.Styles, out);
    return std::string(out.Data, static_cast<std::size_t>(out.Used));
}

inline const TTextEvent& EventAt(const TScriptControl& script, int index) {
    const TSubEvents* event = script.Events.Head;
    for (int i = 0; i < index && event; ++i) {
        event = event->Next;
    }
    return dynamic_cast<const TTextEvent&>(*event);
}

inline const TScriptTextEvent& ScriptEventAt(const TScriptControl& script, int index) {
    return dynamic_cast<const TScriptTextEvent&>(EventAt(script, index));
}

inline void ExpectSameModel(const TScriptControl& a, const TScriptControl& b) {
    EXPECT_EQ(a.Title, b.Title);
    EXPECT_EQ(a.FileName, b.FileName);
    EXPECT_EQ(a.OriginalScript, b.OriginalScript);
    EXPECT_EQ(a.OriginalTranslation, b.OriginalTranslation);
    EXPECT_EQ(a.OriginalEditing, b.OriginalEditing);
    EXPECT_EQ(a.OriginalTiming, b.OriginalTiming);
    EXPECT_EQ(a.OriginalScriptChecking, b.OriginalScriptChecking);
    EXPECT_EQ(a.SynchPoint, b.SynchPoint);
    EXPECT_EQ(a.Collisions, b.Collisions);
    EXPECT_EQ(a.Type, b.Type);
    EXPECT_EQ(a.PlayResX, b.PlayResX);
    EXPECT_EQ(a.PlayResY, b.PlayResY);
    EXPECT_EQ(a.PlayDepth, b.PlayDepth);
    EXPECT_EQ(a.Timer, b.Timer);
    EXPECT_EQ(a.WrapStyle, b.WrapStyle);
    EXPECT_EQ(a.V4Plus, b.V4Plus);
    EXPECT_EQ(a.Unicode, b.Unicode);
    EXPECT_EQ(a.Utf8Mark, b.Utf8Mark);
    EXPECT_EQ(a.CodePage, b.CodePage);
    ASSERT_EQ(a.Styles.Count, b.Styles.Count);
    for (const TStyles *sa = a.Styles.Head, *sb = b.Styles.Head; sa; sa = sa->Next, sb = sb->Next) {
        EXPECT_EQ(std::memcmp(&sa->Record, &sb->Record, sizeof sa->Record), 0)
            << "style " << std::string(sa->Record.name, sa->Record.name + 8).c_str();
    }
    ASSERT_EQ(a.Events.Count, b.Events.Count);
    for (int i = 0; i < a.Events.Count; ++i) {
        const TScriptTextEvent& ea = ScriptEventAt(a, i);
        const TScriptTextEvent& eb = ScriptEventAt(b, i);
        EXPECT_EQ(std::memcmp(ea.GetTextRecord(), eb.GetTextRecord(), sizeof(TTextEventRecord)), 0)
            << "event " << i;
        EXPECT_EQ(ea.GetText(), eb.GetText()) << "event " << i;
        EXPECT_EQ(ea.Actor, eb.Actor) << "event " << i;
        EXPECT_EQ(ea.Effect, eb.Effect) << "event " << i;
    }
}
