#pragma once

// What every editing dialog shares: controls placed in dialog units, the ids of
// the controls as object names, members pushed into the controls each time the
// dialog opens and read back on OK, and the hidden default button that turns
// Enter into "next control" in the dialogs that have several edits.

#include <QDialog>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CDialogBase : public QDialog {
    Q_OBJECT
public:
    // Id of the hidden default button that moves the focus on Enter.
    static constexpr int IDC_NEXT_CONTROL = 1013;

    explicit CDialogBase(QWidget* parent = nullptr);

    // A control's object name: "edit1014", "button1", "list1001".
    static QString ControlName(const char* kind, int id);

    // Reads the controls into the members, then closes with Accepted.
    void accept() override;

protected:
    // Dialog units (a quarter of the average letter width across, an eighth of
    // the character height down) to pixels of this dialog's font.
    QRect DlgRect(int x, int y, int width, int height) const;
    int DlgX(int x) const;
    int DlgY(int y) const;
    void SetDlgSize(int width, int height);

    QLabel* AddLabel(const QString& text, int x, int y);
    QLineEdit* AddEdit(int id, int x, int y, int width, int height);
    // A multi-line edit in which Enter breaks the line and Tab leaves the edit.
    QPlainTextEdit* AddMultiLineEdit(int id, int x, int y, int width, int height);
    QPushButton* AddButton(int id, const QString& text, int x, int y, int width, int height);
    // Everything typed or pasted into `edit` becomes capitals, accented
    // letters included; the text keeps its length, so the cursor stays put.
    static void ConvertToCapitals(QLineEdit* edit);
    // Makes Enter move the focus to the next control instead of closing.
    void AddNextControlButton();

    // Called each time the dialog is about to show: members into the controls.
    virtual void OnInitDialog() {}
    // Called on OK: controls into the members.
    virtual void SaveData() {}

    void setVisible(bool visible) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnNextControl();
    // Fonts wider than the templates' leave a label running into the edit
    // beside it: such an edit gives up room on its left, keeping its right edge.
    void MakeRoomForLabels();

    QPushButton* m_pNextControl = nullptr;
    bool m_bLaidOut = false;
};
