#pragma once

#include <QStringList>

// What a command receives. argc and argv are there for a command that needs
// its own application object (printing needs a QGuiApplication).
struct Invocation {
    int& argc;
    char** argv;
    QStringList arguments; // what follows the command name
};

struct Commande {
    const char* nom;
    const char* resume; // one line for the general help
    int (*executer)(Invocation&);
};

// Exit codes shared by the commands.
inline constexpr int kSucces = 0;
inline constexpr int kEchec = 1;
inline constexpr int kUsage = 2;

int CommandeLettres(Invocation& invocation);
int CommandeNombre(Invocation& invocation);
int CommandeImprimer(Invocation& invocation);
int CommandeJournal(Invocation& invocation);
int CommandeRegistre(Invocation& invocation);
int CommandeRapprocher(Invocation& invocation);
