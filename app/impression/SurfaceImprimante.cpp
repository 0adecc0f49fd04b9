#include "impression/SurfaceImprimante.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinterInfo>

bool SurfaceImprimante::choisirImprimante(const QString& nom) {
    if (imprimante_.outputFormat() != QPrinter::NativeFormat || peintre_.isActive())
        return false;
    if (!QPrinterInfo::availablePrinterNames().contains(nom))
        return false;
    imprimante_.setPrinterName(nom);
    return true;
}

bool SurfaceImprimante::definirPage(int orientation) {
    if (peintre_.isActive())
        return false;
    imprimante_.setPageSize(QPageSize(QPageSize::A4));
    const bool connue = orientation == 1 || orientation == 2;
    if (connue)
        imprimante_.setPageOrientation(orientation == 1 ? QPageLayout::Portrait
                                                        : QPageLayout::Landscape);
    // Positions count from the printable area: the printer's own margins, not
    // the toolkit's default ones.
    const QPageLayout page = imprimante_.pageLayout();
    imprimante_.setPageMargins(page.minimumMargins(), page.units());
    return connue;
}

bool SurfaceImprimante::commencer() {
    if (peintre_.isActive())
        return true;
    // Without any printer Qt would quietly make a PDF file of no name.
    if (imprimante_.outputFormat() == QPrinter::NativeFormat &&
        imprimante_.printerName().isEmpty()) {
        aucuneImprimante_ = true;
        return false;
    }
    if (echecOuverture_ || !peintre_.begin(&imprimante_)) {
        echecOuverture_ = true;
        return false;
    }
    peintre_.setFont(police_);
    peintre_.setPen(Qt::black);
    return true;
}

bool SurfaceImprimante::pageSuivante() {
    return peintre_.isActive() && imprimante_.newPage();
}

Resultat<> SurfaceImprimante::terminer() {
    // A cheque without a single text still ends as a document the user is told about.
    const bool ouvert = commencer();
    const bool fini = ouvert && peintre_.end();
    if (ouvert && fini && imprimante_.printerState() != QPrinter::Error)
        return {};
    if (echecOuverture_ && imprimante_.outputFormat() == QPrinter::PdfFormat) {
        // The file's own reason (missing folder, no right to write) says more
        // than a printer that cannot be opened.
        QFile fichier(imprimante_.outputFileName());
        return Echec{fichier.open(QIODevice::Append)
                         ? QStringLiteral("le fichier n'a pas pu être écrit.")
                         : QStringLiteral("le fichier n'a pas pu être créé (%1).")
                               .arg(fichier.errorString())};
    }
    return Echec{aucuneImprimante_ ? QStringLiteral("aucune imprimante n'est installée.")
                 : echecOuverture_ ? QStringLiteral("l'imprimante n'a pas pu être ouverte.")
                                   : QStringLiteral("le document n'a pas pu être transmis.")};
}

TravailQt::TravailQt(const QString& fichierPdf)
    : imprimante_(QPrinter::HighResolution), surface_(imprimante_) {
    // Plain ASCII: some spoolers garble anything else in job titles and file names.
    imprimante_.setDocName(QStringLiteral("Scribane - cheque"));
    if (!fichierPdf.isEmpty()) {
        imprimante_.setOutputFormat(QPrinter::PdfFormat);
        imprimante_.setOutputFileName(fichierPdf);
    }
}

QString TravailQt::nomImprimante() const {
    if (imprimante_.outputFormat() == QPrinter::PdfFormat)
        return QFileInfo(imprimante_.outputFileName()).fileName();
    return imprimante_.printerName().isEmpty() ? QStringLiteral("(aucune)")
                                               : imprimante_.printerName();
}
