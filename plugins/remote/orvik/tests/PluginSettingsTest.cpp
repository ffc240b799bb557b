#include "plugins/remote/orvik/PluginSettings.h"

#include "plugins/remote/orvik/tests/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orvik {
namespace {

using namespace std::string_literals;

std::string Utf16WithMark(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class PluginSettingsTest : public ::testing::Test {
protected:
    void WriteFile(const std::string& bytes) {
        std::ofstream(Folder.Name() + PluginSettings::FileName, std::ios::binary) << bytes;
    }

    testing::TempFolder Folder;
    PluginSettings Settings;
};

TEST_F(PluginSettingsTest, AMissingFileKeepsComOne) {
    EXPECT_FALSE(Settings.Read(Folder.Name()));
    EXPECT_EQ(1, Settings.Port());
    EXPECT_EQ("/dev/ttyS0", Settings.DevicePath());
}

TEST_F(PluginSettingsTest, FilesAreReadTolerantly) {
    const struct {
        const char* What;
        std::string Bytes;
        int Port;
        const char* Device;
    } cases[] = {
        {"as written",
         "<CONFIG>\r\n   <IRMANCONFIG>\r\n      <COMPORT>3</COMPORT>\r\n   </IRMANCONFIG>\r\n</CONFIG>\r\n",
         3, ""},
        {"UTF-16 with its mark",
         Utf16WithMark("<CONFIG><IRMANCONFIG><COMPORT>4</COMPORT></IRMANCONFIG></CONFIG>"), 4, ""},
        {"any root, any case, unknown elements",
         "<Whatever><irmanconfig><PORT>7</PORT><Speed>9</Speed><comport>2</comport></irmanconfig></Whatever>",
         2, ""},
        {"the last port wins", "<C><IRMANCONFIG><COMPORT>2</COMPORT><COMPORT>5</COMPORT></IRMANCONFIG></C>",
         5, ""},
        {"outside the block", "<CONFIG><COMPORT>3</COMPORT><IRMANCONFIG></IRMANCONFIG></CONFIG>", 1, ""},
        {"only the first block", "<C><IRMANCONFIG/><IRMANCONFIG><COMPORT>3</COMPORT></IRMANCONFIG></C>", 1,
         ""},
        {"ports that are none",
         "<C><IRMANCONFIG><COMPORT>6</COMPORT><COMPORT>0</COMPORT><COMPORT>-2</COMPORT><COMPORT>x</COMPORT>"
         "<COMPORT></COMPORT></IRMANCONFIG></C>",
         6, ""},
        {"a USB receiver",
         "<C><IRMANCONFIG><COMPORT>2</COMPORT><DEVICE>/dev/ttyUSB0</DEVICE></IRMANCONFIG></C>", 2,
         "/dev/ttyUSB0"},
        {"a device outside /dev",
         "<C><IRMANCONFIG><DEVICE>/etc/passwd</DEVICE><DEVICE>/dev/../etc/passwd</DEVICE></IRMANCONFIG></C>",
         1, ""},
        {"not XML", "\x00\x01<<<>>>&&\xFF"s, 1, ""},
        {"empty", "", 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        PluginSettings settings;
        WriteFile(c.Bytes);
        EXPECT_TRUE(settings.Read(Folder.Name()));
        EXPECT_EQ(c.Port, settings.Port());
        EXPECT_EQ(c.Device, settings.Device());
    }
}

TEST_F(PluginSettingsTest, TheFileIsWrittenExactly) {
    ASSERT_TRUE(Settings.SetPort(3));
    ASSERT_TRUE(Settings.Write(Folder.Name()));
    const std::string expected =
        "<CONFIG>\r\n   <IRMANCONFIG>\r\n      <COMPORT>3</COMPORT>\r\n   </IRMANCONFIG>\r\n</CONFIG>\r\n\0\0"s;
    EXPECT_EQ(expected, ReadBytes(Folder.Name() + PluginSettings::FileName));
}

TEST_F(PluginSettingsTest, ADevicePathGetsALineOfItsOwnAndReadsBack) {
    ASSERT_TRUE(Settings.SetPort(2));
    ASSERT_TRUE(Settings.SetDevice("/dev/ttyACM1"));
    ASSERT_TRUE(Settings.Write(Folder.Name()));
    const std::string expected =
        "<CONFIG>\r\n   <IRMANCONFIG>\r\n      <COMPORT>2</COMPORT>\r\n"
        "      <DEVICE>/dev/ttyACM1</DEVICE>\r\n   </IRMANCONFIG>\r\n</CONFIG>\r\n\0\0"s;
    EXPECT_EQ(expected, ReadBytes(Folder.Name() + PluginSettings::FileName));
    PluginSettings again;
    ASSERT_TRUE(again.Read(Folder.Name()));
    EXPECT_EQ(2, again.Port());
    EXPECT_EQ("/dev/ttyACM1", again.DevicePath());
    EXPECT_EQ("/dev/ttyACM1", again.PortName());
}

TEST_F(PluginSettingsTest, AFailedWriteIsReported) {
    EXPECT_FALSE(Settings.Write(Folder.Name() + "missing/"));
}

TEST_F(PluginSettingsTest, PortNamesOfTheDialog) {
    const struct {
        const char* Name;
        bool Taken;
        int Port;
        const char* Device;
    } cases[] = {{"COM4", true, 4, ""},   {"com2", true, 2, ""},  {"/dev/ttyUSB3", true, 1, "/dev/ttyUSB3"},
                 {"", false, 1, ""},      {"COM0", false, 1, ""}, {"LPT1", false, 1, ""},
                 {"/tmp/x", false, 1, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        PluginSettings settings;
        EXPECT_EQ(c.Taken, settings.SetPortName(c.Name));
        EXPECT_EQ(c.Port, settings.Port());
        EXPECT_EQ(c.Device, settings.Device());
    }
    EXPECT_EQ("COM1", PluginSettings::PortNameOf("/dev/ttyS0"));
    EXPECT_EQ("/dev/ttyUSB0", PluginSettings::PortNameOf("/dev/ttyUSB0"));
    PluginSettings usb;
    ASSERT_TRUE(usb.SetDevice("/dev/ttyUSB0"));
    ASSERT_TRUE(usb.SetPortName("COM3"));
    EXPECT_EQ("", usb.Device()) << "a COM port replaces the device path";
}

} // namespace
} // namespace orvik
