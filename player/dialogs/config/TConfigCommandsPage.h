#pragma once
// The commands page of the settings dialog ("Pg_Keyboard"): every command of the player by category,
// with its keyboard shortcut (mode 0), mouse gesture (mode 1) or remote-control code (mode 2). A click
// on a command's binding edits it: a key editor over the cell, the gesture panel that takes the last
// gesture drawn, or the remote panel that waits for a code from the remote. Changes go straight into
// the command table.
#include <QWidget>

#include <cstdint>
#include <string>

class QKeySequenceEdit;
class QLabel;
class QMenu;
class QTableWidget;
class TActionControler;
class TStringCollection;
struct TActionCommand;

class TConfigCommandsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShortcutMode = 0;
    static constexpr int kGestureMode = 1;
    static constexpr int kRemoteMode = 2;
    static constexpr int kBindingColumnWidth = 100;

    TConfigCommandsPage(TActionControler& commands, const TStringCollection& strings,
                        QWidget* parent = nullptr);

    // One row per command, with a header row per category between empty rows.
    void FillCommandGrid();
    // Shows the mode's hint and bindings.
    void SetMode(int mode);
    int Mode() const { return mode_; }
    // Hides the key editor and both panels; no code is awaited any more.
    void HidePanels();
    // No command selected, no gesture drawn or assigned.
    void ResetGestures();
    // The gesture being drawn (0 when the button goes down); true while the gesture panel waits for one,
    // so that the gesture runs no command.
    bool ShowGesture(std::int32_t code);
    // A code from the remote: the selected command's when the remote panel waits (taken from any
    // other command); the panel then closes.
    void AssignRemoteCode(const std::string& code);
    bool WaitingForRemote() const { return waitingForRemote_; }
    // Redraws the bindings column.
    void RepaintGrid();
    // Keeps the bindings column 100 pixels wide and gives the captions the rest.
    void FitColumns();
    // The row's command; nullptr for header and empty rows.
    TActionCommand* CommandOfRow(int row) const;
    std::int32_t LastGesture() const { return lastGesture_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildGrid();
    void BuildGesturePanel();
    void BuildRemotePanel();
    void AddRow(const QString& caption, int commandIndex);
    void CellClicked(int row, int column);
    void EditShortcut(int row);
    void CommitShortcut();
    void SetSpecialKey(int key);
    void AssignGesture(std::int32_t gesture);
    void ClearRemote();
    QPixmap GesturePicture(std::int32_t code, const QSize& size) const;

    TActionControler& commands_;
    const TStringCollection& strings_;
    QTableWidget* keys_;
    QKeySequenceEdit* keyEditor_;
    QMenu* specialKeys_;
    QLabel* hints_[3];
    QWidget* gesturePanel_;
    QLabel* lastGestureImage_;
    QLabel* assignedGestureImage_;
    QLabel* gestureCommand_;
    QWidget* remotePanel_;
    QLabel* remoteCommand_;
    int mode_ = kShortcutMode;
    int editedRow_ = -1;
    TActionCommand* selected_ = nullptr;
    std::int32_t lastGesture_ = 0;
    bool waitingForRemote_ = false;
};
