#pragma once
// What the engine tests share: recording the components' signals, building archives with
// exact (also hostile) names, and the peers.

#include "engine/unzipcomponent.h"
#include "engine/zipcomponent.h"
#include "testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <zip.h>

namespace enginetest {

using namespace Qt::StringLiterals;

struct Zeile {
    qint64 size, packed;
    int ratio, month, day, year, hour, minute;
    QString name, path;
};

// Records what an UnzipComponent reports.
struct Mitschnitt {
    QList<Zeile> zeilen;
    QStringList texte;
    explicit Mitschnitt(UnzipComponent &u)
    {
        QObject::connect(&u, &UnzipComponent::FileInfo,
                         [this](qint64 s, qint64 p, int r, int mo, int d, int y, int h, int mi, const QString &n,
                                const QString &pa) { zeilen.append({s, p, r, mo, d, y, h, mi, n, pa}); });
        QObject::connect(&u, &UnzipComponent::StatusText, [this](const QString &t) { texte << t; });
    }
    QStringList namen() const
    {
        QStringList out;
        for (const Zeile &z : zeilen)
            out << z.path + z.name;
        return out;
    }
    QString letzter() const { return texte.value(texte.size() - 1); }
};

struct Eintrag {
    QByteArray name; // raw bytes as stored
    QByteArray daten;
    zip_flags_t flags = ZIP_FL_ENC_UTF_8;
    time_t mtime = 0; // 0: now
};

// Writes an archive with exactly these names (libzip does not judge them).
inline bool baueArchiv(const QString &pfad, const QList<Eintrag> &eintraege)
{
    int err = 0;
    zip_t *za = zip_open(QFile::encodeName(pfad).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!za)
        return false;
    for (const Eintrag &e : eintraege) {
        zip_source_t *src = zip_source_buffer(za, e.daten.constData(), zip_uint64_t(e.daten.size()), 0);
        const zip_int64_t idx = src ? zip_file_add(za, e.name.constData(), src, e.flags) : -1;
        if (idx < 0 || (e.mtime && zip_file_set_mtime(za, zip_uint64_t(idx), e.mtime, 0) != 0)) {
            zip_discard(za);
            return false;
        }
    }
    return zip_close(za) == 0;
}

// Runs a peer in `dir`; fails the test when it does not start.
inline testutil::ProcessResult peer(const QString &prog, const QStringList &args, const QString &dir = QString())
{
    return testutil::run(prog, args, dir);
}

#define ENGINE_BRAUCHT(prog)                                                                        \
    do {                                                                                            \
        if (!testutil::haveProgram(prog))                                                           \
            QSKIP(qPrintable(u"peer program %1 is not installed"_s.arg(prog)));                     \
    } while (0)

// Every file below `root` with its bytes, by relative path.
inline QMap<QString, QByteArray> baum(const QString &root)
{
    QMap<QString, QByteArray> out;
    const QDir d(root);
    for (const QFileInfo &f : d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (f.isDir() && !f.isSymLink()) {
            const auto sub = baum(f.absoluteFilePath());
            for (auto it = sub.begin(); it != sub.end(); ++it)
                out.insert(f.fileName() + u'/' + it.key(), it.value());
            if (sub.isEmpty())
                out.insert(f.fileName() + u'/', QByteArray());
        } else {
            out.insert(f.fileName(), testutil::readFile(f.absoluteFilePath()));
        }
    }
    return out;
}

} // namespace enginetest
