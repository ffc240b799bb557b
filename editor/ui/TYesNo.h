#pragma once
// The editor's three-line yes/no question ("YesNo"): 6 for Bt_Ok, 7 for Bt_No, 0 when closed
// otherwise. Enter answers yes and Esc answers no.
#include <QDialog>

#include <string_view>

class QLabel;

class TYesNo : public QDialog {
public:
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    explicit TYesNo(QWidget* parent = nullptr);
    int Ask(std::u16string_view line1, std::u16string_view line2, std::u16string_view line3);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* lines_[3];
};
