#pragma once
// A decoder plug-in's advanced-settings dialog: a label, one edit field, OK and Cancel. OK checks a
// numeric value against the prompt's range and refuses one outside it with a message box, keeping the
// dialog open; a free-text prompt takes the text as typed. The controls' object names are the
// dialog resource's: "101" (the dialog), "1002" (the field), "OK" and "Cancel".
#include "plugins/decoders/support/AdvancedSetting.h"

#include <QDialog>

#include <string>

class QLineEdit;

namespace scr {

class TAdvancedDialog : public QDialog {
public:
    // `shown` is the text the field starts with.
    TAdvancedDialog(const TAdvancedPrompt& prompt, const std::string& shown, QWidget* parent = nullptr);

    // The new setting once the dialog was confirmed.
    const std::string& Setting() const { return FSetting; }

private:
    // OK: the field's text (at most kMaxDialogText characters) becomes the setting, or is refused.
    void Confirm();
    void ShowRefusal();

    const TAdvancedPrompt FPrompt;
    QLineEdit* FField;
    std::string FSetting;
};

} // namespace scr
