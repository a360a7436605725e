#include "main/form2.h"

#include "common/dateilisten.h"
#include "common/layout.h"
#include "common/shared.h"
#include "common/ui.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

Form2::Form2(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"Unzip-Ordner wählen"_s);
    setFixedSize(358, 227);

    Drive1 = new kasto::DriveListBox(this);
    Drive1->setObjectName(u"Drive1"_s);
    Drive1->setGeometry(8, 8, 225, 21);
    Dir1 = new kasto::DirListBox(this);
    Dir1->setObjectName(u"Dir1"_s);
    Dir1->setGeometry(8, 32, 225, 156);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(u"Text1"_s);
    Text1->setGeometry(8, 200, 345, 19);
    Command1 = new QPushButton(u"OK"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(248, 8, 97, 25);
    Command1->setDefault(true);
    Command2 = new QPushButton(u"Abbrechen"_s, this);
    Command2->setObjectName(u"Command2"_s);
    Command2->setGeometry(248, 40, 97, 25);

    connect(Dir1, &kasto::DirListBox::Change, this, &Form2::Dir1_Change);
    connect(Dir1, &kasto::DirListBox::entryClicked, Text1, &QLineEdit::setText);
    connect(Drive1, &kasto::DriveListBox::driveChanged, this, &Form2::Drive1_Change);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);

    Text1->setText(Dir1->path());
    kasto::passeAn(this);
}

void Form2::Dir1_Change()
{
    const QSignalBlocker block(Drive1);
    Drive1->setDrive(Dir1->path());
    Text1->setText(Dir1->path());
}

void Form2::Drive1_Change()
{
    const QString drive = Drive1->drive();
    if (kasto::DriveListBox::isReady(drive) && Dir1->setPath(drive))
        return;
    kasto::ui::MsgBox(this, u"Laufwerk ist nicht bereit."_s);
    const QString fallback = kasto::DriveListBox::fallbackDrive();
    const QSignalBlocker block(Drive1);
    Drive1->setCurrentIndex(Drive1->findText(fallback));
    Dir1->setPath(fallback);
    Text1->setText(Dir1->path());
}

void Form2::Command1_Click()
{
    kasto::UnzipOrdner = Text1->text().trimmed();
    accept();
}

void Form2::Command2_Click()
{
    reject();
}

// Escape and the close box end here too and count as "Abbrechen": extracting into a folder from
// an earlier use would put the files where the user did not choose this time.
void Form2::reject()
{
    kasto::UnzipOrdner.clear();
    QDialog::reject();
}
