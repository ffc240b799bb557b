#include "player/model/playlist/TPlayList.h"

#include "foundation/FileIo.h"
#include "foundation/TMemoryObject.h"
#include "foundation/TXml.h"
#include "foundation/XmlText.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/model/playlist/PlaylistDuration.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>

namespace {

constexpr std::u16string_view kPlaylistExtensions[] = {u".WSX", u".TOVWSX"};

bool IsPlaylistFile(std::u16string_view path) {
    const auto dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos) {
        return false;
    }
    const std::u16string_view extension = path.substr(dot);
    return std::any_of(std::begin(kPlaylistExtensions), std::end(kPlaylistExtensions),
                       [&](std::u16string_view known) { return plat::text::EqualsNoCase(extension, known); });
}

// The file-name part: after the last separator of either kind.
std::u16string_view FilePart(std::u16string_view path) {
    const auto separator = path.find_last_of(u"/\\");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

// The attribute's value when present and not longer than the playlist keeps.
std::optional<std::u16string> Attribute(TXmlNode* node, const char16_t* name) {
    const int length = node->GetAttribute(name, nullptr, 0);
    if (length < 0 || static_cast<std::size_t>(length) > TPlayList::kMaxValue) {
        return std::nullopt;
    }
    std::u16string value(static_cast<std::size_t>(length) + 1, u'\0');
    node->GetAttribute(name, value.data(), length);
    value.resize(static_cast<std::size_t>(length));
    return value;
}

bool NameIs(const TXmlNode* node, std::u16string_view name) {
    return node->Name && plat::text::EqualsNoCase(node->Name.get(), name);
}

void AppendEscaped(TMemoryObject& text, const std::u16string& value) {
    text.AppendXmlEscaped(value.c_str(), false, false);
}

void AppendLine(TMemoryObject& text, std::u16string_view line) {
    text.AppendChars(line.data(), static_cast<int32_t>(line.size()));
    text.AppendChars(u"\r\n", 2);
}

} // namespace

TPlayList::TPlayList(RandomSource random)
    : Random(random ? std::move(random) : ClockSeededRandom([] {
          return std::chrono::duration_cast<std::chrono::seconds>(
                     std::chrono::system_clock::now().time_since_epoch())
              .count();
      })) {}

TPlayList::RandomSource TPlayList::ClockSeededRandom(std::function<int64_t()> seconds) {
    auto generator = std::make_shared<std::optional<std::mt19937>>();
    return [generator, seconds = std::move(seconds)]() -> uint32_t {
        if (!*generator) {
            generator->emplace(static_cast<std::mt19937::result_type>(seconds()));
        }
        return static_cast<uint32_t>((**generator)());
    };
}

int32_t TPlayList::LoadFromFile(const std::u16string& fileName, VisitedFiles* visited) {
    return LoadFromText(fileName, ReadTextFile(fileName).value_or(std::u16string()), visited);
}

int32_t TPlayList::LoadFromText(const std::u16string& fileName, const std::u16string& text,
                                VisitedFiles* visited) {
    Delete(-1);
    FileName_ = fileName;
    Current = 0;
    ReadDocument(text, visited);
    Normalize();
    return 0;
}

std::optional<std::u16string> TPlayList::ReadTextFile(const std::u16string& fileName) {
    std::u16string text;
    if (!ReadTextFileW(fileName.c_str(), text)) {
        return std::nullopt;
    }
    return text;
}

void TPlayList::ReadDocument(const std::u16string& text, VisitedFiles* visited) {
    // The declaration line is part of the format: a text without it is no playlist.
    const auto start = text.find_first_not_of(u" \t\r\n");
    if (start == std::u16string::npos ||
        !plat::text::StartsWithNoCase(std::u16string_view(text).substr(start), u"<?wsx")) {
        return;
    }
    TXml document;
    document.Parse(text);
    TXmlNode* smil = document.Tail;
    if (smil == nullptr || !NameIs(smil, u"SMIL") || smil->Children.Count == 0) {
        return;
    }
    for (TXmlNode* child = smil->Children.Head; child != nullptr; child = child->Next) {
        if (NameIs(child, u"MEDIA")) {
            const auto source = Attribute(child, u"SRC");
            if (!source || source->empty()) {
                continue;
            }
            const std::u16string id = Attribute(child, u"ID").value_or(u"");
            const auto duration = Attribute(child, u"dur");
            std::optional<std::u16string> profile;
            int32_t title = 1;
            TXmlNode* profileNode = nullptr;
            if (child->FindChild(u"PROFILE", profileNode) == 1) {
                profile = Attribute(profileNode, u"SRC");
                if (const auto titleText = Attribute(profileNode, u"TITLE")) {
                    title = XmlNumber(titleText->c_str());
                }
            }
            if (profile) {
                profile = EntryPath(*profile);
            }
            AddFile(EntryPath(*source).c_str(), profile ? profile->c_str() : nullptr,
                    duration ? ParsePlaylistDuration(*duration) : 0, id.c_str(), title, visited, false);
            const auto mediaName = Attribute(child, u"mediaName");
            if (!IsPlaylistFile(*source) && mediaName && !mediaName->empty()) {
                Items.Tail->MediaName = *mediaName;
            }
        } else if (NameIs(child, u"LASTPOS")) {
            const auto number = Attribute(child, u"NO");
            Current = number ? XmlNumber(number->c_str()) : 0;
        }
    }
}

std::u16string TPlayList::PlaylistText() const {
    TMemoryObject text(4096);
    AppendLine(text, u"<?wsx version=\"1.0\"?>");
    AppendLine(text, u"<smil>");
    for (const TPlaylistItem* item = Items.Head; item != nullptr; item = item->Next) {
        text.AppendString(u"\t<media id=\"");
        AppendEscaped(text, item->Id);
        text.AppendString(u"\" src=\"");
        AppendEscaped(text, item->Path);
        text.AppendString(u"\" mediaName=\"");
        AppendEscaped(text, item->MediaName != item->DisplayName ? item->MediaName : std::u16string());
        text.AppendString(u"\" ");
        if (item->Duration != 0) {
            text.AppendString(u" dur=\"");
            text.AppendString(FormatPlaylistDuration(item->Duration).c_str());
            text.AppendString(u"\" ");
        }
        AppendLine(text, u">");
        if (!item->ProfileFile.empty()) {
            text.AppendString(u"\t\t<profile src=\"");
            AppendEscaped(text, item->ProfileFile);
            text.AppendFormat(u"\" title=\"%d\"/>\r\n", item->ProfileTitle);
        }
        AppendLine(text, u"\t</media>");
    }
    text.AppendFormat(u"\t\t<lastpos no=\"%d\"></lastpos>\r\n", Normalized(Current));
    AppendLine(text, u"</smil>");
    return std::u16string(text.Text(), static_cast<std::size_t>(text.TextLength()));
}

bool TPlayList::SaveToFile(const std::u16string& fileName) const {
    const std::u16string text = PlaylistText();
    std::string bytes("\xFF\xFE", 2);
    bytes.reserve(2 + text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return fileio::WriteWholeFile(plat::text::WideToAnsi(fileName).c_str(), bytes.data(), bytes.size());
}

int32_t TPlayList::AddFile(const char16_t* path, const char16_t* profileFile, int32_t duration,
                           const char16_t* id, int32_t profileTitle, VisitedFiles* visited, bool atFront) {
    if (path == nullptr) {
        return 0;
    }
    const std::u16string_view source(path);
    if (source.size() > kMaxValue) {
        return 0;
    }
    if (IsPlaylistFile(source)) {
        return AddPlaylistFile(std::u16string(source), visited) ? 1 : 0;
    }
    TPlaylistItem* item = atFront ? Items.AddBefore() : Items.Add();
    Items.Renumber();
    item->Path = source;
    const std::u16string fullPath = FullPath(item->Path);
    const std::u16string_view filePart = FilePart(fullPath);
    if (filePart.empty()) {
        item->DisplayName = item->Path;
    } else {
        item->DisplayName = filePart;
        item->MediaName = filePart;
    }
    if (profileFile != nullptr) {
        item->ProfileFile = profileFile;
    }
    if (id != nullptr) {
        item->Id = id;
    }
    item->Duration = duration;
    item->ProfileTitle = profileTitle;
    return 1;
}

bool TPlayList::AddPlaylistFile(const std::u16string& fileName, VisitedFiles* visited) {
    VisitedFiles fresh;
    VisitedFiles& seen = visited != nullptr ? *visited : fresh;
    if (!FileName_.empty()) {
        seen.push_back(VisitKey(FileName_));
    }
    if (std::find(seen.begin(), seen.end(), VisitKey(fileName)) != seen.end()) {
        return false;
    }
    TPlayList nested(Random);
    nested.LoadFromFile(fileName, &seen);
    for (const TPlaylistItem* item = nested.Items.Head; item != nullptr; item = item->Next) {
        Items.Add()->CopyRecord(*item);
    }
    Items.Renumber();
    return true;
}

TPlaylistItem* TPlayList::GetItem(int32_t index, bool makeCurrent) {
    Normalize();
    const int32_t at = index < 0 ? Current : index;
    if (makeCurrent) {
        SetCurrent(at);
    }
    return ItemAt(at);
}

bool TPlayList::Delete(int32_t index) {
    if (index < 0) {
        Items.Clear();
        return true;
    }
    TPlaylistItem* item = ItemAt(index);
    if (item == nullptr) {
        return false;
    }
    Items.Delete(item);
    Items.Renumber();
    return true;
}

bool TPlayList::Move(int32_t from, int32_t to) {
    TPlaylistItem* moving = ItemAt(from);
    TPlaylistItem* target = ItemAt(to);
    if (moving == nullptr || target == nullptr || from == to) {
        return false;
    }
    auto copy = std::make_unique<TPlaylistItem>();
    copy->CopyRecord(*moving);
    if (from > to) {
        Items.InsertBefore(target, std::move(copy));
    } else {
        Items.Insert(target, std::move(copy));
    }
    Items.Delete(moving);
    Items.Renumber();
    return true;
}

void TPlayList::SetItemProfile(int32_t index, const char16_t* profileFile, int32_t title) {
    TPlaylistItem* item = ItemAt(index);
    if (item == nullptr) {
        return;
    }
    if (profileFile != nullptr) {
        item->ProfileFile = profileFile;
    }
    if (title != 0) {
        item->ProfileTitle = title;
    }
}

int32_t TPlayList::SetCurrent(int32_t index) {
    Current = index;
    Normalize();
    return Current;
}

int32_t TPlayList::GetCurrent() {
    Normalize();
    return Current;
}

int32_t TPlayList::Next() {
    return Shuffle ? RandomIndex() : SetCurrent(GetCurrent() + 1);
}

int32_t TPlayList::Prev() {
    return Shuffle ? RandomIndex() : SetCurrent(GetCurrent() - 1);
}

int32_t TPlayList::First() {
    return SetCurrent(0);
}

int32_t TPlayList::Last() {
    return SetCurrent(Items.Count - 1);
}

int32_t TPlayList::RandomIndex() {
    if (Items.Count <= 1) {
        return SetCurrent(0);
    }
    const int32_t current = GetCurrent();
    auto drawn = static_cast<int32_t>(Random() % static_cast<uint32_t>(Items.Count - 1));
    return SetCurrent(drawn >= current ? drawn + 1 : drawn);
}

int32_t TPlayList::IndexOf(const char16_t* path) const {
    if (path == nullptr) {
        return -1;
    }
    int32_t index = 0;
    for (const TPlaylistItem* item = Items.Head; item != nullptr; item = item->Next, ++index) {
        if (item->Path == path) {
            return index;
        }
    }
    return -1;
}

void TPlayList::Normalize() {
    Current = Normalized(Current);
}

int32_t TPlayList::Normalized(int32_t index) const {
    if (Items.Count == 0) {
        return -1;
    }
    if (index < 0) {
        return Repeat ? Items.Count - 1 : 0;
    }
    if (index >= Items.Count) {
        return Repeat ? 0 : Items.Count - 1;
    }
    return index;
}

TPlaylistItem* TPlayList::ItemAt(int32_t index) const {
    if (index < 0 || index >= Items.Count) {
        return nullptr;
    }
    TPlaylistItem* item = Items.Head;
    for (int32_t i = 0; i < index; ++i) {
        item = item->Next;
    }
    return item;
}

std::u16string TPlayList::FullPath(const std::u16string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code error;
    const auto absolute =
        std::filesystem::absolute(std::filesystem::path(plat::text::WideToAnsi(path)), error);
    if (error) {
        return path;
    }
    return plat::text::AnsiToWide(absolute.lexically_normal().string());
}

std::u16string TPlayList::EntryPath(const std::u16string& written) const {
    const std::string path = plat::text::WideToAnsi(written);
    if (written.empty() || FileName_.empty() || plat::text::path::IsAbsolute(path) ||
        written.find(u"://") != std::u16string::npos) {
        return written;
    }
    const std::string folder = plat::text::path::Folder(plat::text::WideToAnsi(FileName_));
    return plat::text::AnsiToWide(
        std::filesystem::path(plat::text::path::Join(folder, path)).lexically_normal().string());
}

std::u16string TPlayList::VisitKey(const std::u16string& path) {
    std::error_code error;
    const auto resolved =
        std::filesystem::weakly_canonical(std::filesystem::path(plat::text::WideToAnsi(path)), error);
    return error ? FullPath(path) : plat::text::AnsiToWide(resolved.string());
}
