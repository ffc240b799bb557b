#include "player/ui/TChapters.h"

#include "player/model/titles/TMyTitles.h"
#include "player/ui/TVideoCaption.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 235;
constexpr int kHeight = 442;
constexpr int kMinimumWidth = 150; // plus the frame, which this window has none of
constexpr int kMinimumHeight = 60;

} // namespace

TChapters::TChapters(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), caption_(new TVideoCaption(this)),
      addBookmark_(MakeLinkLabel("Add Bookmark", "Lb_AddBookMark")), close_(MakeLinkLabel(" x ", "Lb_Close")),
      tree_(new QTreeWidget(this)) {
    setObjectName("Chapters");
    setFont(QFont("Verdana"));
    resize(kWidth, kHeight);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    caption_->Label()->setText("Chapters");
    addBookmark_->hide();
    auto* captionLayout = static_cast<QHBoxLayout*>(caption_->layout());
    captionLayout->addStretch();
    captionLayout->addWidget(addBookmark_);
    captionLayout->addWidget(close_);
    tree_->setObjectName("Tr_ChaptersView");
    tree_->setHeaderHidden(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(caption_);
    layout->addWidget(tree_);
    // Activation is the double click and Enter on the item.
    connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { PlayChapterOf(item); });
}

TChapters::~TChapters() {
    SetTitles(nullptr);
}

QLabel* TChapters::MakeLinkLabel(const QString& text, const char* name) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    SetLinkLook(label, false);
    return label;
}

void TChapters::SetLinkLook(QLabel* label, bool hovered) {
    QFont font = label->font();
    font.setUnderline(hovered);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, hovered ? QColor(0, 128, 0) : QColor(0, 0, 255));
    label->setPalette(palette);
}

bool TChapters::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label == close_ || label == addBookmark_) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            SetLinkLook(label, event->type() == QEvent::Enter);
        } else if (label == close_ && (event->type() == QEvent::MouseButtonPress ||
                                       event->type() == QEvent::MouseButtonRelease)) {
            // Taken here, so that the caption panel does not start a drag under the label.
            if (event->type() == QEvent::MouseButtonRelease &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                close();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TChapters::SetTitles(TMyTitles* titles) {
    if (titles_ != nullptr) {
        titles_->AddListener(this, kListenerTag, nullptr);
    }
    titles_ = titles;
    if (titles_ != nullptr) {
        titles_->AddListener(this, kListenerTag, &TChapters::OnTitlesEvent);
    }
    FillTree();
}

uint8_t TChapters::OnTitlesEvent(void* userData, uint32_t tag, uint32_t event, intptr_t, intptr_t, intptr_t) {
    if (tag == kListenerTag && event == kEventTitlesChanged) {
        static_cast<TChapters*>(userData)->FillTree();
    }
    return 1;
}

void TChapters::FillTree() {
    tree_->clear();
    if (titles_ == nullptr) {
        return;
    }
    for (int32_t t = 0; t < titles_->Count(); ++t) {
        TTitlesEntry& title = titles_->GetTitle(t);
        auto* titleItem = new QTreeWidgetItem(tree_, {QString::fromStdU16String(title.Name)});
        titleItem->setData(0, kIndexRole, t);
        for (int32_t c = 0; c < title.Chapters.Count(); ++c) {
            auto* chapterItem = new QTreeWidgetItem(
                titleItem, {QString::fromStdU16String(title.Chapters.GetChapter(c).Name)});
            chapterItem->setData(0, kIndexRole, c);
        }
    }
    tree_->expandAll();
    SelectPlaying();
}

void TChapters::OnTitleChapterChanged(intptr_t kind, intptr_t number) {
    constexpr intptr_t kTitle = 1;
    constexpr intptr_t kChapter = 2;
    if (kind == kTitle) {
        playingTitle_ = static_cast<int32_t>(number);
    } else if (kind == kChapter) {
        playingChapter_ = static_cast<int32_t>(number);
    } else {
        return;
    }
    SelectPlaying();
}

void TChapters::SelectPlaying() {
    if (titles_ == nullptr) {
        return;
    }
    for (int t = 0; t < tree_->topLevelItemCount(); ++t) {
        QTreeWidgetItem* titleItem = tree_->topLevelItem(t);
        TTitlesEntry& title = titles_->GetTitle(titleItem->data(0, kIndexRole).toInt());
        if (title.TitleNo != playingTitle_) {
            continue;
        }
        for (int c = 0; c < titleItem->childCount(); ++c) {
            QTreeWidgetItem* chapterItem = titleItem->child(c);
            const TChaptersEntry& chapter =
                title.Chapters.GetChapter(chapterItem->data(0, kIndexRole).toInt());
            if (chapter.IsRealChapter && chapter.ChapterNo == playingChapter_) {
                const QSignalBlocker quiet(tree_);
                tree_->setCurrentItem(chapterItem);
                tree_->scrollToItem(chapterItem);
                return;
            }
        }
    }
}

void TChapters::PlayChapterOf(QTreeWidgetItem* item) {
    QTreeWidgetItem* titleItem = item != nullptr ? item->parent() : nullptr;
    if (titles_ == nullptr || titleItem == nullptr) {
        return;
    }
    titles_->GetTitle(titleItem->data(0, kIndexRole).toInt())
        .Chapters.PlayChapter(item->data(0, kIndexRole).toInt());
}
