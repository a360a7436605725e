#pragma once
// The main window: nine picture buttons, the archive entry list, progress bar and status bar.

#include <QColor>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolButton;
class QTreeWidget;

class frmUnzip : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmUnzip(QWidget *parent = nullptr);
    ~frmUnzip() override;

    // The one main window while it exists.
    static frmUnzip *instance();

    static QString startCaption();
    static QString aboutText();
    static QColor hoverColor();

    // Text of the status bar's single panel.
    QString statusText() const;
    void setStatusText(const QString &text);

    // Busy state: hourglass pointer and an immediate repaint, so a status text written just
    // before stays visible while the work runs.
    void ref();
    // Back to the arrow.
    void normalPointer();

    QColor normalColor() const { return m_normalColor; }
    QColor buttonColor(QToolButton *button) const;

    // Right mouse button on the list: adjusts the popup items and opens the popup.
    void showListPopup(const QPoint &globalPos);

    // Buttons, left to right on the window.
    QToolButton *Command5 = nullptr; // Neu
    QToolButton *Command6 = nullptr; // Öffnen
    QToolButton *Command4 = nullptr; // Hinzufügen
    QToolButton *Command3 = nullptr; // Entfernen
    QToolButton *Command1 = nullptr; // Unzip
    QToolButton *Command2 = nullptr; // Unzip (alles)
    QToolButton *Command8 = nullptr; // Splitter
    QToolButton *Command9 = nullptr; // TestZip
    QToolButton *Command7 = nullptr; // SFX

    QTreeWidget *ListView1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    // Menus.
    QMenu *mfile = nullptr;
    QAction *neu = nullptr;
    QAction *open = nullptr;
    QAction *end = nullptr;
    QMenu *questionmark = nullptr;
    QAction *about = nullptr;
    QMenu *mnuPopUp = nullptr;
    QAction *mnuPent = nullptr;
    QAction *mnuPentpack = nullptr;
    QAction *seperator = nullptr;
    QAction *mnuTest = nullptr;
    QAction *mnuPneu = nullptr;
    QAction *mnuPOe = nullptr; // objectName "mnuPÖ"

public slots:
    void about_Click();
    void Command7_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QToolButton *makeButton(const char *name, const QString &caption, const QString &tooltip,
                            const QString &icon, int left, bool enabled);
    QList<QToolButton *> buttons() const;
    void setButtonColor(QToolButton *button, const QColor &color);
    void hover(QWidget *over);
    void layoutBottom();
    void fitList();

    QWidget *m_central = nullptr;
    QLabel *m_panel = nullptr;
    QColor m_normalColor;
};
