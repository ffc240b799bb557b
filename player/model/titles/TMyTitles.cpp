#include "player/model/titles/TMyTitles.h"

#include "foundation/TXml.h"
#include "foundation/XmlText.h"
#include "platform/storage/CompoundFile.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Format.h"
#include "player/model/events/PlayerEvents.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kFlagLength = 2;
constexpr std::size_t kNumberLength = 5;
constexpr std::size_t kTimeLength = 10;

// The attribute's value, or nullptr when the element has none of that name.
const char16_t* Attribute(TXmlNode* element, const char16_t* name) {
    if (element->GetAttribute(name, nullptr, 0) < 0) {
        return nullptr;
    }
    const char16_t* value = element->Attributes.Current->Value.get(); // the lookup leaves it there
    return value != nullptr ? value : u"";
}

std::u16string Head(const char16_t* value, std::size_t length) {
    return std::u16string(std::u16string_view(value).substr(0, length));
}

std::u16string Name(TXmlNode* element, std::size_t length) {
    const char16_t* value = Attribute(element, u"Name");
    return value != nullptr ? Head(value, length) : std::u16string();
}

bool Flag(TXmlNode* element, const char16_t* name) {
    const char16_t* value = Attribute(element, name);
    return value != nullptr && Head(value, kFlagLength).starts_with(u'1');
}

int32_t Number(TXmlNode* element, const char16_t* name, std::size_t length, int32_t fallback) {
    const char16_t* value = Attribute(element, name);
    return value != nullptr ? XmlNumber(Head(value, length).c_str()) : fallback;
}

bool Named(const TXmlNode* element, const char16_t* name) {
    return element->Name && plat::text::EqualsNoCase(element->Name.get(), name);
}

void ReadChapters(TXmlNode* titleElement, TMyChapters& chapters) {
    for (TXmlNode* element = titleElement->Children.Head; element != nullptr; element = element->Next) {
        if (!Named(element, u"CHAPTER")) {
            continue;
        }
        TChaptersEntry& chapter = chapters.AddChapter();
        chapter.Name = Name(element, TChaptersEntry::kNameLength);
        chapter.Visible = Flag(element, u"Visible");
        chapter.IsRealChapter = Flag(element, u"IsRealChapter");
        chapter.TitleNo = Number(element, u"Title", kNumberLength, -1);
        chapter.ChapterNo = Number(element, u"Chapter", kNumberLength, -1);
        chapter.Time = Number(element, u"Time", kTimeLength, 1);
    }
}

// The stream's UTF-16LE text (a last odd byte is not a character); nothing when the file or the
// stream cannot be read.
std::optional<std::u16string> ReadStream(const std::u16string& storageFile) {
    plat::storage::CompoundFile file;
    if (!file.Open(plat::text::WideToAnsi(storageFile), plat::storage::CompoundFile::Access::Read, false)) {
        return std::nullopt;
    }
    const std::string* bytes = file.Stream(TMyTitles::kStreamName);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    std::u16string text(bytes->size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>((*bytes)[2 * i]) |
                                        static_cast<unsigned char>((*bytes)[2 * i + 1]) << 8);
    }
    return text;
}

} // namespace

int32_t TMyTitles::Load(const char16_t* storageFile) {
    if (storageFile == nullptr) {
        return -1;
    }
    storageFile_ = storageFile;
    realTitleCount_ = 0;
    Empty();
    const std::optional<std::u16string> text = ReadStream(*storageFile_);
    if (text) {
        ParseXml(*text);
    }
    NotifyChanged();
    return text ? 0 : -1;
}

TTitlesEntry* TMyTitles::At(int32_t index) const {
    int32_t at = 0;
    for (TTitlesEntry* entry = titles_.Head; entry != nullptr; entry = entry->Next, ++at) {
        if (at == index) {
            return entry;
        }
    }
    return nullptr;
}

int32_t TMyTitles::FirstReal(int32_t titleNo) const {
    int32_t at = 0;
    for (const TTitlesEntry* entry = titles_.Head; entry != nullptr; entry = entry->Next, ++at) {
        if (entry->IsRealTitle && entry->TitleNo == titleNo) {
            return at;
        }
    }
    return kNone;
}

void TMyTitles::Empty() {
    titles_.Clear();
    current_ = kNone;
}

int32_t TMyTitles::ParseXml(const std::u16string& text) {
    Empty();
    TXml document;
    if (!document.Parse(text) || !document.First() || !Named(document.Current, u"TITLESLIST")) {
        return 0;
    }
    for (TXmlNode* element = document.Current->Children.Head; element != nullptr; element = element->Next) {
        if (!Named(element, u"TITLE")) {
            continue;
        }
        AddTitle(Name(element, TTitlesEntry::kNameLength), Flag(element, u"IsRealTitle"),
                 Number(element, u"No", kNumberLength, 0), Flag(element, u"Visible"));
        ReadChapters(element, titles_.Tail->Chapters);
    }
    return 0;
}

TTitlesEntry& TMyTitles::GetTitle(int32_t index) {
    TTitlesEntry* entry = At(index);
    return entry != nullptr ? *entry : empty_;
}

int32_t TMyTitles::AddTitle(const std::u16string& name, bool isReal, int32_t titleNo, bool visible) {
    TTitlesEntry* entry = titles_.Insert(nullptr, std::make_unique<TTitlesEntry>(this));
    entry->Name = name.substr(0, TTitlesEntry::kNameLength);
    entry->IsRealTitle = isReal;
    entry->TitleNo = titleNo;
    entry->Visible = visible;
    titles_.Renumber();
    return titles_.Count;
}

int32_t TMyTitles::SetTitleCount(int32_t count) {
    count = std::clamp(count, 0, kMaxTitles);
    std::vector<bool> present(static_cast<std::size_t>(count) + 1, false);
    for (const TTitlesEntry* entry = titles_.Head; entry != nullptr; entry = entry->Next) {
        if (entry->IsRealTitle && entry->TitleNo >= 1 && entry->TitleNo <= count) {
            present[static_cast<std::size_t>(entry->TitleNo)] = true;
        }
    }
    for (int32_t titleNo = 1; titleNo <= count; ++titleNo) {
        if (!present[static_cast<std::size_t>(titleNo)]) {
            AddTitle(plat::text::Format(u"Title %d", titleNo), true, titleNo, true);
        }
    }
    realTitleCount_ = count;
    return count;
}

int32_t TMyTitles::SetChapterCount(int32_t titleNo, int32_t count) {
    TTitlesEntry* title = At(FirstReal(titleNo));
    return title != nullptr ? title->Chapters.SetChapterCount(titleNo, count) : -1;
}

void TMyTitles::Clear() {
    storageFile_.reset();
    realTitleCount_ = 0;
    Empty();
    NotifyChanged();
}

void TMyTitles::SetCurrent(int32_t title, int32_t chapter) {
    const TTitlesEntry* current = At(current_);
    if (current == nullptr || current->TitleNo != title || !current->IsRealTitle) {
        current_ = FirstReal(title);
    }
    if (TTitlesEntry* entry = At(current_)) {
        entry->Chapters.Follow(chapter);
    }
}

int32_t TMyTitles::NextChapter() {
    TTitlesEntry* title = At(current_);
    return title != nullptr ? title->Chapters.PlayNext() : -1;
}

int32_t TMyTitles::PrevChapter() {
    TTitlesEntry* title = At(current_);
    return title != nullptr ? title->Chapters.PlayPrev() : -1;
}

int32_t TMyTitles::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

void TMyTitles::NotifyChanged() {
    TCallbackFunction::Broadcast(&listeners_, kEventTitles, 0, 0, 0);
}
