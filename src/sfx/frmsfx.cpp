#include "sfx/frmsfx.h"

#include "common/layout.h"

#include "common/pfad.h"
#include "common/stddialoge.h"
#include "common/ui.h"
#include "sfx/sfxkonvert.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

QPointer<frmSFX> s_instance;

void labelText(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

// Write-protected as the save loop understands it: the owner may not write.
bool schreibgeschuetzt(const QString &pfad)
{
    return !(QFile::permissions(pfad) & QFileDevice::WriteOwner);
}

} // namespace

frmSFX::frmSFX(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(u"frmSFX"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Zip-Archiv <-> SFX-Archiv"_s);
    setFixedSize(5340 / 15, 3885 / 15);

    auto rahmen = [this](const char *name, const QString &titel, int top, QLineEdit *&text, const char *textName,
                         QToolButton *&waehlen,
                         const char *waehlenName, const QString &waehlenTipp, QPushButton *&los,
                         const char *losName, const QString &losText, const QString &losTipp, QLabel *&label,
                         const char *labelName, int labelTop) {
        auto *f = new QGroupBox(titel, this);
        f->setObjectName(QString::fromLatin1(name));
        f->setGeometry(kasto::twips(120, top, 5055, 1575));
        text = new QLineEdit(f);
        text->setObjectName(QString::fromLatin1(textName));
        text->setGeometry(kasto::twips(120, 360, 4215, 285));
        waehlen = new QToolButton(f);
        waehlen->setObjectName(QString::fromLatin1(waehlenName));
        waehlen->setToolTip(waehlenTipp);
        waehlen->setIcon(QIcon(u":/icons/oeffnen.svg"_s));
        waehlen->setIconSize(QSize(15, 15));
        waehlen->setGeometry(kasto::twips(4440, 360, 315, 315));
        los = new QPushButton(losText, f);
        los->setObjectName(QString::fromLatin1(losName));
        los->setToolTip(losTipp);
        los->setGeometry(kasto::twips(1440, 840, 2055, 375));
        label = new QLabel(f);
        label->setObjectName(QString::fromLatin1(labelName));
        label->move(120 / 15, labelTop / 15);
        return f;
    };
    Frame1 = rahmen("Frame1", u"ZipArchiv  -> nach SFXArchiv"_s, 120, txtAppendix, "txtAppendix", Command4, "Command4",
                    u"Zip-Archiv wählen"_s, Command1, "Command1", u"ZipArchiv -> SFX-Archiv"_s,
                    u"Wandelt ein ZipArchiv in ein selbstentpackendes SFXArchiv"_s, Label1, "Label1", 1320);
    Frame2 = rahmen("Frame2", u"SFXArchiv  -> nach ZipArchiv"_s, 1920, txtAppendix1, "txtAppendix1", Command3, "Command3",
                    u"SFX-Archiv wählen"_s, Command2, "Command2", u"SFX -> ZipArchiv"_s,
                    u"Wandelt ein (mit diesem Programm erstelltes) SFXArchiv in ein ZIPArchiv"_s, Label2,
                    "Label2", 1300);

    Command5 = new QPushButton(u"<<"_s, this);
    Command5->setObjectName(u"Command5"_s);
    Command5->setToolTip(u"Beenden"_s);
    Command5->setGeometry(kasto::twips(120, 3600, 615, 255));
    Command6 = new QPushButton(u"Info"_s, this);
    Command6->setObjectName(u"Command6"_s);
    Command6->setGeometry(kasto::twips(4320, 3600, 855, 255));

    connect(Command1, &QPushButton::clicked, this, &frmSFX::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSFX::Command2_Click);
    connect(Command3, &QToolButton::clicked, this, &frmSFX::Command3_Click);
    connect(Command4, &QToolButton::clicked, this, &frmSFX::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmSFX::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmSFX::Command6_Click);

    labelText(Label1, QString());
    labelText(Label2, QString());
    kasto::passeAn(this);
}

frmSFX::~frmSFX() = default;

frmSFX *frmSFX::zeigen(QWidget *parent)
{
    if (!s_instance)
        s_instance = new frmSFX(parent);
    s_instance->show();
    s_instance->raise();
    s_instance->activateWindow();
    return s_instance;
}

frmSFX *frmSFX::instance()
{
    return s_instance;
}

QString frmSFX::infoText()
{
    return u"Das Programm erzeugt aus ZipArchiven selbstentpackende SFXArchive. "_s + u'\n'
        + u"Die SFXArchive"_s + u" können wieder in ZIPArchive zurück gewandelt werden. "_s + u"\n\n"_s
        + u"Achtung! Es können nur SFXArchive"_s
        + u" in ZipArchive zurück gewandelt werden, wenn die SFXArchive vorher mit diesem Programm erzeugt wurden!"_s;
}

void frmSFX::waehlen(QLineEdit *text, QLabel *label, const QString &titel, const QString &filter)
{
    labelText(label, QString());
    QString ordner;
    const QString name = kasto::DateiOeffnen(this, titel, ordner, QString(), filter, u"*.*"_s);
    if (name.isEmpty())
        return;
    text->setText(kasto::mitTrenner(ordner) + name);
}

void frmSFX::Command4_Click()
{
    waehlen(txtAppendix, Label1, u"ZipArchiv auswählen"_s, u"ZipArchive (*.zip)"_s + u"|*.zip| Alle Dateien (*.*)|*.*"_s);
}

void frmSFX::Command3_Click()
{
    waehlen(txtAppendix1, Label2, u"SFXArchiv auswählen"_s,
            u"SFXArchive (*.exe)"_s + u"|*.exe| Alle Dateien (*.*)|*.*"_s);
}

void frmSFX::Command1_Click()
{
    umwandeln(Richtung::NachSfx);
}

void frmSFX::Command2_Click()
{
    umwandeln(Richtung::NachZip);
}

void frmSFX::umwandeln(Richtung richtung)
{
    const bool nachSfx = richtung == Richtung::NachSfx;
    QLineEdit *text = nachSfx ? txtAppendix : txtAppendix1;
    QLabel *label = nachSfx ? Label1 : Label2;
    if (text->text().isEmpty())
        return;
    labelText(Label1, QString());
    // A result of an earlier run must not stand next to a conversion that fails.
    labelText(label, QString());
    // The save dialog changes the current folder; a typed relative name means the folder of now.
    const QString quelle = QFileInfo(text->text()).absoluteFilePath();

    const QString titel = nachSfx ? u"SFX-Archiv speichern"_s : u"ZIP-Archiv speichern"_s;
    const QString ext = nachSfx ? u".exe"_s : u".zip"_s;
    const QString filter = titel + u" (*"_s + ext + u")|*"_s + ext + u"| Alle Dateien (*.*)|*.*"_s;
    QString ziel;
    for (;;) {
        QString ordner = kasto::mitTrenner(QCoreApplication::applicationDirPath());
        const QString name =
            kasto::DateiSpeichern(this, titel, ordner, kasto::DateiStamm(text->text()) + ext, filter, u"*.*"_s);
        if (name.isEmpty())
            return;
        ziel = kasto::mitTrenner(ordner) + name;
        if (QFileInfo::exists(ziel) && schreibgeschuetzt(ziel)) {
            kasto::ui::MsgBox(this,
                              u"Die ausgewählte Datei ist schreibgeschützt. Bitte eine neue Datei auswählen oder "
                              "Schreibschutz-Attribut entfernen."_s,
                              kasto::ui::Buttons::Ok, kasto::ui::Icon::Exclamation, u"Zusammenfügen-Nachricht"_s);
            continue;
        }
        break;
    }

    setCursor(Qt::WaitCursor);
    const auto fortschritt = [label](const QString &t) {
        labelText(label, t);
        kasto::ui::doEvents();
    };
    const kasto::SfxErgebnis e =
        nachSfx ? kasto::ZipNachSfx(quelle, ziel, fortschritt) : kasto::SfxNachZip(quelle, ziel, fortschritt);
    setCursor(Qt::ArrowCursor);
    if (!e.ok)
        kasto::ui::MsgBox(this, e.fehler, kasto::ui::Buttons::Ok, kasto::ui::Icon::Exclamation);
}

void frmSFX::Command5_Click()
{
    close();
}

void frmSFX::Command6_Click()
{
    kasto::ui::MsgBox(this, infoText(), kasto::ui::Buttons::Ok, kasto::ui::Icon::Information, u"SFX-Archiv-INFO"_s);
}
