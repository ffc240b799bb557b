#pragma once
// The font every drawing test uses: DejaVu Sans from the fonts-dejavu-core package, added to the
// application's fonts under its family name.
#include <string>

inline constexpr char16_t kTestFontFamily[] = u"DejaVu Sans";

// Loads the font file once; false when it is missing (tests that need it then skip with the reason).
bool LoadTestFont();
// The path it is read from.
std::string TestFontPath();
