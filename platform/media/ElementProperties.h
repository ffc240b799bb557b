#pragma once
// The settings of an element a user can look at and change: its readable GObject properties that its
// own class adds to those every object, element and bin has (name, parent, bin plumbing), of a kind a
// property editor exists for. Write-only properties and those holding objects, pointers or other
// opaque values are not settings a form can show.
#include <gst/gst.h>

#include <vector>

namespace plat::media {

enum class PropertyKind {
    Boolean,
    Integer, // char, int, long and 64-bit, signed or unsigned
    Real,    // float or double
    Enumeration,
    Flags,
    Text,       // a string
    Serialized, // caps, a structure or a fraction, edited as GStreamer's text form
};

struct PropertyInfo {
    GParamSpec* spec = nullptr; // owned by the element's class
    PropertyKind kind = PropertyKind::Text;
    // Writable now: not construct-only, and the element's state is within the state the property
    // says it may change in.
    bool editable = false;
};

class ElementProperties {
public:
    // In the order the class lists them.
    static std::vector<PropertyInfo> List(GstElement* element);
    static bool Any(GstElement* element) { return !List(element).empty(); }
};

} // namespace plat::media
