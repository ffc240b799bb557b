#include "platform/display/XrandrDisplayModes.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace plat::display {

struct XrandrDisplayModes::Connection {
    ::Display* display = nullptr;
    ::Window root = 0;
    std::int32_t bitsPerPixel = 0;

    ~Connection() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
};

namespace {

struct ConfigDeleter {
    void operator()(XRRScreenConfiguration* config) const { XRRFreeScreenConfigInfo(config); }
};
using ConfigRef = std::unique_ptr<XRRScreenConfiguration, ConfigDeleter>;

// Bits per pixel of the screen's depth as pixmaps store it (24-bit colour takes 32 bits).
std::int32_t BitsPerPixel(::Display* display, int screen) {
    const int depth = DefaultDepth(display, screen);
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    std::int32_t bits = depth;
    for (int i = 0; i < count; ++i) {
        if (formats[i].depth == depth) {
            bits = formats[i].bits_per_pixel;
        }
    }
    if (formats != nullptr) {
        XFree(formats);
    }
    return bits;
}

} // namespace

std::unique_ptr<XrandrDisplayModes> XrandrDisplayModes::Open(const std::string& displayName) {
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (connection->display == nullptr) {
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(connection->display, &eventBase, &errorBase)) {
        return nullptr;
    }
    const int screen = DefaultScreen(connection->display);
    connection->root = RootWindow(connection->display, screen);
    connection->bitsPerPixel = BitsPerPixel(connection->display, screen);
    return std::unique_ptr<XrandrDisplayModes>(new XrandrDisplayModes(std::move(connection)));
}

XrandrDisplayModes::XrandrDisplayModes(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
    start_ = CurrentMode();
}

XrandrDisplayModes::~XrandrDisplayModes() = default;

std::vector<XrandrDisplayModes::Entry> XrandrDisplayModes::ReadModes() const {
    std::vector<Entry> entries;
    const ConfigRef config(XRRGetScreenInfo(connection_->display, connection_->root));
    if (!config) {
        return entries;
    }
    int sizeCount = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(config.get(), &sizeCount);
    for (int s = 0; s < sizeCount; ++s) {
        int rateCount = 0;
        const short* rates = XRRConfigRates(config.get(), s, &rateCount);
        const DisplayMode base{sizes[s].width, sizes[s].height, connection_->bitsPerPixel, 0};
        if (rateCount == 0) {
            entries.push_back({base, s, 0});
        }
        for (int r = 0; r < rateCount; ++r) {
            DisplayMode mode = base;
            mode.frequency = rates[r];
            entries.push_back({mode, s, rates[r]});
        }
    }
    return entries;
}

const XrandrDisplayModes::Entry* XrandrDisplayModes::Find(const std::vector<Entry>& entries,
                                                          const DisplayMode& mode) const {
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.mode == mode; });
    return found != entries.end() ? &*found : nullptr;
}

std::optional<DisplayMode> XrandrDisplayModes::CurrentMode() {
    const ConfigRef config(XRRGetScreenInfo(connection_->display, connection_->root));
    if (!config) {
        return std::nullopt;
    }
    Rotation rotation = 0;
    const SizeID current = XRRConfigCurrentConfiguration(config.get(), &rotation);
    int sizeCount = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(config.get(), &sizeCount);
    if (current >= sizeCount) {
        return std::nullopt;
    }
    return DisplayMode{sizes[current].width, sizes[current].height, connection_->bitsPerPixel,
                       XRRConfigCurrentRate(config.get())};
}

std::optional<DisplayMode> XrandrDisplayModes::ModeAt(std::int32_t index) {
    const std::vector<Entry> entries = ReadModes();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return std::nullopt;
    }
    return entries[static_cast<std::size_t>(index)].mode;
}

bool XrandrDisplayModes::Test(const DisplayMode& mode) {
    return Find(ReadModes(), mode) != nullptr;
}

bool XrandrDisplayModes::Apply(const DisplayMode& mode) {
    const std::vector<Entry> entries = ReadModes();
    const Entry* entry = Find(entries, mode);
    if (entry == nullptr) {
        return false;
    }
    const ConfigRef config(XRRGetScreenInfo(connection_->display, connection_->root));
    if (!config) {
        return false;
    }
    Rotation rotation = 0;
    XRRConfigCurrentConfiguration(config.get(), &rotation);
    const Status status =
        entry->rate != 0 ? XRRSetScreenConfigAndRate(connection_->display, config.get(), connection_->root,
                                                     entry->sizeIndex, rotation, entry->rate, CurrentTime)
                         : XRRSetScreenConfig(connection_->display, config.get(), connection_->root,
                                              entry->sizeIndex, rotation, CurrentTime);
    XSync(connection_->display, False);
    return status == RRSetConfigSuccess;
}

} // namespace plat::display
