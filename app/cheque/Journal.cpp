#include "cheque/Journal.h"

#include "settings/Cp1252.h"
#include "settings/Listes.h"
#include "cheque/Rendu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString NomJournal(const QDate& jour) {
    return jour.toString(QStringLiteral("'Journal_'yyyy_MM_dd'.txt'"));
}

QString LigneJournal(const QTime& heure, const QString& montant, const QString& destinataire,
                     const QString& emetteur) {
    QString ligne = heure.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" - ") + montant +
                    QStringLiteral(" Euros à l'ordre de ") + destinataire;
    if (!emetteur.isEmpty())
        ligne += QStringLiteral(". Emetteur : ") + emetteur.toUpper();
    // One entry, one line, whatever was pasted into the boxes.
    return EntreeSurUneLigne(ligne);
}

Resultat<> EcrireJournal(const QString& dossierJournaux, const QDateTime& maintenant,
                         const QString& montant, const QString& destinataire,
                         const QString& emetteur) {
    QDir().mkpath(dossierJournaux);
    const QString chemin = dossierJournaux + QLatin1Char('/') + NomJournal(maintenant.date());
    QByteArray octets;
    if (!QFileInfo::exists(chemin))
        octets = EncoderCp1252(QStringLiteral("RELEVE des CHEQUES IMPRIMES le ") +
                               DateCheque(maintenant.date())) +
                 "\r\n\r\n\r\n";
    octets +=
        EncoderCp1252(LigneJournal(maintenant.time(), montant, destinataire, emetteur)) + "\r\n";
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::Append) || fichier.write(octets) != octets.size() ||
        !fichier.flush())
        return Echec{QStringLiteral("Impossible d'écrire dans le journal %1 : %2")
                         .arg(QDir::toNativeSeparators(chemin), fichier.errorString())};
    return {};
}
