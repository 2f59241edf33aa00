// The one place where the design becomes Qt widgets: the window's font and client area, and
// every control of the table with its rectangle, font, colours and settings, in its tab and
// stacking order and with its accessible name. The window reads the controls it works on by
// their names in the table.
#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

class QMainWindow;

using ControlsByName = QHash<QString, QWidget*>;

ControlsByName BuildControls(QMainWindow& window);

// The control of that name, as the kind of widget the table makes of it.
template <class T>
T* Find(const ControlsByName& controls, const char* name)
{
    T* control = qobject_cast<T*>(controls.value(QString::fromLatin1(name)));
    Q_ASSERT(control);
    return control;
}
