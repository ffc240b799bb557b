#include "core/src/graph/TMediaContentReport.h"

#include "core/src/graph/TReportText.h"
#include "platform/media/MediaGraph.h"

#include <memory>
#include <string>

namespace {

struct ContentItem {
    const char* tag;
    const char16_t* element;
};

// The items in the order of the report.
constexpr ContentItem kItems[] = {
    {GST_TAG_TITLE, u"TITLE"},         {GST_TAG_ARTIST, u"AUTHORNAME"},
    {GST_TAG_USER_RATING, u"RATING"},  {GST_TAG_DESCRIPTION, u"DESCRIPTION"},
    {GST_TAG_COPYRIGHT, u"COPYRIGHT"}, {GST_TAG_COMMENT, u"MOREINFOTEXT"},
};

struct TagListUnref {
    void operator()(GstTagList* list) const { gst_tag_list_unref(list); }
};
using TagListPtr = std::unique_ptr<GstTagList, TagListUnref>;

void BeginDocument(TMemoryObject& out) {
    out.SetUsed(0);
    out.AppendString(u"<MEDIACONTENT>\r\n");
}

void EndDocument(TMemoryObject& out) {
    out.AppendString(u"</MEDIACONTENT>\r\n");
}

} // namespace

char16_t* TMediaContentReport::Handover(const plat::media::MediaGraph* graph) {
    TMemoryObject text(TReportText::kFirstBlock);
    Write(text, graph);
    return TReportText::Handover(text, TReportText::kReportTerminators);
}

bool TMediaContentReport::Write(TMemoryObject& out, const plat::media::MediaGraph* graph) {
    if (graph == nullptr) {
        out.SetUsed(0);
        return false;
    }
    BeginDocument(out);
    for (const plat::media::GraphFilter& filter : graph->Filters()) {
        const TagListPtr sent(PinTags(filter.element, GST_PAD_SRC));
        const TagListPtr received(PinTags(filter.element, GST_PAD_SINK));
        WriteItems(out, sent.get(), received.get());
    }
    EndDocument(out);
    return true;
}

void TMediaContentReport::Write(TMemoryObject& out, std::span<const GstTagList* const> filterTags) {
    BeginDocument(out);
    for (const GstTagList* tags : filterTags) {
        WriteItems(out, tags, nullptr);
    }
    EndDocument(out);
}

void TMediaContentReport::WriteItems(TMemoryObject& out, const GstTagList* tags, const GstTagList* received) {
    if (tags == nullptr) {
        return;
    }
    for (const ContentItem& item : kItems) {
        std::string value;
        std::string passedOn;
        if (!ValueText(tags, item.tag, value) ||
            (received != nullptr && ValueText(received, item.tag, passedOn) && passedOn == value)) {
            continue;
        }
        out.AppendFormat(u"    <%s>", item.element);
        TReportText::AppendEscapedUtf8(out, value);
        out.AppendFormat(u"    </%s>\r\n", item.element);
    }
}

bool TMediaContentReport::ValueText(const GstTagList* tags, const char* tag, std::string& text) {
    GValue value = G_VALUE_INIT;
    if (!gst_tag_list_copy_value(&value, tags, tag)) {
        return false;
    }
    GValue asText = G_VALUE_INIT;
    g_value_init(&asText, G_TYPE_STRING);
    const bool converted = g_value_transform(&value, &asText) && g_value_get_string(&asText) != nullptr;
    if (converted) {
        text = g_value_get_string(&asText);
    }
    g_value_unset(&asText);
    g_value_unset(&value);
    return converted;
}

GstTagList* TMediaContentReport::PinTags(GstElement* element, GstPadDirection direction) {
    GstTagList* merged = gst_tag_list_new_empty();
    const auto collect = [](GstElement*, GstPad* pad, gpointer data) -> gboolean {
        GstEvent* event = nullptr;
        for (guint i = 0; (event = gst_pad_get_sticky_event(pad, GST_EVENT_TAG, i)) != nullptr; ++i) {
            GstTagList* tags = nullptr;
            gst_event_parse_tag(event, &tags);
            gst_tag_list_insert(static_cast<GstTagList*>(data), tags, GST_TAG_MERGE_KEEP);
            gst_event_unref(event);
        }
        return TRUE;
    };
    if (direction == GST_PAD_SRC) {
        gst_element_foreach_src_pad(element, collect, merged);
    } else {
        gst_element_foreach_sink_pad(element, collect, merged);
    }
    return merged;
}
