#pragma once
// The page tree of the settings dialog ("Tr_Config"): five groups of pages, always expanded; each page
// node carries the image index that chooses its page. Groups cannot be chosen and nothing collapses.
#include <QTreeWidget>

#include <set>

class TStringCollection;

class TConfigPageTree : public QTreeWidget {
    Q_OBJECT
public:
    // Image indexes of the pages.
    static constexpr int kInterface = 1;
    static constexpr int kFileType = 2;
    static constexpr int kDirectory = 3;
    static constexpr int kSkin = 4;
    static constexpr int kOsd = 5;
    static constexpr int kInfo = 6;
    static constexpr int kShortcuts = 8;
    static constexpr int kGesture = 9;
    static constexpr int kRemote = 10;
    static constexpr int kDvdGraph = 12;
    static constexpr int kMediaGraph = 13;
    static constexpr int kFiltersConfig = 14;
    static constexpr int kGraphLog = 15;
    static constexpr int kProperties = 17;
    static constexpr int kDirectX9 = 18;
    static constexpr int kPlugins = 20;

    explicit TConfigPageTree(QWidget* parent = nullptr);

    // Rebuilds the tree with the collection's texts, listing the pages the dialog has.
    void BuildPageTree(const TStringCollection& strings, const std::set<int>& pages);
    // Selects the node of that image index (nothing when there is none).
    void SelectPage(int imageIndex);
    // The image index of the selected node; 0 when none is.
    int SelectedPage() const;

signals:
    void pageChosen(int imageIndex);

private:
    void SelectionChanged();
};
