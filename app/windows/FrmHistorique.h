#pragma once

#include "windows/ModeleHistorique.h"

#include <QDialog>

struct AppScribane;
class QCheckBox;
class QComboBox;
class QPushButton;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;

// The cheque register's view: every cheque with its number and status, to
// sort, search, total and export, to void or mark cashed, with what is still
// to be cashed; a double-click hands a cheque back to the main window to
// print it again.
class FrmHistorique final : public QDialog {
    Q_OBJECT

public:
    explicit FrmHistorique(AppScribane& app, QWidget* parent = nullptr);

    // Takes in what the journals gained, and reads the register again.
    void recharger();
    void exporterCsv();
    void exporterPdf();
    // The cheque selected: voided with a reason asked, or marked cashed at a
    // date asked.
    void annulerSelection();
    void encaisserSelection();
    // A bank statement chosen in the open dialog, reconciled with the cheques
    // not yet cashed; what the user accepts is marked cashed, all or none.
    void rapprocherReleve();

signals:
    void chequeChoisi(const QString& montant, const QString& destinataire);

private:
    void filtrer();
    void choisir(const QModelIndex& index);
    void selectionChangee();
    // The register's record of the row selected, when one is.
    const ChequeRegistre* selection() const;
    void selectionner(std::int64_t id);
    // A file chosen in the save dialog, or empty.
    QString demanderFichier(const QString& titre, const QString& extension, const QString& filtre);

    AppScribane& app_;
    ModeleHistorique modele_;
    FiltreHistorique filtre_;
    QLineEdit* recherche_ = nullptr;
    QComboBox* statut_ = nullptr;
    QPushButton* annuler_ = nullptr;
    QPushButton* encaisser_ = nullptr;
    QLabel* enCours_ = nullptr;
    QCheckBox* depuis_ = nullptr;
    QCheckBox* jusqua_ = nullptr;
    QDateEdit* du_ = nullptr;
    QDateEdit* au_ = nullptr;
    QLineEdit* minimum_ = nullptr;
    QLineEdit* maximum_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* ignorees_ = nullptr;
};
