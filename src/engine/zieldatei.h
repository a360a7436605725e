#pragma once
// A file being extracted: written under a temporary name beside its target and renamed to it only
// when complete. Replacing an existing file goes through a flushed temporary (the old file must
// survive a crash); a new file is renamed without flushing, which keeps extracting many small
// files fast.

#include <QSaveFile>
#include <QString>
#include <QTemporaryFile>
#include <memory>

namespace kasto::engine {

class ZielDatei
{
public:
    explicit ZielDatei(const QString &ziel);
    bool open();
    bool write(const char *data, qint64 len);
    bool commit();   // false: the target is as it was, the temporary is gone
    void cancel();   // the target is as it was, the temporary is gone
    QString errorString() const;

private:
    QString m_ziel;
    std::unique_ptr<QSaveFile> m_ersetzen;
    std::unique_ptr<QTemporaryFile> m_neu;
    QString m_fehler;
};

} // namespace kasto::engine
