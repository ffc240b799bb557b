#pragma once
// The pictures the main form's hidden texture button "Bt_Texture" carries, which dress every dialog
// button of the program ("Close", "Yes", "No"): a left and a right cap, each a strip of five frames
// (up, disabled, down, exclusive, hover); the middle of a button takes the left cap's last column.
#include <QImage>

class TButtonTexture {
public:
    static constexpr int kFrames = 5;
    static constexpr int kCapWidth = 4;
    static constexpr int kHeight = 24;

    static QImage LeftStrip();
    static QImage RightStrip();
    // The colour of the caps' outer edge.
    static QColor EdgeColour();

private:
    // A strip whose outer edge is the column `edgeColumn` of each frame.
    static QImage Strip(int edgeColumn);
};
