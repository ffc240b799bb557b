#include "player/ui/TFormPlacement.h"

#include "foundation/IniFile.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <filesystem>

namespace {

constexpr const char* kNormal = "Normal";
constexpr const char* kMinimized = "Minimized";
constexpr const char* kMaximized = "Maximized";
// The longest State text read.
constexpr size_t kMaxState = 30;

bool KeepsNoPlace(const QWidget& form) {
    return form.objectName() == "EditProfile";
}

const char* StateText(const QWidget& form) {
    if (form.isMaximized()) {
        return kMaximized;
    }
    return form.isMinimized() ? kMinimized : kNormal;
}

// A width or height from the file, kept to what a window can have.
int Extent(int32_t value) {
    return std::clamp(value, 1, QWIDGETSIZE_MAX);
}

// The squared distance from the point to the rectangle (0 inside).
long long DistanceSquared(const QRect& rect, QPoint point) {
    const long long dx = std::max({rect.left() - point.x(), 0, point.x() - rect.right()});
    const long long dy = std::max({rect.top() - point.y(), 0, point.y() - rect.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

bool TFormPlacement::Save(const QWidget* form) const {
    if (form == nullptr || KeepsNoPlace(*form)) {
        return true;
    }
    IniFile ini;
    if (!ini.Load(path_.c_str())) {
        return false;
    }
    // The settings folder of a new program folder may not exist yet.
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), error);
    const std::string section = form->objectName().toStdString();
    if (!form->isMaximized()) {
        const QRect place = form->isMinimized() ? form->normalGeometry() : form->geometry();
        const QPoint corner = form->isMinimized() ? place.topLeft() : form->pos();
        ini.WriteInteger(section, "X", corner.x());
        ini.WriteInteger(section, "Y", corner.y());
        ini.WriteInteger(section, "Height", place.height());
        ini.WriteInteger(section, "Width", place.width());
    }
    ini.WriteString(section, "State", StateText(*form));
    return ini.Save(path_.c_str());
}

void TFormPlacement::Load(QWidget* form) const {
    if (form == nullptr) {
        return;
    }
    IniFile ini;
    const std::string section = form->objectName().toStdString();
    if (!ini.Load(path_.c_str()) || !ini.SectionExists(section)) {
        return;
    }
    form->move(ini.ReadInteger(section, "X", kMissing), ini.ReadInteger(section, "Y", kMissing));
    if (IsSizeable(*form)) {
        // Compared exactly: "normal" is not a state.
        const std::string state = ini.ReadString(section, "State", kNormal).substr(0, kMaxState);
        if (state == kNormal) {
            form->setWindowState(form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        }
        form->resize(Extent(ini.ReadInteger(section, "Width", kMissing)),
                     Extent(ini.ReadInteger(section, "Height", kMissing)));
        if (state == kMinimized) {
            form->setWindowState((form->windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
        } else if (state == kMaximized) {
            form->setWindowState((form->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        }
    }
    // A place the monitors show whole stays; one partly or wholly off them comes back onto one.
    if (!IsOnMonitors(QRect(form->pos(), form->frameGeometry().size()))) {
        MoveOntoMonitor(*form);
    }
}

bool TFormPlacement::IsOnMonitors(const QRect& frame) {
    QRegion monitors;
    for (const QScreen* screen : QGuiApplication::screens()) {
        monitors += screen->geometry();
    }
    return QRegion(frame).subtracted(monitors).isEmpty();
}

bool TFormPlacement::IsSizeable(const QWidget& form) {
    return form.minimumSize() != form.maximumSize();
}

QRect TFormPlacement::NearestMonitor(const QRect& frame) {
    QRect nearest;
    long long best = LLONG_MAX;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const long long distance = DistanceSquared(screen->geometry(), frame.center());
        if (distance < best) {
            best = distance;
            nearest = screen->geometry();
        }
    }
    return nearest;
}

QRect TFormPlacement::ClampOnto(const QRect& frame, const QRect& monitor) {
    QRect moved = frame;
    moved.moveLeft(
        std::max(monitor.left(), std::min(frame.left(), monitor.left() + monitor.width() - frame.width())));
    moved.moveTop(
        std::max(monitor.top(), std::min(frame.top(), monitor.top() + monitor.height() - frame.height())));
    return moved;
}

void TFormPlacement::MoveOntoMonitor(QWidget& form) {
    const QRect frame(form.pos(), form.frameGeometry().size());
    const QRect monitor = NearestMonitor(frame);
    if (monitor.isValid()) {
        form.move(ClampOnto(frame, monitor).topLeft());
    }
}
