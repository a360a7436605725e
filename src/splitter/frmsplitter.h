#pragma once
// The file splitter window: split a file (upper half), join fragments (lower half), checksum,
// deleting fragments, help. The work itself is done by splitter.h; this window shows it.

#include "splitter/clscrc32.h"

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

class frmSplitter : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplitter(QWidget *parent = nullptr);
    ~frmSplitter() override;

    // Shows the splitter window, loading it when it is not open, and brings it to the front.
    static frmSplitter *zeigen();
    // The open splitter window, or nullptr.
    static frmSplitter *instance();
    static QString caption();

    // Path helpers of the splitter.
    static QString Nurdatei(const QString &path);
    static QString NurName(const QString &path);

    // Repaints the window at once.
    void me_refresh();
    // The folder the hidden file list shows: where fragments are looked for.
    QString fragmentOrdner() const { return m_ordner; }
    // True while a split or join runs.
    bool beschaeftigt() const { return m_busy; }

    int Fragmentgroesse = 1420;
    double ListenRand = 0;
    clsCRC32 oCRC;

    // Split half.
    QLabel *Label3 = nullptr;
    QLabel *Label1 = nullptr;
    QToolButton *Command3 = nullptr;
    QLineEdit *Text1 = nullptr;
    QFrame *Shape2 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *Combo1 = nullptr;
    QCheckBox *Check1 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QListWidget *List2 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Picture1 = nullptr;
    QFrame *Line1 = nullptr;
    // Join half.
    QLabel *Label4 = nullptr;
    QLabel *Label13 = nullptr;
    QToolButton *Command8 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLabel *Label6 = nullptr;
    QListWidget *List1 = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label14 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *Command4 = nullptr;
    QLabel *Picture2 = nullptr;
    // Bottom row.
    QPushButton *Command6 = nullptr;
    QToolButton *Command5 = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label8 = nullptr;
    // Contents of the fragment folder, never shown.
    QListWidget *File1 = nullptr;

public slots:
    void Command1_Click(); // split
    void Picture1_Click();
    void Command2_Click(); // Clear
    void Command3_Click(); // choose the file to split
    void Command4_Click(); // join
    void Picture2_Click();
    void Command5_Click(); // help
    void Command6_Click(); // End
    void Command7_Click(); // crc32
    void Command8_Click(); // choose the first fragment
    void List1_DblClick();
    void Combo1_Change();
    // Fills the join list with the fragments of `path` found in the fragment folder.
    void fuellen2(const QString &path);

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    QLabel *label(const char *name, const QString &text, int x, int y, int w, int h);
    QToolButton *bildKnopf(const char *name, const QString &icon, const QRect &r);
    QLineEdit *textfeld(const char *name, const QRect &r);
    QFrame *rahmen(const char *name, const QRect &r);
    QListWidget *liste(const char *name, const QRect &r);
    static void schmal(QLabel *l);
    void ueberschriftSetzen(QLabel *l, const QFont &font);
    QLabel *bild(const char *name, const QString &icon, QWidget *auf, int x, int y);
    void hover(QObject *over);
    // Points the hidden file list at `ordner` and reads it again.
    void setOrdner(const QString &ordner);
    void File1Refresh();
    void setBusy(bool busy);
    void knoepfe();
    void hourglass();
    void normalPointer();
    void setLabel12(const QString &text);

    QString m_ordner;
    bool m_busy = false;
    bool m_splitOk = true;  // Command1: the size box holds a number
    bool m_joinOk = false;  // Command4 and Picture2
    bool m_clearOk = false; // Command2
};
