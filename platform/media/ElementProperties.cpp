#include "platform/media/ElementProperties.h"

#include "platform/media/GstRef.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace plat::media {

namespace {

// Classes whose properties every element or bin has; they are plumbing, not settings.
bool IsBaseClass(GType owner) {
    const std::array bases{G_TYPE_OBJECT, GST_TYPE_OBJECT, GST_TYPE_ELEMENT, GST_TYPE_BIN, GST_TYPE_PIPELINE};
    return std::find(bases.begin(), bases.end(), owner) != bases.end();
}

std::optional<PropertyKind> KindOf(const GParamSpec* spec) {
    const GType type = G_PARAM_SPEC_VALUE_TYPE(spec);
    if (type == GST_TYPE_CAPS || type == GST_TYPE_STRUCTURE || type == GST_TYPE_FRACTION) {
        return PropertyKind::Serialized;
    }
    switch (G_TYPE_FUNDAMENTAL(type)) {
    case G_TYPE_BOOLEAN:
        return PropertyKind::Boolean;
    case G_TYPE_CHAR:
    case G_TYPE_UCHAR:
    case G_TYPE_INT:
    case G_TYPE_UINT:
    case G_TYPE_LONG:
    case G_TYPE_ULONG:
    case G_TYPE_INT64:
    case G_TYPE_UINT64:
        return PropertyKind::Integer;
    case G_TYPE_FLOAT:
    case G_TYPE_DOUBLE:
        return PropertyKind::Real;
    case G_TYPE_ENUM:
        return PropertyKind::Enumeration;
    case G_TYPE_FLAGS:
        return PropertyKind::Flags;
    case G_TYPE_STRING:
        return PropertyKind::Text;
    default:
        return std::nullopt;
    }
}

// The highest state a property may change in; a property that says nothing may change in any state.
GstState MutableUpTo(const GParamSpec* spec) {
    if ((spec->flags & GST_PARAM_MUTABLE_PLAYING) != 0) {
        return GST_STATE_PLAYING;
    }
    if ((spec->flags & GST_PARAM_MUTABLE_PAUSED) != 0) {
        return GST_STATE_PAUSED;
    }
    if ((spec->flags & GST_PARAM_MUTABLE_READY) != 0) {
        return GST_STATE_READY;
    }
    return GST_STATE_PLAYING;
}

bool Editable(const GParamSpec* spec, GstState state) {
    return (spec->flags & G_PARAM_WRITABLE) != 0 && (spec->flags & G_PARAM_CONSTRUCT_ONLY) == 0 &&
           state <= MutableUpTo(spec);
}

} // namespace

std::vector<PropertyInfo> ElementProperties::List(GstElement* element) {
    std::vector<PropertyInfo> shown;
    if (element == nullptr) {
        return shown;
    }
    GstState state = GST_STATE_NULL;
    gst_element_get_state(element, &state, nullptr, 0);
    guint count = 0;
    const std::unique_ptr<GParamSpec*, GFreeDeleter> specs(
        g_object_class_list_properties(G_OBJECT_GET_CLASS(element), &count));
    for (guint i = 0; i < count; ++i) {
        GParamSpec* spec = specs.get()[i];
        const auto kind = KindOf(spec);
        if (kind && (spec->flags & G_PARAM_READABLE) != 0 && !IsBaseClass(spec->owner_type)) {
            shown.push_back({spec, *kind, Editable(spec, state)});
        }
    }
    return shown;
}

} // namespace plat::media
