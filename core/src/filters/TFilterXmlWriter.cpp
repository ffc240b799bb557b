#include "core/src/filters/TFilterXmlWriter.h"

#include "core/src/filters/TFilterMatcher.h"
#include "foundation/TMemoryObject.h"
#include "platform/media/FilterCategories.h"
#include "platform/text/CodePage.h"

#include <array>
#include <string_view>

using plat::media::FilterCatalogue;
using plat::media::FilterCategories;
using plat::media::FilterCategory;
using plat::media::FilterCategoryInfo;
using plat::media::FilterInfo;

namespace {

// Caps of the DVD streams the common lists are for.
constexpr std::string_view kDvdVideoCaps = "video/mpeg, mpegversion=(int)2, systemstream=(boolean)false";
constexpr std::string_view kDvdAudioCaps = "audio/x-ac3";

constexpr std::array<const char16_t*, 10> kDmoCategories{
    u"DMO Audio Decoder",         u"DMO Audio Encoder",
    u"DMO Video Decoders",        u"DMO Video Encoders",
    u"DMO Audio Effects",         u"DMO Video Effects",
    u"DMO Audio Capture Effects", u"DMO Acoustic Echo Cancel",
    u"DMO Audio Noise Suppress",  u"DMO AGC"};

void AppendEscaped(TMemoryObject& text, const std::string& value) {
    text.AppendXmlEscaped(plat::text::AnsiToWide(value).c_str(), true, false);
}

// "<indent><TAG>escaped value</TAG><line end>".
void AppendElement(TMemoryObject& text, const char16_t* indent, std::u16string_view tag,
                   const std::string& value, const char16_t* lineEnd) {
    const std::u16string name(tag);
    text.AppendFormat(u"%s<%s>", indent, name.c_str());
    AppendEscaped(text, value);
    text.AppendFormat(u"</%s>%s", name.c_str(), lineEnd);
}

void WriteCatalogueFilter(const FilterInfo& info, TMemoryObject& text) {
    text.AppendFormat(u"%s<FILTER>\r\n", u"    ");
    AppendElement(text, u"        ", u"NAME", info.friendlyName, u"\r\n");
    AppendElement(text, u"        ", u"DisplayName", FilterCatalogue::DisplayName(info), u"\r\n");
    text.AppendFormat(u"%s</FILTER>\r\n", u"    ");
}

// A filter of the common lists: "<indent><FILTER>" with its name and class id.
void WriteListedFilter(const FilterInfo& info, const char16_t* indent, TMemoryObject& text) {
    text.AppendFormat(u"%s<FILTER>\n", indent);
    AppendElement(text, u"        ", u"NAME", info.friendlyName, u"\n");
    AppendElement(text, u"        ", u"CLSID", info.classId.ToString(), u"\n");
    text.AppendFormat(u"%s</FILTER>\n", indent);
}

} // namespace

TFilterXmlWriter::TFilterXmlWriter(const FilterCatalogue& catalogue) : catalogue_(catalogue) {}

void TFilterXmlWriter::WriteMatches(const std::vector<const FilterInfo*>& filters, TMemoryObject& text) {
    for (const FilterInfo* info : filters) {
        WriteListedFilter(*info, u"      ", text);
    }
}

std::int32_t TFilterXmlWriter::WriteCommonFilters(TMemoryObject& text) const {
    std::int32_t renderers = 0;
    text.AppendString(u"<FILTERENUM>\n  <AudioRenderer>\n");
    for (const FilterInfo& info : catalogue_.Filters()) {
        if (info.category == FilterCategory::AudioRenderer) {
            WriteListedFilter(info, u"    ", text);
            ++renderers;
        }
    }
    const TFilterMatcher matcher(catalogue_);
    text.AppendString(u"  </AudioRenderer>\n  <DVDVideoFilters>\n");
    WriteMatches(matcher.MatchCaps(kDvdVideoCaps, FilterCategory::VideoDecoder), text);
    text.AppendString(u"  </DVDVideoFilters>\n  <DVDAudioFilters>\n");
    WriteMatches(matcher.MatchCaps(kDvdAudioCaps, FilterCategory::AudioDecoder), text);
    text.AppendString(u"  </DVDAudioFilters>\n</FILTERENUM>\n");
    return renderers;
}

void TFilterXmlWriter::WriteCategory(FilterCategory category, TMemoryObject& text) const {
    for (const FilterInfo& info : catalogue_.Filters()) {
        if (info.category == category) {
            WriteCatalogueFilter(info, text);
        }
    }
}

void TFilterXmlWriter::WriteAllFilters(TMemoryObject& text) const {
    text.AppendString(u"<FILTERENUM>\r\n");
    for (const FilterCategoryInfo& listed : FilterCategories::All()) {
        text.AppendFormat(u"%s<CATEGORY FriendlyName=\"", u"  ");
        text.AppendXmlEscaped(plat::text::AnsiToWide(listed.name).c_str(), false, false);
        text.AppendString(u"\" Clsid=\"");
        text.AppendXmlEscaped(plat::text::AnsiToWide(listed.id.ToString()).c_str(), false, false);
        text.AppendString(u"\">\r\n");
        WriteCategory(listed.category, text);
        text.AppendFormat(u"%s</CATEGORY>\r\n", u"  ");
    }
    for (const char16_t* name : kDmoCategories) {
        text.AppendFormat(u"%s<CATEGORY FriendlyName=\"%s\">", u"   ", name);
        text.AppendFormat(u"%s</CATEGORY>", u"   ");
    }
    text.AppendString(u"</FILTERENUM>\r\n");
}

void TFilterXmlWriter::WriteFourCCFilters(const std::vector<const FilterInfo*>& filters,
                                          TMemoryObject& text) {
    text.AppendString(u"  <FourCCFilters>\n");
    WriteMatches(filters, text);
    text.AppendString(u"  </FourCCFilters>\n");
}

void TFilterXmlWriter::WriteFilterInfo(const FilterInfo& info, TMemoryObject& text) {
    text.AppendFormat(u"%s<FILTER>\r\n", u"    ");
    AppendElement(text, u"        ", u"NAME", info.friendlyName, u"\r\n");
    AppendElement(text, u"        ", u"DisplayName", FilterCatalogue::DisplayName(info), u"\r\n");
    AppendElement(text, u"        ", u"CLSID", info.classId.ToString(), u"\r\n");
    text.AppendFormat(u"%s<MERIT>%d</MERIT>\r\n", u"        ", static_cast<std::int32_t>(info.merit));
    text.AppendFormat(u"%s<PIN Nb=\"%d\"/>\r\n", u"         ",
                      static_cast<std::int32_t>(info.pinTemplates.size()));
    text.AppendFormat(u"%s<VERSION>%X</VERSION>\r\n", u"        ", kFilterDataVersion);
    text.AppendFormat(u"%s</FILTER>\r\n", u"    ");
}
