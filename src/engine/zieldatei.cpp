#include "engine/zieldatei.h"

#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace kasto::engine {

ZielDatei::ZielDatei(const QString &ziel)
    : m_ziel(ziel)
{
}

bool ZielDatei::open()
{
    if (QFileInfo::exists(m_ziel)) {
        m_ersetzen = std::make_unique<QSaveFile>(m_ziel);
        m_ersetzen->setDirectWriteFallback(false);
        return m_ersetzen->open(QIODevice::WriteOnly);
    }
    const QFileInfo fi(m_ziel);
    m_neu = std::make_unique<QTemporaryFile>(fi.path() + u"/."_s + fi.fileName() + u".kasto-XXXXXX"_s);
    if (!m_neu->open())
        return false;
    // A temporary file is private (0600); the extracted file gets the usual mode.
    const mode_t maske = umask(0);
    umask(maske);
    fchmod(m_neu->handle(), 0666 & ~maske);
    return true;
}

bool ZielDatei::write(const char *data, qint64 len)
{
    QFileDevice *d = m_ersetzen ? static_cast<QFileDevice *>(m_ersetzen.get()) : m_neu.get();
    return d && d->write(data, len) == len;
}

bool ZielDatei::commit()
{
    if (m_ersetzen)
        return m_ersetzen->commit();
    if (!m_neu)
        return false;
    if (!m_neu->flush()) {
        m_fehler = m_neu->errorString();
        cancel();
        return false;
    }
    m_neu->close();
    // Fails when something appeared under the target name meanwhile: that file is kept.
    if (!m_neu->rename(m_ziel)) {
        m_fehler = m_neu->errorString();
        cancel();
        return false;
    }
    m_neu->setAutoRemove(false);
    return true;
}

void ZielDatei::cancel()
{
    if (m_ersetzen)
        m_ersetzen->cancelWriting();
    m_ersetzen.reset();
    m_neu.reset(); // removes the temporary
}

QString ZielDatei::errorString() const
{
    if (!m_fehler.isEmpty())
        return m_fehler;
    if (m_ersetzen)
        return m_ersetzen->errorString();
    return m_neu ? m_neu->errorString() : QString();
}

} // namespace kasto::engine
