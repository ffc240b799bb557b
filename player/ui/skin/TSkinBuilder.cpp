#include "player/ui/skin/TSkinBuilder.h"

#include "player/ui/skin/ISkinActionSink.h"
#include "player/ui/skin/SkinMask.h"
#include "player/ui/skin/SkinText.h"
#include "player/ui/skin/TSkinPackage.h"
#include "player/ui/skin/TSkinScript.h"
#include "player/ui/skin/buttons/SkinColours.h"

#include <QLabel>
#include <QRegularExpression>

namespace {

QString Text(const std::string& value) {
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

bool Is(const SkinColumnValue& value, std::string_view column) {
    return SkinText::SameText(value.column, column);
}

int Number(const SkinColumnValue& value) {
    return SkinText::Number(value.value);
}

bool Flag(const SkinColumnValue& value) {
    return SkinText::Flag(value.value);
}

void SetWindowColour(QWidget& widget, skincolour::Value colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, SkinColours::ToQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace

TSkinBuilder::TSkinBuilder(TSkinScript& skin, ISkinActionSink& sink, const TSkinPackage& package)
    : skin_(skin), sink_(sink), package_(package) {}

void TSkinBuilder::Build(const SkinObjectRecord& record) {
    if (record.kind != SkinObjectKind::Form && record.kind != SkinObjectKind::FullScreenSwap &&
        current_ == nullptr) {
        return;
    }
    switch (record.kind) {
    case SkinObjectKind::Form:
        BuildForm(record);
        break;
    case SkinObjectKind::SpeedButton:
        BuildButton(record, true);
        break;
    case SkinObjectKind::Button:
        BuildButton(record, false);
        break;
    case SkinObjectKind::Label:
        BuildLabel(record);
        break;
    case SkinObjectKind::SeekBar:
        BuildSeekBar(record);
        break;
    case SkinObjectKind::FullScreenSwap:
        BuildFullScreenSwap(record);
        break;
    }
}

bool TSkinBuilder::ApplyPlace(QWidget& widget, const SkinColumnValue& value) {
    const int number = Number(value);
    if (Is(value, "Top")) {
        widget.move(widget.x(), number);
    } else if (Is(value, "Left")) {
        widget.move(number, widget.y());
    } else if (Is(value, "Width")) {
        widget.resize(number, widget.height());
    } else if (Is(value, "Height")) {
        widget.resize(widget.width(), number);
    } else {
        return false;
    }
    return true;
}

bool TSkinBuilder::ApplyFont(QWidget& widget, const SkinColumnValue& value) {
    QFont font = widget.font();
    if (Is(value, "Font")) {
        font.setFamily(Text(value.value));
    } else if (Is(value, "FontSize")) {
        if (Number(value) > 0) {
            font.setPointSize(Number(value));
        }
    } else if (Is(value, "FontBold")) {
        font.setBold(Flag(value));
    } else if (Is(value, "FontItalic")) {
        font.setItalic(Flag(value));
    } else {
        return false;
    }
    widget.setFont(font);
    return true;
}

// ---- forms ----

void TSkinBuilder::NameForm(TSkinForm& form, const std::string& value) {
    if (SkinText::SameText(value, "MainForm") && skin_.mainForm_ == nullptr) {
        form.setObjectName(QStringLiteral("MainForm"));
        form.SetMainForm(true);
        skin_.mainForm_ = &form;
        sink_.LoadFormPosition(form);
        return;
    }
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    const QString name = Text(value);
    if (!identifier.match(name).hasMatch()) {
        return;
    }
    for (const auto& other : skin_.forms_) {
        if (other.get() != &form && other->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            return;
        }
    }
    form.setObjectName(name);
}

void TSkinBuilder::BuildForm(const SkinObjectRecord& record) {
    skin_.forms_.push_back(std::make_unique<TSkinForm>(sink_));
    TSkinForm& form = *skin_.forms_.back();
    current_ = &form;
    for (const SkinColumnValue& value : record.values) {
        if (Is(value, "Caption")) {
            form.setWindowTitle(Text(value.value));
        } else if (Is(value, "Name")) {
            NameForm(form, value.value);
        } else if (Is(value, "Width")) {
            form.resize(Number(value), form.height());
        } else if (Is(value, "Height")) {
            form.resize(form.width(), Number(value));
        } else if (Is(value, "Mask") && !value.value.empty()) {
            form.SetMaskMode();
            if (const QImage* mask = package_.Bitmap(value.value)) {
                form.SetWindowRegion(SkinMask::BuildMaskRegion(*mask));
            }
        } else if (Is(value, "Background") && !value.value.empty()) {
            if (const QImage* background = package_.Bitmap(value.value)) {
                form.SetBackground(*background);
            }
        } else if (Is(value, "BackgroundColor") && !value.value.empty()) {
            SetWindowColour(form, Number(value));
        } else if (Is(value, "InVideo")) {
            SkinAnchor anchor = SkinAnchor::None;
            if (SkinText::SameText(value.value, "TopLeft")) {
                anchor = SkinAnchor::TopLeft;
            } else if (SkinText::SameText(value.value, "TopRight")) {
                anchor = SkinAnchor::TopRight;
            } else if (SkinText::SameText(value.value, "BottomLeft")) {
                anchor = SkinAnchor::BottomLeft;
            } else if (SkinText::SameText(value.value, "BottomRight")) {
                anchor = SkinAnchor::BottomRight;
            }
            form.SetAnchor(anchor);
        }
    }
    const bool shown = form.IsMainForm();
    form.SetVisibleMark(shown);
    form.setVisible(shown && !skin_.interfaceHidden_);
}

// ---- buttons ----

void TSkinBuilder::ApplyAction(THoverButton& button, const std::string& value, bool speed) {
    const QString caption = button.Caption();
    ISkinActionSink* sink = &sink_;
    std::string argument;
    const int action = sink_.FindActionByCommand(value, argument);
    if (action != ISkinActionSink::kNoAction) {
        button.SetAction(action, [sink, action] { sink->ExecuteAction(action); });
    } else {
        button.SetAction(THoverButton::kNoAction, {});
    }
    if (!argument.empty() && speed) {
        button.SetAction(THoverButton::kNoAction, {});
    }
    button.LinkAction(button.ActionTag() != THoverButton::kNoAction ? sink_.ActionAt(action) : nullptr);
    if (SkinText::StartsWithText(value, "FormOpen")) {
        button.OnClick = [sink](THoverButton* sender) { sink->FormToggleClick(sender); };
    } else if (SkinText::StartsWithText(value, "FormSwap")) {
        button.OnClick = [sink](THoverButton* sender) { sink->FormSwitchClick(sender); };
        button.setToolTip(QStringLiteral("Switch to other form"));
    }
    button.SetPrmData(Text(argument));
    if (SkinText::SameText(value, "Play")) {
        button.SetPopupMenu(sink_.PlayMenu());
    }
    button.SetTexto(caption);
}

void TSkinBuilder::ApplyButtonColumn(THoverButton& button, const SkinColumnValue& value, bool speed) {
    if (ApplyPlace(button, value) || ApplyFont(button, value)) {
        return;
    }
    const std::string& text = value.value;
    QFont hover = button.FontHover();
    if (Is(value, "Caption")) {
        button.SetTexto(Text(text));
    } else if (Is(value, "HoverCaption") && speed) {
        button.SetCaptionHover(Text(text));
    } else if (Is(value, "NumGlyph")) {
        button.SetNumGlyphs(Number(value));
    } else if (Is(value, "CenterGlyph")) {
        button.SetMargin(Flag(value) ? -1 : 0);
    } else if (Is(value, "Glyph") || Is(value, "GlyphHover")) {
        if (const QImage* strip = text.empty() ? nullptr : package_.Bitmap(text)) {
            if (Is(value, "Glyph")) {
                button.SetGlyph(*strip);
            } else {
                button.SetGlyphHover(*strip);
            }
            button.SetTransparentGlyph(true);
        }
    } else if (Is(value, "Action")) {
        ApplyAction(button, text, speed);
    } else if (Is(value, "DrawBorder")) {
        button.SetDrawBorder(Flag(value));
    } else if (Is(value, "Flat")) {
        button.SetFlat(Flag(value));
    } else if (Is(value, "AllowAllUp")) {
        button.SetAllowAllUp(Flag(value));
    } else if (Is(value, "Down")) {
        button.SetDown(Flag(value));
    } else if (Is(value, "Color")) {
        button.SetColor(Number(value));
    } else if (Is(value, "ColorHover")) {
        button.SetColorHover(Number(value));
    } else if (Is(value, "GroupIndex")) {
        button.SetGroupIndex(Number(value));
    } else if (Is(value, "Transparent") && speed) {
        button.SetTransparent(Flag(value));
    } else if (Is(value, "Mask") && !speed && !text.empty()) {
        if (const QImage* mask = package_.Bitmap(text)) {
            static_cast<TWinHoverButton&>(button).SetRegion(SkinMask::BuildMaskRegion(*mask));
        }
    } else if (Is(value, "FontColor")) {
        button.SetFontColour(Number(value));
    } else if (Is(value, "FontHover")) {
        hover.setFamily(Text(text));
    } else if (Is(value, "FontHoverSize")) {
        if (Number(value) > 0) {
            hover.setPointSize(Number(value));
        }
    } else if (Is(value, "FontColorHover")) {
        button.SetFontHoverColour(Number(value));
    } else if (Is(value, "FontBoldHover")) {
        hover.setItalic(button.font().italic());
        hover.setBold(Flag(value));
    } else if (Is(value, "FontItalicHover")) {
        hover.setBold(button.font().bold());
        hover.setItalic(Flag(value));
    }
    if (hover != button.FontHover()) {
        button.SetFontHover(hover);
    }
}

void TSkinBuilder::BuildButton(const SkinObjectRecord& record, bool speed) {
    THoverButton* button = nullptr;
    if (speed) {
        skin_.speedButtons_.push_back(std::make_unique<TSkinSpeedButton>(*current_));
        button = &skin_.speedButtons_.back()->Button();
    } else {
        skin_.buttons_.push_back(std::make_unique<TSkinButton>(*current_));
        button = &skin_.buttons_.back()->Button();
    }
    for (const SkinColumnValue& value : record.values) {
        ApplyButtonColumn(*button, value, speed);
    }
    button->Loaded();
    button->show();
}

// ---- labels ----

void TSkinBuilder::ApplyLabelColumn(TSkinLabel& label, const SkinColumnValue& value) {
    QWidget& control = label.Control();
    if (ApplyPlace(control, value)) {
        return;
    }
    QLabel* text = label.TextLabel();
    if (text == nullptr) {
        return;
    }
    if (ApplyFont(*text, value)) {
        if (text->text().isEmpty() == false && text->property("autoSize").toBool()) {
            text->adjustSize();
        }
        return;
    }
    if (Is(value, "AutoSize")) {
        text->setProperty("autoSize", Flag(value));
        if (Flag(value)) {
            text->adjustSize();
        }
    } else if (Is(value, "Caption")) {
        text->setText(Text(value.value));
        if (text->property("autoSize").toBool()) {
            text->adjustSize();
        }
    } else if (Is(value, "FontColor")) {
        QPalette palette = text->palette();
        palette.setColor(QPalette::WindowText, SkinColours::ToQColor(Number(value)));
        text->setPalette(palette);
    }
}

void TSkinBuilder::BuildLabel(const SkinObjectRecord& record) {
    std::string kind;
    TSkinLabel* label = nullptr;
    for (const SkinColumnValue& value : record.values) {
        if (label != nullptr) {
            ApplyLabelColumn(*label, value);
            continue;
        }
        if (Is(value, "Type")) {
            if (value.value.size() < TSkinLabel::kMaxKindName + 1) {
                kind = value.value;
            }
        } else if (Is(value, "IsText")) {
            std::size_t list = TSkinScript::kLabelKinds.size();
            for (std::size_t i = 0; i < TSkinScript::kLabelKinds.size(); ++i) {
                if (SkinText::SameText(kind, TSkinScript::kLabelKinds[i])) {
                    list = i;
                }
            }
            // A label of no known kind is not built, and the rest of its line is dropped.
            if (list == TSkinScript::kLabelKinds.size()) {
                return;
            }
            skin_.labels_[list].push_back(std::make_unique<TSkinLabel>(*current_, kind, Flag(value)));
            label = skin_.labels_[list].back().get();
        }
    }
    if (label != nullptr) {
        label->Control().show();
    }
}

// ---- seek bars and screen modes ----

void TSkinBuilder::BuildSeekBar(const SkinObjectRecord& record) {
    skin_.seekBars_.push_back(std::make_unique<TSkinSeekBar>(*current_, sink_));
    TSkinSeekBar& bar = *skin_.seekBars_.back();
    for (const SkinColumnValue& value : record.values) {
        if (ApplyPlace(bar, value)) {
            continue;
        }
        if (Is(value, "FrameColor")) {
            bar.SetFrameColour(Number(value));
        } else if (Is(value, "BackgroundColor")) {
            bar.SetBackgroundColour(Number(value));
        } else if (Is(value, "SeekZoneColor")) {
            bar.SetSeekZoneColour(Number(value));
        } else if (Is(value, "Vertical")) {
            bar.SetVertical(Flag(value));
        } else if (Is(value, "Invert")) {
            bar.SetInvert(Flag(value));
        }
    }
    bar.show();
}

void TSkinBuilder::BuildFullScreenSwap(const SkinObjectRecord& record) {
    for (const SkinColumnValue& value : record.values) {
        if (Is(value, "WindowForm")) {
            skin_.windowForm_ = Text(value.value);
        } else if (Is(value, "FullScreenForm")) {
            skin_.fullScreenForm_ = Text(value.value);
        }
    }
}
