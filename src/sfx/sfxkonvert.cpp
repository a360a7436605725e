#include "sfx/sfxkonvert.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kasto {

namespace stubdaten {
QByteArray linuxStub();
QByteArray windowsStub();
} // namespace stubdaten

namespace {

constexpr qint64 kBlock = 10000;

SfxErgebnis fehler(const QString &text)
{
    return {false, text};
}

// Checks that apply to both directions before anything is written.
bool pruefen(const QString &source, const QString &target, SfxErgebnis &e)
{
    const QFileInfo quelle(source);
    if (!quelle.isFile()) {
        e = fehler(u"Die Datei \"%1\" wurde nicht gefunden."_s.arg(source));
        return false;
    }
    const QFileInfo ziel(target);
    if (ziel.exists() && ziel.canonicalFilePath() == quelle.canonicalFilePath()) {
        e = fehler(u"Quelle und Ziel sind dieselbe Datei (\"%1\"). Bitte eine andere Zieldatei wählen."_s.arg(
            target));
        return false;
    }
    return true;
}

// Appends `n` bytes of `quelle` from `start` to `ziel` in 10000-byte blocks, writing the progress
// after each full block.
bool bloeckeKopieren(QFile &quelle, qint64 start, qint64 n, QSaveFile &ziel, const QString &praefix,
                     const SfxFortschritt &fortschritt)
{
    const qint64 voll = n / kBlock;
    const qint64 rest = n % kBlock;
    const float schritt = 100.0f / float(voll + 1);
    float prozent = 0;
    if (!quelle.seek(start))
        return false;
    QByteArray puffer(kBlock, Qt::Uninitialized);
    for (qint64 b = 0; b < voll; ++b) {
        if (quelle.read(puffer.data(), kBlock) != kBlock || ziel.write(puffer) != kBlock)
            return false;
        if (prozent < 100) {
            prozent += schritt;
            if (fortschritt)
                fortschritt(praefix + prozentFormat(prozent) + u" %"_s);
        }
    }
    const QByteArray letzter = quelle.read(rest);
    return letzter.size() == rest && ziel.write(letzter) == rest;
}

SfxErgebnis schreibFehler(const QString &target, const QSaveFile &ziel)
{
    return fehler(u"Die Datei \"%1\" kann nicht geschrieben werden (%2)."_s.arg(target, ziel.errorString()));
}

} // namespace

QList<SfxStub> sfxStubs()
{
    return {{u"Linux"_s, stubdaten::linuxStub()}, {u"Windows"_s, stubdaten::windowsStub()}};
}

SfxStub sfxStubFuer(const QString &ziel)
{
    const QList<SfxStub> stubs = sfxStubs();
#ifdef Q_OS_WIN
    const QString eigene = u"Windows"_s;
#else
    const QString eigene = u"Linux"_s;
#endif
    const QString gesucht = ziel.endsWith(u".exe"_s, Qt::CaseInsensitive) ? u"Windows"_s : eigene;
    for (const SfxStub &s : stubs) {
        if (s.plattform == gesucht)
            return s;
    }
    return stubs.constFirst();
}

qint64 sfxStubLaenge(const QString &pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<SfxStub> stubs = sfxStubs();
    qint64 laengster = 0;
    for (const SfxStub &s : stubs)
        laengster = qMax(laengster, qint64(s.daten.size()));
    const QByteArray anfang = f.read(laengster);
    for (const SfxStub &s : stubs) {
        if (anfang.startsWith(s.daten))
            return s.daten.size();
    }
    return -1;
}

QString prozentFormat(float prozent)
{
    const long gerundet = std::lround(prozent);
    return gerundet == 0 ? QString() : QString::number(gerundet);
}

namespace {

// Writes `kopf`, then `source` from byte `start` on, to `target`, and finishes with "100 %".
SfxErgebnis kopieren(const QString &source, const QString &target, qint64 start, const QByteArray &kopf,
                     const QString &praefix, const SfxFortschritt &fortschritt)
{
    QFile quelle(source);
    auto lesefehler = [&] {
        return fehler(u"Die Datei \"%1\" kann nicht gelesen werden (%2)."_s.arg(source, quelle.errorString()));
    };
    if (!quelle.open(QIODevice::ReadOnly))
        return lesefehler();
    // Written under a temporary name: an existing target stays intact until the copy is complete.
    QSaveFile ziel(target);
    if (!ziel.open(QIODevice::WriteOnly) || ziel.write(kopf) != kopf.size())
        return schreibFehler(target, ziel);
    if (!bloeckeKopieren(quelle, start, quelle.size() - start, ziel, praefix, fortschritt)) {
        ziel.cancelWriting();
        return quelle.error() != QFileDevice::NoError ? lesefehler() : schreibFehler(target, ziel);
    }
    if (!ziel.commit())
        return schreibFehler(target, ziel);
    return {true, QString()};
}

} // namespace

SfxErgebnis ZipNachSfx(const QString &source, const QString &target, const SfxFortschritt &fortschritt)
{
    SfxErgebnis e;
    if (!pruefen(source, target, e))
        return e;
    const QString praefix = u"SFX-Archiv erstellen: "_s;
    e = kopieren(source, target, 0, sfxStubFuer(target).daten, praefix, fortschritt);
    if (!e.ok)
        return e;
#ifndef Q_OS_WIN
    // A self-extractor is a program: whoever may read it may run it.
    QFile::Permissions rechte = QFile::permissions(target);
    if (rechte & QFile::ReadOwner)
        rechte |= QFile::ExeOwner | QFile::ExeUser;
    if (rechte & QFile::ReadGroup)
        rechte |= QFile::ExeGroup;
    if (rechte & QFile::ReadOther)
        rechte |= QFile::ExeOther;
    QFile::setPermissions(target, rechte);
#endif
    if (fortschritt)
        fortschritt(praefix + u"100 %"_s);
    return e;
}

SfxErgebnis SfxNachZip(const QString &source, const QString &target, const SfxFortschritt &fortschritt)
{
    SfxErgebnis e;
    if (!pruefen(source, target, e))
        return e;
    // Only the length of a stub we recognise may be dropped: cutting an arbitrary file would give
    // a corrupt archive and report success.
    const qint64 laenge = sfxStubLaenge(source);
    if (laenge < 0)
        return fehler(u"%1 ist kein mit diesem Programm erzeugtes SFX-Archiv."_s.arg(source));
    const QString praefix = u"Zip-Archiv erstellen: "_s;
    e = kopieren(source, target, laenge, QByteArray(), praefix, fortschritt);
    if (e.ok && fortschritt)
        fortschritt(praefix + u"100 %"_s);
    return e;
}

} // namespace kasto
