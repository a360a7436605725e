#pragma once
// The window that turns a ZIP archive into a self-extracting archive and back.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class frmSFX : public QWidget
{
    Q_OBJECT

public:
    explicit frmSFX(QWidget *parent = nullptr);
    ~frmSFX() override;

    // Opens the one window (creating it on first use) and brings it to the front.
    static frmSFX *zeigen(QWidget *parent);
    // The open window, or nullptr.
    static frmSFX *instance();

    static QString infoText();

    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtAppendix = nullptr;
    QToolButton *Command4 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLineEdit *txtAppendix1 = nullptr;
    QToolButton *Command3 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

private:
    enum class Richtung { NachSfx, NachZip };
    void waehlen(QLineEdit *text, QLabel *label, const QString &titel, const QString &filter);
    void umwandeln(Richtung richtung);
};
