#pragma once
// The Interface page of the settings dialog ("Pg_General"): colour key, DVD drive, language, mouse
// cursor, scan speeds, disc-image tool, screen capture, wheel and double-click functions, update check.
// The scan speeds form a chain (a speed of 0 ends the list, so the next one is off) and the capture
// size and quality are on only with their boxes.
#include <QWidget>

#include <string>
#include <vector>

class IConfigChoosers;
class QCheckBox;
class QComboBox;
class QSpinBox;
class TColorSwatch;
class TFolderEdit;

class TConfigInterfacePage : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kAuto = "Auto";

    TConfigInterfacePage(IConfigChoosers& choosers, QWidget* parent = nullptr);

    // The drive choice: "Auto" and the optical drives' roots.
    void SetDrives(const std::vector<std::string>& roots);
    // Selects the stored drive: "Auto" for an empty text; a drive not present now is listed as such and
    // selected, so that saving keeps it.
    void ShowDrive(const std::string& stored);
    std::string ChosenDrive() const;
    // Applies the enabling rules to the current values.
    void ApplyRules();

    QComboBox* Language() const { return language_; }

signals:
    // The language, image-mount tool, wheel or double-click function changed.
    void languageFlagChanged();

private:
    void BuildColourAndDrive();
    void BuildSpeeds();
    void BuildCapture();
    void BuildChoices();
    void SeekSpeedChanged(int index);
    void CaptureRules();

    IConfigChoosers& choosers_;
    TColorSwatch* colourKey_;
    QComboBox* drive_;
    QComboBox* language_;
    std::vector<QSpinBox*> speeds_;
    QCheckBox* resize_;
    QCheckBox* saveJpg_;
};
