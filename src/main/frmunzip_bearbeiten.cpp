// The main window's operations that change archives: a new archive, adding files, removing
// entries. The zip component lives on the add-files window.

#include "main/frmunzip.h"

#include "common/shared.h"
#include "common/ui.h"
#include "create/frmzip.h"
#include "engine/unzipcomponent.h"
#include "engine/zipcomponent.h"
#include "main/frmentfernen.h"

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {
const QString kFertig = u"            *** fertig ***"_s;
}

QString frmUnzip::leereCaption()
{
    return u"KASTO - PackProgramm"_s + QString(78, u' ') + u"-wexlon-"_s;
}

void frmUnzip::zeigeDateienCaption()
{
    setWindowTitle(kasto::ArchivPfad + u" -> "_s + QString::number(ListView1->topLevelItemCount())
                   + u" Dateie(n)"_s);
}

void frmUnzip::neu_Click()
{
    if (m_busy)
        return;
    ProgressBar1->setValue(0);
    frmZip *z = frmZip::instance();
    z->vorbereiten(frmZip::Modus::NeuesArchiv);
    kasto::ui::execModal(z);
}

void frmUnzip::Command4_Click()
{
    if (m_busy)
        return;
    QPointer<frmZip> z = frmZip::instance();
    z->vorbereiten(frmZip::Modus::Hinzufuegen);
    kasto::ui::execModal(z);
    zeigeDateienCaption();
}

void frmUnzip::Command3_Click()
{
    if (m_busy)
        return;
    ZipComponent *zip = frmZip::instance()->VFzip1;
    zip->setUsePassword(false);
    const QList<QToolButton *> six{Command1, Command2, Command4, Command5, Command6, Command9};
    enable(six, false);
    setStatusText(QString());
    zip->setZipFile(kasto::ArchivPfad);

    QPointer<frmEntfernen> dlg = frmEntfernen::instance();
    dlg->setModus(0);
    kasto::ui::execModal(dlg);
    const int modus = dlg ? dlg->modus() : -1;
    const QString muster = dlg ? dlg->Text1->text().trimmed() : QString();

    ref();
    setBusy(true);
    bool entfernt = false; // a removal ran in this use
    if (modus == 0) {
        if (markierteZeilen() == 0) {
            setBusy(false);
            kasto::ui::MsgBox(this, u"Es sind keine Dateien zum Entfernen ausgewählt !"_s, kasto::ui::Buttons::Ok,
                              kasto::ui::Icon::Exclamation, u"Kasto-Nachricht"_s);
            enable(six, true);
            normalPointer();
            return;
        }
        // From the bottom up, so the rows still to visit keep their places.
        for (int i = ListView1->topLevelItemCount() - 1; i >= 0; --i) {
            QTreeWidgetItem *row = ListView1->topLevelItem(i);
            if (row->checkState(0) != Qt::Checked)
                continue;
            // Each call is judged by its own report, never by the one before.
            setStatusText(QString());
            guarded([&] { zip->DeleteFiles(eintragName(row)); });
            entfernt = true;
            const QString t = statusText();
            if (t.startsWith(u"deleting"_s) || t.contains(u"empty"_s))
                delete row;
        }
    } else if (modus == 1 || modus == 2) {
        const QString frage = modus == 1
            ? u"Sollen wirklich alle Dateien des Archivs "_s + kasto::ArchivPfad + u" gelöscht werden ?"_s
            : u"Sollen wirklich alle Dateien mit der Dateiendung: "_s + muster
                  + u" aus dem Archiv gelöscht werden ?"_s;
        if (kasto::ui::MsgBox(this, frage, kasto::ui::Buttons::YesNo, kasto::ui::Icon::Question,
                              u"Kasto Kontrollabfrage"_s)
            == kasto::ui::Answer::Yes) {
            guarded([&] { zip->DeleteFiles(modus == 1 ? u"*.*"_s : muster); });
            entfernt = true;
            ListView1->clear();
            guarded([this] { VFunzip1->ListArchive(); });
        } else {
            setStatusText(u"Es wurden keine Dateien entfernt. "_s);
        }
    }
    setBusy(false);

    if (ListView1->topLevelItemCount() > 0) {
        enable(six, true);
        normalPointer();
        zeigeDateienCaption();
        setStatusText(statusText() + kFertig);
    } else if (entfernt) {
        QFile::remove(kasto::ArchivPfad); // the component may have removed it already
        enable({Command4, Command3, Command1, Command2, Command9}, false);
        enable({Command5, Command6}, true);
        setStatusText(u"Alle Dateien des Archivs "_s + kasto::ArchivPfad
                      + u" wurden entfernt. Das Archiv wurde gelöscht."_s);
        setWindowTitle(leereCaption());
        kasto::ArchivPfad.clear();
        normalPointer();
    } else {
        // The list was empty before and nothing was removed: the file stays.
        enable(six, true);
        setStatusText(u"Es wurden keine Dateien entfernt. "_s);
        normalPointer();
    }
}
