#include "editor/ui/TEventsGridModel.h"

#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TMergedEvent.h"
#include "subtitles/profiles/TSelect.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/scripts/ScrUtils.h"

void TEventsGridModel::SetSelect(const TSelect* select, const TTitle* title) {
    select_ = select;
    title_ = title;
}

void TEventsGridModel::Reset() {
    beginResetModel();
    endResetModel();
}

const TSubEvents* TEventsGridModel::TitleCopy(int row) const {
    const TSubEvents* event = rows_.EventAt(row);
    if (event == nullptr || select_ == nullptr || title_ == nullptr) {
        return nullptr;
    }
    return title_->FindEventCopy(*event, *select_);
}

bool TEventsGridModel::InRange(int row) const {
    const TSubEvents* event = rows_.EventAt(row);
    return event != nullptr && select_ != nullptr && TEventRows::InSelectRange(*event, *select_);
}

int32_t TEventsGridModel::ShownTime(int row, int column) const {
    const TSubEvents* event = rows_.EventAt(row);
    const TSubEvents* copy = displayTime_ ? TitleCopy(row) : nullptr;
    const TSubEvents* shown = copy != nullptr ? copy : event;
    if (shown == nullptr || shown->GetRecord() == nullptr) {
        return 0;
    }
    return column == kStart ? shown->GetRecord()->start : shown->GetRecord()->end;
}

int TEventsGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.Count();
}

int TEventsGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TEventsGridModel::data(const QModelIndex& index, int role) const {
    const TSubEvents* event = rows_.EventAt(index.row());
    if (event == nullptr || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    switch (index.column()) {
    case kNumber:
        return index.row() + 1;
    case kStart:
    case kEnd: {
        std::string text;
        scrutils::FormatTimeMs(ShownTime(index.row(), index.column()), text);
        return QString::fromStdString(text);
    }
    case kStyle: {
        const char16_t* name = nullptr;
        return event->GetStyleName(name) ? QString::fromStdU16String(std::u16string(name)) : QString();
    }
    case kText: {
        const auto* text = dynamic_cast<const TTextEvent*>(event);
        return text != nullptr ? QString::fromStdU16String(std::u16string(text->GetText())) : QString();
    }
    default:
        return {};
    }
}

QVariant TEventsGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers_.size()) {
        return {};
    }
    return headers_[section];
}

void TEventsGridModel::SetHeaders(const QStringList& headers) {
    headers_ = headers;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}
