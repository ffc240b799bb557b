#pragma once
// The video context menu's top-level panel: items drawn in the flat menu look, moved right to leave
// room for a gradient bar along the menu's left edge with the skin's menu picture at its foot. The
// bar ends at the item that closes the menu (the Quit item), which is found by its tag.
#include <QImage>
#include <QMenu>

class TVideoPopupMenu : public QMenu {
public:
    // Items this far right of the menu's left edge; the bar is kSideBarWidth pixels wide.
    static constexpr int kItemIndent = 32;
    static constexpr int kExtraWidth = 75;
    static constexpr int kSideBarWidth = 30;
    // The picture overlaps the bottom of the last item by this much.
    static constexpr int kLogoOverlap = 5;
    static inline const QColor kBarTop{128, 128, 255};
    static inline const QColor kBarBottom{10, 10, 134};

    // `lastItemTag` is the data of the item at whose bottom the bar ends.
    TVideoPopupMenu(QWidget* parent, int lastItemTag);

    // The picture at the bar's foot (none: the bar runs to the last item's bottom).
    void SetLogo(const QImage& logo);
    const QImage& Logo() const { return logo_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QAction* LastItem() const;
    void PaintSideBar(QPainter& painter, int itemBottom) const;

    int lastItemTag_;
    QImage logo_;
};
