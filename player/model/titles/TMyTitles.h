#pragma once
// The titles and chapters of the current disc or file: the user's list from the per-disc storage
// file's stream "TitlesChaptersInfo" (UTF-16LE XML, no byte-order mark), completed with the real
// titles and chapters the core reports, the current title and chapter as the core reports them, and
// playing a chapter, the next or the previous one. Listeners get event 24 when the list changes.
//
//   <TITLESLIST>
//       <TITLE Name="..." Visible="1" IsRealTitle="1" No="2" >
//           <CHAPTER Name="..." Visible="1" IsRealChapter="0" Title="2" Chapter="3" Time="90000"/>
//       </TITLE>
//   </TITLESLIST>
#include "foundation/TPointer.h"
#include "player/model/controllers/IMyTitles.h"
#include "player/model/events/TCallbackFunction.h"
#include "player/model/hub/TPlayerObjects.h"
#include "player/model/titles/TTitlesEntry.h"

#include <cstdint>
#include <optional>
#include <string>

class TMyTitles : public TPlayerObjects, public IMyTitles {
public:
    static constexpr const char16_t* kStreamName = u"TitlesChaptersInfo";
    static constexpr int32_t kNone = -1;
    // A disc has at most 99 titles; a larger count is taken as that.
    static constexpr int32_t kMaxTitles = 99;

    explicit TMyTitles(TPlayerObjects& hub) : TPlayerObjects(&hub), empty_(this) {}

    // Empties the list, keeps the name and reads the stream of that storage file: 0 when it was read
    // and parsed; -1 when it could not be read (the list stays empty) and for nullptr. Event 24 in
    // every case but nullptr.
    int32_t Load(const char16_t* storageFile) override;
    // Replaces the list by the document's titles and chapters; a document whose root is not
    // TITLESLIST gives an empty list. Answers 0.
    int32_t ParseXml(const std::u16string& text);

    // The entry at the 0-based index, or the empty title.
    virtual TTitlesEntry& GetTitle(int32_t index);
    // Appends a title and answers the new count.
    int32_t AddTitle(const std::u16string& name, bool isReal, int32_t titleNo, bool visible);
    // Appends a real, visible "Title %d" for each number of 1..count that no real title has; answers
    // the count kept.
    int32_t SetTitleCount(int32_t count) override;
    // The real chapters 1..count of the real title numbered titleNo.
    int32_t SetChapterCount(int32_t titleNo, int32_t count) override;
    // Frees the name, forgets the counts and the current title, deletes every title; event 24.
    void Clear() override;
    // Follows the title and chapter numbers the core reports.
    void SetCurrent(int32_t title, int32_t chapter) override;
    int32_t NextChapter() override;
    int32_t PrevChapter() override;

    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback);
    void NotifyChanged() override;

    int32_t Count() const { return titles_.Count; }
    int32_t RealTitleCount() const { return realTitleCount_; }
    int32_t Current() const { return current_; }
    const std::optional<std::u16string>& StorageFile() const { return storageFile_; }

private:
    TTitlesEntry* At(int32_t index) const;
    int32_t FirstReal(int32_t titleNo) const;
    void Empty();

    std::optional<std::u16string> storageFile_;
    TTitlesEntry empty_;
    TPointer<TTitlesEntry> titles_;
    TPointer<TCallbackFunction> listeners_;
    int32_t realTitleCount_ = 0;
    int32_t current_ = kNone;
};
