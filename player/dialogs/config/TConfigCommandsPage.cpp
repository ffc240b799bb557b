#include "player/dialogs/config/TConfigCommandsPage.h"

#include "player/dialogs/config/ConfigWidgets.h"
#include "player/dialogs/config/GestureDrawing.h"
#include "player/scripting/actions/ShortcutCode.h"
#include "player/scripting/actions/TActionControler.h"
#include "subtitles/translator/TStringCollection.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace ConfigWidgets;

namespace {

constexpr int kCommandRole = Qt::UserRole; // index of the row's command, -1 for other rows
const QColor kHeaderBack(0xA2, 0xA4, 0xA1);
const QColor kHeaderText(0xFB, 0xFC, 0xF9);
const QColor kCellBack(0xFB, 0xFC, 0xF9);
const QColor kCaptionText(0x62, 0x64, 0x61);
const QColor kAssigned(0x00, 0x80, 0x00);

QString CategoryOf(const TActionCommand& command) {
    return command.Action != nullptr
               ? command.Action->property(TActionControler::kCategoryProperty).toString()
               : QString();
}

// "01Standard playback key " is shown as "Standard playback key ": the two-digit order goes.
QString CategoryTitle(const QString& category) {
    const bool ordered = category.size() > 2 && category[0].isDigit() && category[1].isDigit();
    return ordered ? category.mid(2) : category;
}

QTableWidgetItem* Cell(const QString& text, int commandIndex) {
    auto* item = new QTableWidgetItem(text);
    item->setData(kCommandRole, commandIndex);
    item->setFlags(commandIndex >= 0 ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled);
    return item;
}

} // namespace

TConfigCommandsPage::TConfigCommandsPage(TActionControler& commands, const TStringCollection& strings,
                                         QWidget* parent)
    : QWidget(parent), commands_(commands), strings_(strings) {
    setObjectName(QStringLiteral("Pg_Keyboard"));
    auto* column = new QVBoxLayout(this);
    hints_[0] =
        Label(this, "Lb_KeyInfo", tr("To bind special key like ENTER, SPACE,... righ-click on a edit"));
    hints_[1] = Label(this, "Lb_GestureInfo",
                      tr("For the mouse gesture : Press and hold right mouse button then make the gesture."));
    hints_[2] = Label(this, "Lb_RemoteInfo", tr("Remote Control Support"));
    for (QLabel* hint : hints_) {
        column->addWidget(hint);
    }
    BuildGrid();
    column->addWidget(keys_, 1);
    BuildGesturePanel();
    BuildRemotePanel();
    column->addWidget(gesturePanel_);
    column->addWidget(remotePanel_);
    SetMode(kShortcutMode);
    HidePanels();
}

void TConfigCommandsPage::BuildGrid() {
    keys_ = new QTableWidget(0, 2, this);
    keys_->setObjectName(QStringLiteral("Str_Keys"));
    keys_->horizontalHeader()->hide();
    keys_->verticalHeader()->hide();
    keys_->setSelectionMode(QAbstractItemView::SingleSelection);
    keys_->setSelectionBehavior(QAbstractItemView::SelectItems);
    keys_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keys_->setGridStyle(Qt::SolidLine);
    keys_->setStyleSheet(QStringLiteral("QTableWidget { gridline-color: #A2A4A1; background: #FBFCF9; }"));
    connect(keys_, &QTableWidget::cellClicked, this, &TConfigCommandsPage::CellClicked);

    keyEditor_ = new QKeySequenceEdit(keys_->viewport());
    keyEditor_->setObjectName(QStringLiteral("Hk_HkEdit"));
    keyEditor_->hide();
    keyEditor_->installEventFilter(this);
    for (QWidget* child : keyEditor_->findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
    connect(keyEditor_, &QKeySequenceEdit::editingFinished, this, &TConfigCommandsPage::CommitShortcut);

    specialKeys_ = new QMenu(this);
    specialKeys_->setObjectName(QStringLiteral("Mn_SpecialKey"));
    const struct {
        const char* name;
        QString text;
        int key;
    } items[] = {{"Pop_Space", tr("Space"), Qt::Key_Space},
                 {"Pop_Enter", tr("Enter"), Qt::Key_Return},
                 {"Pop_Del", tr("Delete"), Qt::Key_Delete},
                 {"Pop_Tab", tr("Tab"), Qt::Key_Tab},
                 {"Pop_Escape", tr("Escape"), Qt::Key_Escape}};
    for (const auto& item : items) {
        QAction* action = specialKeys_->addAction(item.text);
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this, [this, key = item.key] { SetSpecialKey(key); });
    }
}

void TConfigCommandsPage::BuildGesturePanel() {
    gesturePanel_ = new QFrame(this);
    gesturePanel_->setObjectName(QStringLiteral("Pn_Gesture"));
    static_cast<QFrame*>(gesturePanel_)->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(gesturePanel_);
    auto* close = Link(gesturePanel_, "Lb_Close", QStringLiteral(" x "));
    OnClick(close, [this] { HidePanels(); });
    lastGestureImage_ = Label(gesturePanel_, "Im_LastGesture", {});
    assignedGestureImage_ = Label(gesturePanel_, "Im_AssignedGesture", {});
    gestureCommand_ = Label(gesturePanel_, "Lb_ActCommand", {});
    for (QLabel* image : {lastGestureImage_, assignedGestureImage_}) {
        image->setFixedSize(120, 20);
    }
    auto* assign = Button(gesturePanel_, "Bt_AssignGesture", tr("Assign"));
    auto* clear = Button(gesturePanel_, "Bt_ClearGesture", tr("Clear"));
    connect(assign, &QPushButton::clicked, this, [this] { AssignGesture(lastGesture_); });
    connect(clear, &QPushButton::clicked, this, [this] { AssignGesture(0); });
    grid->addWidget(new QLabel(tr("Record Gesture"), gesturePanel_), 0, 0);
    grid->addWidget(close, 0, 2, Qt::AlignRight);
    grid->addWidget(gestureCommand_, 1, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Last Gesture"), gesturePanel_), 2, 0);
    grid->addWidget(lastGestureImage_, 2, 1);
    grid->addWidget(assign, 2, 2);
    grid->addWidget(new QLabel(tr("Assigned gesture"), gesturePanel_), 3, 0);
    grid->addWidget(assignedGestureImage_, 3, 1);
    grid->addWidget(clear, 3, 2);
}

void TConfigCommandsPage::BuildRemotePanel() {
    remotePanel_ = new QFrame(this);
    remotePanel_->setObjectName(QStringLiteral("Pn_Remote"));
    static_cast<QFrame*>(remotePanel_)->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(remotePanel_);
    auto* close = Link(remotePanel_, "Lb_CloseRemote", QStringLiteral(" x "));
    OnClick(close, [this] { HidePanels(); });
    remoteCommand_ = Label(remotePanel_, "Lb_ActRmCommand", {});
    auto* clear = Button(remotePanel_, "Bt_ClearRemote", tr("Clear"));
    connect(clear, &QPushButton::clicked, this, &TConfigCommandsPage::ClearRemote);
    grid->addWidget(new QLabel(tr("Record Remote"), remotePanel_), 0, 0);
    grid->addWidget(close, 0, 2, Qt::AlignRight);
    grid->addWidget(new QLabel(tr("Press a key on your remote"), remotePanel_), 1, 0, 1, 3);
    grid->addWidget(remoteCommand_, 2, 0, 1, 2);
    grid->addWidget(clear, 2, 2);
}

void TConfigCommandsPage::FillCommandGrid() {
    HidePanels();
    keys_->hide();
    keys_->setRowCount(0);
    QString previous;
    for (int index = 0; index < commands_.Count(); ++index) {
        const TActionCommand& command = *commands_.GetItem(index);
        const QString category = CategoryOf(command);
        if (index == 0 || category != previous) {
            if (index != 0) {
                AddRow({}, -1);
            }
            AddRow(QStringLiteral("--") + category, -1);
            AddRow({}, -1);
        }
        previous = category;
        AddRow(command.Action != nullptr ? command.Action->text() : QString::fromStdString(command.Name),
               index);
    }
    RepaintGrid();
    keys_->show();
    if (keys_->rowCount() > 2) {
        keys_->setCurrentCell(2, 0);
    }
    FitColumns();
}

void TConfigCommandsPage::AddRow(const QString& caption, int commandIndex) {
    const int row = keys_->rowCount();
    keys_->insertRow(row);
    const bool header = caption.size() > 4 && caption.startsWith(QStringLiteral("--"));
    auto* first = Cell(header ? CategoryTitle(caption.mid(2)) : caption, commandIndex);
    auto* second = Cell({}, commandIndex);
    for (QTableWidgetItem* item : {first, second}) {
        item->setBackground(header ? kHeaderBack : kCellBack);
        item->setForeground(header ? kHeaderText : kCaptionText);
    }
    if (!header && commandIndex >= 0) {
        first->setText(QStringLiteral("   ") + caption);
    }
    keys_->setItem(row, 0, first);
    keys_->setItem(row, 1, second);
}

TActionCommand* TConfigCommandsPage::CommandOfRow(int row) const {
    const QTableWidgetItem* item = keys_->item(row, 0);
    const int index = item != nullptr ? item->data(kCommandRole).toInt() : -1;
    return index >= 0 ? commands_.GetItem(index) : nullptr;
}

QPixmap TConfigCommandsPage::GesturePicture(std::int32_t code, const QSize& size) const {
    QPixmap picture(size);
    QPainter painter(&picture);
    DrawGesture(code, painter, QRect(QPoint(0, 0), size));
    return picture;
}

void TConfigCommandsPage::RepaintGrid() {
    const QString assigned = QString::fromStdU16String(strings_.GetText("Rem_Assigned"));
    const QString empty = QString::fromStdU16String(strings_.GetText("Rem_Empty"));
    for (int row = 0; row < keys_->rowCount(); ++row) {
        const TActionCommand* command = CommandOfRow(row);
        QTableWidgetItem* binding = keys_->item(row, 1);
        if (command == nullptr || binding == nullptr) {
            continue;
        }
        binding->setData(Qt::DecorationRole, {});
        binding->setForeground(kCaptionText);
        if (mode_ == kShortcutMode) {
            binding->setText(QString::fromStdString(ShortcutCodeToText(command->ShortcutCode)));
        } else if (mode_ == kGestureMode) {
            binding->setText({});
            if (command->GestureCode != 0) {
                binding->setData(Qt::DecorationRole, GesturePicture(command->GestureCode, QSize(90, 17)));
            }
        } else {
            const bool hasCode = !command->RemoteCode.empty();
            binding->setText(hasCode ? assigned : empty);
            if (hasCode) {
                binding->setForeground(kAssigned);
            }
        }
    }
}

void TConfigCommandsPage::SetMode(int mode) {
    mode_ = mode;
    for (int at = 0; at < 3; ++at) {
        hints_[at]->setVisible(at == mode);
    }
    RepaintGrid();
}

void TConfigCommandsPage::HidePanels() {
    if (keyEditor_->isVisible()) {
        CommitShortcut();
    }
    gesturePanel_->hide();
    remotePanel_->hide();
    waitingForRemote_ = false;
}

void TConfigCommandsPage::ResetGestures() {
    selected_ = nullptr;
    lastGesture_ = 0;
    lastGestureImage_->setPixmap(GesturePicture(0, lastGestureImage_->size()));
    assignedGestureImage_->setPixmap(GesturePicture(0, assignedGestureImage_->size()));
}

bool TConfigCommandsPage::ShowGesture(std::int32_t code) {
    lastGesture_ = code;
    lastGestureImage_->setPixmap(GesturePicture(code, lastGestureImage_->size()));
    return gesturePanel_->isVisible();
}

void TConfigCommandsPage::AssignRemoteCode(const std::string& code) {
    const bool waiting = waitingForRemote_;
    waitingForRemote_ = false;
    if (waiting && remotePanel_->isVisible() && selected_ != nullptr) {
        commands_.SetRemoteCodeOfAction(selected_->Action, code.c_str(), false);
        remotePanel_->hide();
    }
    RepaintGrid();
}

void TConfigCommandsPage::CellClicked(int row, int column) {
    TActionCommand* command = CommandOfRow(row);
    if (command == nullptr || column != 1) {
        return;
    }
    HidePanels();
    selected_ = command;
    const QString caption = command->Action != nullptr ? command->Action->text() : QString();
    if (mode_ == kShortcutMode) {
        EditShortcut(row);
    } else if (mode_ == kGestureMode) {
        gestureCommand_->setText(caption);
        assignedGestureImage_->setPixmap(GesturePicture(command->GestureCode, assignedGestureImage_->size()));
        gesturePanel_->show();
    } else {
        remoteCommand_->setText(caption);
        remotePanel_->show();
        waitingForRemote_ = true;
    }
}

void TConfigCommandsPage::EditShortcut(int row) {
    const TActionCommand* command = CommandOfRow(row);
    keyEditor_->setKeySequence(ShortCutToKeySequence(ShortcutCodeToShortCut(command->ShortcutCode)));
    const QRect cell = keys_->visualItemRect(keys_->item(row, 1));
    keyEditor_->setGeometry(cell.adjusted(1, 0, -1, 0));
    editedRow_ = row;
    keyEditor_->show();
    keyEditor_->setFocus();
}

void TConfigCommandsPage::CommitShortcut() {
    if (editedRow_ < 0) {
        return;
    }
    // Two commands may share a key: the first one runs.
    if (TActionCommand* command = CommandOfRow(editedRow_)) {
        command->ShortcutCode = ShortCutToShortcutCode(KeySequenceToShortCut(keyEditor_->keySequence()));
    }
    editedRow_ = -1;
    keyEditor_->hide();
    RepaintGrid();
}

void TConfigCommandsPage::SetSpecialKey(int key) {
    keyEditor_->setKeySequence(QKeySequence(key));
}

void TConfigCommandsPage::AssignGesture(std::int32_t gesture) {
    if (selected_ != nullptr) {
        selected_->GestureCode = gesture;
        assignedGestureImage_->setPixmap(GesturePicture(gesture, assignedGestureImage_->size()));
    }
    RepaintGrid();
    gesturePanel_->hide();
}

void TConfigCommandsPage::ClearRemote() {
    if (selected_ != nullptr) {
        selected_->RemoteCode.clear();
    }
    RepaintGrid();
    remotePanel_->hide();
    waitingForRemote_ = false;
}

void TConfigCommandsPage::FitColumns() {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    keys_->setColumnWidth(1, kBindingColumnWidth);
    keys_->setColumnWidth(0, std::max(0, keys_->width() - kBindingColumnWidth - scrollBar - 4));
}

void TConfigCommandsPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitColumns();
}

bool TConfigCommandsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        specialKeys_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (event->type() == QEvent::FocusOut && keyEditor_->isVisible() && !specialKeys_->isVisible() &&
        !keyEditor_->isAncestorOf(QApplication::focusWidget()) && QApplication::focusWidget() != keyEditor_) {
        CommitShortcut();
    }
    return QWidget::eventFilter(watched, event);
}
