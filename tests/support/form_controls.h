#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QString>

namespace kalvira::testing {

// A control of the window, found by the name it has on the form, as a user's script would find
// it; a missing one stops the test program with its name.
template <typename T = QWidget>
T *control(const QObject &form, const char *name) {
    T *found = form.findChild<T *>(QLatin1String(name));
    if (found == nullptr) qFatal("the window has no control %s", name);
    return found;
}

// Member index of an option group, such as option(form, "TimeOption", 13) for "1msec/Div.".
inline QAbstractButton *option(const QObject &form, const char *group, int index) {
    const QByteArray name = QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(index).toLatin1();
    return control<QAbstractButton>(form, name.constData());
}

}  // namespace kalvira::testing
