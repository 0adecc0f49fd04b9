#pragma once

#include "bouton/Identites.h"
#include "bouton/PuitsEvenements.h"
#include "bouton/SiteHote.h"
#include "bouton/hote/ChargeurControle.h"
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

// Readable values in failure messages.
inline void PrintTo(const QVariant& v, std::ostream* os) {
    *os << v.typeName() << "(" << v.toString().toStdString() << ")";
}

// A container for the tests: fixed ambient values, and a journal of the property-changed
// notifications ("prop:Name") and events ("evt:id") in the order they came.
class SiteEssai : public bouton::SiteHote, public bouton::PuitsEvenements {
public:
    uint32_t couleurFondAmbiante() const override { return ambiante; }
    QFont policeAmbiante() const override { return police; }
    void proprieteModifiee(const QString& nom) override {
        journal << QStringLiteral("prop:") + nom;
    }
    void evenement(int32_t id, QVariantList& arguments) override {
        journal << QStringLiteral("evt:%1").arg(id);
        evenements.append({id, arguments});
    }
    int nombre(const QString& entree) const { return int(journal.count(entree)); }

    uint32_t ambiante = 0x00C0C0C0;
    QFont police{QStringLiteral("DejaVu Sans"), 10};
    QStringList journal;
    QList<std::pair<int32_t, QVariantList>> evenements;
};

// The registry of the tests lives in a temporary home folder, in Qt's test mode.
QString cheminRegistreEssai();
QString bibliothequeTestee();
std::string texte(const bouton::Resultat& r);

// A control created by prog-id through the registry, as the program does.
class ControleEssai : public ::testing::Test {
protected:
    void SetUp() override;
    bouton::hote::ControleCharge creer();

    QVariant lire(int32_t id);
    bouton::Resultat ecrire(int32_t id, const QVariant& valeur) {
        return c.dispatch->ecrire(id, valeur);
    }
    QVariant partie(const char* nom, const char* propriete) const;
    void taille(double largeur, double hauteur) {
        c.controle->definirTailleTwips(largeur, hauteur);
    }

    QWidget parent;
    SiteEssai site;
    bouton::hote::ControleCharge c;
};
