#include "splitter/frminfo.h"

#include "splitter/fenster.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
QPointer<frmInfo> s_info;
} // namespace

frmInfo::frmInfo(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(u"frmInfo"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption());
    setFixedSize(403, 360);

    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_s);
    List1->setGeometry(8, 28, 381, 284);
    // Fixed pitch: several lines are lined up with blanks.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setFamilies({u"Courier New"_s, u"DejaVu Sans Mono"_s, u"Liberation Mono"_s, u"Noto Mono"_s, mono.family()});
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    mono.setPointSize(8);
    List1->setFont(mono);
    List1->setStyleSheet(u"QListWidget { background: rgb(255,254,219); color: blue; }"_s);
    List1->addItems(hilfeText());
    List1->setCurrentRow(-1);
    List1->clearSelection();

    Command1 = new QPushButton(u"ok"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(172, 328, 73, 21);
    connect(Command1, &QPushButton::clicked, this, &frmInfo::Command1_Click);

    kasto::splitter::zentrieren(this);
}

frmInfo::~frmInfo() = default;

frmInfo *frmInfo::zeigen()
{
    return kasto::splitter::einmalZeigen(s_info);
}

frmInfo *frmInfo::instance()
{
    return s_info;
}

QString frmInfo::caption()
{
    return u"Dateisplitter - Info"_s;
}

QStringList frmInfo::hilfeText()
{
    return {
        u"       *** Datei splitten ***"_s,
        u"Eine Datei, z.B. die Datei Beispiel.dat, kann"_s,
        u"in kleinere Dateien (Dateifragmente)zerlegt"_s,
        u"werden. Die Fragmentgröße ist frei wählbar."_s,
        u"Die Dateinamen der Dateifragmente werden durch-"_s,
        u"nummeriert."_s,
        QString(),
        u"          Beispiel.dat._001"_s,
        u"          Beispiel.dat._002"_s,
        u"          Beispiel.dat._003"_s,
        u"                 ..."_s,
        u"          Beispiel.dat._nnn"_s,
        QString(),
        u"Die Anzahl der Fragmente ist abhängig von der"_s,
        u"Dateigröße und der gewählten Fragmentgröße."_s,
        u"Die Anzahl der Fragmente darf nicht > 999 werden."_s,
        u"Um die Dateifragmente auch ohne das Programm"_s,
        u"zusammenfügen zu können, kann eine Batchdatei"_s,
        u"erzeugt werden."_s,
        QString(),
        u"    *** Zusammenfügen mit diesem Programm ***"_s,
        u"Zuerst ist das erste Dateifragment (*._001) der"_s,
        u"Datei, die zusammengefügt werden soll, auszuwählen."_s,
        u"In der unteren Dateifragmentliste werden dann"_s,
        u"alle benötigten Dateifragmente angezeigt. "_s,
        u"Befinden sich in der Dateifragmentliste nicht"_s,
        u"benötigte Dateifragmente (z.B. Fragmente von "_s,
        u"früheren Splittungen), müssen diese mit einem "_s,
        u"DoppelClick aus der Liste entfernt werden."_s,
        u"Nach Click auf \"Dateifragmente zusammenfügen\","_s,
        u"werden dann alle Dateifragmente der unteren "_s,
        u"Dateifragmentliste zu einer Datei zusammengefügt."_s,
        QString(),
        u"      *** Zusammenfügen mit Batchdatei ***"_s,
        u"Wurde beim Splitten eine Batchdatei erzeugt, "_s,
        u"können die Dateifragmente auch ohne dieses "_s,
        u"Programm zusammengefügt werden."_s,
        u"Die Dateifragmente und die Batchdatei werden in"_s,
        u"ein gemeinsames Verzeichnis kopiert. Dann wird"_s,
        u"die Batchdatei gestartet. Die Dateifragmente"_s,
        u"werden zusammengefügt."_s,
        QString(),
        u"Zur Kontrolle kann die CRC32 Prüfsumme für die"_s,
        u"zu splittende und die zusammengefügte Datei er-"_s,
        u"mittelt werden. CRC steht für \"cyclic-redundancy- "_s,
        u"check\" (Zyklische Redundanz-Überprüfung)"_s,
    };
}

void frmInfo::Command1_Click()
{
    close();
}

bool frmInfo::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        Command1->setFocus();
    return QWidget::event(e);
}
