#include "impression/SurfaceImprimante.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinterInfo>

#ifdef SCRIBANE_CUPS
#include <cups/cups.h>
#endif

namespace {

#ifdef SCRIBANE_CUPS
// Qt hands the document to CUPS and drops its answer: a queue that refuses
// jobs would look printed. The last answer of this thread's CUPS connection is
// first made a known good one (the printer's own state), so that after the
// document ends it is the answer to this job.
void OublierDerniereReponse(const QString& imprimante) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", imprimante.toUtf8().constData());
    ipp_t* demande = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state");
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, demande, "/"));
}

QString RefusDuTravail() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    QString raison = QString::fromUtf8(cupsLastErrorString()).trimmed();
    if (raison.endsWith(u'.'))
        raison.chop(1);
    return QStringLiteral("le système d'impression a refusé le travail (%1).").arg(raison);
}
#endif

} // namespace

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
    if (!refusOuverture_.isEmpty() || echecOuverture_ || !peintre_.begin(&imprimante_)) {
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

void SurfaceImprimante::annuler() {
    if (peintre_.isActive())
        (void)imprimante_.abort();
}

Resultat<> SurfaceImprimante::terminer() {
    // A cheque without a single text still ends as a document the user is told about.
    const bool ouvert = commencer();
    [[maybe_unused]] const bool natif = imprimante_.outputFormat() == QPrinter::NativeFormat;
#ifdef SCRIBANE_CUPS
    if (ouvert && natif)
        OublierDerniereReponse(imprimante_.printerName());
#endif
    const bool fini = ouvert && peintre_.end();
    if (ouvert && fini && imprimante_.printerState() != QPrinter::Error) {
#ifdef SCRIBANE_CUPS
        if (const QString refus = natif ? RefusDuTravail() : QString(); !refus.isEmpty())
            return Echec{refus};
#endif
        return {};
    }
    if (!refusOuverture_.isEmpty())
        return Echec{refusOuverture_};
    if (echecOuverture_ && imprimante_.outputFormat() == QPrinter::PdfFormat)
        return Echec{QStringLiteral("le fichier n'a pas pu être écrit.")};
    return Echec{aucuneImprimante_ ? QStringLiteral("aucune imprimante n'est installée.")
                 : echecOuverture_ ? QStringLiteral("l'imprimante n'a pas pu être ouverte.")
                                   : QStringLiteral("le document n'a pas pu être transmis.")};
}

TravailQt::TravailQt(const QString& fichierPdf)
    : imprimante_(QPrinter::HighResolution), surface_(imprimante_) {
    // Plain ASCII: some spoolers garble anything else in job titles and file names.
    imprimante_.setDocName(QStringLiteral("Scribane - cheque"));
    if (!fichierPdf.isEmpty()) {
        pdf_.emplace(fichierPdf);
        imprimante_.setOutputFormat(QPrinter::PdfFormat);
        imprimante_.setOutputFileName(pdf_->copie());
        if (pdf_->copie().isEmpty())
            surface_.refuserOuverture(pdf_->refus());
    }
}

Resultat<> TravailQt::terminer() {
    if (auto fini = surface_.terminer(); !fini)
        return fini;
    return pdf_ ? pdf_->remplacer() : Resultat<>{};
}

QString TravailQt::annuler() {
    surface_.annuler();
    return pdf_ ? pdf_->raisonCoupure() : QString();
}

QString TravailQt::nomImprimante() const {
    if (pdf_)
        return QFileInfo(pdf_->cible()).fileName();
    return imprimante_.printerName().isEmpty() ? QStringLiteral("(aucune)")
                                               : imprimante_.printerName();
}
