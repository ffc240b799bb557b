#include "RecordingSkinSink.h"

#include "player/ui/skin/TSkinScript.h"

#include <QWidget>

int RecordingSkinSink::FindActionByCommand(const std::string& command, std::string& argument) {
    static const std::map<std::string, int> kCommands = {
        {"Play", kPlay},
        {"Pause", kPause},
        {"Stop", kStop},
        {"Quit", kQuitAction},
        {"EnterDVDMode", kEnterDvdMode},
        {"EnterFileMode", kEnterFileMode},
        {"FormOpen", 20},
        {"FormSwap", 21},
    };
    const std::size_t open = command.find('(');
    const std::string name = command.substr(0, open);
    argument.clear();
    if (open != std::string::npos) {
        const std::size_t close = command.find(')', open);
        argument =
            command.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    }
    for (const auto& [known, id] : kCommands) {
        if (QString::fromStdString(known).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0) {
            return id;
        }
    }
    return kNoAction;
}

bool RecordingSkinSink::MouseWheel(bool down, Qt::KeyboardModifiers, QPoint) {
    wheels.push_back(down);
    return true;
}

void RecordingSkinSink::FormToggleClick(QObject* sender) {
    if (skin != nullptr) {
        skin->RunFormToggle(sender);
    }
}

void RecordingSkinSink::FormSwitchClick(QObject* sender) {
    if (skin != nullptr) {
        skin->RunFormSwitch(sender);
    }
}

void RecordingSkinSink::LoadFormPosition(QWidget& form) {
    positionLoads.push_back(form.objectName().toStdString());
}

void RecordingSkinSink::SaveFormPosition(const QWidget& form) {
    positionSaves.push_back(form.objectName().toStdString());
}
