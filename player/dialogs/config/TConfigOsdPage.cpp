#include "player/dialogs/config/TConfigOsdPage.h"

#include "player/dialogs/config/ConfigWidgets.h"
#include "player/dialogs/config/TColorSwatch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

using namespace ConfigWidgets;

TConfigOsdPage::TConfigOsdPage(IConfigChoosers& choosers, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Pg_OSD"));
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    BuildMessages(choosers);
    BuildPlaces();
    BuildHints(choosers);
    grid->setRowStretch(grid->rowCount(), 1);
}

void TConfigOsdPage::BuildMessages(IConfigChoosers& choosers) {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(Check(this, "Ch_OSDOn", tr("Enable On Screen Display")), 0, 0, 1, 2);
    auto* time = new QHBoxLayout;
    time->addWidget(new QLabel(tr("Display for "), this));
    time->addWidget(Spin(this, "Ud_OSDTime"));
    time->addWidget(new QLabel(tr("second(s)"), this));
    time->addStretch();
    grid->addLayout(time, 1, 0, 1, 2);

    auto* fontName = Label(this, "Lb_OSDFont", {});
    auto* fontSize = Label(this, "Lb_OSDFontSize", {});
    auto* bold = Toggle(this, "Bt_OSDBold", tr("B"));
    auto* italic = Toggle(this, "Bt_OSDItalic", tr("I"));
    const auto chooseFont = [this, &choosers, fontName, fontSize, bold, italic] {
        ChooseFontInto(choosers, *fontName, *fontSize, *bold, *italic);
        update();
    };
    OnClick(fontName, chooseFont);
    OnClick(fontSize, chooseFont);
    auto* colour = new TColorSwatch(QStringLiteral("Sh_OSDFontColor"), this);
    auto* colourLabel = Link(this, "Lb_OSDFontColor", tr("Color"));
    const auto chooseColour = [&choosers, colour] { ChooseColourInto(choosers, *colour); };
    connect(colour, &TColorSwatch::clicked, this, chooseColour);
    OnClick(colourLabel, chooseColour);
    auto* font = new QHBoxLayout;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{fontName, fontSize, bold, italic, colourLabel, colour}) {
        font->addWidget(widget);
    }
    font->addStretch();
    grid->addWidget(new QLabel(tr("Font"), this), 2, 0);
    grid->addLayout(font, 2, 1);

    script_ = Choice(this, "Cb_OSD", {});
    connect(script_, &QComboBox::activated, this, &TConfigOsdPage::scriptFlagChanged);
    grid->addWidget(new QLabel(tr("OSD Script"), this), 3, 0);
    grid->addWidget(script_, 3, 1);
}

void TConfigOsdPage::BuildPlaces() {
    auto* grid = static_cast<QGridLayout*>(layout());
    // The chosen place in 0xFFFF00, the others in 0xFF8080 (blue-green-red).
    const QString look = QStringLiteral("QToolButton { background: #8080FF; border: 1px solid gray; }"
                                        "QToolButton:checked { background: #00FFFF; }");
    auto* places = new QGridLayout;
    auto* group = new QButtonGroup(this);
    const struct {
        const char* name;
        int row;
        int column;
    } shapes[] = {
        {"Sh_OSDTl", 0, 0}, {"Sh_OSDTr", 0, 2}, {"Sh_OSDMid", 1, 1}, {"Sh_OSDBl", 2, 0}, {"Sh_OSDBr", 2, 2}};
    for (const auto& shape : shapes) {
        auto* button = Toggle(this, shape.name, {});
        button->setStyleSheet(look);
        button->setFixedSize(24, 16);
        group->addButton(button);
        places->addWidget(button, shape.row, shape.column);
    }
    grid->addWidget(new QLabel(tr("Select the OSD position"), this), 4, 0);
    grid->addLayout(places, 4, 1, Qt::AlignLeft);

    auto* margins = new QHBoxLayout;
    margins->addWidget(new QLabel(tr("L"), this));
    margins->addWidget(Spin(this, "Ud_OSDMarginL"));
    margins->addWidget(new QLabel(tr("R"), this));
    margins->addWidget(Spin(this, "Ud_OSDMarginR"));
    margins->addWidget(new QLabel(tr("V"), this));
    margins->addWidget(Spin(this, "Ud_OSDMarginV"));
    margins->addStretch();
    grid->addWidget(new QLabel(tr("OSD Margin"), this), 5, 0);
    grid->addLayout(margins, 5, 1);
}

void TConfigOsdPage::BuildHints(IConfigChoosers& choosers) {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(Check(this, "Ch_ShowHint", tr("Enable Hints")), 6, 0, 1, 2);
    auto* colour = new TColorSwatch(QStringLiteral("Sh_HintColor"), this);
    auto* select = Button(this, "Bt_HintColor", tr("Select..."));
    const auto chooseColour = [&choosers, colour] { ChooseColourInto(choosers, *colour); };
    connect(select, &QPushButton::clicked, this, chooseColour);
    connect(colour, &TColorSwatch::clicked, this, chooseColour);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colour);
    colourRow->addWidget(select);
    colourRow->addStretch();
    grid->addWidget(new QLabel(tr("Hints color"), this), 7, 0);
    grid->addLayout(colourRow, 7, 1);
    const struct {
        const char* name;
        QString before;
    } delays[] = {{"Ud_HintShowTime", tr("Time before display ")}, {"Ud_HintShowFor", tr("Display for ")}};
    int row = 8;
    for (const auto& delay : delays) {
        auto* line = new QHBoxLayout;
        line->addWidget(Spin(this, delay.name));
        line->addWidget(new QLabel(tr("millisecond(s)"), this));
        line->addStretch();
        grid->addWidget(new QLabel(delay.before, this), row, 0);
        grid->addLayout(line, row++, 1);
    }
    grid->addWidget(new QLabel(tr("Tip of the Day"), this), row, 0);
    grid->addWidget(Check(this, "Ch_TipsMain", tr("When Tovrin start")), row, 1);
}
