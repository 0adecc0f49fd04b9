#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The settings and journal files are in the Windows ANSI code page. Every byte
// maps to one character and back (the five undefined bytes keep their C1
// control), so a file read and rewritten never changes a byte it did not mean to.
QString DecoderCp1252(const QByteArray& octets);
QByteArray EncoderCp1252(QStringView texte);
// Writes one byte per character at `sortie`; returns the end of what was written.
char* EncoderCp1252Dans(QStringView texte, char* sortie);

// Whether every character of the text has a place in the code page.
bool RepresentableCp1252(QStringView texte);
