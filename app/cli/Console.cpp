#include "cli/Console.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <cstdlib>
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
    if (!EstConsole(STD_OUTPUT_HANDLE) && !EstConsole(STD_ERROR_HANDLE))
        return;
    const UINT page = ::GetConsoleOutputCP();
    if (page == CP_UTF8 || !::SetConsoleOutputCP(CP_UTF8))
        return;
    pageAvant = page;
    std::atexit(RemettrePage);
}

QStringList ArgumentsDuProgramme(int, char**) {
    int nombre = 0;
    LPWSTR* mots = ::CommandLineToArgvW(::GetCommandLineW(), &nombre);
    QStringList arguments;
    for (int i = 1; mots && i < nombre; ++i)
        arguments << QString::fromWCharArray(mots[i]);
    ::LocalFree(mots);
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
