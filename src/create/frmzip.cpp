#include "create/frmzip.h"

#include "common/dateilisten.h"
#include "common/fragedialoge.h"
#include "common/layout.h"
#include "common/pfad.h"
#include "common/shared.h"
#include "common/ui.h"
#include "engine/unzipcomponent.h"
#include "engine/zipcomponent.h"
#include "main/frmunzip.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

QPointer<frmZip> s_instance;

// Client sizes of the two modes: the narrow one cuts off the right-hand part.
constexpr QSize kNeuGroesse(365, 282);
constexpr QSize kAddGroesse(626, 282);

const QString kFertig29 = QString(29, u' ') + u"*** fertig ***"_s;

QFrame *linie(QWidget *parent, int top)
{
    auto *l = new QFrame(parent);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(4, top / 15, parent->width() - 8, 2);
    return l;
}

} // namespace

frmZip *frmZip::instance()
{
    if (!s_instance)
        s_instance = new frmZip(frmUnzip::instance());
    return s_instance;
}

frmZip *frmZip::existing()
{
    return s_instance;
}

frmZip::frmZip(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"frmZip"_s);
    setFixedSize(kAddGroesse);
    QFont f = font();
    f.setPointSizeF(8);
    setFont(f);

    fram1 = kasto::neu<QGroupBox>(this, u"fram1"_s, kasto::twips(240, 0, 5055, 3375));
    Label5 = kasto::neu<QLabel>(fram1, u"Label5"_s, kasto::twips(120, 240, 1080, 195), u"Ordner wählen:"_s);
    Drive1 = kasto::neu<kasto::DriveListBox>(fram1, u"Drive1"_s, kasto::twips(120, 480, 1815, 315));
    Dir1 = kasto::neu<kasto::DirListBox>(fram1, u"Dir1"_s, kasto::twips(120, 960, 1815, 2340));
    Label4 = kasto::neu<QLabel>(fram1, u"Label4"_s, kasto::twips(2100, 250, 690, 195), u"Dateiliste:"_s);
    File1 = kasto::neu<kasto::FileListBox>(fram1, u"File1"_s, kasto::twips(2040, 480, 2775, 2820));

    Frame1 = kasto::neu<QGroupBox>(this, u"Frame1"_s, kasto::twips(240, 3480, 5055, 735), u"Frame1"_s);
    Label3 = kasto::neu<QLabel>(Frame1, u"Label3"_s, kasto::twips(0, 0, 1935, 255), u"Name des neuen Archivs ?"_s);
    Label3->setAutoFillBackground(true); // lies over the frame's own caption
    Text1 = kasto::neu<QLineEdit>(Frame1, u"Text1"_s, kasto::twips(120, 240, 2055, 285));
    Label2 = kasto::neu<QLabel>(Frame1, u"Label2"_s, kasto::twips(2280, 240, 495, 285), u".zip"_s);
    Command4 = kasto::neu<QPushButton>(Frame1, u"Command4"_s, kasto::twips(2880, 240, 975, 300), u"OK"_s);
    Command2 = kasto::neu<QPushButton>(Frame1, u"Command2"_s, kasto::twips(4200, 240, 735, 300), u"Info"_s);

    Frame2 = kasto::neu<QGroupBox>(this, u"Frame2"_s, kasto::twips(5520, 120, 3615, 3255), u"Hinzufügen zu ZipArchiv"_s);
    const QString captions[3] = {u"Markierte Dateien"_s, u"Alle Dateien"_s, u"Dateiarten"_s};
    const QString tips[3] = {
        u"Fügt die, in der Dateiliste markierten, Dateien  hinzu (MultiSelect ist möglich)."_s,
        u"Fügt alle Dateien des ausgewählten Ordners hinzu."_s,
        u"Fügt Dateien mit der gewünschten Dateiendung hinzu."_s};
    const int tops[3] = {480, 1200, 1920};
    for (int i = 0; i < 3; ++i) {
        Command3[i] = kasto::neu<QPushButton>(Frame2, u"Command3(%1)"_s.arg(i), kasto::twips(120, tops[i], 1455, 375),
                                              captions[i]);
        Command3[i]->setToolTip(tips[i]);
        connect(Command3[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
    }
    Check2 = kasto::neu<QCheckBox>(Frame2, u"Check2"_s, kasto::twips(1680, 1080, 1815, 255), u"mit Unterordnern ?"_s);
    Check2->setToolTip(u"Alle Unterordner des geöffneten Ordners werden einbezogen."_s);
    Check3 = kasto::neu<QCheckBox>(Frame2, u"Check3"_s, kasto::twips(1680, 1440, 1815, 255), u"mit Systemdateien  ?"_s);
    Check3->setToolTip(u"Es werden Dateien mit dem Attribut \"System\" einbezogen."_s);
    Text2 = kasto::neu<QLineEdit>(Frame2, u"Text2"_s, kasto::twips(1680, 1920, 975, 285), u"*.bmp"_s);
    Check1 = kasto::neu<QCheckBox>(Frame2, u"Check1"_s, kasto::twips(720, 2520, 2295, 255), u"Pfadangaben speichern ?"_s);
    Check1->setToolTip(u"Die Pfade der zum Archiv hinzugefügten Dateien werden gespeichert."_s);
    Check1->setChecked(true);
    Check4 = kasto::neu<QCheckBox>(Frame2, u"Check4"_s, kasto::twips(720, 2880, 1575, 255), u"mit Password ?"_s);
    Check4->setToolTip(u"Das Archiv wird mit einem Password verschlüsselt."_s);
    for (int top : {960, 1800, 2400})
        linie(Frame2, top);

    Command5 = kasto::neu<QPushButton>(this, u"Command5"_s, kasto::twips(8880, 3780, 375, 255), u"<"_s);
    Command5->setToolTip(u"Fenster schliessen"_s);
    Label1 = kasto::neu<QLabel>(this, u"Label1"_s, kasto::twips(240, 3780, 8535, 255));
    Label1->setTextFormat(Qt::PlainText);

    VFzip1 = new ZipComponent(this);
    VFzip1->setObjectName(u"VFzip1"_s);
    VFzip1->passwortFrage = [this](const kasto::engine::SchreibPasswortFrage &f) {
        return kasto::frageSchreibPasswort(isVisible() ? static_cast<QWidget *>(this) : frmUnzip::instance(), f);
    };
    connect(VFzip1, &ZipComponent::ProgressText, this, &frmZip::VFzip1_ProgressText);
    connect(VFzip1, &ZipComponent::StatusText, this, &frmZip::VFzip1_StatusText);

    connect(Drive1, &kasto::DriveListBox::driveChanged, this, [this](const QString &d) {
        Dir1->setPath(d); // a drive that is not ready is ignored
    });
    connect(Dir1, &kasto::DirListBox::Change, File1, &kasto::FileListBox::setPath);
    connect(File1, &QListWidget::itemClicked, this, &frmZip::File1_Click);
    connect(File1, &kasto::FileListBox::rightButtonPressed, File1, &kasto::FileListBox::unmarkAll);
    connect(Command4, &QPushButton::clicked, this, &frmZip::Command4_Click);
    connect(Command2, &QPushButton::clicked, this, &frmZip::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &QWidget::hide);

    kasto::passeAn(this);

    // Loading: nothing marked, the lists on the current drive and folder.
    File1->unmarkAll();
    File1->setPath(Dir1->path());
}

frmZip::~frmZip() = default;

// The close box discards the window; the next use creates it afresh.
void frmZip::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted())
        deleteLater();
}

void frmZip::vorbereiten(Modus modus)
{
    if (modus == Modus::NeuesArchiv) {
        Label1->hide();
        File1->setPattern(u"*.zip"_s);
        setWindowTitle(u"Name und Pfad für das neue Archiv wählen."_s);
        setFixedSize(kNeuGroesse);
        Frame1->show();
        Frame2->hide();
        Command5->hide();
        File1->unmarkAll();
        Text1->clear();
    } else {
        Label1->show();
        File1->setPattern(u"*.*"_s);
        setFixedSize(kAddGroesse);
        Frame1->hide();
        Frame2->show();
        Command5->show();
        setWindowTitle(u"Dateien zum ZipArchiv hinzufügen..."_s);
        VFzip1->setUsePassword(false);
        Label1->clear();
        File1->unmarkAll();
    }
}

void frmZip::me_ref()
{
    setCursor(Qt::WaitCursor);
    repaint();
}

void frmZip::File1_Click()
{
    const QListWidgetItem *item = File1->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    if (name.endsWith(u".zip"_s, Qt::CaseInsensitive))
        Text1->setText(name.left(name.size() - 4));
}

void frmZip::Command2_Click()
{
    kasto::ui::MsgBox(this,
                      u"1. Laufwerk und Pfad für das neue Archiv auswählen."_s + u'\n'
                          + u"2. Name für das neue Archiv eingeben (.zip wird vom Programm hinzugefügt)."_s,
                      kasto::ui::Buttons::Ok, kasto::ui::Icon::None, u"Kasto-Info"_s);
    Text1->setFocus();
}

// "OK" in new-archive mode: fixes the path of the new archive.
void frmZip::Command4_Click()
{
    if (Text1->text().isEmpty())
        return;
    frmUnzip *main = frmUnzip::instance();
    main->setStatusText(QString());
    const QString folder = kasto::mitTrenner(Dir1->path());
    const QString vorher = kasto::ArchivPfad;
    kasto::ArchivPfad = folder + kasto::ohne_pfad_ext(Text1->text()) + Label2->text();
    if (QFile::exists(kasto::ArchivPfad)) {
        const auto answer = kasto::ui::MsgBox(
            this,
            u"Ein Archiv mit Namen "_s + Text1->text()
                + u".zip existiert bereit im ausgewählten Ordner. Soll das bestehende Archiv überschrieben werden?"_s
                + u'\n' + u"Ja    -> löscht das bestehende Archiv"_s + u'\n'
                + u"Nein-> das bestehende Archiv bleibt erhalten. Es muss ein Neuer Name für das neue Archiv vergeben werden."_s,
            kasto::ui::Buttons::YesNo, kasto::ui::Icon::Exclamation);
        if (answer != kasto::ui::Answer::Yes) {
            // The archive that was current stays current.
            kasto::ArchivPfad = vorher;
            return;
        }
        QFile::setPermissions(kasto::ArchivPfad, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(kasto::ArchivPfad);
        File1->refresh();
    }
    VFzip1->setZipFile(kasto::ArchivPfad);
    main->setWindowTitle(u"Neues Archiv: "_s + kasto::ArchivPfad);
    main->ListView1->clear();
    main->VFunzip1->setZipFile(kasto::ArchivPfad);
    for (QToolButton *b : {main->Command1, main->Command2, main->Command3, main->Command4})
        b->setEnabled(true);
    hide();
}

QString frmZip::ordnerPrefix() const
{
    return kasto::mitTrenner(Dir1->path());
}

void frmZip::beginnen()
{
    me_ref();
    Label1->clear();
    m_fehler.clear();
    // The folder list and the file list are left where the user put them: moving them again
    // would lose the marks.
}

void frmZip::Command3_Click(int index)
{
    switch (index) {
    case 0: markierte(); break;
    case 1: alle(); break;
    case 2: dateiarten(); break;
    }
}

void frmZip::markierte()
{
    beginnen();
    VFzip1->setZipFile(kasto::ArchivPfad);
    VFzip1->setNoPaths(!Check1->isChecked());
    VFzip1->setUsePassword(Check4->isChecked());
    VFzip1->setSubfolders(false);
    VFzip1->setSystemFiles(false);
    const QStringList names = File1->markedNames();
    if (names.isEmpty()) {
        kasto::ui::MsgBox(this, u"Es sind noch keine Dateien ausgewählt !"_s, kasto::ui::Buttons::Ok,
                          kasto::ui::Icon::Exclamation, u"Kasto-Nachricht"_s);
        setCursor(Qt::ArrowCursor);
        return;
    }
    // All marked files in one call, in list order: one password question and one write of the
    // archive instead of one per file.
    QStringList pfade;
    for (const QString &name : names)
        pfade << ordnerPrefix() + name;
    kasto::ui::doEvents();
    const bool ok = VFzip1->AddFiles(pfade);
    hauptfensterAuffrischen(false);
    Label1->setText(Label1->text() + kFertig29);
    beenden(ok);
}

void frmZip::alle()
{
    beginnen();
    const QString folder = Dir1->path();
    VFzip1->setZipFile(kasto::ArchivPfad);
    VFzip1->setNoPaths(!Check1->isChecked());
    VFzip1->setSubfolders(Check2->isChecked());
    if (Check2->isChecked())
        QDir::setCurrent(folder);
    VFzip1->setSystemFiles(Check3->isChecked());
    VFzip1->setUsePassword(Check4->isChecked());
    if (folder.size() < 4 && QDir(folder).isRoot())
        VFzip1->setSystemFiles(true);
    kasto::ui::doEvents();
    const bool ok = VFzip1->AddFiles(ordnerPrefix() + u"*.*"_s);
    hauptfensterAuffrischen(true);
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    Label1->setText(kFertig29);
    beenden(ok);
}

void frmZip::dateiarten()
{
    beginnen();
    const QString folder = Dir1->path();
    VFzip1->setZipFile(kasto::ArchivPfad);
    VFzip1->setSubfolders(false);
    VFzip1->setSystemFiles(false);
    VFzip1->setNoPaths(!Check1->isChecked());
    VFzip1->setUsePassword(Check4->isChecked());
    if (folder.size() < 4 && QDir(folder).isRoot())
        VFzip1->setSystemFiles(true);
    kasto::ui::doEvents();
    const bool ok = VFzip1->AddFiles(ordnerPrefix() + Text2->text().trimmed());
    hauptfensterAuffrischen(false);
    Label1->setText(Label1->text() + kFertig29);
    beenden(ok);
}

// The main window lists the archive again.
void frmZip::hauptfensterAuffrischen(bool warteText)
{
    frmUnzip *main = frmUnzip::instance();
    main->ListView1->clear();
    main->VFunzip1->setZipFile(kasto::ArchivPfad);
    if (warteText) {
        Label1->setText(u"  bitte warten, die archivierten Datei werden aufgelistet ..."_s);
        repaint();
    }
    main->VFunzip1->ListArchive();
    if (!kasto::ArchivPfad.isEmpty() && main->ListView1->topLevelItemCount() > 0)
        main->Command9->setEnabled(true);
}

void frmZip::beenden(bool ok)
{
    // A failure of the zip component stays visible: the archive is as it was before.
    if (!ok && !m_fehler.isEmpty())
        frmUnzip::instance()->setStatusText(m_fehler);
    setCursor(Qt::ArrowCursor);
    hide();
}

void frmZip::VFzip1_ProgressText(const QString &text)
{
    kasto::ui::doEvents();
    if (!isVisible())
        frmUnzip::instance()->setStatusText(text);
    m_puffer += u' ' + text;
    if (++m_anzahl >= 2) {
        Label1->setText(m_puffer);
        m_puffer.clear();
        m_anzahl = 0;
    }
}

void frmZip::VFzip1_StatusText(const QString &text)
{
    m_fehler = text;
    if (!isVisible())
        frmUnzip::instance()->setStatusText(text);
}
