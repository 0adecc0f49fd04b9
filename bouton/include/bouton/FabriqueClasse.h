#pragma once

#include <QUuid>
#include <cstdint>

class QWidget;

namespace bouton {

// Reference-counted base of the objects handed out by the library's exports.
class Inconnu {
public:
    virtual int32_t interroger(const QUuid& iid, void** objet) = 0;
    virtual uint32_t ajouterRef() = 0;
    virtual uint32_t liberer() = 0;

protected:
    ~Inconnu() = default;
};

// Class factory (interface IidFabriqueClasse), as DllGetClassObject hands it out.
class FabriqueClasse : public Inconnu {
public:
    // Creates a control as a child of parent and returns the interface iid of it. The control
    // is owned by its widget's parent, not by reference counts.
    virtual int32_t creerInstance(QWidget* parent, const QUuid& iid, void** objet) = 0;
    // Keeps the library loaded while locked.
    virtual int32_t verrouillerServeur(bool verrouiller) = 0;

protected:
    ~FabriqueClasse() = default;
};

} // namespace bouton
