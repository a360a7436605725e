#pragma once
// New archive and add-files window. One window, two modes: naming a new archive, or adding
// files to the current one. It is created once and afterwards only hidden, so its check boxes,
// pattern and folder carry over.

#include <QDialog>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ZipComponent;

namespace kasto {
class DirListBox;
class DriveListBox;
class FileListBox;
} // namespace kasto

class frmZip : public QDialog
{
    Q_OBJECT

public:
    // The one window; created (hidden) when it does not exist yet.
    static frmZip *instance();
    // The window if it exists, without creating it.
    static frmZip *existing();

    enum class Modus { NeuesArchiv, Hinzufuegen };
    // Prepares the window for a mode, as the main window's entries do before showing it.
    void vorbereiten(Modus modus);

    // Add operations, also public for the main window.
    void markierte();
    void alle();
    void dateiarten();
    // Busy pointer and an immediate repaint.
    void me_ref();

    QGroupBox *fram1 = nullptr;
    QLabel *Label5 = nullptr;
    kasto::DriveListBox *Drive1 = nullptr;
    kasto::DirListBox *Dir1 = nullptr;
    QLabel *Label4 = nullptr;
    kasto::FileListBox *File1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command4 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Info
    QGroupBox *Frame2 = nullptr;
    QPushButton *Command3[3] = {};   // Markierte Dateien, Alle Dateien, Dateiarten
    QCheckBox *Check1 = nullptr;     // Pfadangaben speichern ?
    QCheckBox *Check2 = nullptr;     // mit Unterordnern ?
    QCheckBox *Check3 = nullptr;     // mit Systemdateien  ?
    QCheckBox *Check4 = nullptr;     // mit Password ?
    QLineEdit *Text2 = nullptr;
    QPushButton *Command5 = nullptr; // <
    QLabel *Label1 = nullptr;

    ZipComponent *VFzip1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit frmZip(QWidget *parent);
    ~frmZip() override;

    void Command4_Click();
    void Command2_Click();
    void Command3_Click(int index);
    void File1_Click();
    void VFzip1_ProgressText(const QString &text);
    void VFzip1_StatusText(const QString &text);
    QString ordnerPrefix() const;
    void beginnen();
    void hauptfensterAuffrischen(bool warteText);
    void beenden(bool ok);

    QString m_puffer;  // progress texts shown two at a time
    int m_anzahl = 0;
    QString m_fehler;  // last failure the zip component reported
};
