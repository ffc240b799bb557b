#pragma once
// The wave display's open dialog: filter "Wave files|*.wav", default extension "wav".
#include "editor/ui/wave/IWaveFileChooser.h"

class TWaveFileDialog : public IWaveFileChooser {
public:
    bool ChooseWaveFile(QWidget* parent, std::u16string& path) override;
};
