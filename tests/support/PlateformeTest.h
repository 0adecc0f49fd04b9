#pragma once

#include "windows/AppScribane.h"
#include "windows/Plateforme.h"
#include "cheque/SurfaceEnregistreuse.h"

#include <QDateTime>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>

// Desktop stand-ins: dialogs answered from a script and recorded, a fixed
// clock, a clipboard and a desktop that only remember what they were asked.

struct DialogueVu {
    enum Genre { Message, Question, Saisie, OuvrirFichier, EnregistrerFichier, Choix, Cocher } genre;
    QString texte;
    QString titre;
    Icone icone = Icone::Information;
};

class DialoguesScript final : public Dialogues {
public:
    QVector<DialogueVu> vus;
    QQueue<bool> reponsesQuestion;   // No when empty
    QQueue<QString> reponsesSaisie;  // cancelled when empty
    QQueue<int> reponsesChoix;       // the default button when empty
    QQueue<QString> reponsesFichier; // cancelled when empty
    QQueue<std::optional<QVector<int>>> reponsesCocher; // cancelled when empty
    QStringList elementsCoches;                         // what the last list offered

    void message(QWidget*, const QString& texte, Icone icone, const QString& titre) override {
        vus.append({DialogueVu::Message, texte, titre, icone});
    }
    bool question(QWidget*, const QString& texte, const QString& titre) override {
        vus.append({DialogueVu::Question, texte, titre, Icone::Question});
        return reponsesQuestion.isEmpty() ? false : reponsesQuestion.dequeue();
    }
    int choix(QWidget*, const QString& texte, const QStringList&, int parDefaut,
              const QString& titre) override {
        vus.append({DialogueVu::Choix, texte, titre, Icone::Question});
        return reponsesChoix.isEmpty() ? parDefaut : reponsesChoix.dequeue();
    }
    std::optional<QVector<int>> cocher(QWidget*, const QString& invite, const QStringList& elements,
                                       const QString& titre) override {
        vus.append({DialogueVu::Cocher, invite, titre, Icone::Question});
        elementsCoches = elements;
        return reponsesCocher.isEmpty() ? std::nullopt : reponsesCocher.dequeue();
    }
    QString saisie(QWidget*, const QString& invite, const QString& titre, const QString&) override {
        vus.append({DialogueVu::Saisie, invite, titre, Icone::Question});
        return reponsesSaisie.isEmpty() ? QString() : reponsesSaisie.dequeue();
    }
    QString ouvrirFichier(QWidget*, const QString& titre, const QString& dossier,
                          const QString&) override {
        vus.append({DialogueVu::OuvrirFichier, dossier, titre, Icone::Information});
        return reponsesFichier.isEmpty() ? QString() : reponsesFichier.dequeue();
    }
    QString enregistrerFichier(QWidget*, const QString& titre, const QString& chemin,
                               const QString&) override {
        vus.append({DialogueVu::EnregistrerFichier, chemin, titre, Icone::Information});
        return reponsesFichier.isEmpty() ? QString() : reponsesFichier.dequeue();
    }

    QStringList textes() const {
        QStringList t;
        for (const auto& v : vus)
            t.append(v.texte);
        return t;
    }
};

class ImprimantesTest final : public Imprimantes {
public:
    QStringList liste{QStringLiteral("Bureau"), QStringLiteral("PDF")};
    QStringList noms() const override { return liste; }
    QString parDefaut() const override { return liste.value(0); }
};

class PolicesTest final : public Polices {
public:
    QStringList familles() const override {
        return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    }
};

class HorlogeTest final : public Horloge {
public:
    QDateTime instant{QDate(2024, 3, 5), QTime(14, 7, 32)};
    QDateTime maintenant() const override { return instant; }
};

class PressePapiersTest final : public PressePapiers {
public:
    QString contenu;
    QString texte() const override { return contenu; }
};

class BureauTest final : public Bureau {
public:
    QStringList ouverts;
    bool refuse = false; // no program to show the file
    bool ouvrir(const QString& chemin) override {
        ouverts.append(chemin);
        return !refuse;
    }
};

// Print jobs drawn on recording surfaces; each finished job is a page kept here.
class ImpressionTest final : public Impression {
public:
    QVector<SurfaceEnregistreuse> pages;
    QStringList fichiersPdf; // for each page, the PDF it went into; empty for the printer
    QStringList imprimantes{QStringLiteral("Bureau"), QStringLiteral("PDF")};
    bool echec = false;       // the printer cannot be opened
    bool pageRefusee = false; // a batch's next page cannot be started
    int travaux = 0;          // the jobs ended
    int annules = 0;          // the jobs called off

    class Travail final : public TravailImpression {
    public:
        explicit Travail(ImpressionTest& impression, QString pdf = {})
            : impression_(impression), pdf_(std::move(pdf)),
              surface_(true, pdf_.isEmpty() ? impression.imprimantes : QStringList()) {}
        SurfaceSortie& surface() override { return surface_; }
        QString nomImprimante() const override {
            return surface_.imprimanteChoisie.isEmpty() ? impression_.imprimantes.value(0)
                                                        : surface_.imprimanteChoisie;
        }
        bool pageSuivante() override {
            if (impression_.pageRefusee)
                return false;
            faites_.append(surface_);
            surface_ = SurfaceEnregistreuse(true, pdf_.isEmpty() ? impression_.imprimantes
                                                                 : QStringList());
            return true;
        }
        QString annuler() override {
            ++impression_.annules;
            return {};
        }
        Resultat<> terminer() override {
            if (impression_.echec)
                return Echec{QStringLiteral("l'imprimante n'a pas pu être ouverte.")};
            faites_.append(surface_);
            for (const SurfaceEnregistreuse& page : faites_) {
                impression_.pages.append(page);
                impression_.fichiersPdf.append(pdf_);
            }
            ++impression_.travaux;
            return {};
        }

    private:
        ImpressionTest& impression_;
        QString pdf_;
        SurfaceEnregistreuse surface_;
        QVector<SurfaceEnregistreuse> faites_;
    };

    std::unique_ptr<TravailImpression> nouveauTravail() override {
        return std::make_unique<Travail>(*this);
    }
    std::unique_ptr<TravailImpression> nouveauTravailPdf(const QString& fichier) override {
        return std::make_unique<Travail>(*this, fichier);
    }
};

struct PlateformeTest {
    DialoguesScript dialogues;
    ImprimantesTest imprimantes;
    PolicesTest polices;
    HorlogeTest horloge;
    PressePapiersTest pressePapiers;
    BureauTest bureau;
    ImpressionTest impression;

    ServicesPlateforme services() {
        return {dialogues, imprimantes, polices, horloge, pressePapiers, bureau, impression};
    }
};
