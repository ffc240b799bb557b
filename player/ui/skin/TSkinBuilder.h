#pragma once
// Builds the skin's windows and widgets from the records of its script, in their order: each value
// goes to its column, columns a kind does not know drop theirs, bitmaps come from the package.
#include "player/ui/skin/SkinObjectRecord.h"

#include <string>

class ISkinActionSink;
class QWidget;
class THoverButton;
class TSkinForm;
class TSkinLabel;
class TSkinPackage;
class TSkinScript;

class TSkinBuilder {
public:
    TSkinBuilder(TSkinScript& skin, ISkinActionSink& sink, const TSkinPackage& package);

    void Build(const SkinObjectRecord& record);

private:
    void BuildForm(const SkinObjectRecord& record);
    void BuildButton(const SkinObjectRecord& record, bool speed);
    void BuildLabel(const SkinObjectRecord& record);
    void BuildSeekBar(const SkinObjectRecord& record);
    void BuildFullScreenSwap(const SkinObjectRecord& record);

    void NameForm(TSkinForm& form, const std::string& value);
    void ApplyButtonColumn(THoverButton& button, const SkinColumnValue& value, bool speed);
    void ApplyAction(THoverButton& button, const std::string& value, bool speed);
    // Top, Left, Width and Height; false for another column.
    static bool ApplyPlace(QWidget& widget, const SkinColumnValue& value);
    // Font, FontSize, FontBold and FontItalic; false for another column.
    static bool ApplyFont(QWidget& widget, const SkinColumnValue& value);
    void ApplyLabelColumn(TSkinLabel& label, const SkinColumnValue& value);

    TSkinScript& skin_;
    ISkinActionSink& sink_;
    const TSkinPackage& package_;
    TSkinForm* current_ = nullptr;
};
