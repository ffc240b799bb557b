#include "editor/ui/TEventEditor.h"

#include "editor/TShared.h"
#include "editor/ui/TEventsListing.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/scripts/TStyles.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int32_t kLeft = 1;
constexpr int32_t kCentre = 2;
constexpr int32_t kRight = 3;
constexpr int32_t kTop = 4;
constexpr int32_t kMiddle = 8;

QString TimeText(int32_t ms) {
    std::string text;
    scrutils::FormatTimeMs(std::max(0, ms), text);
    return QString::fromStdString(text);
}

int32_t FieldTime(const QLineEdit* field) {
    return scrutils::ParseTimeTextW(field->displayText().toStdU16String(), true);
}

QToolButton* Toggle(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setCheckable(true);
    return button;
}

// A guard that stops the change handlers from reacting to the editor's own updates.
class Guard {
public:
    explicit Guard(int& depth) : depth_(depth) { ++depth_; }
    ~Guard() { --depth_; }

private:
    int& depth_;
};

} // namespace

TEventEditor::TEventEditor(TShared& shared, TEventsListing& listing)
    : QDialog(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint), shared_(shared), listing_(listing),
      working_(std::make_unique<TTextEvent>()), parsed_(std::make_unique<TTextEvent>()),
      style_(std::make_unique<TSubtitleStyleRecord>(GlobalDefaultStyle())) {
    setObjectName("EventEditor");
    setWindowTitle("Event editor");
    setMinimumSize(520, 126);
    working_->AttachRecord(nullptr);
    parsed_->AttachRecord(nullptr);
    auto* page = new QWidget(this);
    page->setObjectName("Ts_Edit");
    CreateEditPage(page);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    resize(640, 300);
}

TEventEditor::~TEventEditor() = default;

QLineEdit* TEventEditor::AddTimeField(const char* name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setInputMask("0:00:00.00; ");
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance("00:00:00.000") + 8);
    return field;
}

QLineEdit* TEventEditor::AddNumberField(const char* name, const QString& mask) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setInputMask(mask);
    field->setMaximumWidth(50);
    connect(field, &QLineEdit::textEdited, this, [this] { FieldEdited(); });
    return field;
}

void TEventEditor::CreateEditPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    auto* times = new QHBoxLayout;
    start_ = AddTimeField("Ed_Start");
    end_ = AddTimeField("Ed_End");
    duration_ = AddTimeField("Ed_Duration");
    auto* takeStart = new QPushButton("S", this);
    takeStart->setObjectName("Lb_S");
    auto* takeEnd = new QPushButton("E", this);
    takeEnd->setObjectName("Lb_E");
    connect(takeStart, &QPushButton::clicked, this,
            [this] { listing_.Notify(TEventsListing::kTakePlayerTime, true); });
    connect(takeEnd, &QPushButton::clicked, this,
            [this] { listing_.Notify(TEventsListing::kTakePlayerTime, false); });
    for (QWidget* widget : std::initializer_list<QWidget*>{takeStart, start_, takeEnd, end_, duration_}) {
        times->addWidget(widget);
    }
    connect(start_, &QLineEdit::textEdited, this, [this] { TimeEdited(start_); });
    connect(end_, &QLineEdit::textEdited, this, [this] { TimeEdited(end_); });
    connect(duration_, &QLineEdit::textEdited, this, [this] { DurationEdited(); });
    dialogue_ = Toggle(this, "Bt_Dialogue", "D");
    comment_ = Toggle(this, "Bt_Comment", "#");
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(dialogue_);
    kinds->addButton(comment_);
    connect(kinds, &QButtonGroup::buttonClicked, this, [this] { FieldEdited(); });
    times->addWidget(dialogue_);
    times->addWidget(comment_);
    stylesList_ = new QComboBox(this);
    stylesList_->setObjectName("Cb_StylesList");
    connect(stylesList_, &QComboBox::activated, this, [this] {
        ApplyStyle(stylesList_->currentText());
        FieldEdited();
    });
    times->addWidget(stylesList_);
    layer_ = AddNumberField("Ed_Layer", "000");
    marginL_ = AddNumberField("Ed_LeftMargin", "0000");
    marginR_ = AddNumberField("Ed_RightMargin", "0000");
    marginV_ = AddNumberField("Ed_VertMargin", "0000");
    for (QWidget* widget : std::initializer_list<QWidget*>{layer_, marginL_, marginR_, marginV_}) {
        times->addWidget(widget);
    }
    name_ = new QLineEdit(this);
    name_->setObjectName("Ed_Name");
    name_->setMaxLength(80);
    name_->setPlaceholderText("Speaker Name");
    connect(name_, &QLineEdit::textEdited, this, [this] { SetPending(true); });
    times->addWidget(name_);
    layout->addLayout(times);

    auto* format = new QHBoxLayout;
    auto* wysiwyg = Toggle(this, "Bt_WYSIWYG", "W");
    auto* sourceMode = Toggle(this, "Bt_Source", "S");
    auto* modes = new QButtonGroup(this);
    modes->addButton(wysiwyg, 0);
    modes->addButton(sourceMode, 1);
    wysiwyg->setChecked(true);
    bold_ = Toggle(this, "Bt_Bold", "B");
    italic_ = Toggle(this, "Bt_Italic", "I");
    connect(bold_, &QToolButton::clicked, this, [this] { ToggleFormat(true); });
    connect(italic_, &QToolButton::clicked, this, [this] { ToggleFormat(false); });
    const char* horizontalNames[] = {"Bt_Left", "Bt_Center", "Bt_Right"};
    const char* verticalNames[] = {"Bt_Top", "Bt_Mid", "Bt_Sub"};
    auto* horizontal = new QButtonGroup(this);
    auto* vertical = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        horizontal_[i] = Toggle(this, horizontalNames[i], QString("LCR")[i]);
        vertical_[i] = Toggle(this, verticalNames[i], QString("TMB")[i]);
        horizontal->addButton(horizontal_[i]);
        vertical->addButton(vertical_[i]);
    }
    connect(horizontal, &QButtonGroup::buttonClicked, this, [this] { RichToSource(); });
    connect(vertical, &QButtonGroup::buttonClicked, this, [this] { RichToSource(); });
    fontFace_ = new QLabel(this);
    fontFace_->setObjectName("Lb_FontFace");
    fontSize_ = new QLabel(this);
    fontSize_->setObjectName("Lb_FontSize");
    for (QWidget* widget : std::initializer_list<QWidget*>{
             wysiwyg, sourceMode, bold_, italic_, horizontal_[0], horizontal_[1], horizontal_[2],
             vertical_[0], vertical_[1], vertical_[2], fontFace_, fontSize_}) {
        format->addWidget(widget);
    }
    format->addStretch(1);
    layout->addLayout(format);

    views_ = new QStackedWidget(this);
    rich_ = new QTextEdit(this);
    rich_->setObjectName("RichEdit1");
    rich_->setLineWrapMode(QTextEdit::NoWrap);
    rich_->setStyleSheet("QTextEdit { background: black; }");
    rich_->setAcceptRichText(false);
    source_ = new QPlainTextEdit(this);
    source_->setObjectName("Memo1");
    views_->addWidget(rich_);
    views_->addWidget(source_);
    connect(modes, &QButtonGroup::idClicked, views_, &QStackedWidget::setCurrentIndex);
    connect(rich_, &QTextEdit::textChanged, this, [this] {
        if (guard_ == 0) {
            RichToSource();
        }
    });
    connect(rich_, &QTextEdit::cursorPositionChanged, this, [this] { SelectionChanged(); });
    connect(source_, &QPlainTextEdit::textChanged, this, [this] { SourceEdited(); });
    layout->addWidget(views_, 1);

    applyPanel_ = new QWidget(this);
    applyPanel_->setObjectName("Pn_Apply");
    auto* applyLayout = new QHBoxLayout(applyPanel_);
    auto* apply = new QPushButton("&Apply", applyPanel_);
    apply->setObjectName("Bt_Apply");
    auto* cancel = new QPushButton("Cancel", applyPanel_);
    cancel->setObjectName("Bt_Cancel");
    connect(apply, &QPushButton::clicked, this,
            [this] { listing_.Notify(TEventsListing::kCommitOrDrop, true); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { listing_.Notify(TEventsListing::kCommitOrDrop, false); });
    applyLayout->addStretch(1);
    applyLayout->addWidget(apply);
    applyLayout->addWidget(cancel);
    applyPanel_->hide();
    layout->addWidget(applyPanel_);
}

bool TEventEditor::LoadEvent(TTextEvent* event, const TPointer<TStyles>* styles, bool advanced) {
    if (event == nullptr || styles == nullptr) {
        hide();
        return false;
    }
    Guard guard(guard_);
    layer_->setVisible(advanced);
    edited_ = event;
    styles_ = styles;
    advanced_ = advanced;
    SetPending(false);
    working_->Assign(*event);
    TTextEventRecord* record = working_->GetTextRecord();
    if (shared_.IsEditingSelect()) {
        record->head.start = shared_.SelectToVideoTime(record->head.start);
        record->head.end = shared_.SelectToVideoTime(record->head.end);
    }
    if (record->styleName[0] == 0) {
        std::copy_n(u"Default", 8, record->styleName);
    }
    const QString styleName = QString::fromStdU16String(std::u16string(record->styleName));
    stylesList_->clear();
    for (const TStyles* style = styles->Head; style != nullptr; style = style->Next) {
        stylesList_->addItem(QString::fromStdU16String(std::u16string(style->Record.name)));
    }
    stylesList_->setCurrentIndex(stylesList_->findText(styleName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    ShowTimes();
    marginL_->setText(QString::number(record->marginL));
    marginR_->setText(QString::number(record->marginR));
    marginV_->setText(QString::number(record->marginV));
    layer_->setText(QString::number(record->head.layer));
    (record->head.comment != 0 ? comment_ : dialogue_)->setChecked(true);
    const QString text = QString::fromStdU16String(std::u16string(working_->GetText()));
    source_->setPlainText(text);
    ApplyStyle(styleName);
    rich_->moveCursor(QTextCursor::End);
    SetPending(false);
    return true;
}

const TSubtitleStyleRecord& TEventEditor::CurrentStyle() const {
    return *style_;
}

void TEventEditor::ApplyStyle(const QString& name) {
    const TSubtitleStyleRecord* found = nullptr;
    const TSubtitleStyleRecord* fallback = nullptr;
    for (const TStyles* style = styles_ != nullptr ? styles_->Head : nullptr; style != nullptr;
         style = style->Next) {
        const QString styleName = QString::fromStdU16String(std::u16string(style->Record.name));
        found =
            found == nullptr && styleName.compare(name, Qt::CaseInsensitive) == 0 ? &style->Record : found;
        fallback = fallback == nullptr && styleName.compare("Default", Qt::CaseInsensitive) == 0
                       ? &style->Record
                       : fallback;
    }
    *style_ = found != nullptr ? *found : fallback != nullptr ? *fallback : GlobalDefaultStyle();
    TTextEventRecord* record = working_->GetTextRecord();
    const std::u16string chosen = name.toStdU16String();
    std::fill(std::begin(record->styleName), std::end(record->styleName), u'\0');
    std::copy_n(chosen.begin(), std::min(chosen.size(), std::size(record->styleName) - 1), record->styleName);
    SourceToRich();
    const int32_t alignment = parsed_->GetTextRecord()->alignment >= kOverrideTagBit
                                  ? parsed_->GetTextRecord()->alignment - kOverrideTagBit
                                  : style_->alignment;
    Guard guard(guard_);
    const int32_t horizontal = alignment & 3;
    horizontal_[horizontal == kLeft ? 0 : horizontal == kRight ? 2 : 1]->setChecked(true);
    vertical_[(alignment & kTop) != 0 ? 0 : (alignment & kMiddle) != 0 ? 1 : 2]->setChecked(true);
}

void TEventEditor::SourceToRich() {
    Guard guard(guard_);
    parsed_->Assign(*working_);
    parsed_->SetText(source_->toPlainText().toStdU16String(), false);
    parsed_->BuildRuns();
    TRichText::SourceToRich(*parsed_, TRichText::StyleFont(*style_), *rich_->document());
}

void TEventEditor::RichToSource() {
    const TTextEventRecord* record = working_->GetTextRecord();
    TRichText::TLayout layout;
    layout.Alignment = Alignment();
    layout.StyleAlignment = style_->alignment;
    layout.Positioned = record->head.positioned != 0;
    layout.X = record->head.posX;
    layout.Y = record->head.posY;
    layout.Advanced = advanced_;
    const std::u16string source =
        TRichText::RichToSource(*rich_->document(), TRichText::StyleFont(*style_), layout);
    {
        Guard guard(guard_);
        source_->setPlainText(QString::fromStdU16String(source));
    }
    SetPending(true);
}

int32_t TEventEditor::Alignment() const {
    const int32_t horizontal = horizontal_[0]->isChecked()   ? kLeft
                               : horizontal_[2]->isChecked() ? kRight
                                                             : kCentre;
    return horizontal + (vertical_[0]->isChecked() ? kTop : vertical_[1]->isChecked() ? kMiddle : 0);
}

void TEventEditor::SetAlignment(int32_t alignment) {
    {
        Guard guard(guard_);
        const int32_t horizontal = alignment & 3;
        horizontal_[horizontal == kLeft ? 0 : horizontal == kRight ? 2 : 1]->setChecked(true);
        vertical_[(alignment & kTop) != 0 ? 0 : (alignment & kMiddle) != 0 ? 1 : 2]->setChecked(true);
    }
    RichToSource();
}

void TEventEditor::SourceEdited() {
    if (guard_ > 0) {
        return;
    }
    SourceToRich();
    SetPending(true);
}

QString TEventEditor::SourceText() const {
    return source_->toPlainText();
}

bool TEventEditor::ApplyEdit(bool drop) {
    if (!pending_ || edited_ == nullptr) {
        return false;
    }
    SetPending(false);
    if (drop) {
        return false;
    }
    TTextEventRecord* record = working_->GetTextRecord();
    if (shared_.IsEditingSelect()) {
        record->head.start = shared_.VideoToSelectTime(record->head.start);
        record->head.end = shared_.VideoToSelectTime(record->head.end);
    }
    edited_->Assign(*working_);
    edited_->SetText(source_->toPlainText().toStdU16String(), false);
    listing_.Notify(TEventsListing::kEditorApplied, true);
    return true;
}

void TEventEditor::SetTimes(int32_t start, int32_t end) {
    TTextEventRecord* record = working_->GetTextRecord();
    if (start >= 0) {
        record->head.start = start;
    }
    if (end >= 0) {
        record->head.end = end;
    }
    ShowTimes();
    if (start >= 0 || end >= 0) {
        SetPending(true);
    }
}

void TEventEditor::SetPosition(int32_t x, int32_t y) {
    TTextEventRecord* record = working_->GetTextRecord();
    if (advanced_) {
        record->head.posX = x;
        record->head.posY = y;
        record->head.positioned = 1;
        RichToSource();
        return;
    }
    record->marginL = x;
    record->marginR = 1;
    record->marginV = y;
    marginL_->setText(QString::number(x));
    marginR_->setText("1");
    marginV_->setText(QString::number(y));
    SetAlignment(kLeft + kTop);
}

void TEventEditor::ShowTimes() {
    Guard guard(guard_);
    const TTextEventRecord* record = working_->GetTextRecord();
    start_->setText(TimeText(record->head.start));
    end_->setText(TimeText(record->head.end));
    ShowDuration();
}

void TEventEditor::ShowDuration() {
    const TTextEventRecord* record = working_->GetTextRecord();
    const int32_t duration = record->head.end - record->head.start;
    duration_->setText(TimeText(duration < 0 ? 0 : duration));
    duration_->setStyleSheet(duration < 0 ? "color: red;" : "color: black;");
}

void TEventEditor::TimeEdited(QLineEdit* field) {
    const int32_t time = FieldTime(field);
    TTextEventRecord* record = working_->GetTextRecord();
    (field == start_ ? record->head.start : record->head.end) = time;
    ShowDuration();
    SetPending(true);
}

void TEventEditor::DurationEdited() {
    TTextEventRecord* record = working_->GetTextRecord();
    record->head.end = record->head.start + std::max(0, FieldTime(duration_));
    end_->setText(TimeText(record->head.end));
    SetPending(true);
}

void TEventEditor::FieldEdited() {
    if (guard_ > 0) {
        return;
    }
    TTextEventRecord* record = working_->GetTextRecord();
    record->marginL = marginL_->text().toInt();
    record->marginR = marginR_->text().toInt();
    record->marginV = marginV_->text().toInt();
    record->head.layer = layer_->text().toInt();
    record->head.comment = comment_->isChecked() ? 1 : 0;
    SetPending(true);
}

void TEventEditor::SelectionChanged() {
    const TRichText::TFont font = TRichText::FontOf(rich_->currentCharFormat());
    fontFace_->setText(font.Face);
    fontSize_->setText(QString::number(font.Size));
    bold_->setChecked(font.Bold);
    italic_->setChecked(font.Italic);
}

void TEventEditor::ToggleFormat(bool bold) {
    QToolButton* button = bold ? bold_ : italic_;
    if (views_->currentWidget() == source_) {
        source_->insertPlainText(QString(bold ? "{\\b%1}" : "{\\i%1}").arg(button->isChecked() ? 1 : 0));
        return;
    }
    QTextCharFormat format;
    if (bold) {
        format.setFontWeight(button->isChecked() ? QFont::Bold : QFont::Normal);
    } else {
        format.setFontItalic(button->isChecked());
    }
    rich_->mergeCurrentCharFormat(format);
    RichToSource();
}

void TEventEditor::CycleAlignment(int key) {
    const int32_t alignment = Alignment();
    int32_t horizontal = alignment & 3;
    int32_t vertical = alignment & (kTop | kMiddle);
    switch (key) {
    case Qt::Key_Left:
        horizontal = horizontal == kLeft ? kRight : horizontal - 1;
        break;
    case Qt::Key_Right:
        horizontal = horizontal == kRight ? kLeft : horizontal + 1;
        break;
    case Qt::Key_Up:
        vertical = vertical == kTop ? 0 : vertical == kMiddle ? kTop : kMiddle;
        break;
    case Qt::Key_Down:
        vertical = vertical == kTop ? kMiddle : vertical == kMiddle ? 0 : kTop;
        break;
    default:
        return;
    }
    SetAlignment(horizontal + vertical);
}

void TEventEditor::SetPending(bool pending) {
    if (pending_ != pending) {
        pending_ = pending;
        listing_.Notify(TEventsListing::kEditPending, pending);
    }
    applyPanel_->setVisible(pending_);
}

void TEventEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    listing_.Notify(TEventsListing::kEditorShown, true);
}

void TEventEditor::closeEvent(QCloseEvent* event) {
    listing_.Notify(TEventsListing::kCommitOrDrop, false);
    listing_.Notify(TEventsListing::kEditorClosing, false);
    QDialog::closeEvent(event);
}

void TEventEditor::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ControlModifier) != 0 && (modifiers & Qt::AltModifier) != 0) {
        CycleAlignment(event->key());
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (modifiers & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
        listing_.Notify(TEventsListing::kCommitOrDrop, true);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if ((modifiers & Qt::ControlModifier) != 0 && (event->key() == Qt::Key_B || event->key() == Qt::Key_I)) {
        QToolButton* button = event->key() == Qt::Key_B ? bold_ : italic_;
        button->toggle();
        ToggleFormat(button == bold_);
        return;
    }
    QDialog::keyPressEvent(event);
}
