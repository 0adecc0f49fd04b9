#include "console.h"

#include <cstdio>

QTextStream& Sortie() {
    static QTextStream flux(stdout);
    flux.setEncoding(QStringConverter::Utf8);
    return flux;
}

QTextStream& Erreurs() {
    static QTextStream flux(stderr);
    flux.setEncoding(QStringConverter::Utf8);
    return flux;
}

int Refuser(const QString& message, int code) {
    Erreurs() << "scribane-cli : " << message << Qt::endl;
    return code;
}
