#pragma once

#include "settings/Resultat.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <initializer_list>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A thin hold on one SQLite connection: statements with bound values, every
// failure as a French reason. Only the register uses it.
class Base {
public:
    Base() = default;
    ~Base();
    Base(const Base&) = delete;
    Base& operator=(const Base&) = delete;

    // Opens (and creates) the file for reading and writing.
    Resultat<> ouvrir(const QString& chemin);
    void fermer();
    bool ouverte() const { return db_ != nullptr; }

    // Runs one or more statements without values.
    Resultat<> executer(const char* sql);

    class Requete {
    public:
        Requete(Requete&& autre) noexcept;
        ~Requete();
        Requete& lier(int index, const QVariant& valeur);
        Requete& lier(int index, std::int64_t valeur) {
            return lier(index, QVariant::fromValue<qlonglong>(valeur));
        }
        Requete& lier(int index, int valeur) { return lier(index, std::int64_t(valeur)); }
        // Steps once: true when a row is there, false at the end; the failure
        // is kept and given by erreur().
        bool suivante();
        // Steps to the end; the French reason when it failed.
        Resultat<> executer();
        std::int64_t entier(int colonne) const;
        std::optional<std::int64_t> entierOuRien(int colonne) const;
        QString texte(int colonne) const;
        // The column's UTF-8 bytes as SQLite holds them, valid until the next step.
        const char* brut(int colonne) const;
        int taille(int colonne) const;
        const QString& erreur() const { return erreur_; }
        bool echouee() const { return !erreur_.isEmpty(); }
        void recommencer();

    private:
        friend class Base;
        Requete(Base& base, sqlite3_stmt* s, QString erreur);
        Base* base_;
        sqlite3_stmt* s_;
        QString erreur_;
    };
    Requete requete(const char* sql);

    // The value of the first column of the first row, when there is one.
    Resultat<std::optional<std::int64_t>> entier(const char* sql,
                                                 std::initializer_list<QVariant> valeurs = {});
    std::int64_t dernierId() const;
    int modifiees() const;

    // The French reason of SQLite's last error on this connection.
    QString raison() const;
    QString raison(int code) const;

private:
    sqlite3* db_ = nullptr;
};

// A transaction taken for writing at once (BEGIN IMMEDIATE), rolled back
// unless valider() succeeds.
class Transaction {
public:
    explicit Transaction(Base& base);
    ~Transaction();
    const Resultat<>& commencee() const { return commencee_; }
    Resultat<> valider();

private:
    Base& base_;
    Resultat<> commencee_;
    bool finie_ = false;
};
