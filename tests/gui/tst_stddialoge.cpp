#include "common/stddialoge.h"
#include "gui/scriptedui.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Pairs = QList<QPair<QString, QString>>;

class tst_StdDialoge : public QObject
{
    Q_OBJECT

private slots:
    void filterConversion_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<Pairs>("pairs");

        QTest::newRow("one pair") << u"Alle Dateien|*.*"_s << Pairs{{u"Alle Dateien"_s, u"*.*"_s}};
        QTest::newRow("leading blank stays in the label")
            << u"ZIP-Archive (*.zip)|*.zip| Alle Dateien (*.*)|*.*"_s
            << Pairs{{u"ZIP-Archive (*.zip)"_s, u"*.zip"_s}, {u" Alle Dateien (*.*)"_s, u"*.*"_s}};
        QTest::newRow("trailing bar") << u"1. Dateifragment (*._001)|*._001*|"_s
                                      << Pairs{{u"1. Dateifragment (*._001)"_s, u"*._001*"_s}};
        QTest::newRow("empty") << QString() << Pairs{};
    }

    void filterConversion()
    {
        QFETCH(QString, filter);
        QFETCH(Pairs, pairs);
        QCOMPARE(kasto::filterPaare(filter), pairs);

        // What reaches the platform dialog: the pairs, the first one preselected.
        ScriptedUi ui;
        QString folder;
        kasto::DateiOeffnen(nullptr, u"Titel"_s, folder, QString(), filter, u"*.*"_s);
        QCOMPARE(ui.fileRequests.size(), 1);
        QCOMPARE(ui.fileRequests.first().filters, pairs);
        QCOMPARE(ui.fileRequests.first().selectedFilter, 1);
    }

    void requestFields()
    {
        ScriptedUi ui;
        QString folder = u"/start/hier/"_s;
        kasto::DateiSpeichern(nullptr, u"SFX-Archiv speichern"_s, folder, u"bild.exe"_s, u"A|*.a"_s,
                              u"*.*"_s);
        kasto::DateiOeffnen(nullptr, u"ZIP-Archiv öffnen "_s, folder, QString(), u"A|*.a"_s, u"*._001*"_s);
        QCOMPARE(ui.fileRequests.size(), 2);
        const kasto::DateiDialogAnfrage &save = ui.fileRequests.at(0);
        QCOMPARE(save.mode, kasto::DialogMode::Speichern);
        QCOMPARE(save.title, u"SFX-Archiv speichern"_s);
        QCOMPARE(save.folder, u"/start/hier/"_s);
        QCOMPARE(save.defaultName, u"bild.exe"_s);
        QCOMPARE(save.defaultExt, u"*.*"_s);
        const kasto::DateiDialogAnfrage &open = ui.fileRequests.at(1);
        QCOMPARE(open.mode, kasto::DialogMode::Oeffnen);
        QCOMPARE(open.title, u"ZIP-Archiv öffnen "_s);
        QCOMPARE(open.defaultExt, u"*._001*"_s);
    }

    void cancelKeepsFolder()
    {
        ScriptedUi ui;
        ui.fileAnswers << QString();
        const QString current = QDir::currentPath();
        QString folder = u"/irgendwo/"_s;
        QCOMPARE(kasto::DateiOeffnen(nullptr, u"T"_s, folder, QString(), u"A|*.*"_s, u"*.*"_s), QString());
        QCOMPARE(folder, u"/irgendwo/"_s);
        QCOMPARE(QDir::currentPath(), current);
    }

    void choiceSetsFolderAndCurrentFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString sub = dir.filePath(u"unter ordner"_s);
        QVERIFY(QDir().mkpath(sub));

        ScriptedUi ui;
        ui.fileAnswers << sub + u"/archiv.zip"_s;
        QString folder;
        const QString name = kasto::DateiOeffnen(nullptr, u"T"_s, folder, QString(), u"A|*.*"_s, u"*.*"_s);
        QCOMPARE(name, u"archiv.zip"_s);
        QCOMPARE(folder, sub + u"/"_s);
        QCOMPARE(QDir::currentPath(), QDir(sub).canonicalPath());
    }

    void rootFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("linux root") << u"/datei.zip"_s << u"/"_s << u"datei.zip"_s;
        QTest::newRow("drive root") << u"C:\\datei.zip"_s << u"C:\\"_s << u"datei.zip"_s;
    }

    void rootFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        ScriptedUi ui;
        ui.fileAnswers << path;
        QString f = u"/vorher/"_s;
        QCOMPARE(kasto::DateiOeffnen(nullptr, u"T"_s, f, QString(), u"A|*.*"_s, u"*.*"_s), name);
        // The root keeps its one separator; the caller appends none.
        QCOMPARE(f, folder);
    }
};

QTEST_MAIN(tst_StdDialoge)
#include "tst_stddialoge.moc"
