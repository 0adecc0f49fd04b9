#include "cli/Console.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
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

#ifdef Q_OS_WIN

extern "C" int __wgetmainargs(int*, wchar_t***, wchar_t***, int, int*);

namespace {

UINT pageAvant = 0;

void RemettrePage() {
    if (pageAvant)
        ::SetConsoleOutputCP(pageAvant);
}

bool EstConsole(DWORD quel) {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(quel), &mode) != 0;
}

} // namespace

void PreparerConsole() {
    // Lines end in "\n" as on Unix, so a pipe gets the same bytes everywhere; a console
    // shows them alike.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    if (!EstConsole(STD_OUTPUT_HANDLE) && !EstConsole(STD_ERROR_HANDLE))
        return;
    const UINT page = ::GetConsoleOutputCP();
    if (page == CP_UTF8 || !::SetConsoleOutputCP(CP_UTF8))
        return;
    pageAvant = page;
    std::atexit(RemettrePage);
}

QStringList ArgumentsDuProgramme(int, char**) {
    // The C run-time's own split of the command line, in UTF-16.
    int nombre = 0;
    wchar_t** mots = nullptr;
    wchar_t** environnement = nullptr;
    int reglages = 0;
    QStringList arguments;
    if (::__wgetmainargs(&nombre, &mots, &environnement, 0, &reglages) != 0 || !mots)
        return arguments;
    for (int i = 1; i < nombre; ++i)
        arguments << QString::fromWCharArray(mots[i]);
    return arguments;
}

#else

void PreparerConsole() {}

QStringList ArgumentsDuProgramme(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

#endif
