#pragma once

#include <QStringList>
#include <QTextStream>

// Standard output and error, written in UTF-8 whatever the system locale.
QTextStream& Sortie();
QTextStream& Erreurs();

// Writes "scribane-cli : <message>" on standard error and returns `code`.
int Refuser(const QString& message, int code = 1);

// Whether standard error is a terminal a person watches (progress is for it
// only; a log or a pipe gets the outcome alone).
bool ErreursSurTerminal();

// Readies the console: on Windows, a console shows the UTF-8 written to it (its code
// page is set for the program's run and put back at its end); a pipe or a file gets
// UTF-8 as everywhere. Nothing to do elsewhere.
void PreparerConsole();

// The program's arguments as the user typed them: on Windows from the command line
// in UTF-16, which the 8-bit `argv` cannot always hold ("Bénéficiaire" in any code page).
QStringList ArgumentsDuProgramme(int argc, char** argv);
