#pragma once
// What the skin's windows ask of the player: their buttons run the main form's actions (a command
// name "Play" runs "Ac_Play"), the seek bar seeks the player, closing a skin window quits, the wheel
// runs the main form's wheel functions, the main skin form sits below the video window, and load errors are
// shown as the player's error texts.
#include "player/ui/ISkinActionHost.h"
#include "player/ui/skin/ISkinActionSink.h"

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <optional>
#include <string>

class TSkinScript;

class TSkinActionSink : public ISkinActionSink {
public:
    // The host and the skin must outlive the sink.
    TSkinActionSink(ISkinActionHost& host, TSkinScript& skin);

    int FindActionByCommand(const std::string& command, std::string& argument) override;
    void ExecuteAction(int action) override;
    QAction* ActionAt(int action) override;
    int ModeAction(bool dvdMode) override;
    void Quit() override;
    void SetSeekTarget(int64_t ms) override;
    void GoToSeekPos() override;
    void ShowGoToTime(QPoint topLeft) override;
    bool MouseWheel(bool down, Qt::KeyboardModifiers modifiers, QPoint globalPosition) override;
    void FormToggleClick(QObject* sender) override;
    void FormSwitchClick(QObject* sender) override;
    QMenu* PlayMenu() override;
    void ReportError(const std::u16string& text) override;
    void LoadFormPosition(QWidget& form) override;
    void SaveFormPosition(const QWidget& form) override;
    QRect VideoWindowRect() override;

    int64_t SeekTarget() const;

private:
    // The index in the main form's action list of the action named "Ac_" + name (any case).
    int IndexOfAction(const std::string& name) const;

    ISkinActionHost& host_;
    TSkinScript& skin_;
    // Where the main skin form stood when it last went, kept for the next skin of this run.
    std::optional<QPoint> mainFormPlace_;
};
