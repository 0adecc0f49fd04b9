#pragma once

#include "settings/Resultat.h"

#include <QString>

// A PDF drawn into a scratch copy beside the file the user named
// (".<name>.scribane-XXXXXX"), which takes the file's place only once it is
// whole: the printer engine reports no write error, so a full disk or a kill
// must never leave a cut document under the user's name.
class FichierPdfProvisoire {
public:
    explicit FichierPdfProvisoire(QString cible);
    // Removes the scratch copy when it did not take the file's place.
    ~FichierPdfProvisoire();

    FichierPdfProvisoire(const FichierPdfProvisoire&) = delete;
    FichierPdfProvisoire& operator=(const FichierPdfProvisoire&) = delete;

    const QString& cible() const { return cible_; }
    // The file to draw into; empty when it could not be created.
    const QString& copie() const { return copie_; }
    // Why the scratch copy could not be created, in French; empty otherwise.
    const QString& refus() const { return refus_; }

    // Checks that the document is complete (it ends with its cross-reference
    // and "%%EOF"), flushes it to the disk and renames it over the file. On
    // failure the copy is removed, the file is left as it was and the reason is
    // said in French ("le disque est plein").
    Resultat<> remplacer();
    // Why the document could not be written on (the disk asked again), for a
    // job called off half way; the copy is still removed with this object.
    QString raisonCoupure() const;

private:
    QString cible_;
    QString copie_;
    QString refus_;
    bool remplace_ = false;
};

