#pragma once

#include <QTextStream>

// Standard output and error, written in UTF-8 whatever the system locale.
QTextStream& Sortie();
QTextStream& Erreurs();

// Writes "scribane-cli : <message>" on standard error and returns `code`.
int Refuser(const QString& message, int code = 1);

// Whether standard error is a terminal a person watches (progress is for it
// only; a log or a pipe gets the outcome alone).
bool ErreursSurTerminal();
