#pragma once

#include <QObject>

namespace verbaria {

// Qt cuts a receiver's connections only in ~QObject, after the members of the derived class and
// the children are gone: a child that signals while it is being destroyed (a list emptied, a
// selection cleared, a focus lost) would reach a half-destroyed window. A window calls this first
// in its destructor, so its end is its own.
inline void DisconnectOwnChildren(QObject &receiver)
{
    for (QObject *child : receiver.findChildren<QObject *>())
        QObject::disconnect(child, nullptr, &receiver, nullptr);
}

} // namespace verbaria
