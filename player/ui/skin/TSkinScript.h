#pragma once
// The player's skin: loads a skin script with its bitmaps, builds and owns the skin windows and their
// widgets, keeps the three bitmaps other windows borrow, and offers what the main window and the
// command interpreter drive the skin with: showing, hiding and swapping skin windows, keeping windows
// in the corners of the video window, feeding the displays and pressing the mode buttons.
#include "player/ui/skin/TSkinButton.h"
#include "player/ui/skin/TSkinForm.h"
#include "player/ui/skin/TSkinLabel.h"
#include "player/ui/skin/TSkinSeekBar.h"
#include "player/ui/skin/TSkinSpeedButton.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ISkinActionSink;
class TSkinPackage;

class TSkinScript {
public:
    // The label kinds, in the order of their lists.
    static constexpr std::array<const char*, 7> kLabelKinds = {
        "SkinLabel",     "TimeDisplay",        "TitleDisplay",   "ChapterDisplay",
        "VolumeDisplay", "ProfileNameDisplay", "FileNameDisplay"};
    static constexpr std::size_t kTimeDisplayList = 1;
    static constexpr std::size_t kMaxTitle = 5;
    static constexpr std::size_t kMaxChapter = 5;
    static constexpr std::size_t kMaxProfileName = 255;
    static constexpr std::size_t kMaxVolume = 8;

    explicit TSkinScript(ISkinActionSink& sink);
    ~TSkinScript();
    TSkinScript(const TSkinScript&) = delete;
    TSkinScript& operator=(const TSkinScript&) = delete;

    // Loads the script (normally "skin.txt") from the archive, or the plain script file when the
    // archive path is empty. A skin that cannot be read or fails its checks is reported and leaves
    // the running skin whole; false then.
    bool Load(const std::string& scriptName, const std::string& archivePath);
    const std::string& ArchivePath() const { return archivePath_; }

    void UpdateForms();
    void HideInterface();
    void ShowInterface();
    bool InterfaceHidden() const { return interfaceHidden_; }
    void ShowForm(const QString& name);
    void HideForm(const QString& name);
    void SwitchScreenMode(bool fullScreen);
    enum class Arrange { Hide = 0, Show = 1, Move = 2 };
    bool ArrangeForms(Arrange kind);
    void RestoreForms();

    // The form-open and form-swap clicks of the main window: the sender must be a hover button; its
    // argument names the form to show ("-" hides the button's own window).
    void RunFormToggle(QObject* sender);
    void RunFormSwitch(QObject* sender);

    void SetTime(int64_t ms);
    void SetTitle(const QString& text);
    void SetChapter(const QString& text);
    void SetProfileName(const QString& text);
    void SetVolume(const QString& text);
    void SetDuration(int64_t ms);
    void SetPosition(int64_t ms);
    void RefreshDisplays();
    void SetModeButtons(bool dvdMode, bool down);

    const QImage& MessagesBitmap() const { return messages_; }
    const QImage& MenuLeftBitmap() const { return menuLeft_; }
    const QImage& VideoBackground() const { return videoBackground_; }
    TSkinForm* MainForm() const { return mainForm_; }
    const QString& WindowFormName() const { return windowForm_; }
    const QString& FullScreenFormName() const { return fullScreenForm_; }

    // Walks the skin windows; null at the end.
    TSkinForm* FirstForm();
    TSkinForm* NextForm();
    const std::vector<std::unique_ptr<TSkinForm>>& Forms() const { return forms_; }
    const std::vector<std::unique_ptr<TSkinButton>>& Buttons() const { return buttons_; }
    const std::vector<std::unique_ptr<TSkinSpeedButton>>& SpeedButtons() const { return speedButtons_; }
    const std::vector<std::unique_ptr<TSkinSeekBar>>& SeekBars() const { return seekBars_; }
    // The labels of one kind (an index of kLabelKinds).
    const std::vector<std::unique_ptr<TSkinLabel>>& Labels(std::size_t kind) const { return labels_[kind]; }

private:
    friend class TSkinBuilder;

    void Clear();
    void Adopt(TSkinPackage& package, const std::string& archivePath);
    void PassLabels(const char* kind, const QString& text);
    TSkinForm* FormOfButton(QObject* sender) const;
    static QString Cut(const QString& text, std::size_t length);

    ISkinActionSink& sink_;
    std::string archivePath_;
    std::vector<std::unique_ptr<TSkinForm>> forms_;
    std::vector<std::unique_ptr<TSkinButton>> buttons_;
    std::vector<std::unique_ptr<TSkinSpeedButton>> speedButtons_;
    std::vector<std::unique_ptr<TSkinSeekBar>> seekBars_;
    std::array<std::vector<std::unique_ptr<TSkinLabel>>, kLabelKinds.size()> labels_;
    TSkinForm* mainForm_ = nullptr;
    QString windowForm_;
    QString fullScreenForm_;
    QPoint lastHidden_;
    bool interfaceHidden_ = false;
    bool arranging_ = false;
    std::size_t walk_ = 0;
    QImage messages_;
    QImage menuLeft_;
    QImage videoBackground_;
    int64_t time_ = 0;
    QString title_ = QStringLiteral("0");
    QString chapter_ = QStringLiteral("0");
    QString profileName_;
    QString volume_ = QStringLiteral("0");
    int64_t duration_ = 0;
    int64_t position_ = 0;
};
