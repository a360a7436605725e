#pragma once
// The dialogs in which the windows answer the engine's questions: a password for reading, a
// password for writing (typed twice, with the method), and whether to replace an existing file.
// Each runs through ui::execModal, so tests can answer them.

#include "engine/fragen.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace kasto {

class LesePasswortDialog : public QDialog
{
    Q_OBJECT
public:
    LesePasswortDialog(QWidget *parent, const engine::LesePasswortFrage &frage);
    QLineEdit *Passwort = nullptr;
};

class SchreibPasswortDialog : public QDialog
{
    Q_OBJECT
public:
    SchreibPasswortDialog(QWidget *parent, const engine::SchreibPasswortFrage &frage);
    QLineEdit *Passwort = nullptr;
    QLineEdit *Wiederholung = nullptr;
    QRadioButton *Aes = nullptr;
    QRadioButton *ZipCrypto = nullptr;
    QLabel *Hinweis = nullptr;
    QPushButton *Ok = nullptr;

private:
    void pruefen();
};

class UeberschreibenDialog : public QDialog
{
    Q_OBJECT
public:
    UeberschreibenDialog(QWidget *parent, const QString &datei);
    engine::Ueberschreiben antwort = engine::Ueberschreiben::Nein;
    QPushButton *Ja = nullptr;
    QPushButton *Nein = nullptr;
    QPushButton *JaAlle = nullptr;
    QPushButton *NeinKeine = nullptr;
};

engine::LesePasswortAntwort frageLesePasswort(QWidget *owner, const engine::LesePasswortFrage &frage);
engine::SchreibPasswortAntwort frageSchreibPasswort(QWidget *owner, const engine::SchreibPasswortFrage &frage);
engine::Ueberschreiben frageUeberschreiben(QWidget *owner, const QString &datei);

} // namespace kasto
