#pragma once
// Adds files to and removes entries from a ZIP archive (libzip). A failed write leaves the
// archive as it was; StatusText says why.

#include "engine/fragen.h"

#include <QObject>
#include <QList>
#include <QString>
#include <QStringList>

struct zip;
typedef struct zip zip_t;

class ZipComponent : public QObject
{
    Q_OBJECT
public:
    explicit ZipComponent(QObject *parent = nullptr);
    ~ZipComponent() override;

    void setZipFile(const QString &path) { m_zipFile = path; }
    QString ZipFile() const { return m_zipFile; }
    void setUsePassword(bool on) { m_usePassword = on; }
    bool UsePassword() const { return m_usePassword; }
    void setNoPaths(bool on) { m_noPaths = on; }
    bool NoPaths() const { return m_noPaths; }
    void setSubfolders(bool on) { m_subfolders = on; }
    bool Subfolders() const { return m_subfolders; }
    void setSystemFiles(bool on) { m_systemFiles = on; }
    bool SystemFiles() const { return m_systemFiles; }

    // A file path, or a folder + separator + pattern ("*.*", "*.bmp"); a bare folder means "*.*".
    bool AddFiles(const QString &angabe);
    // Several paths in one write: one password question, one rewrite of the archive.
    bool AddFiles(const QStringList &angaben);
    // An entry name, "*.*", or a pattern ("*" and "?" also match "/"), case-insensitive.
    bool DeleteFiles(const QString &nameOrPattern);

    // Seams, see fragen.h.
    kasto::engine::SchreibPasswortHandler passwortFrage;
    kasto::engine::IdleHandler idle;

signals:
    void ProgressText(const QString &text);
    void StatusText(const QString &text);

private:
    void fehler(const QString &text);
    bool schreibe(const std::function<bool(zip_t *)> &aendern,
                  const std::function<void(zip_t *, QStringList *, QList<bool> *)> &neueEintraege,
                  bool *geleert);

    QString m_zipFile;
    bool m_usePassword = false;
    bool m_noPaths = false;
    bool m_subfolders = false;
    bool m_systemFiles = false;
};
