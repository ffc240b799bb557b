#pragma once
// The main window as the settings dialog's tests see it: folders in a temporary folder of the test's
// own, a small command table, and a count of every call.
#include "player/dialogs/config/IConfigHost.h"
#include "player/model/settings/IHintSettings.h"
#include "player/scripting/actions/TActionControler.h"

#include <QAction>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

class FakeConfigHost : public IConfigHost, public IHintSettings {
public:
    FakeConfigHost();
    ~FakeConfigHost() override;

    std::string ProgramFolder() const override { return program_; }
    std::string SettingsFolder() const override { return settings_; }
    std::string SystemFolder() const override { return program_ + "System/"; }
    std::vector<std::string> OpticalDriveRoots() const override { return drives; }
    TActionControler& Commands() override { return commands; }
    IHintSettings& Hints() override { return *this; }
    void DisableShortcuts() override { shortcutsOn = false; }
    void EnableShortcuts() override { shortcutsOn = true; }
    void ApplySkin(const std::string& fileName) override { loadedSkins.push_back(fileName); }
    bool ReadSkinFirstLine(const std::string& archivePath, std::string& firstLine, QImage* preview) override;
    bool ApplyFileAssociations(bool force) override;
    void ApplyTranslation() override { ++translations; }
    void Translate(QWidget&, TStringCollection&) override { ++formTranslations; }
    void SettingsClosed(bool saved) override { closed.push_back(saved); }
    void ShowError(const std::u16string& text) override { errors.push_back(text); }

    THintValues Hints() const override { return hints; }
    void SetHints(const THintValues& values) override { hints = values; }

    // A settings folder elsewhere (as "CONFIG:" gives one).
    void SetSettingsFolder(const std::string& folder) { settings_ = folder; }
    std::string SettingsFile() const { return settings_ + "Tovrin.ini"; }
    // Writes a file below the program folder, creating its folders.
    void WriteProgramFile(const std::string& relative, const std::string& bytes) const;
    static std::string ReadFile(const std::string& path);

    TActionControler commands;
    std::vector<std::unique_ptr<QAction>> actions;
    std::vector<std::string> drives;
    std::vector<std::string> loadedSkins;
    std::vector<bool> associations; // the force argument of each call
    std::vector<bool> closed;
    std::vector<std::u16string> errors;
    THintValues hints{};
    int translations = 0;
    int formTranslations = 0;
    bool shortcutsOn = true;

private:
    QTemporaryDir folder_;
    std::string program_;
    std::string settings_;
};
