#include "player/dialogs/config/TConfigBindings.h"

#include "player/dialogs/config/TColorSwatch.h"
#include "player/model/settings/THintValues.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

namespace {

using Kind = TConfigBinding::Kind;

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };

std::int32_t NumberOf(const TConfigBinding::Field& field) {
    return std::visit(Overloaded{[](bool* value) { return *value ? 1 : 0; },
                                 [](std::int32_t* value) { return *value; },
                                 [](std::uint8_t* value) { return static_cast<std::int32_t>(*value); },
                                 [](std::uint32_t* value) { return static_cast<std::int32_t>(*value); },
                                 [](std::string*) { return 0; }, [](TWideField) { return 0; }},
                      field);
}

void SetNumber(const TConfigBinding::Field& field, std::int32_t number) {
    std::visit(Overloaded{[number](bool* value) { *value = number != 0; },
                          [number](std::int32_t* value) { *value = number; },
                          [number](std::uint8_t* value) { *value = static_cast<std::uint8_t>(number); },
                          [number](std::uint32_t* value) { *value = static_cast<std::uint32_t>(number); },
                          [](std::string*) {}, [](TWideField) {}},
               field);
}

QString TextOf(const TConfigBinding::Field& field) {
    if (auto* const* text = std::get_if<std::string*>(&field)) {
        return QString::fromStdString(**text);
    }
    if (const auto* wide = std::get_if<TWideField>(&field)) {
        const std::u16string_view units(wide->Data, std::char_traits<char16_t>::length(wide->Data));
        return QString::fromStdU16String(std::u16string(units));
    }
    return QString::number(NumberOf(field));
}

// How many units of the text fit in `maxUnits` without splitting a surrogate pair.
std::size_t WideCutLength(const std::u16string& text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) {
        return text.size();
    }
    const bool splitsPair = maxUnits > 0 && text[maxUnits - 1] >= 0xD800 && text[maxUnits - 1] <= 0xDBFF;
    return splitsPair ? maxUnits - 1 : maxUnits;
}

void SetText(const TConfigBinding::Field& field, const QString& text) {
    if (auto* const* target = std::get_if<std::string*>(&field)) {
        **target = text.toStdString();
    } else if (const auto* wide = std::get_if<TWideField>(&field)) {
        const std::u16string units = text.toStdU16String();
        const std::size_t count = WideCutLength(units, wide->Units - 1);
        std::copy_n(units.data(), count, wide->Data);
        wide->Data[count] = u'\0';
    } else {
        bool valid = false;
        const std::int32_t number = text.toInt(&valid);
        if (valid) {
            SetNumber(field, number);
        }
    }
}

template <class Control> Control* Find(const QWidget& form, std::string_view name) {
    return form.findChild<Control*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

// Unchecks every button of an exclusive set (its group refuses that while exclusive).
void UncheckAll(const QWidget& form, const TConfigBinding& binding) {
    for (const auto& [name, value] : binding.Buttons) {
        if (auto* button = Find<QAbstractButton>(form, name)) {
            QButtonGroup* group = button->group();
            const bool exclusive = group != nullptr && group->exclusive();
            const bool autoExclusive = button->autoExclusive();
            if (group != nullptr) {
                group->setExclusive(false);
            }
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(autoExclusive);
            if (group != nullptr) {
                group->setExclusive(exclusive);
            }
        }
    }
}

void RadioToControls(const TConfigBinding& binding, QWidget& form) {
    const std::int32_t bits = NumberOf(binding.Value) & binding.Mask;
    const auto& buttons = binding.Buttons;
    auto chosen =
        std::find_if(buttons.begin(), buttons.end(), [bits](const auto& b) { return b.second == bits; });
    if (chosen == buttons.end() && binding.Fallback >= 0) {
        chosen = buttons.begin() + binding.Fallback;
    }
    if (chosen == buttons.end()) {
        UncheckAll(form, binding);
    } else if (auto* button = Find<QAbstractButton>(form, chosen->first)) {
        button->setChecked(true);
    }
}

void RadioFromControls(const TConfigBinding& binding, const QWidget& form) {
    for (const auto& [name, value] : binding.Buttons) {
        const auto* button = Find<QAbstractButton>(form, name);
        if (button != nullptr && button->isChecked()) {
            SetNumber(binding.Value, (NumberOf(binding.Value) & ~binding.Mask) | value);
            return;
        }
    }
}

// The speeds 2 to 8 of the list; the first is fixed.
void AddSeekSpeeds(std::vector<TConfigBinding>& table, Tag_PlayerConfig& player) {
    static constexpr std::string_view kNames[] = {"Ud_SeekSpeed_2", "Ud_SeekSpeed_3", "Ud_SeekSpeed_4",
                                                  "Ud_SeekSpeed_5", "Ud_SeekSpeed_6", "Ud_SeekSpeed_7",
                                                  "Ud_SeekSpeed_8"};
    static_assert(std::size(kNames) + 1 == TConfigBindings::kShownSeekSpeeds);
    for (std::size_t at = 0; at < std::size(kNames); ++at) {
        table.push_back({kNames[at], Kind::Number, &player.SeekSpeeds[at + 1], 0, 20});
    }
}

void AddInterface(std::vector<TConfigBinding>& table, TConfigRecords& r) {
    constexpr std::int32_t path = TConfigBindings::kFolderBytes;
    table.insert(table.end(), {
                                  {"Sh_ColorKey", Kind::Colour, &r.Vokrad.ColorKey},
                                  {"Ch_AutoHideEnable", Kind::Check, &r.Player.AutoHideMouse},
                                  {"Ud_AutoHide", Kind::Number, &r.Player.AutoHideMouseTime, 0, 60},
                                  {"Ch_IsoTools_Enabled", Kind::Check, &r.Player.ISOToolsEnabled},
                                  {"Ed_IsoTools_Directory", Kind::Text, &r.Player.ISOToolsPath, 0, path},
                                  {"Ed_Capture_Directory", Kind::Text, &r.Player.CapturePath, 0, path},
                                  {"Rb_CaptToClipboard",
                                   Kind::Radio,
                                   &r.Player.CaptureToClipboard,
                                   0,
                                   0,
                                   {{"Rb_CaptToFile", 0}, {"Rb_CaptToClipboard", 1}}},
                                  {"Ch_CaptureResize", Kind::Check, &r.Player.ResizeCapture},
                                  {"Ud_CaptResizeX", Kind::Number, &r.Player.CaptureWidth, 1, 9999},
                                  {"Ud_CaptResizeY", Kind::Number, &r.Player.CaptureHeight, 1, 9999},
                                  {"Ch_CaptSavetoJPG", Kind::Check, &r.Player.CaptureAsJPEG},
                                  {"Ud_CaptJPGQuality", Kind::Number, &r.Player.JPGQuality, 1, 100},
                                  {"Cb_MouseWheelFunction", Kind::Index, &r.Player.MouseWheelFunction},
                                  {"Cb_DoubleClickFunction", Kind::Index, &r.Player.DoubleClickFunction},
                                  {"Ch_CheckForUpdates", Kind::Check, &r.Vokrad.CheckForUpdates},
                              });
    AddSeekSpeeds(table, r.Player);
}

void AddDirectories(std::vector<TConfigBinding>& table, TConfigRecords& r) {
    constexpr std::int32_t path = TConfigBindings::kFolderBytes;
    table.insert(table.end(), {
                                  {"Ed_DVDScriptDir", Kind::Text, &r.Vokrad.DVDScriptPath, 0, path},
                                  {"Ed_TimedScriptDir", Kind::Text, &r.Vokrad.TimedScriptPath, 0, path},
                                  {"Ed_MediaFilesDir", Kind::Text, &r.Vokrad.MediaFilesPath, 0, path},
                                  {"Ed_DVDISOFilesDir", Kind::Text, &r.Vokrad.DVDISOFilesPath, 0, path},
                                  {"Ed_PlaylistDir", Kind::Text, &r.Vokrad.PlaylistPath, 0, path},
                              });
}

void AddOsd(std::vector<TConfigBinding>& table, TConfigRecords& r) {
    TSubtitleStyleRecord& osd = r.Player.OSDStyle;
    table.insert(
        table.end(),
        {
            {"Ch_OSDOn", Kind::Check, &r.Player.OSDOn},
            {"Ud_OSDTime", Kind::Number, &r.Player.OSDDuration, 1, 10},
            {"Lb_OSDFont", Kind::Label, TWideField{osd.fontName, kStyleFontNameUnits}},
            {"Lb_OSDFontSize", Kind::Label, &osd.fontSize},
            {"Bt_OSDBold", Kind::Check, &osd.bold},
            {"Bt_OSDItalic", Kind::Check, &osd.italic},
            {"Sh_OSDFontColor", Kind::Colour, &osd.primaryColour},
            {"Sh_OSDTl",
             Kind::Radio,
             &osd.alignment,
             0,
             0,
             {{"Sh_OSDTl", 5}, {"Sh_OSDTr", 7}, {"Sh_OSDMid", 10}, {"Sh_OSDBl", 1}, {"Sh_OSDBr", 3}}},
            {"Ud_OSDMarginL", Kind::Number, &osd.marginL, 0, 300},
            {"Ud_OSDMarginR", Kind::Number, &osd.marginR, 0, 300},
            {"Ud_OSDMarginV", Kind::Number, &osd.marginV, 0, 300},
            {"Ch_ShowHint", Kind::Check, &r.Hints.ShowHints},
            {"Sh_HintColor", Kind::Colour, &r.Hints.Colour},
            {"Ud_HintShowTime", Kind::Number, &r.Hints.PauseMs, 0, 10000},
            {"Ud_HintShowFor", Kind::Number, &r.Hints.HidePauseMs, 0, 10000},
            {"Ch_TipsMain", Kind::Check, &r.Player.TipsAtStart},
        });
}

void AddStyle(std::vector<TConfigBinding>& table, TConfigRecords& r) {
    TSubtitleStyleRecord& style = r.DefaultStyle;
    table.insert(table.end(),
                 {
                     {"Lb_FontFace", Kind::Label, TWideField{style.fontName, kStyleFontNameUnits}},
                     {"Lb_FontSize", Kind::Label, &style.fontSize},
                     {"Lb_Encoding", Kind::Label, &style.encoding},
                     {"Bt_Bold", Kind::Check, &style.bold},
                     {"Bt_Italic", Kind::Check, &style.italic},
                     {"Sh_PriCol", Kind::Colour, &style.primaryColour},
                     {"Sh_SecCol", Kind::Colour, &style.secondaryColour},
                     {"Sh_TriCol", Kind::Colour, &style.tertiaryColour},
                     {"Sh_BackCol", Kind::Colour, &style.backColour},
                     {"Co_BorderStyle", Kind::Index, &style.borderStyle},
                     {"Ud_Outline", Kind::Number, &style.outline, 0, 4},
                     {"Ud_Shadow", Kind::Number, &style.shadow, 0, 4},
                     {"Ud_LeftMargin", Kind::Number, &style.marginL, 0, 2000},
                     {"Ud_RightMargin", Kind::Number, &style.marginR, 0, 2000},
                     {"Ud_VertMargin", Kind::Number, &style.marginV, 0, 2000},
                     {"Bt_Left",
                      Kind::Radio,
                      &style.alignment,
                      0,
                      0,
                      {{"Bt_Left", 1}, {"Bt_Center", 2}, {"Bt_Right", 3}},
                      0x3},
                     {"Bt_Top",
                      Kind::Radio,
                      &style.alignment,
                      0,
                      0,
                      {{"Bt_Top", 4}, {"Bt_Mid", 8}, {"Bt_Sub", 0}},
                      0xC},
                     {"Ch_UseScriptDef", Kind::Check, &r.Vokrad.UseScriptDef},
                     {"Ch_ForceSubs", Kind::Check, &r.Vokrad.ForceSubsOnVideo},
                     {"Ch_OnlyInWindow", Kind::Check, &r.Vokrad.ForceSubsOnVideoOnlyInWindow},
                     {"Ch_ForceShadow", Kind::Check, &r.Vokrad.OverrideDropShadow},
                     {"Ud_OverShadow", Kind::Number, &r.Vokrad.Shadow, 0, 4},
                     {"Ch_ForceOutline", Kind::Check, &r.Vokrad.OverrideOutline},
                     {"Ud_OverOutline", Kind::Number, &r.Vokrad.Outline, 0, 4},
                     {"Rb_BestOutlines",
                      Kind::Radio,
                      &r.Vokrad.OutlineStyle,
                      0,
                      0,
                      {{"Rb_BestOutlines", 4}, {"Rb_CalcOutlines", 1}, {"Rb_FastOutlines", 3}},
                      0xFF,
                      0},
                 });
}

bool HasControl(const QWidget& form, std::string_view name) {
    return Find<QWidget>(form, name) != nullptr;
}

} // namespace

std::vector<TConfigBinding> TConfigBindings::Table(TConfigRecords records) {
    std::vector<TConfigBinding> table;
    AddInterface(table, records);
    AddDirectories(table, records);
    AddOsd(table, records);
    AddStyle(table, records);
    return table;
}

std::vector<std::string_view> TConfigBindings::Missing(const std::vector<TConfigBinding>& table,
                                                       const QWidget& form) {
    std::vector<std::string_view> missing;
    for (const TConfigBinding& binding : table) {
        if (!HasControl(form, binding.Control)) {
            missing.push_back(binding.Control);
        }
        for (const auto& button : binding.Buttons) {
            if (!HasControl(form, button.first)) {
                missing.push_back(button.first);
            }
        }
    }
    return missing;
}

void TConfigBindings::SetLimits(const std::vector<TConfigBinding>& table, QWidget& form) {
    for (const TConfigBinding& binding : table) {
        if (binding.Type == Kind::Number) {
            if (auto* spin = Find<QSpinBox>(form, binding.Control)) {
                spin->setRange(binding.Minimum, binding.Maximum);
            }
        } else if (binding.Type == Kind::Text) {
            if (auto* edit = Find<QLineEdit>(form, binding.Control)) {
                edit->setMaxLength(binding.Maximum);
            }
        }
    }
}

void TConfigBindings::ToControls(const std::vector<TConfigBinding>& table, QWidget& form) {
    for (const TConfigBinding& binding : table) {
        const std::string_view name = binding.Control;
        switch (binding.Type) {
        case Kind::Check:
            if (auto* box = Find<QAbstractButton>(form, name)) {
                box->setChecked(NumberOf(binding.Value) != 0);
            }
            break;
        case Kind::Number:
            if (auto* spin = Find<QSpinBox>(form, name)) {
                spin->setValue(NumberOf(binding.Value));
            }
            break;
        case Kind::Text:
            if (auto* edit = Find<QLineEdit>(form, name)) {
                edit->setText(TextOf(binding.Value));
            }
            break;
        case Kind::Colour:
            if (auto* swatch = Find<TColorSwatch>(form, name)) {
                swatch->SetColour(static_cast<std::uint32_t>(NumberOf(binding.Value)));
            }
            break;
        case Kind::Index:
            if (auto* choice = Find<QComboBox>(form, name)) {
                choice->setCurrentIndex(NumberOf(binding.Value));
            }
            break;
        case Kind::Label:
            if (auto* label = Find<QLabel>(form, name)) {
                label->setText(TextOf(binding.Value));
            }
            break;
        case Kind::Radio:
            RadioToControls(binding, form);
            break;
        }
    }
}

void TConfigBindings::FromControls(const std::vector<TConfigBinding>& table, const QWidget& form) {
    for (const TConfigBinding& binding : table) {
        const std::string_view name = binding.Control;
        switch (binding.Type) {
        case Kind::Check:
            if (const auto* box = Find<QAbstractButton>(form, name)) {
                SetNumber(binding.Value, box->isChecked() ? 1 : 0);
            }
            break;
        case Kind::Number:
            if (const auto* spin = Find<QSpinBox>(form, name)) {
                SetNumber(binding.Value, spin->value());
            }
            break;
        case Kind::Text:
            if (const auto* edit = Find<QLineEdit>(form, name)) {
                SetText(binding.Value, edit->text());
            }
            break;
        case Kind::Colour:
            if (const auto* swatch = Find<TColorSwatch>(form, name)) {
                SetNumber(binding.Value, static_cast<std::int32_t>(swatch->Colour()));
            }
            break;
        case Kind::Index:
            // A stored index the choice does not list is kept.
            if (const auto* choice = Find<QComboBox>(form, name);
                choice != nullptr && choice->currentIndex() >= 0) {
                SetNumber(binding.Value, choice->currentIndex());
            }
            break;
        case Kind::Label:
            if (const auto* label = Find<QLabel>(form, name)) {
                SetText(binding.Value, label->text());
            }
            break;
        case Kind::Radio:
            RadioFromControls(binding, form);
            break;
        }
    }
}
