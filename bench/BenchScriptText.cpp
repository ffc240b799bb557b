#include "BenchScriptText.h"

#include "subtitles/scripts/TScriptControl.h"

namespace {

std::string Time(int ms) {
    std::string text;
    TScriptControl::FormatTime(ms, text);
    return text;
}

} // namespace

std::string BenchScriptText(const std::string& title, int events) {
    std::string script =
        "[Script Info]\r\nTitle: " + title +
        "\r\nScriptType: v4.00+\r\nPlayResX: 1920\r\nPlayResY: 1080\r\n"
        "WrapStyle: 0\r\nTimer: 100.0000\r\n\r\n[V4+ Styles]\r\n"
        "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, "
        "Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, "
        "Alignment, MarginL, MarginR, MarginV, Encoding\r\n";
    const char* styles[] = {"Default", "Top", "Sign", "Karaoke"};
    for (const char* style : styles) {
        script += std::string("Style: ") + style +
                  ",DejaVu Sans,48,&H00FFFFFF,&H000000FF,&H00000000,&H80000000,0,0,0,0,100,100,0,0,1,2,2,2,"
                  "20,20,30,1\r\n";
    }
    script +=
        "\r\n[Events]\r\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
    for (int i = 0; i < events; ++i) {
        const int start = i * 1500;
        script += "Dialogue: " + std::to_string(i % 3) + "," + Time(start) + "," + Time(start + 1400) + "," +
                  styles[i % 4] + "," + (i % 5 == 0 ? "Narrator" : "") + ",0,0," + (i % 7 == 0 ? "40" : "0") +
                  ",,{\\i1}Line " + std::to_string(i) + "{\\i0} of " + title +
                  ",\\Nwith a second line and {\\c&H00FFFF&}some colour\r\n";
    }
    return script;
}
