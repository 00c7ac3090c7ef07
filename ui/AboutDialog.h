#pragma once

// The About dialog: who made the program, shown at start-up and from Help > About.

#include <QDialog>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QShowEvent;

namespace velmaro {

class TfrmIntroVelmaro : public QDialog {
    Q_OBJECT

public:
    explicit TfrmIntroVelmaro(QWidget *owner = nullptr);

    QGroupBox *GroupBox1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QLabel *Label9;
    QLabel *Label10;
    QLabel *Label11;
    QPushButton *BitBtn1;

protected:
    // The dialog has no cancel button: Escape is swallowed, Enter presses OK.
    void keyPressEvent(QKeyEvent *event) override;
    // Opens centred on the screen, also when the owner is not visible yet (start-up).
    void showEvent(QShowEvent *event) override;

private:
    void BitBtn1Click();
};

// Creates the dialog owned by owner, shows it modally and frees it once it has closed,
// on every path. The result is not used.
void ShowAboutDialog(QWidget *owner);

} // namespace velmaro
