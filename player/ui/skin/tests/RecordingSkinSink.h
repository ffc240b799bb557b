#pragma once
// An action sink that records what the skin asks of the main window, knows a few commands, and can
// hand the form-open and form-swap clicks on to a skin as the main window does.
#include "player/ui/skin/ISkinActionSink.h"

#include <QPoint>
#include <QRect>

#include <map>
#include <string>
#include <vector>

class TSkinScript;

class RecordingSkinSink : public ISkinActionSink {
public:
    static constexpr int kPlay = 1;
    static constexpr int kPause = 2;
    static constexpr int kStop = 3;
    static constexpr int kQuitAction = 4;
    static constexpr int kEnterDvdMode = 10;
    static constexpr int kEnterFileMode = 11;

    int FindActionByCommand(const std::string& command, std::string& argument) override;
    void ExecuteAction(int action) override { executed.push_back(action); }
    int ModeAction(bool dvdMode) override { return dvdMode ? kEnterDvdMode : kEnterFileMode; }
    void Quit() override { ++quits; }
    void SetSeekTarget(int64_t ms) override { seekTargets.push_back(ms); }
    void GoToSeekPos() override { ++seeks; }
    void ShowGoToTime(QPoint topLeft) override { goToTime.push_back(topLeft); }
    bool MouseWheel(bool down, Qt::KeyboardModifiers, QPoint) override;
    void FormToggleClick(QObject* sender) override;
    void FormSwitchClick(QObject* sender) override;
    QMenu* PlayMenu() override { return playMenu; }
    void ReportError(const std::u16string& text) override { errors.push_back(text); }
    void LoadFormPosition(QWidget& form) override;
    void SaveFormPosition(const QWidget& form) override;
    QRect VideoWindowRect() override { return videoRect; }

    TSkinScript* skin = nullptr;
    QMenu* playMenu = nullptr;
    QRect videoRect;
    std::vector<int> executed;
    std::vector<int64_t> seekTargets;
    std::vector<QPoint> goToTime;
    std::vector<bool> wheels;
    std::vector<std::u16string> errors;
    std::vector<std::string> positionLoads;
    std::vector<std::string> positionSaves;
    int quits = 0;
    int seeks = 0;
};
