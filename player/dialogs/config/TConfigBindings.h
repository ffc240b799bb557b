#pragma once
// The binding table of the settings dialog's plain pages (interface, directories, on-screen display,
// hints, tips and subtitle defaults): which control shows which settings field, with the control's
// limits. The table works on any form that holds controls of those names.
#include "player/dialogs/config/TConfigBinding.h"

#include <string_view>
#include <vector>

class QWidget;
struct Tag_PlayerConfig;
struct Tag_VokradConfig;
struct THintValues;
struct TSubtitleStyleRecord;

// The records the plain pages edit.
struct TConfigRecords {
    Tag_VokradConfig& Vokrad;
    Tag_PlayerConfig& Player;
    TSubtitleStyleRecord& DefaultStyle;
    THintValues& Hints;
};

class TConfigBindings {
public:
    // Longest text of a folder field, in bytes.
    static constexpr std::int32_t kFolderBytes = 259;
    // Scan speeds shown by the dialog (the first is fixed at 1).
    static constexpr int kShownSeekSpeeds = 8;

    static std::vector<TConfigBinding> Table(TConfigRecords records);

    // The names of the controls the table needs and the form lacks (the form is then incomplete).
    static std::vector<std::string_view> Missing(const std::vector<TConfigBinding>& table,
                                                 const QWidget& form);
    // Gives each control its limits (spin ranges, text lengths).
    static void SetLimits(const std::vector<TConfigBinding>& table, QWidget& form);
    static void ToControls(const std::vector<TConfigBinding>& table, QWidget& form);
    static void FromControls(const std::vector<TConfigBinding>& table, const QWidget& form);
};
