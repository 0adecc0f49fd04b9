#include "windows/EssaiAlignement.h"

#include "cheque/PageAlignement.h"
#include "impression/FichierPdf.h"
#include "windows/AppScribane.h"
#include "windows/DossierDocuments.h"

#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <optional>

void ImprimerPageAlignement(AppScribane& app, QWidget* parent, const Reglages& r, bool pdf) {
    Dialogues& dialogues = app.plateforme.dialogues;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(QStringLiteral("Scribane - alignement"));
    QString fichier;
    // Drawn aside and put under its name once whole, as a cheque's PDF is.
    std::optional<FichierPdfProvisoire> provisoire;
    if (pdf) {
        fichier = dialogues.enregistrerFichier(
            parent, QStringLiteral("Enregistrer la page d'essai en PDF"),
            QDir(DossierDocuments())
                .filePath(QStringLiteral("Page_alignement.pdf")),
            QStringLiteral("PDF (*.pdf)|*.pdf|"));
        if (fichier.isEmpty())
            return;
        provisoire.emplace(fichier);
        if (provisoire->copie().isEmpty()) {
            dialogues.message(parent,
                              QStringLiteral("La page d'essai n'a pas pu être enregistrée dans "
                                             "« %1 » : %2")
                                  .arg(QDir::toNativeSeparators(fichier), provisoire->refus()),
                              Icone::Critique);
            return;
        }
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(provisoire->copie());
    } else if (r.Imprimante.isEmpty() ||
               !QPrinterInfo::availablePrinterNames().contains(r.Imprimante)) {
        dialogues.message(parent,
                          QStringLiteral("L'imprimante « %1 » n'est pas installée : choisissez-en "
                                         "une dans la liste.")
                              .arg(r.Imprimante),
                          Icone::Exclamation);
        return;
    } else {
        imprimante.setPrinterName(r.Imprimante);
    }
    // The page as the cheque prints: A4, the orientation of the choice, the
    // positions counted from the printer's printable area.
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    imprimante.setPageOrientation(r.Orientation == 2 ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    const QPageLayout page = imprimante.pageLayout();
    imprimante.setPageMargins(page.minimumMargins(), page.units());

    QPainter peintre;
    bool fait = peintre.begin(&imprimante);
    if (fait) {
        DessinerPageAlignement(peintre, imprimante, r);
        fait = peintre.end() && imprimante.printerState() != QPrinter::Error;
    }
    if (fait && provisoire) {
        if (const auto remplace = provisoire->remplacer(); !remplace) {
            dialogues.message(parent,
                              QStringLiteral("La page d'essai n'a pas pu être enregistrée dans "
                                             "« %1 » : %2")
                                  .arg(QDir::toNativeSeparators(fichier), remplace.raison()),
                              Icone::Critique);
            return;
        }
    }
    if (!fait)
        dialogues.message(parent,
                          pdf ? QStringLiteral("La page d'essai n'a pas pu être enregistrée dans "
                                               "« %1 ».")
                                    .arg(QDir::toNativeSeparators(fichier))
                              : QStringLiteral("La page d'essai n'a pas pu être imprimée sur "
                                               "« %1 ».")
                                    .arg(r.Imprimante),
                          Icone::Critique);
}
