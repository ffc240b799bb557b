#include "platform/serial/PortNames.h"

#include <charconv>

namespace plat::serial {

namespace {

constexpr std::string_view BuiltInPrefix = "/dev/ttyS";
// COM numbers stay well inside what a device minor number can name.
constexpr int LargestComNumber = 4096;

// A decimal number from 1 to LargestComNumber that fills the whole text, else 0.
int PositiveNumber(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return 0;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > LargestComNumber) {
        return 0;
    }
    return value;
}

// Letters, digits and the punctuation of device names (by-id links use "-_.:+@,="): nothing that
// needs quoting in a settings file.
bool IsNameText(std::string_view step) {
    for (const char c : step) {
        const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alphanumeric && std::string_view("-_.:+@,=").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string ComDevicePath(int number) {
    if (number < 1) {
        return {};
    }
    return std::string(BuiltInPrefix) + std::to_string(number - 1);
}

int ComNumberOfDevice(std::string_view device) {
    if (!device.starts_with(BuiltInPrefix)) {
        return 0;
    }
    const std::string_view index = device.substr(BuiltInPrefix.size());
    if (index == "0") {
        return 1;
    }
    if (index.starts_with('0')) {
        return 0;
    }
    const int number = PositiveNumber(index);
    return number == 0 || number >= LargestComNumber ? 0 : number + 1;
}

int ParseComName(std::string_view name) {
    if (name.size() < 4) {
        return 0;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if ((name[i] | 0x20) != "com"[i]) {
            return 0;
        }
    }
    return PositiveNumber(name.substr(3));
}

bool IsDevicePath(std::string_view path) {
    if (!path.starts_with("/dev/") || path.size() == 5) {
        return false;
    }
    std::string_view rest = path.substr(5);
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view step = rest.substr(0, slash);
        if (step.empty() || step == "." || step == ".." || !IsNameText(step)) {
            return false;
        }
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    return path.back() != '/';
}

} // namespace plat::serial
