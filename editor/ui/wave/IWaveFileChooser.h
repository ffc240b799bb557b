#pragma once
// Asks the user for a WAVE file to open; tests answer without a dialog.
#include <string>

class QWidget;

class IWaveFileChooser {
public:
    virtual ~IWaveFileChooser() = default;
    // True with the chosen path when the user confirms.
    virtual bool ChooseWaveFile(QWidget* parent, std::u16string& path) = 0;
};
