#include "player/dialogs/config/TConfigPageTree.h"

#include "subtitles/translator/TStringCollection.h"

namespace {

constexpr int kImageRole = Qt::UserRole;

struct Node {
    const char* key;
    int image; // 0 for a group
};

constexpr Node kNodes[] = {
    {"Node_General", 0},
    {"Node_Interface", TConfigPageTree::kInterface},
    {"Node_FileType", TConfigPageTree::kFileType},
    {"Node_Directory", TConfigPageTree::kDirectory},
    {"Node_Skin", TConfigPageTree::kSkin},
    {"Node_OSD", TConfigPageTree::kOsd},
    {"Node_Info", TConfigPageTree::kInfo},
    {"Node_Commands", 0},
    {"Node_Shortcuts", TConfigPageTree::kShortcuts},
    {"Node_Gesture", TConfigPageTree::kGesture},
    {"Node_Remote", TConfigPageTree::kRemote},
    {"Node_Directshow", 0},
    {"Node_DVDGraph", TConfigPageTree::kDvdGraph},
    {"Node_MediaGraph", TConfigPageTree::kMediaGraph},
    {"Node_FiltersConfig", TConfigPageTree::kFiltersConfig},
    {"Node_GraphLog", TConfigPageTree::kGraphLog},
    {"Node_Subtitles", 0},
    {"Node_Properties", TConfigPageTree::kProperties},
    {"Node_DirectX9", TConfigPageTree::kDirectX9},
    {"Node_System", 0},
    {"Node_Plugins", TConfigPageTree::kPlugins},
};

QFont NodeFont(const QFont& base, int points) {
    QFont font = base;
    font.setPointSize(points);
    return font;
}

} // namespace

TConfigPageTree::TConfigPageTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("Tr_Config"));
    setHeaderHidden(true);
    setItemsExpandable(false);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The selected node in black on 0xD1ADAD (blue-green-red).
    setStyleSheet(QStringLiteral("QTreeWidget::item:selected { background: #ADADD1; color: black; }"));
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TConfigPageTree::SelectionChanged);
}

void TConfigPageTree::BuildPageTree(const TStringCollection& strings, const std::set<int>& pages) {
    const int selected = SelectedPage();
    const QSignalBlocker quiet(this);
    clear();
    QTreeWidgetItem* group = nullptr;
    for (const Node& node : kNodes) {
        const QString text = QString::fromStdU16String(strings.GetText(node.key));
        if (node.image == 0) {
            group = new QTreeWidgetItem(this, {text});
            group->setFlags(Qt::ItemIsEnabled);
            group->setFont(0, NodeFont(font(), 8));
            group->setForeground(0, QColor(0x82, 0x84, 0x81));
        } else if (pages.count(node.image) != 0) {
            auto* item = new QTreeWidgetItem(group, {text});
            item->setData(0, kImageRole, node.image);
            item->setFont(0, NodeFont(font(), 7));
            item->setForeground(0, QColor(Qt::blue));
        }
    }
    expandAll();
    SelectPage(selected);
}

void TConfigPageTree::SelectPage(int imageIndex) {
    for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
        if ((*it)->data(0, kImageRole).toInt() == imageIndex && imageIndex != 0) {
            setCurrentItem(*it);
            return;
        }
    }
}

int TConfigPageTree::SelectedPage() const {
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? 0 : items.first()->data(0, kImageRole).toInt();
}

void TConfigPageTree::SelectionChanged() {
    if (const int page = SelectedPage(); page != 0) {
        emit pageChosen(page);
    }
}
