#include "player/scripting/remote/PluginAnswerCopy.h"

#include <algorithm>
#include <cstddef>

int32_t CopyPluginAnswer(std::u16string_view answer, char16_t* buffer, int32_t capacity) {
    if (capacity < static_cast<int32_t>(sizeof(char16_t))) {
        return 0;
    }
    const auto room = static_cast<std::size_t>(capacity) / sizeof(char16_t) - 1;
    const std::size_t units = std::min(answer.size(), room);
    if (buffer != nullptr) {
        std::copy_n(answer.data(), units, buffer);
        buffer[units] = u'\0';
    }
    return static_cast<int32_t>((units + 1) * sizeof(char16_t));
}
