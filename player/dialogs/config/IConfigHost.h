#pragma once
// What the settings dialog uses of the player's main window: its folders and command table, the
// keyboard shortcuts it switches off while the dialog takes keys, the skin, translation and file
// associations it applies, and the message that ends each show.
#include <cstdint>
#include <string>
#include <vector>

class QImage;
class QWidget;
class TActionControler;
class TStringCollection;
class IHintSettings;

class IConfigHost {
public:
    virtual ~IConfigHost() = default;

    // Folders ending with "/": the program folder, the settings folder (its "INI/" or the one of
    // "CONFIG:") and the system folder (languages, OSD scripts).
    virtual std::string ProgramFolder() const = 0;
    virtual std::string SettingsFolder() const = 0;
    virtual std::string SystemFolder() const = 0;
    // The optical drives' roots the DVD drive choice offers.
    virtual std::vector<std::string> OpticalDriveRoots() const = 0;
    virtual TActionControler& Commands() = 0;
    virtual IHintSettings& Hints() = 0;

    virtual void DisableShortcuts() = 0;
    virtual void EnableShortcuts() = 0;
    // Loads the skin of that file name in the skins folder and repaints every skinned form.
    virtual void ApplySkin(const std::string& fileName) = 0;
    // The first line of the skin archive's script, and its preview picture when asked for; false when
    // the archive holds no readable script.
    virtual bool ReadSkinFirstLine(const std::string& archivePath, std::string& firstLine,
                                   QImage* preview) = 0;
    // Associates the file types of the settings' table with the player on the desktop; false
    // when the table is empty.
    virtual bool ApplyFileAssociations(bool force) = 0;
    // Loads the language file the settings name and translates every form.
    virtual void ApplyTranslation() = 0;
    // Translates one form and its string collection with the current language.
    virtual void Translate(QWidget& form, TStringCollection& strings) = 0;
    // The dialog closed: saved or cancelled.
    virtual void SettingsClosed(bool saved) = 0;
    // An error for the user.
    virtual void ShowError(const std::u16string& text) = 0;
};
