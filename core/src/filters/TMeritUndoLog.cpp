#include "core/src/filters/TMeritUndoLog.h"

#include "foundation/FileIo.h"
#include "foundation/TMemoryObject.h"
#include "foundation/TXml.h"
#include "platform/text/CaseFold.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>

namespace {

constexpr std::int32_t kEntryBlock = 2048;

void BuildLine(TMemoryObject& line, const TMeritUndoEntry& entry) {
    // Quotes are escaped too: the names are attribute values.
    if (entry.displayName.empty()) {
        line.AppendString(u"<CHANGEMERIT Clsid=\"");
        line.AppendXmlEscaped(entry.clsid.c_str(), false, false);
        line.AppendString(u"\" Category=\"");
        line.AppendXmlEscaped(entry.category.c_str(), false, false);
    } else {
        line.AppendString(u"<CHANGEMERIT DisplayName=\"");
        line.AppendXmlEscaped(entry.displayName.c_str(), false, false);
    }
    line.AppendFormat(u"\" Merit=\"%d\"/>\r\n", static_cast<std::int32_t>(entry.merit));
}

std::optional<std::u16string> Attribute(TXmlNode& node, const char16_t* name) {
    const int length = node.GetAttribute(name, nullptr, 0);
    if (length < 0) {
        return std::nullopt;
    }
    std::u16string value(static_cast<std::size_t>(length) + 1, u'\0');
    node.GetAttribute(name, value.data(), length);
    value.resize(static_cast<std::size_t>(length));
    return value;
}

// The merit as written (signed decimal) or as an unsigned number, taken modulo 2^32.
std::optional<std::uint32_t> ParseMerit(const std::u16string& text) {
    std::string digits;
    for (const char16_t c : text) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        digits.push_back(static_cast<char>(c));
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < INT32_MIN ||
        value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<TMeritUndoEntry> ParseEntry(TXmlNode& node) {
    if (node.Name == nullptr || !plat::text::EqualsNoCase(node.Name.get(), u"CHANGEMERIT")) {
        return std::nullopt;
    }
    const auto merit = Attribute(node, u"Merit");
    const auto parsed = merit ? ParseMerit(*merit) : std::nullopt;
    if (!parsed) {
        return std::nullopt;
    }
    TMeritUndoEntry entry;
    entry.merit = *parsed;
    if (const auto name = Attribute(node, u"DisplayName"); name && !name->empty()) {
        entry.displayName = *name;
        return entry;
    }
    const auto clsid = Attribute(node, u"Clsid");
    const auto category = Attribute(node, u"Category");
    if (!clsid || !category) {
        return std::nullopt;
    }
    entry.clsid = *clsid;
    entry.category = *category;
    return entry;
}

// The entries among the top-level elements of one line.
void AppendEntries(const std::u16string& line, std::vector<TMeritUndoEntry>& entries) {
    TXml xml;
    if (!xml.Parse(line.c_str())) {
        return;
    }
    for (bool more = xml.First(); more; more = xml.Next()) {
        if (auto entry = ParseEntry(*xml.Current)) {
            entries.push_back(std::move(*entry));
        }
    }
}

std::u16string DecodeUtf16Le(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return text;
}

} // namespace

TMeritUndoLog::TMeritUndoLog(std::string folder) : folder_(std::move(folder)) {}

std::string TMeritUndoLog::Path() const {
    if (folder_.size() > kMaxFolderLength) {
        return {};
    }
    const bool separated = !folder_.empty() && (folder_.back() == '/' || folder_.back() == '\\');
    return folder_ + (separated ? "" : "/") + "TOVUNDO.LOG";
}

bool TMeritUndoLog::Append(const TMeritUndoEntry& entry) const {
    const std::string path = Path();
    std::error_code error;
    std::string bytes;
    const bool exists = !path.empty() && std::filesystem::exists(path, error);
    // A log that cannot be read is never replaced: its entries would be lost.
    if (path.empty() || error || (exists && !fileio::ReadWholeFile(path.c_str(), bytes))) {
        return false;
    }
    TMemoryObject line(kEntryBlock);
    BuildLine(line, entry);
    bytes.append(line.Data, static_cast<std::size_t>(line.Used));
    return fileio::WriteWholeFile(path.c_str(), bytes.data(), bytes.size());
}

std::optional<std::vector<TMeritUndoEntry>> TMeritUndoLog::Read() const {
    const std::string path = Path();
    std::string bytes;
    if (path.empty() || !fileio::ReadWholeFile(path.c_str(), bytes)) {
        return std::nullopt;
    }
    std::vector<TMeritUndoEntry> entries;
    const std::u16string text = DecodeUtf16Le(bytes);
    // Each line is read on its own: an element left open on one line would otherwise swallow the
    // entries of every later line, and their merits would never come back.
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find(u'\n', begin), text.size());
        AppendEntries(text.substr(begin, end - begin), entries);
        begin = end + 1;
    }
    return entries;
}

bool TMeritUndoLog::Remove() const {
    const std::string path = Path();
    return !path.empty() && std::remove(path.c_str()) == 0;
}
