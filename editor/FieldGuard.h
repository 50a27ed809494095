#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The counter and the warning that follow one text field as the teacher
// types: "12/255" turning red over the limit with a button that cuts the
// text there, and the characters the quiz file cannot store with a button
// that replaces them. The form holds them, named after the field:
// <field>Count, and <field>WarningRow with <field>Warning, <field>Replace
// and <field>Cut.
namespace editor {

class FieldGuard : public QObject
{
    Q_OBJECT

public:
    FieldGuard(int capacity, const QString &field, QWidget *form);

    void show(const QString &stored);

signals:
    void replaceRequested();
    // Keep only what the file can hold.
    void cutRequested();

private:
    int capacity;
    QLabel *counterLabel;
    QWidget *warningRow;
    QLabel *warningText;
    QPushButton *replaceButton;
    QPushButton *cutButton;
};

} // namespace editor
