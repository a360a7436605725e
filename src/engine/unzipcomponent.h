#pragma once
// Lists, extracts and tests the entries of a ZIP archive (libzip). Every call runs to its end
// and emits its signals before it returns; StatusText is the report of errors and results.

#include "engine/fragen.h"

#include <QObject>
#include <QString>
#include <QStringList>

class UnzipComponent : public QObject
{
    Q_OBJECT
public:
    explicit UnzipComponent(QObject *parent = nullptr);
    ~UnzipComponent() override;

    void setZipFile(const QString &path) { m_zipFile = path; }
    QString ZipFile() const { return m_zipFile; }
    void setTargetFolder(const QString &folder) { m_targetFolder = folder; }
    QString TargetFolder() const { return m_targetFolder; }
    void setTestOnly(bool on) { m_testOnly = on; }
    bool TestOnly() const { return m_testOnly; }

    // Extracts (or tests) the entry of that full name. True when it was written or tested intact.
    bool ExtractFile(const QString &entryName);
    // Extracts (or tests) every entry. True when all of them were intact and written.
    bool ExtractAll();
    // One FileInfo per entry, in archive order.
    bool ListArchive();

    // Seams, see fragen.h.
    kasto::engine::LesePasswortHandler passwortFrage;
    kasto::engine::UeberschreibenHandler ueberschreibenFrage;
    kasto::engine::IdleHandler idle;

signals:
    // year: two digits (0..99); local time. path + name is the stored entry name.
    void FileInfo(qint64 size, qint64 packedSize, int ratio, int month, int day, int year, int hour,
                  int minute, const QString &name, const QString &path);
    void StatusText(const QString &text);
    void Progress(qint64 current, qint64 total, const QString &name);

private:
    bool extract(const QStringList *names);

    QString m_zipFile;
    QString m_targetFolder;
    bool m_testOnly = false;
    QString m_passwortArchiv;
    QByteArray m_passwort;
};
