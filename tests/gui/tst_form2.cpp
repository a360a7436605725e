#include "common/dateilisten.h"
#include "common/shared.h"
#include "gui/scriptedui.h"
#include "main/form2.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QListWidgetItem *entry(kasto::DirListBox *list, const QString &path)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->entryPath(list->item(i)) == path)
            return list->item(i);
    }
    return nullptr;
}

QPoint centre(kasto::DirListBox *list, QListWidgetItem *item)
{
    return list->visualItemRect(item).center();
}

} // namespace

class tst_Form2 : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_sub;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_sub = QDir(m_dir.path()).filePath(u"Bilder"_s);
        QVERIFY(QDir().mkpath(m_sub));
        QVERIFY(QDir().mkpath(QDir(m_dir.path()).filePath(u"Zeug"_s)));
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void cleanup()
    {
        kasto::DriveListBox::setProvider({});
        kasto::UnzipOrdner = u"von vorher"_s;
    }

    void okRightAway()
    {
        Form2 f;
        QCOMPARE(f.windowTitle(), u"Unzip-Ordner wählen"_s);
        QCOMPARE(f.Dir1->path(), m_dir.path());
        QCOMPARE(f.Text1->text(), m_dir.path());
        f.Command1->click();
        QCOMPARE(kasto::UnzipOrdner, m_dir.path());
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    void okTrims_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("blanks around") << u"  /gibt/es/nicht  "_s << u"/gibt/es/nicht"_s;
        QTest::newRow("only blanks") << u"   "_s << QString();
    }

    void okTrims()
    {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        Form2 f;
        f.Text1->setText(typed);
        f.Command1->click();
        QCOMPARE(kasto::UnzipOrdner, result);
    }

    void cancelWays_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Abbrechen") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }

    void cancelWays()
    {
        QFETCH(int, way);
        Form2 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        if (way == 0)
            f.Command2->click();
        else if (way == 1)
            QTest::keyClick(&f, Qt::Key_Escape);
        else
            f.close();
        QCOMPARE(kasto::UnzipOrdner, QString());
        QVERIFY(!f.isVisible());
    }

    void clickHighlightsDoubleClickOpens()
    {
        Form2 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QListWidgetItem *sub = entry(f.Dir1, m_sub);
        QVERIFY(sub);
        QTest::mouseClick(f.Dir1->viewport(), Qt::LeftButton, {}, centre(f.Dir1, sub));
        QCOMPARE(f.Text1->text(), m_sub);
        QCOMPARE(f.Dir1->path(), m_dir.path()); // the list does not move

        QTest::mouseDClick(f.Dir1->viewport(), Qt::LeftButton, {}, centre(f.Dir1, sub));
        QCOMPARE(f.Dir1->path(), m_sub);
        QCOMPARE(f.Text1->text(), m_sub);

        // The chain above reaches up to the root; opening the parent goes back.
        QListWidgetItem *parent = entry(f.Dir1, m_dir.path());
        QVERIFY(parent);
        QVERIFY(entry(f.Dir1, QDir::rootPath()));
        // A double click is a press and release followed by the second press.
        QTest::mouseClick(f.Dir1->viewport(), Qt::LeftButton, {}, centre(f.Dir1, parent));
        QTest::mouseDClick(f.Dir1->viewport(), Qt::LeftButton, {}, centre(f.Dir1, parent));
        QCOMPARE(f.Dir1->path(), m_dir.path());
        f.Command1->click();
        QCOMPARE(kasto::UnzipOrdner, m_dir.path());
    }

    void driveNotReady()
    {
        const QString missing = QDir(m_dir.path()).filePath(u"kein_medium"_s);
        kasto::DriveListBox::setProvider([missing] { return QStringList{QDir::rootPath(), missing}; });
        ScriptedUi ui;
        Form2 f;
        const int i = f.Drive1->findText(missing);
        QVERIFY(i >= 0);
        f.Drive1->setCurrentIndex(i);
        emit f.Drive1->activated(i);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.first().text, u"Laufwerk ist nicht bereit."_s);
        QCOMPARE(ui.boxes.first().title, u"Kasto"_s);
        QCOMPARE(ui.boxes.first().icon, kasto::ui::Icon::None);
        QCOMPARE(f.Drive1->drive(), QDir::rootPath());
        QCOMPARE(f.Dir1->path(), QDir::rootPath());
        QCOMPARE(f.Text1->text(), QDir::rootPath());
    }

    void readyDrive()
    {
        const QString other = m_sub;
        kasto::DriveListBox::setProvider([other] { return QStringList{QDir::rootPath(), other}; });
        ScriptedUi ui;
        Form2 f;
        QCOMPARE(f.Drive1->drive(), QDir::rootPath());
        const int i = f.Drive1->findText(other);
        f.Drive1->setCurrentIndex(i);
        emit f.Drive1->activated(i);
        QVERIFY(ui.boxes.isEmpty());
        QCOMPARE(f.Dir1->path(), other);
        QCOMPARE(f.Text1->text(), other);
    }
};

QTEST_MAIN(tst_Form2)
#include "tst_form2.moc"
