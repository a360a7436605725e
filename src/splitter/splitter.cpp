#include "splitter/splitter.h"

#include "common/pfad.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <memory>

using namespace Qt::StringLiterals;

namespace kasto::splitter {

QString Nurdatei(const QString &path)
{
    return DateiName(path);
}

QString NurName(const QString &path)
{
    return DateiStamm(path);
}

namespace {

// The locale for numbers and dates; German where the system has no real one (C/POSIX).
QLocale anzeigeLocale()
{
    const QLocale sys = QLocale::system();
    return sys.language() == QLocale::C ? QLocale(QLocale::German, QLocale::Germany) : sys;
}

QString ordnerVon(const QString &pfad)
{
    return pfad.left(pfad.size() - DateiName(pfad).size());
}

bool dreiZiffern(const QString &name)
{
    if (name.size() < 3)
        return false;
    for (qsizetype i = name.size() - 3; i < name.size(); ++i) {
        if (!name.at(i).isDigit() || name.at(i).unicode() > 127)
            return false;
    }
    return true;
}

// Copies `anzahl` bytes from `von` to `nach` through one bounded buffer.
bool kopieren(QFile &von, QFileDevice &nach, qint64 anzahl, char *puffer, const std::function<void()> &pause,
              QString *grund)
{
    while (anzahl > 0) {
        const qint64 stueck = std::min(anzahl, kopierPuffer);
        const qint64 gelesen = von.read(puffer, stueck);
        if (gelesen != stueck) {
            *grund = gelesen < 0 ? von.errorString()
                                 : u"Die Datei %1 ist kürzer als erwartet."_s.arg(QDir::toNativeSeparators(von.fileName()));
            return false;
        }
        if (nach.write(puffer, stueck) != stueck) {
            *grund = nach.errorString();
            return false;
        }
        anzahl -= stueck;
        if (anzahl > 0 && pause)
            pause();
    }
    return true;
}

// One character in Windows-1252, or -1 when it has no place there.
int cp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    static const char16_t obere[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; ++i) {
        if (obere[i] == c)
            return 0x80 + i;
    }
    return -1;
}

// A file that appears whole or not at all. One that replaces an existing file goes through
// QSaveFile (written under a temporary name, flushed to disk, renamed over the old one); a new
// one is written in place and removed again on failure, which spares the flush.
class ZielDatei
{
public:
    explicit ZielDatei(const QString &pfad)
        : m_pfad(pfad)
    {
        if (QFileInfo::exists(pfad))
            m_dev = std::make_unique<QSaveFile>(pfad);
        else
            m_dev = std::make_unique<QFile>(pfad);
    }
    ~ZielDatei() { abbrechen(); }

    bool open()
    {
        if (!m_dev->open(QIODevice::WriteOnly))
            return false;
        m_offen = true;
        return true;
    }
    QFileDevice &dev() { return *m_dev; }
    QString errorString() const { return m_dev->errorString(); }

    bool commit()
    {
        m_offen = false;
        if (auto *save = qobject_cast<QSaveFile *>(m_dev.get()))
            return save->commit();
        auto *f = static_cast<QFile *>(m_dev.get());
        const bool ok = f->flush() && f->error() == QFileDevice::NoError;
        f->close();
        if (!ok || f->error() != QFileDevice::NoError) {
            QFile::remove(m_pfad);
            return false;
        }
        return true;
    }

    void abbrechen()
    {
        if (!m_offen)
            return;
        m_offen = false;
        if (auto *save = qobject_cast<QSaveFile *>(m_dev.get())) {
            save->cancelWriting();
            save->commit(); // with the write cancelled this only drops the temporary file
            return;
        }
        m_dev->close();
        QFile::remove(m_pfad);
    }

private:
    QString m_pfad;
    std::unique_ptr<QFileDevice> m_dev;
    bool m_offen = false;
};

} // namespace

QString zahl(qint64 n)
{
    if (n == 0)
        return QString();
    const QString sep = anzeigeLocale().groupSeparator();
    QString ziffern = QString::number(n < 0 ? -n : n);
    for (qsizetype i = ziffern.size() - 3; i > 0; i -= 3)
        ziffern.insert(i, sep);
    return n < 0 ? u"-"_s + ziffern : ziffern;
}

qint64 kByte(qint64 bytes)
{
    return bytes <= 0 ? 0 : (bytes + 1023) / 1024;
}

QString groesse(qint64 bytes)
{
    return zahl(bytes) + u" = "_s + QString::number(kByte(bytes)) + u" KB"_s;
}

QString fragmentPfad(const QString &quelle, int k)
{
    return quelle + u"._"_s + u"%1"_s.arg(k, 3, 10, QChar(u'0'));
}

QString batchName(const QString &quelle)
{
    return NurName(quelle) + u".bat"_s;
}

bool gehoertZu(const QString &name, const QString &pfad)
{
    return name.contains(u"._"_s) && name.size() >= 4 && name.at(name.size() - 4) == u'_'
           && NurName(name) == NurName(pfad);
}

bool istEigenesFragment(const QString &name, const QString &quelle)
{
    const QString basis = Nurdatei(quelle) + u"._"_s;
    return name.size() == basis.size() + 3 && name.startsWith(basis) && dreiZiffern(name);
}

QStringList ordnerListe(const QString &ordner)
{
    if (ordner.isEmpty())
        return {};
    return QDir(ordner).entryList({u"*._*"_s}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

QStringList fragmenteVon(const QStringList &liste, const QString &pfad)
{
    QStringList r;
    for (const QString &name : liste) {
        if (gehoertZu(name, pfad))
            r << name;
    }
    return r;
}

qint64 summeGroessen(const QString &ordner, const QStringList &namen)
{
    qint64 summe = 0;
    for (const QString &name : namen) {
        if (name.size() < 4 || name.at(name.size() - 4) != u'_')
            continue;
        const QFileInfo fi(mitTrenner(ordner) + name);
        if (fi.isFile())
            summe += fi.size();
    }
    return summe;
}

bool clear_old(const QString &ordner, const QString &quelle)
{
    bool ok = true;
    for (const QString &name : fragmenteVon(ordnerListe(ordner), quelle)) {
        if (!istEigenesFragment(name, quelle))
            continue;
        const QString pfad = mitTrenner(ordner) + name;
        if (QFileInfo::exists(pfad) && !QFile::remove(pfad))
            ok = false;
    }
    return ok;
}

int fragmentNummer(const QString &name)
{
    return dreiZiffern(name) ? name.right(3).toInt() : 0;
}

namespace texte {
QString keineQuelle()
{
    return u"Es wurde noch keine Datei ausgewählt ! Bitte die zu splittende Datei auswählen."_s;
}
QString groesseUngueltig()
{
    return u"Ungültige Dateifragmentgröße !"_s;
}
QString zuVieleFragmente(qint64 anzahl)
{
    return u"Die Anzahl der entstehenden Dateifragmente ist zu gross (%1). Die Anzahl der entstehenden "
           u"Dateifragmente darf 999 nicht überschreiten. Bitte die Dateifragmentgrösse erhöhen."_s.arg(anzahl);
}
QString zuWenigSpeicher()
{
    return u"Zu wenig Speicher. Fragmentgrösse zu gross gewählt!"_s;
}
QString nichtSchreibbar()
{
    return u"Die Dateifragmente können nicht auf den Datenträger geschrieben werden. Bitte die zu "
           u"splittende Datei vor der Splittung auf einen beschreibbaren Datenträger kopieren!"_s;
}
QString splitFehler(const QString &grund)
{
    return u"Fehler beim Splitten: %1 Die Dateifragmente sind unvollständig."_s.arg(grund);
}
QString batchErzeugt(const QString &name)
{
    return u"Batchdatei %1 wurde erzeugt !"_s.arg(name);
}
QString leereListe()
{
    return u"Keine Dateifragmente in Dateifragmentliste ! Bitte erst das erste Dateifragment auswählen. "_s;
}
QString fragmentFehlt(const QString &pfad)
{
    return u"Fragmentdatei %1 wurde nicht gefunden ! Zusammenfügen wurde abgebrochen. Dateifragmentliste "
           u"und Dateiverzeichnis überprüfen !"_s.arg(pfad);
}
QString zielIstFragment(const QString &pfad)
{
    return u"Die Zieldatei %1 ist eines der Dateifragmente ! Zusammenfügen wurde abgebrochen. Bitte einen "
           u"anderen Dateinamen wählen."_s.arg(pfad);
}
QString joinFehler(const QString &grund)
{
    return u"Fehler beim Zusammenfügen: %1 Zusammenfügen wurde abgebrochen."_s.arg(grund);
}
} // namespace texte

// --- Split ---------------------------------------------------------------------------------

namespace {

// Writes one whole file or nothing: a failure leaves no half-written file behind.
SplitStatus schreibeDatei(const QString &pfad, const QByteArray &daten, QString *grund)
{
    ZielDatei f(pfad);
    if (!f.open()) {
        *grund = f.errorString();
        return SplitStatus::NichtSchreibbar;
    }
    if (f.dev().write(daten) != daten.size() || !f.commit()) {
        *grund = f.errorString();
        return SplitStatus::Fehler;
    }
    return SplitStatus::Ok;
}

} // namespace

SplitErgebnis splitten(const SplitAuftrag &a)
{
    SplitErgebnis e;
    const QFileInfo quelleInfo(a.quelle);
    if (a.quelle.isEmpty() || !quelleInfo.isFile()) {
        e.status = SplitStatus::KeineQuelle;
        return e;
    }
    // Every refusal comes before anything is deleted.
    if (a.fragmentKB == 0) {
        e.status = SplitStatus::GroesseNull;
        return e;
    }
    if (a.fragmentKB < 0) {
        e.status = SplitStatus::ZuWenigSpeicher;
        return e;
    }
    const qint64 S = a.fragmentKB * 1024;
    e.fragmentBytes = S;

    QFile quelle(a.quelle);
    if (!quelle.open(QIODevice::ReadOnly)) {
        e.status = SplitStatus::NichtSchreibbar;
        e.grund = quelle.errorString();
        return e;
    }
    e.laenge = quelle.size();
    const qint64 volle = e.laenge / S;
    const qint64 gesamt = volle + (e.laenge % S ? 1 : 0);
    if (gesamt > maxFragmente) {
        e.status = SplitStatus::ZuVieleFragmente;
        e.gesamt = int(std::min<qint64>(gesamt, std::numeric_limits<int>::max()));
        return e;
    }
    e.volle = int(volle);
    e.gesamt = int(gesamt);
    if (a.gestartet)
        a.gestartet(e.laenge, e.gesamt);

    const QString ordner = ordnerVon(a.quelle);
    const QString batchPfad = mitTrenner(ordner) + batchName(a.quelle);
    if (a.batch && QFileInfo::exists(batchPfad))
        QFile::remove(batchPfad);
    clear_old(ordner, a.quelle);

    const auto puffer = std::make_unique<char[]>(size_t(std::min(S, kopierPuffer)));
    for (int k = 1; k <= e.gesamt; ++k) {
        if (k <= e.volle && a.vorFragment)
            a.vorFragment(k, e.gesamt);
        const QString pfad = fragmentPfad(a.quelle, k);
        const qint64 groesse = std::min(S, e.laenge - qint64(k - 1) * S);
        ZielDatei ziel(pfad);
        if (!ziel.open()) {
            e.status = SplitStatus::NichtSchreibbar;
            e.grund = ziel.errorString();
            return e;
        }
        if (!kopieren(quelle, ziel.dev(), groesse, puffer.get(), a.pause, &e.grund)) {
            e.status = SplitStatus::Fehler;
            return e;
        }
        if (!ziel.commit()) {
            e.status = SplitStatus::Fehler;
            e.grund = ziel.errorString();
            return e;
        }
        e.fragmente << Nurdatei(pfad);
        e.geschrieben = k;
        e.geschriebenBytes += QFileInfo(pfad).size();
    }
    quelle.close();

    // An empty source has no fragments to join, so it gets no batch file either.
    if (a.batch && !e.fragmente.isEmpty()) {
        BatchDaten d;
        d.quellName = Nurdatei(a.quelle);
        d.laenge = QFileInfo(a.quelle).size();
        d.zeit = zeitText(a.zeit.isValid() ? a.zeit : QDateTime::currentDateTime());
        for (const QString &f : std::as_const(e.fragmente))
            d.eintraege << f.toLower();
        d.letztesFragment = e.fragmente.constLast();
        const SplitStatus s = schreibeDatei(batchPfad, batchText(d), &e.grund);
        if (s != SplitStatus::Ok) {
            e.status = s;
            return e;
        }
        e.batch = batchName(a.quelle);
    }
    e.status = SplitStatus::Ok;
    return e;
}

QString meldung(const SplitErgebnis &e)
{
    switch (e.status) {
    case SplitStatus::Ok: return QString();
    case SplitStatus::KeineQuelle: return texte::keineQuelle();
    case SplitStatus::GroesseNull: return texte::groesseUngueltig();
    case SplitStatus::ZuVieleFragmente: return texte::zuVieleFragmente(e.gesamt);
    case SplitStatus::ZuWenigSpeicher: return texte::zuWenigSpeicher();
    case SplitStatus::NichtSchreibbar: return texte::nichtSchreibbar();
    case SplitStatus::Fehler: return texte::splitFehler(e.grund);
    }
    return QString();
}

QString zeitText(const QDateTime &zeit)
{
    const QLocale loc = anzeigeLocale();
    QString datum = loc.dateFormat(QLocale::ShortFormat);
    if (!datum.contains(u"yyyy"_s))
        datum.replace(u"yy"_s, u"yyyy"_s);
    QString uhr = loc.timeFormat(QLocale::ShortFormat);
    if (!uhr.contains(u"ss"_s))
        uhr.replace(u"mm"_s, u"mm:ss"_s);
    return loc.toString(zeit.date(), datum) + u' ' + loc.toString(zeit.time(), uhr);
}

QByteArray batchText(const BatchDaten &d)
{
    const QString Q = u"\""_s;
    const QString name = Q + d.quellName + Q;
    QStringList z;
    z << u"@echo off"_s << u"echo."_s << u"echo *******************************************************"_s
      << u"echo *                                                     *"_s
      << u"echo *        Gesplittet mit Wexlon's Dateisplitter.       *"_s
      << u"echo *                                                     *"_s
      << u"echo *******************************************************"_s << u"echo."_s
      << u"echo Die Originaldatei %1 [%2 Byte]"_s.arg(name, zahl(d.laenge))
      << u"echo wurde am: %1 gesplittet."_s.arg(d.zeit) << u"echo."_s
      << u"@if NOT exist %1%2%1 goto Fehler"_s.arg(Q, d.eintraege.value(0))
      << u"@if NOT exist %1%2%1 goto Fehler"_s.arg(Q, d.letztesFragment)
      << u"echo Zusammengefuegt werden folgende Fragmente:   "_s << u"echo."_s;

    QString J;
    for (qsizetype i = 0; i < d.eintraege.size(); ++i)
        J += Q + d.eintraege.at(i) + Q + (i + 1 < d.eintraege.size() ? u"+"_s : u" "_s);
    if (J.size() < 512) {
        z << u"copy /b "_s + J + u' ' + name;
    } else {
        const QString erstes = Q + d.eintraege.value(0) + Q;
        z << u"echo."_s << u"echo "_s + name << u"echo "_s + erstes << u"copy /b %1 %2"_s.arg(erstes, name);
        for (qsizetype i = 1; i < d.eintraege.size(); ++i)
            z << u"copy /b %1+%2%3%2 %1"_s.arg(name, Q, d.eintraege.at(i));
    }
    z << u"echo."_s << u"echo."_s << u"GoTo OK"_s << u":Fehler"_s
      << u"echo Abbruch: Eine oder mehrere Fragmentdateien fehlen oder befinden sich"_s
      << u"echo          in einem anderen Ordner !"_s << u"goto end"_s << u"echo."_s << u":OK"_s
      << u"echo Zusammenfuegen von %1 beendet."_s.arg(name) << u":End"_s;

    const QString text = z.join(u"\r\n"_s) + u"\r\n"_s;
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const int b = cp1252(c.unicode());
        if (b < 0)
            return text.toUtf8(); // a name outside the 8-bit code page
        bytes.append(char(b));
    }
    return bytes;
}

// --- Join ----------------------------------------------------------------------------------

JoinErgebnis verbinden(const JoinAuftrag &a)
{
    JoinErgebnis e;
    if (a.eintraege.isEmpty()) {
        e.status = JoinStatus::LeereListe;
        return e;
    }
    // Every fragment is checked before the target is touched.
    QStringList pfade;
    for (const QString &eintrag : a.eintraege) {
        const QString pfad = mitTrenner(a.ordner) + eintrag;
        if (!QFileInfo(pfad).isFile()) {
            e.status = JoinStatus::FragmentFehlt;
            e.pfad = pfad;
            return e;
        }
        pfade << pfad;
    }
    const QFileInfo zielInfo(a.ziel);
    if (zielInfo.exists()) {
        const QString zielEcht = zielInfo.canonicalFilePath();
        for (const QString &pfad : std::as_const(pfade)) {
            if (QFileInfo(pfad).canonicalFilePath() == zielEcht) {
                e.status = JoinStatus::ZielIstFragment;
                e.pfad = pfad;
                return e;
            }
        }
        // A write-protected target is replaced all the same.
        QFile::setPermissions(a.ziel, QFile::permissions(a.ziel) | QFile::WriteOwner);
    }

    ZielDatei ziel(a.ziel);
    if (!ziel.open()) {
        e.grund = ziel.errorString();
        return e;
    }
    const auto puffer = std::make_unique<char[]>(size_t(kopierPuffer));
    for (int i = 0; i < pfade.size(); ++i) {
        if (a.vorFragment)
            a.vorFragment(i);
        QFile fragment(pfade.at(i));
        if (!fragment.open(QIODevice::ReadOnly)) {
            e.grund = u"%1: %2"_s.arg(QDir::toNativeSeparators(pfade.at(i)), fragment.errorString());
            return e;
        }
        if (!kopieren(fragment, ziel.dev(), fragment.size(), puffer.get(), a.pause, &e.grund))
            return e;
    }
    if (!ziel.commit()) {
        e.grund = ziel.errorString();
        return e;
    }
    e.status = JoinStatus::Ok;
    e.laenge = QFileInfo(a.ziel).size();
    return e;
}

QString meldung(const JoinErgebnis &e)
{
    switch (e.status) {
    case JoinStatus::Ok: return QString();
    case JoinStatus::LeereListe: return texte::leereListe();
    case JoinStatus::FragmentFehlt: return texte::fragmentFehlt(e.pfad);
    case JoinStatus::ZielIstFragment: return texte::zielIstFragment(e.pfad);
    case JoinStatus::Fehler: return texte::joinFehler(e.grund);
    }
    return QString();
}

} // namespace kasto::splitter
