#include "cli.h"

#include "common/pfad.h"
#include "splitter/clscrc32.h"
#include "splitter/splitter.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;
namespace sp = kasto::splitter;

namespace kasto::cli {

namespace {

Command splitCommand()
{
    Command c{u"split"_s, u"DATEI --size KB [--batch]"_s,
              u"Zerlegt DATEI in Dateifragmente (DATEI._001 …) zu KB kBytes, auf Wunsch mit Batchdatei."_s,
              {}};
    c.run = [c](const QStringList &args) {
        QString datei;
        QString groesse;
        bool batch = false;
        for (qsizetype i = 0; i < args.size(); ++i) {
            const QString &a = args.at(i);
            if (a == u"--batch"_s)
                batch = true;
            else if (a == u"--size"_s && i + 1 < args.size())
                groesse = args.at(++i);
            else if (a.startsWith(u"--size="_s))
                groesse = a.mid(7);
            else if (datei.isEmpty() && !a.startsWith(u"--"_s))
                datei = a;
            else
                return usage(c);
        }
        if (datei.isEmpty() || groesse.isEmpty())
            return usage(c);
        bool ok = false;
        const int kb = groesse.toInt(&ok);
        if (!ok) {
            error(u"Fragmentgröße kein numerischer Wert !"_s);
            return int(Usage);
        }
        sp::SplitAuftrag auftrag;
        auftrag.quelle = QFileInfo(datei).absoluteFilePath();
        auftrag.fragmentKB = kb;
        auftrag.batch = batch;
        const sp::SplitErgebnis e = sp::splitten(auftrag);
        if (e.status != sp::SplitStatus::Ok) {
            error(sp::meldung(e));
            return int(Failed);
        }
        // The files written, one a line.
        for (const QString &f : e.fragmente)
            out(f);
        if (!e.batch.isEmpty())
            out(e.batch);
        return int(Ok);
    };
    return c;
}

Command joinCommand()
{
    Command c{u"join"_s, u"ERSTES_FRAGMENT ZIEL"_s,
              u"Fügt die Dateifragmente der Datei (alle, die zum ersten Fragment gehören) zu ZIEL zusammen."_s,
              {}};
    c.run = [c](const QStringList &args) {
        if (args.size() != 2)
            return usage(c);
        const QFileInfo erstes(args.at(0));
        if (!erstes.isFile()) {
            error(sp::texte::fragmentFehlt(args.at(0)));
            return int(Failed);
        }
        sp::JoinAuftrag auftrag;
        auftrag.ordner = erstes.absolutePath();
        auftrag.eintraege = sp::fragmenteVon(sp::ordnerListe(auftrag.ordner), erstes.fileName());
        auftrag.ziel = QFileInfo(args.at(1)).absoluteFilePath();
        const sp::JoinErgebnis e = sp::verbinden(auftrag);
        if (e.status != sp::JoinStatus::Ok) {
            error(sp::meldung(e));
            return int(Failed);
        }
        return int(Ok);
    };
    return c;
}

Command crcCommand()
{
    Command c{u"crc32"_s, u"DATEI"_s, u"Gibt die CRC32 Prüfsumme der Datei aus (8 Hex-Ziffern)."_s, {}};
    c.run = [c](const QStringList &args) {
        if (args.size() != 1)
            return usage(c);
        QString fehler;
        const QString wert = sp::DateiCRC32(args.at(0), &fehler);
        if (wert.isEmpty()) {
            error(fehler);
            return int(Failed);
        }
        out(wert);
        return int(Ok);
    };
    return c;
}

} // namespace

QList<Command> splitterCommands()
{
    return {splitCommand(), joinCommand(), crcCommand()};
}

} // namespace kasto::cli
