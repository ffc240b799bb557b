#include "subtitles/profiles/tests/LanguageFixture.h"
#include "platform/text/CodePage.h"

#include <filesystem>

std::vector<std::string> LanguageTest::Reported(bool traces) const {
    std::vector<std::string> texts;
    for (const TErrorSinkRecorder::TReport& report : Sink.reports) {
        if ((report.level == IErrorSink::kListenerOnlyLevel) == traces) {
            texts.push_back(plat::text::WideToAnsi(report.text));
        }
    }
    return texts;
}

std::string LanguageTest::WriteScript(const std::string& name, const std::vector<int32_t>& starts,
                                      const std::string& style) {
    std::string text =
        "[Script Info]\r\nTitle: " + name +
        "\r\nPlayResX: 640\r\nPlayResY: 480\r\n\r\n[V4 Styles]\r\n"
        "Format: Name, Fontname, Fontsize, PrimaryColour\r\nStyle: " +
        style +
        ", Arial, 40, 255\r\n\r\n"
        "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
    for (const int32_t start : starts) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "Dialogue: Marked=0,0:%02d:%02d.%02d,0:%02d:%02d.%02d,%s,,0,0,0,,at %d\r\n",
                      start / 60000, start / 1000 % 60, start / 10 % 100, (start + 2000) / 60000,
                      (start + 2000) / 1000 % 60, (start + 2000) / 10 % 100, style.c_str(), start);
        text += line;
    }
    std::filesystem::create_directories(std::filesystem::path(Dir.Path(name)).parent_path());
    return Dir.Write(name, text);
}

std::unique_ptr<TLanguage> LanguageTest::PlainLanguage(const std::string& name) {
    auto language = std::make_unique<TLanguage>(&Pool);
    language->SetFile(u"English", Dir.WPath(name), u"");
    return language;
}

std::unique_ptr<TLanguage> LanguageTest::LoadText(std::string_view text, const std::string& name) {
    Dir.Write(name, text);
    auto language = PlainLanguage(name);
    EXPECT_TRUE(language->Load(nullptr, false));
    return language;
}

std::string LanguageTest::Written(TLanguage& language, bool fileNamesOnly) {
    TMemoryObject out(1024);
    language.Write(out, fileNamesOnly, u"");
    return std::string(out.Data, static_cast<std::size_t>(out.Used));
}

std::string LanguageTest::GoldenPath(const std::string& name) {
    return std::string(PROFILES_TEST_DATA_DIR) + "/" + name;
}

int32_t LanguageTest::ErrorsWith(std::string_view part) const {
    int32_t count = 0;
    for (const std::string& error : Errors()) {
        count += error.find(part) != std::string::npos ? 1 : 0;
    }
    return count;
}

std::vector<std::string> SelectionsOf(const TTitle& title) {
    std::vector<std::string> out;
    for (const TSelect* select = title.Selects.Head; select; select = select->Next) {
        out.push_back(std::string(select->Enabled ? "" : "-") + select->Name + "@" +
                      std::to_string(select->FirstSub) + "-" + std::to_string(select->LastSub) + ">" +
                      std::to_string(select->DVDStart) + "~" + std::to_string(select->TimeRamp));
    }
    return out;
}
