#pragma once
// A skin display: a text label (time, title, chapter, profile name, volume, file name or plain text)
// or an empty picture box. A time display shows elapsed time, or remaining time after a click.
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class QLabel;
class QWidget;

class TSkinLabel : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kMaxKindName = 49;

    TSkinLabel(QWidget& form, const std::string& kindName, bool isText);
    ~TSkinLabel() override;

    const std::string& KindName() const { return kindName_; }
    QWidget& Control() { return *control_; }
    // Null for a picture box.
    QLabel* TextLabel() const { return textLabel_; }
    bool IsTimeDisplay() const { return timeDisplay_; }
    bool Remaining() const { return remaining_; }

    void SetText(const QString& text);
    void ShowTime(int64_t ms);
    void SetDuration(int64_t ms);
    void ToggleRemaining();
    // "%c%2d:%02d:%02d": a minus for remaining time, else a blank, then h:mm:ss.
    static QString FormatTime(int64_t ms, bool remaining);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string kindName_;
    std::unique_ptr<QWidget> control_;
    QLabel* textLabel_ = nullptr;
    bool timeDisplay_ = false;
    bool remaining_ = false;
    int64_t time_ = 0;
    int64_t duration_ = 0;
};
