// bouton-atelier [FORM]: the design host of the control library. It creates the controls
// through the class registry and the library's entry points, never by linking it.

#include "DialoguesAtelier.h"
#include "FenetreAtelier.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bouton-atelier"));
    atelier::DialoguesQt dialogues;
    atelier::FenetreAtelier fenetre(dialogues);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        fenetre.ouvrir(arguments.at(1));
    fenetre.show();
    return application.exec();
}
