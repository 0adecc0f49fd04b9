#include "windows/Installation.h"

#include "settings/DossierApplication.h"
#include "bouton/hote/ChargeurControle.h"

#include <QFileInfo>

QString BibliothequeControleInstallee(const QString& dossierProgramme) {
    const QString dossier = DossierBibliothequesInstallees(dossierProgramme);
    if (dossier.isEmpty())
        return {};
    return dossier + u'/' + QFileInfo(bouton::hote::BibliothequeVoisine()).fileName();
}
