#include "cli/Console.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

// The encoding is set once: setting it again starts a new converter each time.
QTextStream& Sortie() {
    static QTextStream flux(stdout);
    static const bool utf8 = (flux.setEncoding(QStringConverter::Utf8), true);
    Q_UNUSED(utf8);
    return flux;
}

QTextStream& Erreurs() {
    static QTextStream flux(stderr);
    static const bool utf8 = (flux.setEncoding(QStringConverter::Utf8), true);
    Q_UNUSED(utf8);
    return flux;
}

int Refuser(const QString& message, int code) {
    Erreurs() << "scribane-cli : " << message << Qt::endl;
    return code;
}

bool ErreursSurTerminal() {
#ifdef Q_OS_WIN
    return ::_isatty(::_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}
