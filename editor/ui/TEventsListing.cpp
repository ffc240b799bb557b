#include "editor/ui/TEventsListing.h"

#include "editor/IEditorDialogs.h"
#include "editor/TPellitConf.h"
#include "editor/TShared.h"
#include "editor/ui/TEventEditor.h"
#include "editor/ui/TEventsGridDelegate.h"
#include "editor/ui/TEventsGridModel.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TSelect.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/translator/TTranslator.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleHints>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace {

constexpr int kRowHeight = 18;
constexpr std::array<std::pair<const char*, const char16_t*>, 15> kStrings{{
    {"Inf_EventChanged_1", u"The event has been changed"},
    {"Inf_EventChanged_2", u"do you want to apply the modifications ?"},
    {"Inf_Replace_1", u"Are you sure you want to remplace all ?"},
    {"Inf_Replace_2", u"This change can't be undone ?"},
    {"Inf_StrNotFound", u"String not found"},
    {"Inf_StrFind", u"Find string"},
    {"Inf_StrReplacedCount", u"String replaced %d time%c"},
    {"Inf_StrReplaceAll", u"Replace All"},
    {"Inf_DelEvents", u"Delete all the selected events ?"},
    {"Inf_DelEvent", u"Delete the selected event ?"},
    {"Col_No", u"No."},
    {"Col_Start", u"Start"},
    {"Col_End", u"End"},
    {"Col_Style", u"Style"},
    {"Col_Text", u"Text"},
}};

QString Text(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

} // namespace

TEventsListing::TEventsListing(TShared& shared)
    : shared_(shared), model_(std::make_unique<TEventsGridModel>()),
      editor_(std::make_unique<TEventEditor>(shared, *this)) {
    setObjectName("EventsListing");
    setWindowTitle("EventList Editor");
    for (const auto& [key, text] : kStrings) {
        strings_.Add(key, text);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    topBar_ = new QWidget(this);
    topBar_->setObjectName("Pn_Top");
    CreateTopBar(topBar_);
    layout->addWidget(topBar_);
    grid_ = new QTableView(this);
    grid_->setObjectName("NewEventList");
    grid_->setModel(model_.get());
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { MarkWaveRange(model_->EventAt(current.row())); });
    grid_->setItemDelegate(new TEventsGridDelegate(*model_, grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setSectionsMovable(true);
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->setShowGrid(false);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid_->installEventFilter(this);
    layout->addWidget(grid_, 1);
    const int widths[] = {0, 67, 67, 70, 900};
    for (int column = 1; column < TEventsGridModel::kColumnCount; ++column) {
        grid_->setColumnWidth(column, widths[column]);
    }
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) { CellClicked(index); });
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { CellDoubleClicked(index); });

    timeEdit_ = new QLineEdit(grid_->viewport());
    timeEdit_->setObjectName("Ed_Time");
    // Each digit may be left blank; blanks read as 0.
    timeEdit_->setInputMask("0:00:00.00; ");
    styleEdit_ = new QComboBox(grid_->viewport());
    styleEdit_->setObjectName("Cb_Styles");
    styleEdit_->setEditable(true);
    textEdit_ = new QLineEdit(grid_->viewport());
    textEdit_->setObjectName("Ed_Text");
    for (QWidget* editor : std::initializer_list<QWidget*>{timeEdit_, styleEdit_, textEdit_}) {
        editor->hide();
        editor->installEventFilter(this);
    }
    connect(timeEdit_, &QLineEdit::textEdited, this, [this] { timeChanged_ = true; });
    connect(textEdit_, &QLineEdit::textEdited, this, [this] { textChanged_ = true; });
    connect(styleEdit_, &QComboBox::currentTextChanged, this, [this] { styleChanged_ = true; });
    inPlaceTimer_ = new QTimer(this);
    inPlaceTimer_->setSingleShot(true);
    connect(inPlaceTimer_, &QTimer::timeout, this, [this] { StartInPlaceEdit(); });
    CreateActions();
    SetCursor(nullptr);
}

TEventsListing::~TEventsListing() = default;

void TEventsListing::CreateTopBar(QWidget* bar) {
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(2, 2, 2, 2);
    displayTime_ = new QCheckBox("Display Time", bar);
    displayTime_->setObjectName("Ch_RampedTime");
    displayTime_->setChecked(true);
    connect(displayTime_, &QCheckBox::toggled, this, [this](bool on) {
        model_->SetDisplayTime(on);
        RepaintGrid();
    });
    layout->addWidget(displayTime_);
    auto* first = new QPushButton("Set as First", bar);
    first->setObjectName("Bt_SetAsFirst");
    connect(first, &QPushButton::clicked, this, [this] { SetAsFirst(true, false); });
    auto* last = new QPushButton("Set as Last", bar);
    last->setObjectName("Bt_SetAsLast");
    connect(last, &QPushButton::clicked, this, [this] { SetAsFirst(false, true); });
    layout->addWidget(first);
    layout->addWidget(last);
    layout->addStretch(1);
}

QAction* TEventsListing::AddAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                                   std::function<void()> handler) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (handler) {
        connect(action, &QAction::triggered, this, std::move(handler));
    } else {
        // Carried out by a form that joins later (event creation, clipboard, find, filters).
        action->setEnabled(false);
    }
    grid_->addAction(action);
    actions_[name] = action;
    return action;
}

void TEventsListing::CreateActions() {
    AddAction("Ac_EditEvent", "Edit Event", QKeySequence(Qt::Key_Return), [this] { EditSelection(); });
    AddAction("Ac_NewEvent", "Add a New Event", QKeySequence("Ctrl+N"), nullptr);
    AddAction("Ac_DelEvents", "Delete Event", QKeySequence(Qt::Key_Delete),
              [this] { DeleteSelectedEvents(true); });
    AddAction("Ac_SelectAll", "Se&lect all events", QKeySequence("Ctrl+A"), [this] {
        grid_->selectAll();
        UpdateEditors(false, false);
    });
    AddAction("Ac_NextEvent", "Next event", {}, [this] { MoveCurrent(1); });
    AddAction("Ac_PrevEvent", "Previous event", {}, [this] { MoveCurrent(-1); });
    AddAction("Ac_Find", "Find Text in Events", QKeySequence("Ctrl+F"), nullptr);
    AddAction("Ac_Replace", "Replace Text in Events", QKeySequence("Ctrl+H"), nullptr);
    AddAction("Ac_SetAsFirst", "Set as First Event", {}, [this] { SetAsFirst(true, false); });
    AddAction("Ac_SetAsLast", "Set as Last Event", {}, [this] { SetAsFirst(false, true); });
    AddAction("Ac_SetRange", "Set Range of Events", {}, [this] { SetAsFirst(true, true); });
    AddAction("Ac_SetAll", "Select All Events", {}, [this] {
        grid_->selectAll();
        SetAsFirst(true, true);
    });
    AddAction("Ac_MergeEvents", "Merge Two Events", {}, nullptr);
    AddAction("Ac_CopyEvents", "&Copy event(s)", QKeySequence("Ctrl+C"), nullptr);
    AddAction("Ac_CutEvents", "Cu&t event(s)", QKeySequence("Ctrl+X"), nullptr);
    AddAction("Ac_PasteEvents", "&Paste event(s)", QKeySequence("Ctrl+V"), nullptr);
    AddAction("Ac_UseFilters", "Use Filters", {}, [this] { RebuildRows(false); })->setCheckable(true);
    Action("Ac_UseFilters")->setChecked(true);
    AddAction("Ac_GoToEvent", "Go To Event Timecode", QKeySequence("Ctrl+G"), [this] { GoToEventTime(0); });
    AddAction("Ac_GoToNextEvent", "Go To Next Event T.C.", QKeySequence("Shift+Ctrl+Right"), [this] {
        MoveCurrent(1);
        GoToEventTime(0);
    });
    AddAction("Ac_GoToPrevEvent", "Go To The Previous Event T.C.", QKeySequence("Shift+Ctrl+Left"), [this] {
        MoveCurrent(-1);
        GoToEventTime(0);
    });
    AddAction("Ac_LocateEvent", "Locate Event in Preview", QKeySequence("Ctrl+L"), nullptr);
}

QAction* TEventsListing::Action(const char* name) const {
    const auto found = actions_.find(name);
    return found != actions_.end() ? found->second : nullptr;
}

QList<QAction*> TEventsListing::MenuActions() const {
    QList<QAction*> list;
    for (const char* name : {"Ac_NewEvent", "Ac_CopyEvents", "Ac_CutEvents", "Ac_PasteEvents", "Ac_DelEvents",
                             "Ac_SelectAll", "Ac_Find", "Ac_Replace", "Ac_NextEvent", "Ac_PrevEvent"}) {
        list.push_back(Action(name));
    }
    return list;
}

void TEventsListing::SetCursor(const TProfileCursor* cursor) {
    TScriptControl* script = cursor != nullptr ? cursor->Script.Get() : nullptr;
    const bool select = cursor != nullptr && cursor->ItemKind == TProfileCursor::kSelect && cursor->Select;
    const bool timedScript = cursor != nullptr && cursor->ItemKind == TProfileCursor::kTimedScript;
    if (script == nullptr || (!select && !timedScript)) {
        cursor_ = TProfileCursor{};
        model_->SetSelect(nullptr, nullptr);
        RebuildRows(false);
        shared_.SetMainCaption(windowTitle().toStdU16String());
        UpdateEditors(false, false);
        return;
    }
    show();
    cursor_ = *cursor;
    std::u16string caption = script->FileName.empty() ? script->Path : script->FileName;
    if (select) {
        const TSelect* selection = cursor->Select.Get();
        caption = QString::fromStdString(selection->Name).toStdU16String() + u" - (" + caption + u")";
        model_->SetSelect(selection, cursor->Title.Get());
    } else {
        model_->SetSelect(nullptr, nullptr);
    }
    shared_.SetMainCaption(caption);
    for (const char* name : {"Bt_SetAsFirst", "Bt_SetAsLast", "Ch_RampedTime"}) {
        if (auto* widget = findChild<QWidget*>(name)) {
            widget->setVisible(select);
        }
    }
    RebuildRows(true);
    UpdateEditors(false, false);
}

bool TEventsListing::RebuildRows(bool rangeSelection) {
    DropInPlaceEdit();
    TScriptControl* script = cursor_.Script.Get();
    if (script == nullptr) {
        model_->Rows().Clear();
        model_->Reset();
        grid_->hide();
        topBar_->hide();
        return false;
    }
    const TSubEvents* cursorEvent = cursor_.Event.Get();
    cursor_.Event = {};
    // The events filter joins with its own form; until then every event passes.
    const auto result = model_->Rows().Rebuild(script->Events, cursorEvent, cursor_.Select.Get(), {});
    model_->Reset();
    ApplyNumberColumnWidth();
    const int row = result.CursorRow >= 0 ? result.CursorRow : rangeSelection ? result.FirstRowInRange : -1;
    SelectRow(row >= 0 ? row : 0);
    grid_->show();
    topBar_->show();
    return model_->Rows().Count() >= 2;
}

void TEventsListing::ApplyNumberColumnWidth() {
    const QString letters(TEventRows::NumberColumnLetters(model_->Rows().Count() + 1), QChar('Q'));
    grid_->setColumnWidth(TEventsGridModel::kNumber, grid_->fontMetrics().horizontalAdvance(letters) + 2);
}

void TEventsListing::SelectRow(int row) {
    if (row < 0 || row >= model_->Rows().Count()) {
        grid_->clearSelection();
        return;
    }
    // The current column stays (the start column at first), so the grid does not scroll sideways.
    const QModelIndex current = grid_->currentIndex();
    const int column = current.isValid() ? current.column() : TEventsGridModel::kStart;
    grid_->selectRow(row);
    grid_->setCurrentIndex(model_->index(row, column));
}

int TEventsListing::CurrentRow() const {
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() && current.row() < model_->Rows().Count() ? current.row() : -1;
}

std::vector<int> TEventsListing::SelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes()) {
        if (index.row() < model_->Rows().Count()) {
            rows.insert(index.row());
        }
    }
    return {rows.begin(), rows.end()};
}

bool TEventsListing::UpdateEditors(bool noRefresh, bool forceLoad) {
    if (updatingEditors_) {
        return false;
    }
    updatingEditors_ = true;
    bool loaded = false;
    if (editPending_) {
        const bool apply = Confirm("Inf_EventChanged_1", "Inf_EventChanged_2");
        Commit(apply);
        loaded = apply;
    }
    const std::vector<int> rows = SelectedRows();
    TSubEvents* event = model_->EventAt(CurrentRow());
    auto* textEvent = dynamic_cast<TTextEvent*>(event);
    TLanguage* language = cursor_.Language.Get();
    if (!loaded && rows.size() <= 1) {
        if (cursor_.Script && textEvent != nullptr && language != nullptr &&
            (editor_->isVisible() || forceLoad)) {
            loaded = editor_->LoadEvent(textEvent, &language->Styles, cursor_.Script.Get()->V4Plus != 0);
        } else if (!cursor_.Script || textEvent == nullptr) {
            editor_->hide();
        }
    } else if (!loaded) {
        // Several rows go to the multi-event editor, which joins with its own form.
        editor_->hide();
    }
    MarkWaveRange(event);
    if (!noRefresh) {
        grid_->viewport()->update();
    }
    updatingEditors_ = false;
    return loaded;
}

void TEventsListing::MarkWaveRange(const TSubEvents* event) {
    const TSubEventRecord* record = event != nullptr ? event->GetRecord() : nullptr;
    if (record == nullptr) {
        shared_.MarkWaveRange(-1, -1);
    } else {
        shared_.MarkWaveRange(record->start, record->end);
    }
}

void TEventsListing::EditSelection() {
    if (UpdateEditors(false, true) && SelectedRows().size() <= 1) {
        editor_->show();
        editor_->raise();
    }
}

void TEventsListing::Notify(int code, bool flag) {
    switch (code) {
    case kEditPending:
        editPending_ = flag;
        break;
    case kCommitOrDrop:
        Commit(flag);
        break;
    case kEditorApplied:
        RebuildRows(false);
        break;
    case kDeleteEvents:
        DeleteSelectedEvents(true);
        break;
    case kTakePlayerTime: {
        const int32_t time = shared_.Video().GetTime();
        SetCurrentEventTimes(flag ? time : -1, flag ? -1 : time, true);
        break;
    }
    default:
        break;
    }
}

void TEventsListing::Commit(bool apply) {
    if (!apply) {
        editor_->ApplyEdit(true);
        editPending_ = false;
        return;
    }
    TSubEvents* event = model_->EventAt(CurrentRow());
    editPending_ = false;
    if (!editor_->ApplyEdit(false)) {
        return;
    }
    cursor_.Event = TItemRef<TSubEvents>::Of(event);
    Changed();
    RebuildRows(false);
}

bool TEventsListing::Confirm(std::string_view line1, std::string_view line2) {
    return dialogs_ != nullptr &&
           dialogs_->Ask(strings_.GetText(line1), line2.empty() ? u"" : strings_.GetText(line2), u"") ==
               IEditorDialogs::kYes;
}

void TEventsListing::Changed() {
    cursor_.Changed = 1;
    const TProfileCursor copy = cursor_;
    shared_.ItemModified(&copy, false);
}

void TEventsListing::SetCurrentEventTimes(int32_t start, int32_t end, bool noCommit) {
    UpdateEditors(false, true);
    editor_->SetTimes(start, end);
    if (!noCommit) {
        Commit(true);
    }
}

void TEventsListing::DeleteSelectedEvents(bool ask) {
    TScriptControl* script = cursor_.Script.Get();
    const std::vector<int> rows = SelectedRows();
    if (script == nullptr || rows.empty()) {
        return;
    }
    std::vector<TSubEvents*> events;
    for (const int row : rows) {
        TSubEvents* event = model_->EventAt(row);
        if (event == nullptr) {
            return;
        }
        events.push_back(event);
    }
    if (ask && !Confirm(rows.size() > 1 ? "Inf_DelEvents" : "Inf_DelEvent", "")) {
        return;
    }
    editor_->ApplyEdit(true);
    editPending_ = false;
    editor_->hide();
    const int first = rows.front();
    for (TSubEvents* event : events) {
        TItemRegistry::Instance().Forget(event);
        script->Events.Delete(event);
    }
    // The titles' merged copies refer to the deleted events: rebuild the title before anything
    // draws it.
    if (TTitle* title = cursor_.Title.Get()) {
        title->BuildEvents();
    }
    RebuildRows(false);
    // A deletion of every row leaves an empty grid and no current row.
    SelectRow(std::min(first, model_->Rows().Count() - 1));
    Changed();
    UpdateEditors(false, false);
}

void TEventsListing::SetAsFirst(bool first, bool last) {
    TSelect* select = cursor_.Select.Get();
    const std::vector<int> rows = SelectedRows();
    if (select == nullptr || rows.empty()) {
        return;
    }
    if (first) {
        select->FirstSub = model_->EventAt(rows.front())->GetRecord()->start;
    }
    if (last) {
        select->LastSub = model_->EventAt(rows.back())->GetRecord()->start;
    }
    TProfileCursor copy = cursor_;
    copy.Changed = 0;
    shared_.ItemModified(&copy, false);
    RepaintGrid();
}

void TEventsListing::GoToEventTime(int offsetSeconds) {
    const std::vector<int> rows = SelectedRows();
    if (rows.size() != 1) {
        return;
    }
    shared_.Video().ShowVideoWindow();
    const TSubEvents* copy = model_->TitleCopy(rows.front());
    const TSubEvents* event = copy != nullptr ? copy : model_->EventAt(rows.front());
    const int32_t time = event->GetRecord()->start + offsetSeconds * 1000;
    const TSelect* select = cursor_.Select.Get();
    shared_.Video().PlayAtTitleTime(select != nullptr ? select->TitleNumber : -1, -1,
                                    scrutils::MsToPackedHms(time));
}

void TEventsListing::MoveCurrent(int step) {
    const int row = CurrentRow() + step;
    if (row >= 0 && row < model_->Rows().Count()) {
        SelectRow(row);
        UpdateEditors(false, false);
    }
}

void TEventsListing::RepaintGrid() {
    grid_->viewport()->update();
}

void TEventsListing::EnableFilters() {
    Action("Ac_UseFilters")->setChecked(true);
    RebuildRows(false);
}

void TEventsListing::SuspendDrawing() {
    grid_->setUpdatesEnabled(false);
}

void TEventsListing::ResumeDrawing() {
    grid_->setUpdatesEnabled(true);
    RepaintGrid();
}

void TEventsListing::Translate(TTranslator& translator) {
    translator.TranslateStrings(&strings_);
    model_->SetHeaders({Text(strings_.GetText("Col_No")), Text(strings_.GetText("Col_Start")),
                        Text(strings_.GetText("Col_End")), Text(strings_.GetText("Col_Style")),
                        Text(strings_.GetText("Col_Text"))});
}

void TEventsListing::CellClicked(const QModelIndex& index) {
    inPlaceTimer_->stop();
    if (index.column() == lastColumn_ && index.row() == lastRow_ && index.row() == CurrentRow()) {
        inPlaceTimer_->start(QApplication::styleHints()->mouseDoubleClickInterval());
    }
    lastColumn_ = index.column();
    lastRow_ = index.row();
    UpdateEditors(true, false);
}

void TEventsListing::CellDoubleClicked(const QModelIndex& index) {
    inPlaceTimer_->stop();
    lastColumn_ = index.column();
    lastRow_ = index.row();
    if (PellitSettings().EventDoubleClickMode != 0) {
        StartInPlaceEdit();
    } else {
        EditSelection();
    }
}

void TEventsListing::StartInPlaceEdit() {
    auto* event = dynamic_cast<TTextEvent*>(model_->EventAt(lastRow_));
    if (SelectedRows().size() != 1 || event == nullptr || lastColumn_ < TEventsGridModel::kStart) {
        return;
    }
    editColumn_ = lastColumn_;
    editRow_ = lastRow_;
    const QRect cell = grid_->visualRect(model_->index(editRow_, editColumn_));
    QWidget* editor = textEdit_;
    if (editColumn_ == TEventsGridModel::kStart || editColumn_ == TEventsGridModel::kEnd) {
        const int32_t time =
            editColumn_ == TEventsGridModel::kStart ? event->GetRecord()->start : event->GetRecord()->end;
        std::string text;
        scrutils::FormatTimeMs(shared_.IsEditingSelect() ? shared_.SelectToVideoTime(time) : time, text);
        timeEdit_->setText(QString::fromStdString(text));
        editor = timeEdit_;
    } else if (editColumn_ == TEventsGridModel::kStyle) {
        styleEdit_->clear();
        if (const TLanguage* language = cursor_.Language.Get()) {
            for (const TStyles* style = language->Styles.Head; style != nullptr; style = style->Next) {
                styleEdit_->addItem(Text(style->Record.name));
            }
        }
        const char16_t* name = nullptr;
        styleEdit_->setCurrentIndex(
            event->GetStyleName(name) ? styleEdit_->findText(Text(name), Qt::MatchExactly) : -1);
        editor = styleEdit_;
    } else {
        textEdit_->setText(Text(event->GetText()));
    }
    editor->setGeometry(cell);
    editor->show();
    editor->setFocus();
    textChanged_ = timeChanged_ = styleChanged_ = false;
}

void TEventsListing::LeaveInPlaceEdit() {
    auto* event = dynamic_cast<TTextEvent*>(model_->EventAt(editRow_));
    const bool changed = textChanged_ || timeChanged_ || styleChanged_;
    if (event != nullptr && changed) {
        TTextEventRecord* record = event->GetTextRecord();
        if (timeEdit_->isVisible() && timeChanged_) {
            const int32_t time = scrutils::ParseTimeTextW(timeEdit_->displayText().toStdU16String(), true);
            if (time >= 0) {
                const int32_t stored = shared_.IsEditingSelect() ? shared_.VideoToSelectTime(time) : time;
                (editColumn_ == TEventsGridModel::kStart ? record->head.start : record->head.end) = stored;
            }
        } else if (styleEdit_->isVisible() && styleChanged_) {
            const std::u16string name = styleEdit_->currentText().toStdU16String();
            std::fill(std::begin(record->styleName), std::end(record->styleName), u'\0');
            std::copy_n(name.begin(), std::min(name.size(), std::size(record->styleName) - 1),
                        record->styleName);
        } else if (textEdit_->isVisible() && textChanged_) {
            event->SetText(textEdit_->text().toStdU16String(), false);
        }
        cursor_.Event = TItemRef<TSubEvents>::Of(event);
    }
    DropInPlaceEdit();
    if (event != nullptr && changed) {
        Changed();
        RebuildRows(false);
    }
    grid_->setFocus();
}

void TEventsListing::DropInPlaceEdit() {
    inPlaceTimer_->stop();
    textChanged_ = timeChanged_ = styleChanged_ = false;
    for (QWidget* editor : std::initializer_list<QWidget*>{textEdit_, timeEdit_, styleEdit_}) {
        editor->hide();
    }
}

bool TEventsListing::eventFilter(QObject* watched, QEvent* event) {
    const bool inPlace = watched == timeEdit_ || watched == textEdit_ || watched == styleEdit_;
    if (inPlace && event->type() == QEvent::ShortcutOverride) {
        // Enter and Esc belong to the in-place editor, not to the grid's shortcuts.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (inPlace && key->key() == Qt::Key_Escape) {
            DropInPlaceEdit();
            grid_->setFocus();
            return true;
        }
        if (inPlace && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            LeaveInPlaceEdit();
            return true;
        }
        if (watched == grid_ && key->key() == Qt::Key_Space) {
            lastRow_ = CurrentRow();
            lastColumn_ = grid_->currentIndex().column();
            StartInPlaceEdit();
            return true;
        }
    }
    if (inPlace && event->type() == QEvent::FocusOut && static_cast<QWidget*>(watched)->isVisible()) {
        LeaveInPlaceEdit();
    }
    return QWidget::eventFilter(watched, event);
}
