#pragma once
// Small text functions that take a path apart. Both "\" and "/" count as separators;
// nothing here touches the file system.

#include <QString>

namespace kasto {

bool istTrenner(QChar c);

// Part after the last separator ("" when the path ends in one).
QString DateiName(const QString &path);
// DateiName cut before its first dot.
QString DateiStamm(const QString &path);
// Characters between the last separator and the last dot; the path itself when the last
// dot is missing or lies in the folder part.
QString ohne_pfad_ext(const QString &path);

// The folder with a trailing separator (the native one is added when none is there).
QString mitTrenner(const QString &folder);

} // namespace kasto
