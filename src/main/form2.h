#pragma once
// The extraction folder chooser. It writes its answer into UnzipOrdner: the confirmed folder,
// or "" for a cancel.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kasto {
class DirListBox;
class DriveListBox;
} // namespace kasto

class Form2 : public QDialog
{
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

    kasto::DriveListBox *Drive1 = nullptr;
    kasto::DirListBox *Dir1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Abbrechen

public slots:
    void Dir1_Change();
    void reject() override;

private:
    void Drive1_Change();
    void Command1_Click();
    void Command2_Click();
};
