#pragma once
// A colour shape of the settings dialog: a framed box filled with its colour, clicked to choose
// another. Colours are held as 0x00BBGGRR, as the settings file stores them.
#include <QFrame>

#include <cstdint>

class TColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit TColorSwatch(const QString& name, QWidget* parent = nullptr);

    std::uint32_t Colour() const { return colour_; }
    void SetColour(std::uint32_t colour);
    QColor ToQColor() const;
    static std::uint32_t FromQColor(const QColor& colour);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t colour_ = 0;
};
