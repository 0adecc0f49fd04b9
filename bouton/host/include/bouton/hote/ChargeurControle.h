#pragma once

#include "bouton/Controle.h"
#include "bouton/Dispatch.h"
#include "bouton/PageProprietes.h"
#include "bouton/Resultat.h"
#include <QString>
#include <optional>

class QWidget;

namespace bouton {
class SiteHote;
}

// Creating a control by prog-id, as a container does: the class registry gives the library,
// which is loaded at run time and asked for its class factory. Nothing of the control's
// code is linked into the host.
namespace bouton::hote {

struct ControleCharge {
    QWidget* widget = nullptr;    // child of the parent given, deleted with it
    Controle* controle = nullptr; // site, events, persistence, size in twips
    Dispatch* dispatch = nullptr; // members by ID or by name (the same object)
};

// The control is created but neither initialised nor loaded: call initialiserNouveau() or
// charger() next. On failure, erreur says why; its code is code::ClasseNonEnregistree when
// registering the library would help (class absent, or its library file gone).
std::optional<ControleCharge> CreerControle(const QString& progId, QWidget* parent, SiteHote* site,
                                            Resultat* erreur = nullptr);

// As CreerControle; when the class is not registered and the library file given exists, it
// is registered first and the creation tried again.
std::optional<ControleCharge> CreerControleOuEnregistrer(const QString& progId, QWidget* parent,
                                                         SiteHote* site,
                                                         const QString& bibliotheque,
                                                         Resultat* erreur = nullptr);

// Creates a property page by class identity, as a design host does for each page a control
// declares. The page belongs to parent.
std::optional<PageProprietes*> CreerPageProprietes(const QUuid& clsid, QWidget* parent,
                                                   Resultat* erreur = nullptr);

// Calls DllRegisterServer / DllUnregisterServer of a library file.
Resultat EnregistrerBibliotheque(const QString& chemin);
Resultat DesenregistrerBibliotheque(const QString& chemin);

// The control library's file beside the running program.
QString BibliothequeVoisine();

} // namespace bouton::hote
