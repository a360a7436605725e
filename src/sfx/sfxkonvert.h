#pragma once
// ZIP <-> SFX conversion: an SFX archive is a self-extractor stub followed by the unchanged ZIP
// bytes. The stubs are built with Kasto and stored inside it.

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace kasto {

struct SfxStub {
    QString plattform; // "Linux", "Windows"
    QByteArray daten;
};

// Every stub stored in the program.
QList<SfxStub> sfxStubs();
// The stub an SFX archive of that name gets: Windows for ".exe", otherwise the stub of the
// platform Kasto runs on.
SfxStub sfxStubFuer(const QString &ziel);
// Length of the stored stub the file begins with; -1 when it begins with none (or cannot be read).
qint64 sfxStubLaenge(const QString &pfad);

// Progress text after each 10000-byte block and "100 %" at the end; the window shows it and lets
// pending events run.
using SfxFortschritt = std::function<void(const QString &text)>;

struct SfxErgebnis {
    bool ok = false;
    QString fehler; // German message when !ok
};

// "###" of the percentage: rounded, no leading zeros, nothing while it rounds to 0.
QString prozentFormat(float prozent);

// Writes the stub for `target`, then the bytes of `source`. The target is replaced only when the
// copy is complete; a failed copy leaves no file behind.
SfxErgebnis ZipNachSfx(const QString &source, const QString &target, const SfxFortschritt &fortschritt = {});
// Copies `source` without the stub it begins with; refuses a file that begins with none.
SfxErgebnis SfxNachZip(const QString &source, const QString &target, const SfxFortschritt &fortschritt = {});

} // namespace kasto
