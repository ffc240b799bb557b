#pragma once
// What the command scripts rely on of the settings dialog: remote-control codes arriving while it is
// open are shown and, when the dialog waits for one, learnt.
#include <string>

class IScriptSettingsDialog {
public:
    virtual ~IScriptSettingsDialog() = default;
    virtual bool IsVisible() const = 0;
    // Shows the code in the remote-code label and switches the remote-code timer on.
    virtual void ShowRemoteCode(const std::string& code) = 0;
    virtual bool IsWaitingForRemoteCode() const = 0;
    // Makes the code the remote code of the command selected in the dialog.
    virtual void AssignRemoteCode(const std::string& code) = 0;
};
