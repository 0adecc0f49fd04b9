#pragma once

#include <QString>
#include <cstdint>

namespace bouton {

enum class Acces { Lecture, LectureEcriture, Methode };

struct Membre {
    int32_t id;
    const char* nom;
    Acces acces;
    const char* description; // UTF-8, for property browsers
};

// The dispatch interface's members, in slot order.
const Membre* membreParId(int32_t id);
const Membre* membreParNom(const QString& nom);

} // namespace bouton
