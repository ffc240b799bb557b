#include "player/dialogs/config/TConfigStylePage.h"

#include "player/dialogs/config/ConfigWidgets.h"
#include "player/dialogs/config/TColorSwatch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

using namespace ConfigWidgets;

TConfigStylePage::TConfigStylePage(IConfigChoosers& choosers, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Pg_StyleOverride"));
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    BuildFont(choosers);
    BuildColours(choosers);
    BuildBorderAndMargins();
    BuildAlignment();
    BuildOverrides();
    grid->setRowStretch(grid->rowCount(), 1);
    ApplyRules();
}

void TConfigStylePage::BuildFont(IConfigChoosers& choosers) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* face = Label(this, "Lb_FontFace", {});
    auto* size = Label(this, "Lb_FontSize", {});
    auto* encoding = Label(this, "Lb_Encoding", QStringLiteral("0"));
    encoding->hide();
    auto* select = Button(this, "Bt_FontSelect", tr("Select..."));
    auto* bold = Toggle(this, "Bt_Bold", tr("B"));
    auto* italic = Toggle(this, "Bt_Italic", tr("I"));
    // The character set number of Lb_Encoding has no place in a font here: it is kept as it is.
    connect(select, &QPushButton::clicked, this, [&choosers, face, size, bold, italic] {
        ChooseFontInto(choosers, *face, *size, *bold, *italic);
    });
    OnClick(face, [select] { select->click(); });
    OnClick(size, [select] { select->click(); });
    auto* row = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{face, size, select, bold, italic}) {
        row->addWidget(widget);
    }
    row->addStretch();
    grid->addWidget(new QLabel(tr("Font"), this), 0, 0);
    grid->addLayout(row, 0, 1);
}

void TConfigStylePage::BuildColours(IConfigChoosers& choosers) {
    auto* grid = static_cast<QGridLayout*>(layout());
    const struct {
        const char* shape;
        const char* label;
        QString text;
        QString number;
    } colours[] = {
        {"Sh_PriCol", "Lb_DefPri", tr("Primary color"), QStringLiteral(" 1 ")},
        {"Sh_SecCol", "Lb_DefSec", tr("Secondary color"), QStringLiteral(" 2 ")},
        {"Sh_TriCol", "Lb_DefTer", tr("Tertiary color "), QStringLiteral(" 3 ")},
        {"Sh_BackCol", "Lb_DefBack", tr("Back color"), {}},
    };
    auto* row = new QHBoxLayout;
    for (const auto& colour : colours) {
        auto* swatch = new TColorSwatch(QString::fromLatin1(colour.shape), this);
        auto* label = Link(this, colour.label, colour.text + colour.number);
        const auto choose = [&choosers, swatch] { ChooseColourInto(choosers, *swatch); };
        connect(swatch, &TColorSwatch::clicked, this, choose);
        OnClick(label, choose);
        row->addWidget(label);
        row->addWidget(swatch);
    }
    row->addStretch();
    grid->addLayout(row, 1, 0, 1, 2);
}

void TConfigStylePage::BuildBorderAndMargins() {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* border = new QHBoxLayout;
    border->addWidget(Choice(this, "Co_BorderStyle", {tr("None"), tr("Outline & Shadow"), tr("Opaque box")}));
    border->addWidget(new QLabel(tr("Outline :"), this));
    border->addWidget(Spin(this, "Ud_Outline"));
    border->addWidget(new QLabel(tr("Shadow :"), this));
    border->addWidget(Spin(this, "Ud_Shadow"));
    border->addStretch();
    grid->addWidget(new QLabel(tr("Border style"), this), 2, 0);
    grid->addLayout(border, 2, 1);

    auto* margins = new QHBoxLayout;
    margins->addWidget(new QLabel(tr("L :"), this));
    margins->addWidget(Spin(this, "Ud_LeftMargin"));
    margins->addWidget(new QLabel(tr("R :"), this));
    margins->addWidget(Spin(this, "Ud_RightMargin"));
    margins->addWidget(new QLabel(tr("V :"), this));
    margins->addWidget(Spin(this, "Ud_VertMargin"));
    margins->addStretch();
    grid->addWidget(new QLabel(tr("Margins"), this), 3, 0);
    grid->addLayout(margins, 3, 1);
}

void TConfigStylePage::BuildAlignment() {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* row = new QHBoxLayout;
    const struct {
        QString caption;
        std::initializer_list<std::pair<const char*, QString>> buttons;
    } sets[] = {
        {tr("H:"), {{"Bt_Left", tr("Left")}, {"Bt_Center", tr("Center")}, {"Bt_Right", tr("Right")}}},
        {tr("V:"), {{"Bt_Top", tr("Top")}, {"Bt_Mid", tr("Middle")}, {"Bt_Sub", tr("Bottom")}}},
    };
    for (const auto& set : sets) {
        row->addWidget(new QLabel(set.caption, this));
        auto* group = new QButtonGroup(this);
        for (const auto& [name, text] : set.buttons) {
            auto* button = Toggle(this, name, text);
            group->addButton(button);
            row->addWidget(button);
        }
    }
    row->addStretch();
    grid->addWidget(new QLabel(tr("Alignment "), this), 4, 0);
    grid->addLayout(row, 4, 1);
}

TConfigStylePage::Override TConfigStylePage::BuildOverride(const char* force, const QString& forceText,
                                                           const char* disable, const QString& disableText,
                                                           const char* value, int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    Override item{Check(this, force, forceText), Check(this, disable, disableText), nullptr,
                  Spin(this, value)};
    item.Label = new QLabel(row == 0 ? tr("Shadow :") : tr("Outline :"), this);
    auto* line = new QHBoxLayout;
    line->addWidget(item.Force);
    line->addWidget(item.Label);
    line->addWidget(item.Value);
    line->addWidget(item.Disable);
    line->addStretch();
    grid->addLayout(line, 6 + row, 0, 1, 2);
    connect(item.Force, &QCheckBox::toggled, this, [item] { OverrideRules(item); });
    connect(item.Disable, &QCheckBox::toggled, this, [item](bool disabled) {
        if (disabled) {
            item.Value->setValue(0);
        }
        OverrideRules(item);
    });
    return item;
}

void TConfigStylePage::BuildOverrides() {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(Check(this, "Ch_UseScriptDef", tr("Use script default style if available")), 5, 0, 1, 2);
    shadow_ = BuildOverride("Ch_ForceShadow", tr("Override shadow"), "Ch_DisableShadows",
                            tr("Disable Shadows"), "Ud_OverShadow", 0);
    outline_ = BuildOverride("Ch_ForceOutline", tr("Override outline"), "Ch_DisableOutlines",
                             tr("Disable Outlines"), "Ud_OverOutline", 1);
    auto* methods = new QGridLayout;
    const struct {
        const char* name;
        QString text;
        QString note;
    } radios[] = {
        {"Rb_CalcOutlines", tr("Calculated Outlines"), tr("Alternate method")},
        {"Rb_FastOutlines", tr("Fast Outlines"), tr("Very Fast , some visual glitchs")},
        {"Rb_BestOutlines", tr("Precalculated Outlines"), tr("Recomended Method")},
    };
    int line = 0;
    for (const auto& radio : radios) {
        methods->addWidget(Radio(this, radio.name, radio.text), line, 0);
        methods->addWidget(new QLabel(radio.note, this), line++, 1);
    }
    grid->addLayout(methods, 8, 0, 1, 2);
    auto* force = new QHBoxLayout;
    force->addWidget(Check(this, "Ch_ForceSubs", tr("Force subtitles to appear on video")));
    force->addWidget(Check(this, "Ch_OnlyInWindow", tr("only in window")));
    force->addStretch();
    grid->addLayout(force, 9, 0, 1, 2);
}

void TConfigStylePage::ApplyRules() {
    for (const Override* item : {&shadow_, &outline_}) {
        item->Disable->setChecked(item->Value->value() == 0);
        OverrideRules(*item);
    }
}

void TConfigStylePage::OverrideRules(const Override& item) {
    const bool forced = item.Force->isChecked();
    item.Disable->setEnabled(forced);
    const bool valueOn = forced && !item.Disable->isChecked();
    item.Label->setEnabled(valueOn);
    item.Value->setEnabled(valueOn);
}
