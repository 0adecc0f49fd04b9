#pragma once

#include <QString>
#include <cstdint>

namespace bouton {

// Result codes in the usual style: 0 success, 1 "success, but no", negative on failure.
namespace code {
inline constexpr int32_t Ok = 0;
inline constexpr int32_t Faux = 1;
inline constexpr int32_t NonImplemente = int32_t(0x80004001);
inline constexpr int32_t InterfaceInconnue = int32_t(0x80004002);
inline constexpr int32_t PointeurInvalide = int32_t(0x80004003);
inline constexpr int32_t Echec = int32_t(0x80004005);
inline constexpr int32_t ArgumentInvalide = int32_t(0x80070057);
inline constexpr int32_t ClasseNonDisponible = int32_t(0x80040111);
inline constexpr int32_t ClasseNonEnregistree = int32_t(0x80040154);
inline constexpr int32_t RegistreIllisible = int32_t(0x80040150);
inline constexpr int32_t RegistreNonEcrit = int32_t(0x80040151);
inline constexpr int32_t EnregistrementClasse = int32_t(0x80040201);
inline constexpr int32_t MembreInconnu = int32_t(0x80020003);
inline constexpr int32_t NomInconnu = int32_t(0x80020006);
inline constexpr int32_t NombreArguments = int32_t(0x8002000E);
// The object called was deleted during the call (its host did it from an event or a
// notification): the caller must not use it again.
inline constexpr int32_t ObjetDeconnecte = int32_t(0x80010108);
// Errors of the control's parts, in the 0x800A range of the usual run-time errors.
inline constexpr int32_t Depassement = int32_t(0x800A0006);
inline constexpr int32_t IncompatibiliteType = int32_t(0x800A000D);
inline constexpr int32_t ValeurProprieteInvalide = int32_t(0x800A017C);
} // namespace code

// What a call through an interface returns: a code and, on failure, a message for people.
struct Resultat {
    int32_t code = code::Ok;
    QString message;

    bool reussi() const { return code >= 0; }
    static Resultat ok() { return {}; }
    static Resultat erreur(int32_t c, const QString& m) { return {c, m}; }
};

} // namespace bouton
