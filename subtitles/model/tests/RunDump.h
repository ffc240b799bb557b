#pragma once
// A compact text form of an event's run list for table-driven tests:
//   W(text) word, B<n> blanks, H hard blank, n soft break, N hard break, E end,
//   {op op ...} override block: "1" an operand-less opcode, "3:2" a number, "14:0:FF" a colour
//   (index and hexadecimal value), "16:Arial" a face name.
#include "subtitles/model/TTextEvent.h"

#include <string>

inline std::string Narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        out.push_back(c < 128 ? static_cast<char>(c) : '?');
    }
    return out;
}

inline std::string DumpOpcodes(const TTextEvent& event, const TTextRun* run) {
    std::string out = "{";
    TOverrideOpReader reader = event.GetOpcodes(run);
    for (TOverrideOp op; reader.Next(op);) {
        if (out.size() > 1) {
            out += ' ';
        }
        out += std::to_string(op.opcode);
        switch (op.opcode) {
        case kOpColour:
        case kOpAlpha: {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%X", op.colour);
            out += ':' + std::to_string(op.colourIndex) + ':' + hex;
            break;
        }
        case kOpFontName:
            out += ':' + Narrow(op.fontName);
            break;
        case kOpOutline:
        case kOpShadow:
        case kOpScaleX:
        case kOpScaleY:
        case kOpSpacing:
        case kOpFontSize:
        case kOpCharset:
            out += ':' + std::to_string(op.number);
            break;
        default:
            break;
        }
    }
    return out + "}";
}

inline std::string DumpRuns(const TTextEvent& event) {
    std::string out;
    for (const TTextRun* run = event.GetRun(kFirstRun); run; run = event.NextRun(run)) {
        if (!out.empty()) {
            out += ' ';
        }
        switch (run->Kind()) {
        case kRunWord:
            out += "W(" + Narrow(event.GetRunText(run)) + ")";
            break;
        case kRunBlanks:
            out += "B" + std::to_string(run->count);
            break;
        case kRunHardBlank:
            out += "H";
            break;
        case kRunSoftBreak:
            out += "n";
            break;
        case kRunHardBreak:
            out += "N";
            break;
        case kRunEnd:
            out += "E";
            break;
        case kRunOverrideBlock:
            out += DumpOpcodes(event, run);
            break;
        default:
            out += "?";
        }
    }
    return out;
}

// An event with an owned record and the text, parsed.
inline void Parse(TTextEvent& event, std::u16string_view text) {
    if (!event.GetTextRecord()) {
        event.AttachRecord(nullptr);
    }
    event.SetText(text, false);
    event.BuildRuns();
}
