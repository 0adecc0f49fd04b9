#pragma once

#include <QString>

#include <utility>
#include <variant>

// The reason an operation failed, in French, ready to be shown to the user.
struct Echec {
    QString raison;
};

// The outcome of an operation that can fail: its value, or the French reason
// it failed. Every library of the program returns this shape, so a window or
// the command line only has to show `raison()`.
template <typename T = void> class Resultat {
public:
    Resultat(T valeur) : contenu_(std::move(valeur)) {}
    Resultat(Echec echec) : contenu_(std::move(echec)) {}

    bool ok() const { return contenu_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& valeur() const { return std::get<0>(contenu_); }
    T& valeur() { return std::get<0>(contenu_); }
    const T* operator->() const { return &valeur(); }
    const T& operator*() const { return valeur(); }
    const QString& raison() const { return std::get<1>(contenu_).raison; }

private:
    std::variant<T, Echec> contenu_;
};

// An operation that gives nothing back but can fail.
template <> class Resultat<void> {
public:
    Resultat() = default;
    Resultat(Echec echec) : echoue_(true), raison_(std::move(echec.raison)) {}

    bool ok() const { return !echoue_; }
    explicit operator bool() const { return ok(); }
    const QString& raison() const { return raison_; }

private:
    bool echoue_ = false;
    QString raison_;
};
