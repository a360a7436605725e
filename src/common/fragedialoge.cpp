#include "common/fragedialoge.h"

#include "common/pfad.h"
#include "common/ui.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kasto {

LesePasswortDialog::LesePasswortDialog(QWidget *parent, const engine::LesePasswortFrage &frage)
    : QDialog(parent)
{
    setObjectName(u"LesePasswortDialog"_s);
    setWindowTitle(u"Passwort erforderlich"_s);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(u"Der Eintrag „%1“ im Archiv „%2“ ist verschlüsselt.\nBitte das Passwort eingeben:"_s
                                .arg(frage.eintrag, DateiName(frage.archiv)),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    Passwort = new QLineEdit(this);
    Passwort->setObjectName(u"Passwort"_s);
    Passwort->setEchoMode(QLineEdit::Password);
    layout->addWidget(Passwort);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(u"Abbrechen"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

SchreibPasswortDialog::SchreibPasswortDialog(QWidget *parent, const engine::SchreibPasswortFrage &frage)
    : QDialog(parent)
{
    setObjectName(u"SchreibPasswortDialog"_s);
    setWindowTitle(u"Passwort für das Archiv"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Die Dateien werden für „%1“ verschlüsselt."_s.arg(DateiName(frage.archiv)), this));
    layout->addWidget(new QLabel(u"Passwort:"_s, this));
    Passwort = new QLineEdit(this);
    Passwort->setObjectName(u"Passwort"_s);
    Passwort->setEchoMode(QLineEdit::Password);
    layout->addWidget(Passwort);
    layout->addWidget(new QLabel(u"Passwort wiederholen:"_s, this));
    Wiederholung = new QLineEdit(this);
    Wiederholung->setObjectName(u"Wiederholung"_s);
    Wiederholung->setEchoMode(QLineEdit::Password);
    layout->addWidget(Wiederholung);
    Aes = new QRadioButton(u"AES-256 (sicher; braucht ein aktuelles Entpackprogramm)"_s, this);
    Aes->setObjectName(u"Aes"_s);
    Aes->setChecked(true);
    ZipCrypto = new QRadioButton(u"ZipCrypto (öffnet überall, aber leicht zu knacken)"_s, this);
    ZipCrypto->setObjectName(u"ZipCrypto"_s);
    layout->addWidget(Aes);
    layout->addWidget(ZipCrypto);
    Hinweis = new QLabel(this);
    Hinweis->setObjectName(u"Hinweis"_s);
    layout->addWidget(Hinweis);
    auto *buttons = new QDialogButtonBox(this);
    Ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    Ok->setDefault(true);
    buttons->addButton(u"Abbrechen"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(Passwort, &QLineEdit::textChanged, this, &SchreibPasswortDialog::pruefen);
    connect(Wiederholung, &QLineEdit::textChanged, this, &SchreibPasswortDialog::pruefen);
    pruefen();
    setMinimumWidth(400);
}

// OK only for a password typed the same way twice.
void SchreibPasswortDialog::pruefen()
{
    const bool leer = Passwort->text().isEmpty();
    const bool gleich = Passwort->text() == Wiederholung->text();
    Ok->setEnabled(!leer && gleich);
    Hinweis->setText(leer ? u"Bitte ein Passwort eingeben."_s
                          : (gleich ? QString() : u"Die beiden Eingaben stimmen nicht überein."_s));
}

UeberschreibenDialog::UeberschreibenDialog(QWidget *parent, const QString &datei)
    : QDialog(parent)
{
    setObjectName(u"UeberschreibenDialog"_s);
    setWindowTitle(u"Datei ersetzen?"_s);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(u"Die Datei „%1“ existiert bereits.\nSoll sie ersetzt werden?"_s
                                .arg(QDir::toNativeSeparators(datei)),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(this);
    Ja = buttons->addButton(u"&Ja"_s, QDialogButtonBox::YesRole);
    Nein = buttons->addButton(u"&Nein"_s, QDialogButtonBox::NoRole);
    JaAlle = buttons->addButton(u"Ja, &alle"_s, QDialogButtonBox::YesRole);
    NeinKeine = buttons->addButton(u"Nein, &keine"_s, QDialogButtonBox::NoRole);
    Nein->setDefault(true);
    const auto answer = [this](engine::Ueberschreiben a) {
        antwort = a;
        accept();
    };
    connect(Ja, &QPushButton::clicked, this, [answer] { answer(engine::Ueberschreiben::Ja); });
    connect(Nein, &QPushButton::clicked, this, [answer] { answer(engine::Ueberschreiben::Nein); });
    connect(JaAlle, &QPushButton::clicked, this, [answer] { answer(engine::Ueberschreiben::JaAlle); });
    connect(NeinKeine, &QPushButton::clicked, this, [answer] { answer(engine::Ueberschreiben::NeinKeine); });
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

engine::LesePasswortAntwort frageLesePasswort(QWidget *owner, const engine::LesePasswortFrage &frage)
{
    LesePasswortDialog d(owner, frage);
    engine::LesePasswortAntwort a;
    if (ui::execModal(&d) == QDialog::Accepted) {
        a.abbruch = false;
        a.passwort = d.Passwort->text();
    }
    return a;
}

engine::SchreibPasswortAntwort frageSchreibPasswort(QWidget *owner, const engine::SchreibPasswortFrage &frage)
{
    SchreibPasswortDialog d(owner, frage);
    engine::SchreibPasswortAntwort a;
    if (ui::execModal(&d) == QDialog::Accepted && d.Ok->isEnabled()) {
        a.abbruch = false;
        a.passwort = d.Passwort->text();
        a.verfahren = d.ZipCrypto->isChecked() ? engine::Verschluesselung::ZipCrypto
                                               : engine::Verschluesselung::Aes256;
    }
    return a;
}

engine::Ueberschreiben frageUeberschreiben(QWidget *owner, const QString &datei)
{
    UeberschreibenDialog d(owner, datei);
    // Closing the dialog any other way keeps the file.
    if (ui::execModal(&d) != QDialog::Accepted)
        return engine::Ueberschreiben::Nein;
    return d.antwort;
}

} // namespace kasto
