#pragma once
// The subtitle Properties page ("Pg_StyleOverride"): the default style (font, colours, border,
// margins, alignment) and the overrides applied to every style (shadow, outline, outline method).
// "Disable Shadows" stands for a shadow of 0 and is on only while shadows are overridden; the
// outline controls follow the same rules.
#include <QWidget>

class IConfigChoosers;
class QAbstractButton;
class QCheckBox;
class QSpinBox;

class TConfigStylePage : public QWidget {
    Q_OBJECT
public:
    TConfigStylePage(IConfigChoosers& choosers, QWidget* parent = nullptr);

    // After the controls were filled: each "Disable" box from its value, then the enabling rules.
    void ApplyRules();

private:
    // One override: its box, its "Disable" box, its label and value.
    struct Override {
        QCheckBox* Force;
        QCheckBox* Disable;
        QWidget* Label;
        QSpinBox* Value;
    };

    void BuildFont(IConfigChoosers& choosers);
    void BuildColours(IConfigChoosers& choosers);
    void BuildBorderAndMargins();
    void BuildAlignment();
    Override BuildOverride(const char* force, const QString& forceText, const char* disable,
                           const QString& disableText, const char* value, int row);
    void BuildOverrides();
    static void OverrideRules(const Override& item);

    Override shadow_{};
    Override outline_{};
};
