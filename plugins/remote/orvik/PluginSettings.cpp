#include "plugins/remote/orvik/PluginSettings.h"

#include "foundation/FileIo.h"
#include "foundation/TXml.h"
#include "foundation/XmlText.h"
#include "platform/serial/PortNames.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"

#include <cstdio>

namespace orvik {

bool PluginSettings::SetPort(int port) {
    if (plat::serial::ComDevicePath(port).empty()) {
        return false;
    }
    Port_ = port;
    Device_.clear();
    return true;
}

bool PluginSettings::SetDevice(const std::string& device) {
    if (!plat::serial::IsDevicePath(device)) {
        return false;
    }
    Device_ = device;
    return true;
}

std::string PluginSettings::DevicePath() const {
    return Device_.empty() ? plat::serial::ComDevicePath(Port_) : Device_;
}

std::string PluginSettings::PortName() const {
    return Device_.empty() ? "COM" + std::to_string(Port_) : Device_;
}

bool PluginSettings::SetPortName(const std::string& name) {
    const int number = plat::serial::ParseComName(name);
    return number != 0 ? SetPort(number) : SetDevice(name);
}

std::string PluginSettings::PortNameOf(const std::string& device) {
    const int number = plat::serial::ComNumberOfDevice(device);
    return number != 0 ? "COM" + std::to_string(number) : device;
}

bool PluginSettings::Read(const std::string& folder) {
    std::u16string text;
    if (!ReadTextFileW(plat::text::AnsiToWide(folder + FileName).c_str(), text)) {
        return false;
    }
    Parse(text);
    return true;
}

void PluginSettings::Parse(const std::u16string& text) {
    TXml document;
    document.Parse(text);
    TXmlNode* config = nullptr;
    if (!document.First() || document.Current->FindChildA("IRMANCONFIG", config) != 1) {
        return;
    }
    int port = Port_;
    std::string device = Device_;
    for (bool more = config->Children.First(); more; more = config->Children.Next()) {
        const TXmlNode& item = *config->Children.Current;
        if (!item.Name || !item.Text) {
            continue;
        }
        if (plat::text::EqualsNoCase(item.Name.get(), u"COMPORT")) {
            const int number = XmlNumber(item.Text.get());
            port = plat::serial::ComDevicePath(number).empty() ? port : number;
        } else if (plat::text::EqualsNoCase(item.Name.get(), u"DEVICE")) {
            const std::string text = plat::text::WideToAnsi(item.Text.get());
            device = plat::serial::IsDevicePath(text) ? text : device;
        }
    }
    Port_ = port;
    Device_ = device;
}

bool PluginSettings::Write(const std::string& folder) const {
    char line[64] = {};
    std::string text = "<CONFIG>\r\n   <IRMANCONFIG>\r\n";
    std::snprintf(line, sizeof line, "      <COMPORT>%d</COMPORT>\r\n", Port_);
    text += line;
    if (!Device_.empty()) {
        text += "      <DEVICE>" + Device_ + "</DEVICE>\r\n";
    }
    text += "   </IRMANCONFIG>\r\n</CONFIG>\r\n";
    text.append(2, '\0');
    return fileio::WriteWholeFile((folder + FileName).c_str(), text.data(), text.size());
}

} // namespace orvik
