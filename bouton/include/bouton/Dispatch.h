#pragma once

#include "bouton/Resultat.h"
#include <QVariant>
#include <QVariantList>
#include <cstdint>
#include <optional>

namespace bouton {

// Late-bound access to the control's members by numeric member ID, as a host that knows
// only the IDs (or the names, for a property browser) reaches them.
class Dispatch {
public:
    // Property get.
    virtual Resultat lire(int32_t id, QVariant& valeur) = 0;
    // Property let or set; fonts and pictures are Qt values, so both go through here.
    virtual Resultat ecrire(int32_t id, const QVariant& valeur) = 0;
    // Method call; arguments may be changed in place, as by-reference arguments are.
    virtual Resultat appeler(int32_t id, QVariantList& arguments, QVariant* retour) = 0;
    // Member ID of a member name (case-insensitive), as a browser looks it up.
    virtual std::optional<int32_t> idDuNom(const QString& nom) const = 0;
    virtual QString nomDuMembre(int32_t id) const = 0;
    // Description shown by property browsers, empty when the member has none.
    virtual QString description(int32_t id) const = 0;

    Resultat lireParNom(const QString& nom, QVariant& valeur) {
        auto id = idDuNom(nom);
        return id ? lire(*id, valeur) : inconnu(nom);
    }
    Resultat ecrireParNom(const QString& nom, const QVariant& valeur) {
        auto id = idDuNom(nom);
        return id ? ecrire(*id, valeur) : inconnu(nom);
    }

protected:
    ~Dispatch() = default;

private:
    static Resultat inconnu(const QString& nom) {
        return Resultat::erreur(code::NomInconnu, QStringLiteral("Nom inconnu : %1").arg(nom));
    }
};

} // namespace bouton
