#pragma once
// Every status and progress text of the ZIP components. The windows read a few of them:
// a listing that ends well leaves a text beginning with "Lade"; an archive with leading bytes
// leaves one containing "extra bytes" whose characters 42 to 92 are shown on their own; removing
// reports "deleting: " per entry and a text containing "empty" when the archive was emptied.

#include <QString>
#include <string_view>

namespace kasto::engine::texte {

using namespace Qt::StringLiterals;

// Fixed-length lead-in: the window shows only what follows it (from character 42 on).
inline constexpr std::u16string_view sfxVorspannPrefix = u"Archiv gelesen; es hat extra bytes vorn: ";
static_assert(sfxVorspannPrefix.size() == 41);

// --- listing -------------------------------------------------------------------------------
inline QString ladeStart(const QString &archiv) { return u"Lade %1 ..."_s.arg(archiv); }
inline QString ladeFertig(const QString &archiv, qint64 eintraege)
{
    return u"Lade %1: %2 Einträge"_s.arg(archiv).arg(eintraege);
}
// The part from character 42 on, as the main window shows it.
inline QString sfxVorspannPhrase(qint64 bytes) { return u"Vorspann von %1 Bytes"_s.arg(bytes); }
inline QString sfxGeladen(qint64 bytes)
{
    return QString::fromUtf16(sfxVorspannPrefix.data(), qsizetype(sfxVorspannPrefix.size()))
           + sfxVorspannPhrase(bytes);
}

// --- opening -------------------------------------------------------------------------------
inline QString keinArchivName() { return u"Fehler: Kein Archiv angegeben."_s; }
inline QString archivFehler(const QString &archiv, const QString &grund)
{
    return u"Fehler: %1 kann nicht als ZIP-Archiv gelesen werden: %2."_s.arg(archiv, grund);
}

// --- extracting and testing ----------------------------------------------------------------
inline QString entpacke(const QString &eintrag) { return u"Entpacke %1 ..."_s.arg(eintrag); }
inline QString teste(const QString &eintrag) { return u"Teste %1 ..."_s.arg(eintrag); }
inline QString entpacktOk(const QString &eintrag) { return u"Entpackt: %1"_s.arg(eintrag); }
inline QString getestetOk(const QString &eintrag) { return u"OK: %1"_s.arg(eintrag); }
inline QString eintragFehler(const QString &eintrag, const QString &grund)
{
    return u"Fehler bei %1: %2 – nicht entpackt."_s.arg(eintrag, grund);
}
inline QString testFehler(const QString &eintrag, const QString &grund)
{
    return u"Fehler bei %1: %2."_s.arg(eintrag, grund);
}
inline QString eintragNichtGefunden(const QString &eintrag)
{
    return u"Fehler: Eintrag %1 ist nicht im Archiv."_s.arg(eintrag);
}
inline QString unsichererName(const QString &eintrag)
{
    return u"Abgelehnt: unsicherer Name %1 (absoluter Pfad, Laufwerk oder \"..\") – nicht entpackt."_s.arg(eintrag);
}
inline QString uebersprungen(const QString &datei)
{
    return u"Übersprungen: %1 existiert bereits."_s.arg(datei);
}
inline QString keinZielordner() { return u"Fehler: Kein Zielordner angegeben."_s; }
inline QString zielFehler(const QString &datei, const QString &grund)
{
    return u"Fehler: %1 kann nicht geschrieben werden: %2."_s.arg(datei, grund);
}
inline QString teilsEntpackt(qint64 n, qint64 uebersprungen, const QString &ordner)
{
    return u"Fertig: %1 Einträge nach %2 entpackt, %3 vorhandene Datei(en) übersprungen."_s.arg(n).arg(ordner).arg(
        uebersprungen);
}
inline QString alleEntpackt(qint64 n, const QString &ordner)
{
    return u"Fertig: %1 Einträge nach %2 entpackt."_s.arg(n).arg(ordner);
}
inline QString alleGetestet(qint64 n) { return u"Test fertig: %1 Einträge fehlerfrei."_s.arg(n); }
inline QString mitFehlern(qint64 fehler, qint64 n, const QString &letzter)
{
    return u"Fertig mit Fehlern: %1 von %2 Einträgen nicht in Ordnung. Zuletzt: %3"_s.arg(fehler).arg(n).arg(letzter);
}

// Reasons (the tail of an error text).
inline QString grundFalschesPasswort() { return u"falsches Passwort"_s; }
inline QString grundKeinPasswort() { return u"kein Passwort angegeben"_s; }
inline QString grundCrc() { return u"CRC-Fehler, Daten beschädigt"_s; }
inline QString grundDaten() { return u"Daten beschädigt"_s; }
inline QString grundKeinZip() { return u"kein ZIP-Archiv"_s; }
inline QString grundNichtGefunden() { return u"Datei nicht gefunden"_s; }
inline QString grundNichtLesbar() { return u"Datei nicht lesbar"_s; }
inline QString grundBeschaedigt() { return u"Archiv beschädigt oder abgeschnitten"_s; }
inline QString grundVerfahren() { return u"Kompressionsverfahren nicht unterstützt"_s; }
inline QString grundVerschluesselung() { return u"Verschlüsselung nicht unterstützt"_s; }
inline QString grundSymlink() { return u"Ziel liegt hinter einem symbolischen Link"_s; }
inline QString grundOrdner() { return u"Ordner kann nicht angelegt werden"_s; }
inline QString grundVorspann() { return u"Archiv mit Vorspann kann nicht geändert werden"_s; }
inline QString grundSpeicher() { return u"zu wenig Speicher"_s; }
inline QString grundSchreiben() { return u"Schreibfehler"_s; }
inline QString grundSchreibgeschuetzt() { return u"Archiv ist schreibgeschützt"_s; }
inline QString grundAbgebrochen() { return u"abgebrochen"_s; }
inline QString grundLibzip(int code, const QString &text) { return u"libzip-Fehler %1 (%2)"_s.arg(code).arg(text); }

// --- adding and removing -------------------------------------------------------------------
inline QString hinzufuegen(const QString &eintrag) { return u"Füge hinzu: %1"_s.arg(eintrag); }
inline QString hinzugefuegt(qint64 n, qint64 leereOrdner, const QString &archiv)
{
    if (leereOrdner == 0)
        return u"Fertig: %1 Datei(en) zu %2 hinzugefügt."_s.arg(n).arg(archiv);
    return u"Fertig: %1 Datei(en) und %2 leere(r) Ordner zu %3 hinzugefügt."_s.arg(n).arg(leereOrdner).arg(archiv);
}
inline QString keineDateien(const QString &angabe) { return u"Keine passenden Dateien: %1"_s.arg(angabe); }
inline QString quelleFehlt(const QString &datei) { return u"Fehler: %1 kann nicht gelesen werden."_s.arg(datei); }
inline QString keinPasswortGesetzt() { return u"Abgebrochen: kein Passwort angegeben – nichts hinzugefügt."_s; }
inline QString schreibFehler(const QString &archiv, const QString &grund)
{
    return u"Fehler: %1 konnte nicht geschrieben werden (%2). Das Archiv ist unverändert."_s.arg(archiv, grund);
}
inline QString loesche(const QString &eintrag) { return u"deleting: %1"_s.arg(eintrag); }
inline QString archivLeer(const QString &archiv)
{
    return u"Archiv %1 ist leer (empty) und wurde entfernt."_s.arg(archiv);
}
inline QString nichtsGeloescht(const QString &muster) { return u"Kein Eintrag passt zu %1."_s.arg(muster); }

} // namespace kasto::engine::texte
