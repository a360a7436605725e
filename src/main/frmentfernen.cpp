#include "main/frmentfernen.h"

#include "common/layout.h"
#include "main/frmunzip.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {
QPointer<frmEntfernen> s_instance;
}

frmEntfernen *frmEntfernen::instance()
{
    if (!s_instance)
        s_instance = new frmEntfernen(frmUnzip::instance());
    return s_instance;
}

frmEntfernen::frmEntfernen(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"frmEntfernen"_s);
    setWindowTitle(u"Aus Archiv entfernen"_s);
    setFixedSize(210, 128);

    const QString captions[3] = {u"Markierte Dateien"_s, u"Alle Dateien"_s, u"Dateiarten"_s};
    const QString tips[3] = {u"Entfernt markierte (ausgewählte) Dateien aus dem ZipArchiv"_s,
                             u"Entfernt alle Dateien aus dem Archiv und löscht das Archiv."_s,
                             u"Entfernt alle Dateien mit der unten gewünschten Dateiendung"_s};
    const QString options[3] = {u"Nur markierte Dateien"_s, u"Alle Dateien"_s, u"Dateiarten:"_s};
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        Command2[i] = new QPushButton(captions[i], this);
        Command2[i]->setObjectName(u"Command2(%1)"_s.arg(i));
        Command2[i]->setToolTip(tips[i]);
        Command2[i]->setGeometry(16, 8 + 32 * i, 177, 25);
        Option1[i] = new QRadioButton(options[i], this);
        Option1[i]->setObjectName(u"Option1(%1)"_s.arg(i));
        Option1[i]->hide();
        group->addButton(Option1[i], i);
        connect(Command2[i], &QPushButton::clicked, this, [this, i] {
            setModus(i);
            hide();
        });
    }
    Text1 = new QLineEdit(u"*.bmp"_s, this);
    Text1->setObjectName(u"Text1"_s);
    Text1->setGeometry(72, 104, 65, 19);
    kasto::passeAn(this);
}

int frmEntfernen::modus() const
{
    if (m_keineWahl)
        return -1;
    for (int i = 0; i < 3; ++i) {
        if (Option1[i]->isChecked())
            return i;
    }
    return -1;
}

void frmEntfernen::setModus(int modus)
{
    m_keineWahl = false;
    if (modus >= 0 && modus < 3)
        Option1[modus]->setChecked(true);
}

// Escape leaves without a choice: nothing is removed.
void frmEntfernen::reject()
{
    m_keineWahl = true;
    QDialog::reject();
}

// The close box discards the window with its mode and pattern.
void frmEntfernen::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted()) {
        m_keineWahl = true;
        deleteLater();
    }
}
