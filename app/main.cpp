#include "windows/AppScribane.h"
#include "windows/FrmCB.h"
#include "windows/Installation.h"
#include "windows/PlateformeQt.h"
#include "impression/SurfaceImprimante.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

int main(int argc, char** argv) {
#ifdef Q_OS_UNIX
    // A file-size limit then makes a write fail with its reason, which is told,
    // instead of killing the program in the middle of a file.
    ::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication application(argc, argv);
    // No display name: Qt would add it to every title bar, and each window's
    // title is its own ("Scribane" already begins the main window's).
    QApplication::setApplicationName(QStringLiteral("Scribane"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Qt's own buttons and dialogs in French.
    QTranslator traductionQt;
    if (traductionQt.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traductionQt);

    DialoguesQt dialogues;
    ImprimantesQt imprimantes;
    PolicesQt polices;
    HorlogeQt horloge;
    PressePapiersQt pressePapiers;
    BureauQt bureau;
    ImpressionQt impression;
    const ServicesPlateforme services{dialogues,     imprimantes, polices,   horloge,
                                      pressePapiers, bureau,      impression};

    const DossierChoisi dossier =
        ChoisirDossier(QApplication::applicationDirPath(),
                       DossierDonneesUtilisateur());
    AppScribane app(dossier.chemin, services);
    app.bibliothequeControle = BibliothequeControleInstallee(QApplication::applicationDirPath());

    // One instance at a time: two would overwrite each other's lists. The lock
    // of a crashed instance is recognised as stale and taken over.
    RefusVerrou refus;
    const auto verrou = PrendreVerrou(app.chemins, &refus);
    if (!verrou) {
        dialogues.message(nullptr, refus.message,
                          refus.dejaOuvert ? Icone::Information : Icone::Critique);
        return 1;
    }

    FrmCB fenetre(app);
    if (dossier.premierRepli)
        dialogues.message(
            &fenetre,
            QStringLiteral("Le dossier du programme n'est pas accessible en écriture.\n\nVos "
                           "réglages et vos journaux seront enregistrés dans le dossier :\n%1")
                .arg(QDir::toNativeSeparators(dossier.chemin)),
            Icone::Information);
    fenetre.demarrer();
    fenetre.show();
    return application.exec();
}
