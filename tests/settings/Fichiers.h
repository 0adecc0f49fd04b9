#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray LireOctets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void EcrireOctets(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(octets);
}
