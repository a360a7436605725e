#pragma once
// Small helpers shared by the tests: files with known bytes, running peer programs.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testutil {

// Writes `data` to `path`, creating missing folders. Returns false on failure.
bool writeFile(const QString &path, const QByteArray &data);
// Whole file, or an empty array when it cannot be read.
QByteArray readFile(const QString &path);
// Deterministic pseudo-random bytes (the same `seed` gives the same bytes).
QByteArray randomBytes(qsizetype size, quint32 seed = 1);

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    bool started = false;
};
// Runs a program to its end (stdin closed); `workDir` "" keeps the current folder.
ProcessResult run(const QString &program, const QStringList &args, const QString &workDir = QString(),
                  int timeoutMs = 120000);
// True when `program` is on PATH.
bool haveProgram(const QString &program);

} // namespace testutil
