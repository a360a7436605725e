#pragma once
// The main window: nine picture buttons, the archive entry list, progress bar and status bar.

#include <QColor>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class UnzipComponent;

class frmUnzip : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmUnzip(QWidget *parent = nullptr);
    ~frmUnzip() override;

    // The one main window while it exists.
    static frmUnzip *instance();

    static QString startCaption();
    // Caption after the last entry was removed.
    static QString leereCaption();
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

    // Row texts of the entry list.
    static QString datumText(int day, int month, int year, int hour, int minute);
    static QString groesseText(qint64 size);
    static QString ratioText(int ratio);
    // Full entry name of a row: its "Pfad" text followed by its "Name" text.
    static QString eintragName(const QTreeWidgetItem *row);
    int markierteZeilen() const;
    // Sort state of the list (switched off by every opening).
    bool isSorted() const { return m_sorted; }
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // The two unzip component instances: the first lists and extracts, the second tests.
    UnzipComponent *VFunzip1 = nullptr;
    UnzipComponent *VFunzip2 = nullptr;

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
    void open_Click();     // menu "ZipArchiv Öffnen"
    void Command6_Click(); // "Öffnen" and the popup item
    void Command1_Click(); // extract marked
    void Command2_Click(); // extract all
    void Command9_Click(); // test all
    void mnuTest_Click();  // test marked
    void ListView1_ColumnClick(int column);
    void neu_Click();      // "Neu", the menu item and the popup item
    void Command4_Click(); // add files
    void Command3_Click(); // remove entries
    // "Splitter": opens the splitter window and offers the current file for splitting.
    void Command8_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void oeffnen();
    void zeigeDateienCaption();
    void jedeMarkierteZeile(const std::function<void(const QString &)> &call);
    bool entpacken(const QList<QToolButton *> &group, const std::function<void()> &work);
    void testen(const std::function<void()> &work);
    bool nichtsMarkiert(const QString &meldung);
    void VFunzip_FileInfo(qint64 size, qint64 packedSize, int ratio, int month, int day, int year, int hour,
                          int minute, const QString &name, const QString &path);
    void VFunzip_Progress(qint64 current, qint64 total);
    int sortedPlace(const QTreeWidgetItem *row) const;
    void setupComponent(UnzipComponent *component);
    void enable(const QList<QToolButton *> &group, bool on);
    void setBusy(bool busy);
    void fertig();
    // Runs one component call; an error thrown by it becomes a message and `false`.
    bool guarded(const std::function<void()> &work);

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
    bool m_listHint = false;
    bool m_sorted = false;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    qint64 m_progressScale = 1;
    bool m_busy = false;
};
