#pragma once
// The splitter's help text in a small window; at most one at a time.

#include <QStringList>
#include <QWidget>

class QListWidget;
class QPushButton;

class frmInfo : public QWidget
{
    Q_OBJECT

public:
    explicit frmInfo(QWidget *parent = nullptr);
    ~frmInfo() override;

    // Shows the help window, creating it when none is open, and brings it to the front.
    static frmInfo *zeigen();
    // The open help window, or nullptr.
    static frmInfo *instance();

    static QString caption();
    static QStringList hilfeText();

    QListWidget *List1 = nullptr;
    QPushButton *Command1 = nullptr;

public slots:
    void Command1_Click();

protected:
    bool event(QEvent *e) override;
};
