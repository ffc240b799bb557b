#include "platform/media/FilterPins.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace plat::media {

namespace {

PinPresence Presence(GstPadPresence presence) {
    switch (presence) {
    case GST_PAD_ALWAYS:
        return PinPresence::Always;
    case GST_PAD_SOMETIMES:
        return PinPresence::Sometimes;
    default:
        return PinPresence::Request;
    }
}

PinDirection Direction(GstPadDirection direction) {
    return direction == GST_PAD_SRC ? PinDirection::Output : PinDirection::Input;
}

std::string CapsText(GstCaps* caps) {
    CapsRef owned = CapsRef::Adopt(caps);
    if (!owned) {
        return {};
    }
    std::unique_ptr<char, GFreeDeleter> text(gst_caps_to_string(owned.get()));
    return text.get();
}

PinInfo PadPin(GstPad* pad) {
    PinInfo pin;
    pin.name = GST_PAD_NAME(pad);
    pin.direction = Direction(GST_PAD_DIRECTION(pad));
    GstPadTemplate* padTemplate = GST_PAD_PAD_TEMPLATE(pad);
    pin.presence =
        padTemplate != nullptr ? Presence(GST_PAD_TEMPLATE_PRESENCE(padTemplate)) : PinPresence::Always;
    pin.present = true;
    pin.connected = gst_pad_is_linked(pad);
    GstCaps* current = gst_pad_get_current_caps(pad);
    pin.caps = CapsText(current != nullptr ? current : gst_pad_query_caps(pad, nullptr));
    return pin;
}

// "src_2" before "src_10".
bool NameLess(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::vector<PadRef> Pads(GstElement* element) {
    std::vector<PadRef> pads;
    GST_OBJECT_LOCK(element);
    for (GList* item = element->pads; item != nullptr; item = item->next) {
        pads.push_back(PadRef::Share(GST_PAD(item->data)));
    }
    GST_OBJECT_UNLOCK(element);
    return pads;
}

std::vector<GstPadTemplate*> Templates(GstElement* element) {
    std::vector<GstPadTemplate*> templates;
    for (GList* item = gst_element_class_get_pad_template_list(GST_ELEMENT_GET_CLASS(element));
         item != nullptr; item = item->next) {
        templates.push_back(GST_PAD_TEMPLATE(item->data));
    }
    return templates;
}

} // namespace

bool FilterPins::TemplateMatches(std::string_view pattern, std::string_view name) {
    const auto percent = pattern.find('%');
    if (percent == std::string_view::npos) {
        return pattern == name;
    }
    // The conversion ("%u", "%02x", "%s") stands for one or more characters between prefix and suffix.
    const auto letter =
        std::find_if(pattern.begin() + static_cast<std::ptrdiff_t>(percent) + 1, pattern.end(),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
    const std::string_view prefix = pattern.substr(0, percent);
    const std::string_view suffix =
        letter == pattern.end() ? std::string_view()
                                : pattern.substr(static_cast<std::size_t>(letter - pattern.begin()) + 1);
    return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix);
}

std::vector<PinInfo> FilterPins::Enumerate(GstElement* element) {
    std::vector<PinInfo> present;
    for (const PadRef& pad : Pads(element)) {
        present.push_back(PadPin(pad.get()));
    }
    std::vector<PinInfo> pins;
    std::vector<bool> taken(present.size(), false);
    for (GstPadTemplate* padTemplate : Templates(element)) {
        const std::string pattern = GST_PAD_TEMPLATE_NAME_TEMPLATE(padTemplate);
        const std::size_t first = pins.size();
        for (std::size_t i = 0; i < present.size(); ++i) {
            if (!taken[i] && TemplateMatches(pattern, present[i].name) &&
                present[i].direction == Direction(GST_PAD_TEMPLATE_DIRECTION(padTemplate))) {
                taken[i] = true;
                pins.push_back(present[i]);
            }
        }
        std::sort(pins.begin() + static_cast<std::ptrdiff_t>(first), pins.end(),
                  [](const PinInfo& a, const PinInfo& b) { return NameLess(a.name, b.name); });
        if (pins.size() == first && GST_PAD_TEMPLATE_PRESENCE(padTemplate) != GST_PAD_ALWAYS) {
            PinInfo pin;
            pin.name = pattern;
            pin.direction = Direction(GST_PAD_TEMPLATE_DIRECTION(padTemplate));
            pin.presence = Presence(GST_PAD_TEMPLATE_PRESENCE(padTemplate));
            pin.caps = CapsText(gst_pad_template_get_caps(padTemplate));
            pins.push_back(std::move(pin));
        }
    }
    const std::size_t first = pins.size();
    for (std::size_t i = 0; i < present.size(); ++i) {
        if (!taken[i]) {
            pins.push_back(present[i]);
        }
    }
    std::sort(pins.begin() + static_cast<std::ptrdiff_t>(first), pins.end(),
              [](const PinInfo& a, const PinInfo& b) { return NameLess(a.name, b.name); });
    return pins;
}

PadRef FilterPins::Find(GstElement* element, std::string_view name) {
    const std::string padName(name);
    if (PadRef pad = PadRef::Adopt(gst_element_get_static_pad(element, padName.c_str()))) {
        return pad;
    }
    for (GstPadTemplate* padTemplate : Templates(element)) {
        if (GST_PAD_TEMPLATE_PRESENCE(padTemplate) == GST_PAD_REQUEST &&
            TemplateMatches(GST_PAD_TEMPLATE_NAME_TEMPLATE(padTemplate), name)) {
            return PadRef::Adopt(gst_element_request_pad(element, padTemplate, padName.c_str(), nullptr));
        }
    }
    return {};
}

bool FilterPins::MayAppear(GstElement* element, std::string_view name) {
    const auto templates = Templates(element);
    return std::any_of(templates.begin(), templates.end(), [name](GstPadTemplate* padTemplate) {
        return GST_PAD_TEMPLATE_PRESENCE(padTemplate) == GST_PAD_SOMETIMES &&
               TemplateMatches(GST_PAD_TEMPLATE_NAME_TEMPLATE(padTemplate), name);
    });
}

} // namespace plat::media
