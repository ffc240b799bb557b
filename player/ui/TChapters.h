#pragma once
// The floating chapters window: a tree of the current disc's titles with their chapters, from the
// play control's title list and refilled whenever that list changes (event 24). The chapter playing
// is the tree's current item; double-clicking a chapter, or Enter on it, plays it. A tool window without a
// system caption, moved by its caption panel, closed by its " x " label.
#include <QTreeWidget>
#include <QWidget>

#include <cstdint>

class QLabel;
class TMyTitles;
class TVideoCaption;

class TChapters : public QWidget {
public:
    static constexpr uint32_t kListenerTag = 1;
    static constexpr uint32_t kEventTitlesChanged = 24;
    // Tree items keep the title's or the chapter's index in the list.
    static constexpr int kIndexRole = Qt::UserRole;

    explicit TChapters(QWidget* parent = nullptr);
    ~TChapters() override;

    // Binds the window to a title list (none unbinds) and fills the tree. The list must outlive the
    // binding: unbind before it goes.
    void SetTitles(TMyTitles* titles);
    void FillTree();
    // The player's title (kind 1) or chapter (kind 2) changed: that chapter becomes the current item.
    void OnTitleChapterChanged(intptr_t kind, intptr_t number);

    QTreeWidget* Tree() const { return tree_; }
    QLabel* CloseLabel() const { return close_; }
    QLabel* AddBookmarkLabel() const { return addBookmark_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static uint8_t OnTitlesEvent(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                 intptr_t c);
    void PlayChapterOf(QTreeWidgetItem* item);
    // Makes the item of the playing title's chapter current, without playing it.
    void SelectPlaying();
    // A link label: blue, green and underlined while the pointer is over it.
    QLabel* MakeLinkLabel(const QString& text, const char* name);
    static void SetLinkLook(QLabel* label, bool hovered);

    TMyTitles* titles_ = nullptr;
    int32_t playingTitle_ = -1;
    int32_t playingChapter_ = -1;
    TVideoCaption* caption_;
    QLabel* addBookmark_;
    QLabel* close_;
    QTreeWidget* tree_;
};
