#pragma once

#include "settings/Resultat.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

// Writes bytes over a file in one atomic replace: a scratch copy beside it
// ("<name>.scribane-XXXXXX") is written, every write and the flush to disk checked, then
// renamed over the file. The file keeps its permissions (a read-only file stays
// read-only). A symbolic link stays a link: its target is rewritten, the scratch copy
// beside the target; a link to nothing is refused. On any failure the old file is left
// whole, the scratch copy is removed, and the result says why in French.
Resultat<> EcrireFichierAtomique(const QString& chemin, const QByteArray& octets);

// The French reason for a system error number ("le disque est plein"): errno on Unix,
// GetLastError()'s code on Windows.
QString RaisonSysteme(int numero);

#ifdef Q_OS_UNIX
// Writes every byte to `fd`, through short writes and interruptions. On failure
// errno says why (a write that took nothing counts as a full disk).
bool EcrireTout(int fd, const QByteArray& octets);
#endif

// Whether `nom` is a scratch copy of the file named `fichier` ("Cheque.ini.scribane-Ab3xZ9").
bool EstCopieDeTravail(QStringView nom, QStringView fichier);

// Removes from `dossier` the scratch copies of `fichiers` that a killed rewrite
// left behind, and beside the target of those that are symbolic links. Only
// call it while no one else can be writing them (the lock held). Returns how
// many were removed.
int SupprimerCopiesDeTravail(const QString& dossier, const QStringList& fichiers);
