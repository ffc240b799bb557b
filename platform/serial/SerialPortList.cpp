#include "platform/serial/SerialPortList.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace plat::serial {

namespace {

constexpr std::array<std::string_view, 3> Families = {"ttyS", "ttyUSB", "ttyACM"};

struct Found {
    std::size_t Family;
    unsigned Number;
    std::string Name;
};

// The family index and number of a name like "ttyUSB3"; false for any other name.
bool Classify(std::string_view name, std::size_t& family, unsigned& number) {
    for (std::size_t i = 0; i < Families.size(); ++i) {
        if (!name.starts_with(Families[i]) || name.size() == Families[i].size()) {
            continue;
        }
        const std::string_view digits = name.substr(Families[i].size());
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size()) {
            family = i;
            return true;
        }
    }
    return false;
}

// The serial core registers every possible built-in port; only those whose "type" names a UART
// (not 0, "unknown") have hardware behind them.
bool HasUart(const std::filesystem::path& entry) {
    std::ifstream file(entry / "type");
    int type = 0;
    return file >> type && type != 0;
}

} // namespace

std::vector<std::string> ListSerialPorts(const std::string& sysRoot) {
    namespace fs = std::filesystem;
    std::vector<Found> found;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(sysRoot) / "class" / "tty", error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::size_t family = 0;
        unsigned number = 0;
        std::error_code missing;
        if (!Classify(name, family, number) || !fs::exists(it->path() / "device", missing)) {
            continue;
        }
        if (family == 0 && !HasUart(it->path())) {
            continue;
        }
        found.push_back({family, number, name});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.Family != b.Family ? a.Family < b.Family : a.Number < b.Number;
    });
    std::vector<std::string> ports;
    ports.reserve(found.size());
    for (const Found& port : found) {
        ports.push_back("/dev/" + port.Name);
    }
    return ports;
}

} // namespace plat::serial
