#include "player/dialogs/config/tests/FakeConfigHost.h"

#include <QDir>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct ActionSpec {
    const char* name;
    const char* caption;
    const char* category;
};

constexpr ActionSpec kActions[] = {
    {"Ac_Play", "Play", "01Standard playback key "},  {"Ac_Pause", "Pause", "01Standard playback key "},
    {"Ac_Stop", "Stop", "01Standard playback key "},  {"Ac_FullScreen", "Full screen", "02Display"},
    {"Ac_EnterConfig", "Show Config", "03Interface"},
};

} // namespace

FakeConfigHost::FakeConfigHost() {
    program_ = folder_.path().toStdString() + "/";
    settings_ = program_ + "INI/";
    QDir().mkpath(QString::fromStdString(settings_));
    QDir().mkpath(QString::fromStdString(SystemFolder()));
    QList<QAction*> list;
    for (const ActionSpec& spec : kActions) {
        auto action = std::make_unique<QAction>(QString::fromLatin1(spec.caption));
        action->setObjectName(QString::fromLatin1(spec.name));
        action->setProperty(TActionControler::kCategoryProperty, QString::fromLatin1(spec.category));
        list.push_back(action.get());
        actions.push_back(std::move(action));
    }
    commands.BuildFromActionList(list);
}

FakeConfigHost::~FakeConfigHost() = default;

bool FakeConfigHost::ReadSkinFirstLine(const std::string& archivePath, std::string& firstLine,
                                       QImage* preview) {
    // A test skin is a file whose first line is the skin's name; an empty file is a broken skin.
    std::ifstream file(archivePath);
    if (!std::getline(file, firstLine) || firstLine.empty()) {
        return false;
    }
    if (preview != nullptr) {
        *preview = QImage(8, 6, QImage::Format_RGB32);
        preview->fill(Qt::red);
    }
    return true;
}

bool FakeConfigHost::ApplyFileAssociations(bool force) {
    associations.push_back(force);
    return true;
}

void FakeConfigHost::WriteProgramFile(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = program_ + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string FakeConfigHost::ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
