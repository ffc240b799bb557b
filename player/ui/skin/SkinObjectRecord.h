#pragma once
// One object line of a skin script as read: its kind and the values given to its columns, in the
// order of the column list in force when the line was read.
#include <string>
#include <vector>

enum class SkinObjectKind { Form, SpeedButton, Button, Label, SeekBar, FullScreenSwap };

struct SkinColumnValue {
    std::string column;
    std::string value;
};

struct SkinObjectRecord {
    SkinObjectKind kind = SkinObjectKind::Form;
    int line = 0;
    std::vector<SkinColumnValue> values;
};
