#pragma once
// Remove options: the marked entries, all entries, or the entries matching a pattern. Hidden
// after a choice, so the pattern is offered again next time; the close box discards it.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

class frmEntfernen : public QDialog
{
    Q_OBJECT

public:
    static frmEntfernen *instance();

    // 0 marked entries, 1 all entries, 2 by pattern; -1 when the window was closed without a choice.
    int modus() const;
    void setModus(int modus);

    QPushButton *Command2[3] = {};
    QRadioButton *Option1[3] = {}; // hold the mode; never shown
    QLineEdit *Text1 = nullptr;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit frmEntfernen(QWidget *parent);
    bool m_keineWahl = false;
};
