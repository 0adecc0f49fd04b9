// Writes a picture of the history window over a small register: numbered
// cheques issued, cashed, spoiled and reprinted, voided, and an old one never
// cashed: capture_registre REGISTRE.png
#include "PlateformeTest.h"
#include "registre/Registre.h"
#include "windows/AppScribane.h"
#include "windows/FrmHistorique.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    QTemporaryDir dossier;
    PlateformeTest plateforme;
    plateforme.horloge.instant = QDateTime(QDate(2024, 3, 20), QTime(10, 0));
    AppScribane app(dossier.path(), plateforme.services());
    app.registre = std::move(Registre::ouvrir(app.chemins).valeur());
    Registre& r = *app.registre;
    (void)r.reglerChequier(1, {QStringLiteral("Compte courant"), true, 2345671});
    const auto cheque = [](int j, int m, std::int64_t centimes, const char* a, const char* e) {
        return ChequeAInscrire{QDate(2024, m, j),           centimes,
                               MontantDeCentimes(centimes), QString::fromUtf8(a),
                               QStringLiteral("Paris"),     QString::fromUtf8(e),
                               QStringLiteral("Bureau")};
    };
    const auto imprimer = [&](std::optional<std::int64_t> de, std::optional<std::int64_t> premier,
                              ChequeAInscrire c, QDateTime quand) {
        auto n = r.noter(1, {c}, premier, de ? QVector<std::int64_t>{*de} : QVector<std::int64_t>{});
        (void)r.confirmer(*n, quand);
        return n->front().id;
    };
    auto vieux = cheque(12, 1, 4200, "Garage Martin", "");
    vieux.dateCheque = QDate(2023, 1, 12);
    imprimer({}, 2345001, vieux, QDateTime(QDate(2023, 1, 12), QTime(9, 30)));
    const auto edf = imprimer({}, {}, cheque(2, 3, 12550, "EDF", ""),
                              QDateTime(QDate(2024, 3, 2), QTime(9, 12, 4)));
    const auto gache = imprimer({}, {}, cheque(5, 3, 125000, "Société Générale", "MARTIN PAUL"),
                                QDateTime(QDate(2024, 3, 5), QTime(14, 7, 32)));
    (void)r.gacher(gache, QStringLiteral("bourrage"));
    imprimer(gache, {}, cheque(5, 3, 125000, "Société Générale", "MARTIN PAUL"),
             QDateTime(QDate(2024, 3, 5), QTime(14, 9, 1)));
    const auto perdu = imprimer({}, {}, cheque(8, 3, 8990, "Pharmacie Lefèvre", ""),
                                QDateTime(QDate(2024, 3, 8), QTime(11, 0, 40)));
    (void)r.annuler(perdu, QStringLiteral("perdu au courrier"));
    imprimer({}, {}, cheque(15, 3, 30000, "Trésor Public", ""),
             QDateTime(QDate(2024, 3, 15), QTime(16, 45, 2)));
    (void)r.encaisser(edf, QDate(2024, 3, 11));

    FrmHistorique h(app);
    h.resize(900, 330);
    h.show();
    auto* table = h.findChild<QTableView*>(QStringLiteral("TableCheques"));
    table->resizeColumnsToContents();
    table->selectRow(0);
    QApplication::processEvents();
    return h.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
