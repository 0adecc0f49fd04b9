// bouton-regsvr [/u] [/s] LIBRARY
// Registers (or with /u unregisters) a self-registering control library by calling its
// DllRegisterServer (DllUnregisterServer) export. /s prints nothing on success.
// Exit codes: 0 done, 1 bad arguments, 3 library not loaded, 4 entry point missing,
// 5 the entry point failed.

#include "bouton/Exports.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);

    bool desenregistrer = false;
    bool silencieux = false;
    bool inconnu = false;
    QString chemin;
    const QStringList arguments = application.arguments().mid(1);
    for (const QString& a : arguments) {
        if (a.compare(QLatin1String("/u"), Qt::CaseInsensitive) == 0 || a == QLatin1String("-u"))
            desenregistrer = true;
        else if (a.compare(QLatin1String("/s"), Qt::CaseInsensitive) == 0 ||
                 a == QLatin1String("-s"))
            silencieux = true;
        else if (chemin.isEmpty() && !a.startsWith(u'-'))
            chemin = a;
        else
            inconnu = true;
    }
    if (chemin.isEmpty() || inconnu) {
        erreurs << "Usage : bouton-regsvr [/u] [/s] BIBLIOTHEQUE\n";
        return 1;
    }
    // Relative to where the command runs, as the library records its own absolute path.
    chemin = QFileInfo(chemin).absoluteFilePath();
    const char* point = desenregistrer ? "DllUnregisterServer" : "DllRegisterServer";

    QLibrary bibliotheque(chemin);
    if (!bibliotheque.load()) {
        erreurs << QStringLiteral("Impossible de charger « %1 » : %2\n")
                       .arg(QDir::toNativeSeparators(chemin), bibliotheque.errorString());
        return 3;
    }
    auto fonction = reinterpret_cast<bouton::FnDllRegisterServer>(bibliotheque.resolve(point));
    if (!fonction) {
        erreurs << QStringLiteral("« %1 » n'a pas de point d'entrée %2.\n")
                       .arg(QDir::toNativeSeparators(chemin), QLatin1String(point));
        return 4;
    }
    const int32_t resultat = fonction();
    if (resultat < 0) {
        erreurs << QStringLiteral("%1 dans « %2 » a échoué (code 0x%3).\n")
                       .arg(QLatin1String(point), QDir::toNativeSeparators(chemin))
                       .arg(uint32_t(resultat), 8, 16, QLatin1Char('0'));
        return 5;
    }
    if (!silencieux)
        sortie << QStringLiteral("%1 dans « %2 » a réussi.\n")
                      .arg(QLatin1String(point), QDir::toNativeSeparators(chemin));
    return 0;
}
