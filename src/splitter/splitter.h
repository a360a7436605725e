#pragma once
// Splitting a file into numbered fragments, the joining batch file, and joining fragments
// again. No widgets here: the splitter window and kasto-cli turn the results into labels,
// lists and messages.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace kasto::splitter {

// The name without its folder.
QString Nurdatei(const QString &path);
// Nurdatei up to its first dot ("film" for D:\Daten\film.avi._001).
QString NurName(const QString &path);

// Byte counts as "#,###,###": grouped with the locale's thousands separator ("." when the
// locale has none), nothing for 0.
QString zahl(qint64 n);
// Bytes divided by 1024, rounded up.
qint64 kByte(qint64 bytes);
// "<zahl> = <kByte> KB", the size text of the labels.
QString groesse(qint64 bytes);

constexpr int maxFragmente = 999;
// Largest block held in memory while copying; fragments of any size stream through it.
constexpr qint64 kopierPuffer = qint64(8) << 20;

// Fragment k of `quelle`: the full source path, "._" and k in three digits.
QString fragmentPfad(const QString &quelle, int k);
// The name of the batch file that joins the fragments of `quelle` (no folder).
QString batchName(const QString &quelle);

// Does the file name `name` (no folder) belong to the file `pfad`? It must match "*._*", end
// in "_" and three characters, and have the same name up to the first dot (case counts).
bool gehoertZu(const QString &name, const QString &pfad);
// Is `name` one of the fragments named after `quelle` itself ("film.avi._003" for film.avi)?
bool istEigenesFragment(const QString &name, const QString &quelle);

// The names matching "*._*" in `ordner`, in alphabetical order (the hidden file list).
QStringList ordnerListe(const QString &ordner);
// The names of `liste` that belong to `pfad`, in the list's order.
QStringList fragmenteVon(const QStringList &liste, const QString &pfad);
// Sum of the sizes of those names of `namen` that end in "_" and three characters and exist
// in `ordner`.
qint64 summeGroessen(const QString &ordner, const QStringList &namen);
// Deletes the earlier fragments of `quelle` itself from `ordner`; fragments of other files that
// share the name up to the first dot stay. Returns false when one could not be deleted.
bool clear_old(const QString &ordner, const QString &quelle);

// Number of the fragment named by the last three characters, or 0 when they are no number.
int fragmentNummer(const QString &name);

// Messages shared by the window and the command line.
namespace texte {
QString keineQuelle();
QString groesseUngueltig();
QString zuVieleFragmente(qint64 anzahl);
QString zuWenigSpeicher();
QString nichtSchreibbar();
QString splitFehler(const QString &grund);
QString batchErzeugt(const QString &name);
QString leereListe();
QString fragmentFehlt(const QString &pfad);
QString zielIstFragment(const QString &pfad);
QString joinFehler(const QString &grund);
} // namespace texte

// --- Split ---------------------------------------------------------------------------------

enum class SplitStatus {
    Ok,
    KeineQuelle,      // no path, or no existing file
    GroesseNull,      // fragment size 0
    ZuVieleFragmente, // more than 999 fragments
    ZuWenigSpeicher,  // negative fragment size
    NichtSchreibbar,  // a file could not be opened or created
    Fehler            // read or write failure
};

struct SplitAuftrag {
    QString quelle;          // full path of the file to split
    qint64 fragmentKB = 0;   // fragment size in kBytes
    bool batch = false;      // write the batch file too
    QDateTime zeit;          // time stamp for the batch file; invalid: now
    // Before each full fragment k of `gesamt` is written (the window shows progress).
    std::function<void(int k, int gesamt)> vorFragment;
    // Once the source length is known and the count checked.
    std::function<void(qint64 laenge, int gesamt)> gestartet;
    // Between blocks of a long copy: lets the window's events run.
    std::function<void()> pause;
};

struct SplitErgebnis {
    SplitStatus status = SplitStatus::Fehler;
    qint64 laenge = 0;       // source length
    qint64 fragmentBytes = 0; // fragment size in bytes
    int volle = 0;           // full fragments
    int gesamt = 0;          // all fragments
    int geschrieben = 0;     // fragments written
    qint64 geschriebenBytes = 0;
    QStringList fragmente;   // names (no folder) of the fragments written, as on disk
    QString batch;           // batch file name when one was written
    QString grund;           // details of a failure
};

SplitErgebnis splitten(const SplitAuftrag &auftrag);

// The message the window and the command line show for a failed split; "" for Ok.
QString meldung(const SplitErgebnis &e);

struct BatchDaten {
    QString quellName;       // source name without folder
    qint64 laenge = 0;       // source length
    QString zeit;            // date and time as text
    QStringList eintraege;   // fragment names as the list shows them (lower case)
    QString letztesFragment; // name of the last fragment written, case as on disk
};
// The batch file's bytes (CR LF, Windows-1252 where the text fits, else UTF-8).
QByteArray batchText(const BatchDaten &d);
// Date and time in the locale's short format, the batch file's time stamp.
QString zeitText(const QDateTime &zeit);

// --- Join ----------------------------------------------------------------------------------

enum class JoinStatus {
    Ok,
    LeereListe,
    FragmentFehlt,   // checked before anything is written
    ZielIstFragment, // the target would overwrite one of the fragments
    Fehler           // read or write failure; the target is left as it was
};

struct JoinAuftrag {
    QString ordner;          // the fragments' folder
    QStringList eintraege;   // fragment names in join order
    QString ziel;            // full path of the joined file
    // Before fragment i (from 0) is appended.
    std::function<void(int i)> vorFragment;
    std::function<void()> pause;
};

struct JoinErgebnis {
    JoinStatus status = JoinStatus::Fehler;
    QString pfad;            // the missing fragment, or the fragment named like the target
    QString grund;
    qint64 laenge = 0;       // length of the joined file
};

JoinErgebnis verbinden(const JoinAuftrag &auftrag);
QString meldung(const JoinErgebnis &e);

} // namespace kasto::splitter
